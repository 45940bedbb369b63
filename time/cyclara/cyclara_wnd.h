// Cyclara's window: four biorhythm cycles for a stored birthday, charted
// from 20 days before today to 19 after, with the values of one chosen
// day as bars on the left. A date picker changes the birthday; tapping a
// cycle's name or bar replays its curve; tapping or dragging in the chart
// chooses the day the bars show.
#pragma once

#include <windows.h>

#include "applet.h"
#include "drawcontext.h"

class CCyclaraWnd : public CApplet {
public:
    static constexpr int kWidth = 236;
    static constexpr int kHeight = 95;
    static constexpr int kPickerId = 777;
    static constexpr UINT_PTR kAnimationTimer = 1;
    static constexpr UINT kAnimationStepMs = 20;

    void OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;
    void OnLButtonDown(CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    void OnMouseMove(CPoint point) override;
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR timerId) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnTodayQueryRefreshCache(TODAYLISTITEM* item) override;

private:
    void CreatePicker();
    // The picker's calendar drops to the right of a control near the
    // screen's right edge: brought back whole, and told the device's today.
    void PrepareDroppedCalendar();
    void TakePickedBirthday();

    // Everything, for today as it is now.
    void RedrawAll();
    void DrawBirthday();
    void DrawGrid();
    // Segments of a cycle's curve ending at the days firstDay..lastDay.
    void DrawCurve(int cycle, COLORREF colour, int firstDay, int lastDay);
    void DrawLeftPanel();
    void DrawLegend();
    void ChooseDay(int x);

    void StartAnimation(int cycle);
    void StepAnimation();

    // Days from the birthday to today plus an offset; 0 when unknown.
    LONGLONG DayCount(int dayOffset) const;

    CBitmapDC m_surface;
    CFont m_textFont;
    CFont m_smallFont;
    HWND m_picker = nullptr;
    SYSTEMTIME m_birthday = {};
    SYSTEMTIME m_today = {};
    LONGLONG m_todayCount = 0;  // days from the birthday to today
    bool m_countKnown = false;
    int m_shownOffset = 0;      // the day the bars show, from today
    bool m_choosing = false;    // the stylus went down in the chart
    int m_animatedCycle = -1;   // the cycle being replayed, or -1
    int m_animationStep = 0;
};
