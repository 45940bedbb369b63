// The Monthra applet's window: last month, this month and next month, with
// today marked. It has no buttons; it follows the date.
#pragma once

#include <windows.h>

#include <memory>

#include "applet.h"
#include "drawcontext.h"
#include "month_block.h"

class CMonthraWnd : public CApplet {
public:
    static constexpr int kWidth = 236;
    static constexpr int kHeight = 66;

    void OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnTodayQueryRefreshCache(TODAYLISTITEM* item) override;

private:
    void Redraw();
    void FollowToday();

    CBitmapDC m_surface;
    std::unique_ptr<CMonthBlockPainter> m_blocks;
    SYSTEMTIME m_today = {};  // the day last drawn
};
