// The settings-shortcut applet ("Settings"): twenty small icons, each
// opening one page of the device's settings (the first the Today screen),
// the name of the one under the pen below them, and the pack's tray.
#pragma once

#include <windows.h>

#include <corvane.h>

class CSetlaneWnd : public CApplet {
public:
    static constexpr int kWidth = 230;
    static constexpr int kHeight = 67;
    static constexpr int kEntryCount = 20;
    static constexpr int kNameChars = 64;  // 63 characters and the terminator
    static const RECT kGridArea;
    static const RECT kNameArea;
    static const RECT kTrayArea;

    struct Shortcut {
        int page;  // for CSI::LaunchCPL; -1 for the Today screen
        wchar_t name[kNameChars];
    };
    static const Shortcut kShortcuts[kEntryCount];

    // The cell under a point of the window; -1 for none.
    static int CellAt(POINT point);
    // Attention (export 243): a battery below 30 %.
    static int WantsAttention();

    void OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;
    void OnLButtonDown(CPoint point) override;
    void OnMouseMove(CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnTodayQueryRefreshCache(TODAYLISTITEM* item) override;

    int Selection() const { return m_nSelection; }

private:
    void DrawAll();
    void DrawNameLine();
    void Open(int index);

    CIconList m_icons;
    CTrayBar m_tray;
    CBitmapDC m_surface;
    int m_nSelection = -1;
};
