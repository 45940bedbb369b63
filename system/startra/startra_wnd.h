// The launcher applet's window: the launch list as a grid of icons over
// the bar's colours, the highlighted program's name in the title strip and
// the pack's tray (options, system watch, task manager, expand, settings).
#pragma once

#include <windows.h>

#include <corvane.h>
#include <launch_list.h>

class CStartraWnd : public CApplet {
public:
    static constexpr int kWidth = 230;
    static constexpr int kStripHeight = 21;   // the title strip and tray under the icons
    static constexpr int kTitleWidth = 130;   // the title strip; the tray takes the rest
    static constexpr int kTitleChars = 17;

    // The commands the applet takes (WM_COMMAND); its hold menu sends them.
    enum Command : UINT {
        kRemove = 101,
        kLaunch = 102,
        kAdd = 103,
        kImportDefault = 104,
        kImportNew = 105,
    };
    // Hit rectangles.
    enum Area { kIconArea = 0, kTrayArea = 1, kTitleStrip = 2 };

    CStartraWnd();

    void OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;
    void OnLButtonDown(CPoint point) override;
    void OnRButtonDown(CPoint point) override;
    void OnMouseMove(CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnTodayQueryRefreshCache(TODAYLISTITEM* item) override;

private:
    // Layout and drawing (startra_wnd.cpp).
    int IconAreaHeight() const;
    void Layout(BOOL askBar);
    void DrawAll();
    void DrawTitleStrip(CDC* dc);
    void ShowSurface(const RECT* area);
    void SetHighlight(int index);

    // Actions (startra_actions.cpp).
    void StartOptions();
    void LaunchEntry(int index);
    void ToggleExpanded();
    void OnTrayUp(CPoint point);
    void ShowHoldMenu(CPoint point);
    void AddFromFileDialog();
    void Import(BOOL fresh);
    void ListChanged(BOOL rebuildCache);
    BOOL FilePath(LPCWSTR name, wchar_t* path);

    CLaunchList m_list;
    int m_nHighlight = -1;
    BOOL m_bAfterHold = FALSE;  // a hold's menu was shown; the lift that follows is not a tap
    int m_nIconHeight = 0;  // icon area: rows x 21 + 4
    CBitmapDC m_surface;
    CRectList m_areas{3};
    CTrayBar m_tray;
};
