// The Calendar applet's window: today's date on a top line with three
// buttons (today, previous month, next month) over three month blocks.
// The month shown stays while the window lives.
#pragma once

#include <windows.h>

#include <memory>

#include "applet.h"
#include "drawcontext.h"
#include "imagefile.h"
#include "month_block.h"

class CCalendarWnd : public CApplet {
public:
    static constexpr int kWidth = 236;
    static constexpr int kHeight = 83;

    void OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;
    void OnLButtonDown(CPoint point) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnTodayQueryRefreshCache(TODAYLISTITEM* item) override;

private:
    // The whole surface for the month shown, then the window repainted.
    void Redraw();
    void DrawTopLine(const CalendarColours& colours);
    void FollowToday();

    CBitmapDC m_surface;
    CImage m_arrows;
    CFont m_topLineFont;
    std::unique_ptr<CMonthBlockPainter> m_blocks;
    SYSTEMTIME m_shown = {};  // the middle block's month, day 1
    SYSTEMTIME m_today = {};  // the day last drawn as today
};
