// The hardware-button applet's window: the device's buttons in a row, each
// with the icon of the program it starts; a tap on one opens the list of
// the launcher's programs, and the program chosen there goes to that button.
#pragma once

#include <windows.h>

#include <corvane.h>

#include "hardware_buttons.h"
#include "list_popup.h"

class CKeyvastWnd : public CApplet {
public:
    static constexpr int kWidth = 230;
    static constexpr int kHeight = 50;

    CKeyvastWnd();

    void OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;
    void OnLButtonDown(CPoint point) override;
    void OnMouseMove(CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnTodayQueryRefreshCache(TODAYLISTITEM* item) override;

    // The cell of button index (from 0).
    static CRect ButtonRect(int index);
    // The shown button under point, or -1 (gaps and the row's end included).
    int ButtonAt(POINT point) const;
    int GetButtonCount() const { return m_nButtons; }

private:
    void ReadButtons();
    void DrawAll();
    void DrawNameArea();
    void Select(int index);
    void OpenList();
    void OnChoice(LPCWSTR program);

    int m_nButtons = 0;
    wchar_t m_programs[HardwareButtons::kMaxButtons][HardwareButtons::kProgramChars] = {};
    int m_nSelected = -1;
    CListPopup* m_pPopup = nullptr;
    CBitmapDC m_surface;
    CTrayBar m_tray;
};
