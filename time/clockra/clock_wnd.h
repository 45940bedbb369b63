// Clockra's window: the time and date in large letters beside a small
// analog dial, over the bar's own background, redrawn every second. A tap
// opens the device's clock settings.
#pragma once

#include <windows.h>

#include "applet.h"
#include "drawcontext.h"

class CClockWnd : public CApplet {
public:
    static constexpr int kWidth = 230;
    static constexpr int kHeight = 56;
    static constexpr UINT_PTR kTickTimer = 100;
    static constexpr UINT kTickMs = 1000;

    void OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;
    void OnTimer(UINT_PTR timerId) override;
    void OnLButtonDown(CPoint point) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnTodayQueryRefreshCache(TODAYLISTITEM* item) override;

private:
    // The whole surface for the time now, then the window repainted.
    void Redraw();
    void DrawText(const SYSTEMTIME& now);
    void DrawDial(const SYSTEMTIME& now);

    CBitmapDC m_surface;
    CFont m_timeFont;
    CFont m_dateFont;
};
