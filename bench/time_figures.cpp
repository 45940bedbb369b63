// The time pack's applets measured on the bar from outside: menu commands,
// the clock's own timer message, the bar-opened message that has the chart
// drawn anew, and the window manager's view of what was painted.
#include "time_figures.h"

#include <vector>

#include <axreg.h>
#include <ketra_host.h>

#include "watch.h"

namespace {

const DWORD kStartTimeoutMs = 20000;
const DWORD kSendTimeoutMs = 20000;
const UINT_PTR kClockTimer = 100;  // Clockra's one-second timer

bool SendWaiting(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &answer) != 0;
}

// Menu command from the trivial applet to position, until painted.
bool TimedSwitch(HWND bar, const BenchPlaces& places, int position, double* ms)
{
    if (!SwitchTo(bar, places.appletBPosition))
        return false;
    const double start = NowMs();
    if (!SwitchTo(bar, position))
        return false;
    *ms = NowMs() - start;
    return true;
}

// A message to the applet, then its window painted: median of runs.
bool TimedRedraw(HWND applet, UINT message, WPARAM wParam, int runs, double* medianMs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = NowMs();
        if (!SendWaiting(applet, message, wParam, 0))
            return false;
        PaintNow(applet);
        times.push_back(NowMs() - start);
    }
    *medianMs = MedianOf(times);
    return true;
}

RECT ScreenRect(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

}  // namespace

TimeAppletFigures MeasureTimeApplets(const BenchPlaces& places, int runs)
{
    TimeAppletFigures out;
    CAxRegList list;
    list.LoadList(AX_APPLETS_KEY);
    int positions[TimeAppletFigures::kApplets];
    for (int k = 0; k < TimeAppletFigures::kApplets; ++k) {
        positions[k] = AppletPosition(list, out.names[k]);
        if (positions[k] < 0)
            out.switches[k].problem = "not installed";
    }
    out.clockTick.problem = out.chartRedraw.problem = "not installed";

    WatchedProgram host;
    if (!StartAndWaitPainted(places.hostCommand, KETRA_CLASS, kStartTimeoutMs, &host)) {
        for (Timing& timing : out.switches)
            timing.problem = "the side bar did not come up";
        out.clockTick.problem = out.chartRedraw.problem = "the side bar did not come up";
        return out;
    }
    HWND bar = host.window;
    if (!SendWaiting(bar, WM_KETRA_WINDOW, KETRA_WINDOW_OPEN, 0))
        SendWaiting(bar, WM_KETRA_OPEN, 0, 0);

    // Every library once, untimed, so that none is timed on its first load.
    SwitchTo(bar, places.aboutPosition);
    for (int position : positions)
        if (position >= 0)
            SwitchTo(bar, position);

    std::vector<double> aboutTimes, times[TimeAppletFigures::kApplets];
    bool answered = true;
    for (int i = 0; i < runs && answered; ++i) {
        double ms = 0;
        answered = TimedSwitch(bar, places, places.aboutPosition, &ms);
        aboutTimes.push_back(ms);
        for (int k = 0; k < TimeAppletFigures::kApplets && answered; ++k) {
            if (positions[k] < 0)
                continue;
            answered = TimedSwitch(bar, places, positions[k], &ms);
            times[k].push_back(ms);
        }
    }
    for (int k = 0; k < TimeAppletFigures::kApplets; ++k) {
        if (positions[k] < 0)
            continue;
        if (!answered) {
            out.switches[k].problem = "the bar did not answer a menu command";
            continue;
        }
        out.switches[k].ok = true;
        out.switches[k].measuredMs = MedianOf(times[k]);
        out.switches[k].baselineMs = MedianOf(aboutTimes);
    }

    RECT clockArea = {}, chartArea = {};
    if (positions[0] >= 0 && SwitchTo(bar, positions[0])) {
        HWND clock = FindWindowExW(bar, nullptr, L"TIME", nullptr);
        if (clock && TimedRedraw(clock, WM_TIMER, kClockTimer, runs, &out.clockTick.measuredMs)) {
            out.clockTick.ok = true;
            clockArea = ScreenRect(clock);
        } else {
            out.clockTick.problem = "the clock was not shown or did not answer";
        }
    }
    if (positions[3] >= 0 && SwitchTo(bar, positions[3])) {
        HWND chart = FindWindowExW(bar, nullptr, L"Cyclara1", nullptr);
        if (chart && TimedRedraw(chart, WM_KETRA_APPLETSHOWN, 0, runs, &out.chartRedraw.measuredMs)) {
            out.chartRedraw.ok = true;
            chartArea = ScreenRect(chart);
        } else {
            out.chartRedraw.problem = "the chart was not shown or did not answer";
        }
    }
    SwitchTo(bar, places.aboutPosition);
    EndProgram(&host, WM_COMMAND, IDM_KETRA_EXIT);

    // The baselines: the empty program's window of each applet's size,
    // painted with one BitBlt.
    if (out.clockTick.ok && !MeasureRepaintBaseline(places, clockArea, runs, &out.clockTick.baselineMs)) {
        out.clockTick.ok = false;
        out.clockTick.problem = "the empty program did not come up";
    }
    if (out.chartRedraw.ok && !MeasureRepaintBaseline(places, chartArea, runs, &out.chartRedraw.baselineMs)) {
        out.chartRedraw.ok = false;
        out.chartRedraw.problem = "the empty program did not come up";
    }
    return out;
}
