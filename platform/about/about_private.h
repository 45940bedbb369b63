// The About applet's window.
#pragma once

#include <windows.h>

#include "applet.h"
#include "drawcontext.h"

#define IDI_ABOUT 102  // the application icon drawn in the window

class CAboutWnd : public CApplet {
public:
    static constexpr int kWidth = 240;
    static constexpr int kHeight = 56;

    void OnCreate() override;
    void OnPaint() override;
    void OnLButtonDown(CPoint point) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnTodayQueryRefreshCache(TODAYLISTITEM* item) override;

private:
    void PaintSurface();
    void OpenWebSite();
    void OpenHelp();
    void LogOemInfo();

    CBitmapDC m_surface;  // the whole window, drawn once at creation
};
