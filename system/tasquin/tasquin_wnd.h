// The task manager applet's window: the running programs as icons, tapped
// to bring one to the front or, in close mode, to close it.
#pragma once

#include <windows.h>

#include <corvane.h>

#include "task_list.h"

class CTasquinWnd : public CApplet {
public:
    static constexpr int kWidth = 230;
    static constexpr int kHeight = 55;
    static constexpr int kMaxCells = 10;
    static constexpr UINT_PTR kRefreshTimer = 100;
    static constexpr UINT kRefreshMs = 2000;

    enum Command : UINT { kActivate = 101, kClose = 102, kCloseAll = 103 };
    enum Area { kTaskArea = 0, kTrayArea = 1, kTitleStrip = 2 };
    enum Mode { kCloseMode = 0, kActivateMode = 1 };

    CTasquinWnd();

    void OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;
    void OnLButtonDown(CPoint point) override;
    void OnRButtonDown(CPoint point) override;
    void OnMouseMove(CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    void OnTimer(UINT_PTR timerId) override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnTodayQueryRefreshCache(TODAYLISTITEM* item) override;

    // The cell of entry index.
    CRect CellRect(int index) const;
    // The shown entry under point, or -1.
    int HitTest(POINT point) const;

private:
    HWND OwnBar() const;
    void DrawAll();
    void DrawTitleStrip();
    void SetHighlight(int index);
    void RefreshNow();
    void ActOnEntry(int index, BOOL warn);
    void ShowHoldMenu(CPoint point);
    void OnTrayUp(CPoint point);

    CTaskList* m_pTasks = nullptr;
    int m_nMode = kActivateMode;
    int m_nHighlight = -1;
    BOOL m_bAfterHold = FALSE;  // a hold's menu was shown; the lift that follows is not a tap
    BOOL m_bVisible = TRUE;
    BOOL m_bBusy = FALSE;
    CPoint m_ptOrigin{0, 0};
    CBitmapDC m_surface;
    CRectList m_areas{3};
    CTrayBar m_tray;
};
