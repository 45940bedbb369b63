// The system pack's figures: the launcher shown with and without its icon
// cache, the task manager's list refresh, and the bar's processor time
// while the task manager or the system watch is shown.
#pragma once

#include "figures.h"

struct SystemFigures {
    Timing launcher;       // switch to the launcher (cache) / switch to About
    Timing cache;          // the same switch with the cache / without it (shell icons)
    Timing taskRefresh;    // the task list's refresh / a bare walk reading titles and classes
    Timing taskBarCpu;     // the bar's processor time over 30 s, task manager shown / About shown
    Timing systemBarCpu;   // the same with the system watch shown
    int launcherEntries = 0;
    int launcherRows = 0;
    int idleSeconds = 0;
};

SystemFigures MeasureSystemPack(const BenchPlaces& places, int runs);
