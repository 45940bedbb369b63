// The task-bar icon tool, the system summary and the power panel measured
// from outside: a corner tap with the tool's hook in the task bar's chain
// against the same tap without it, and the summary's and the power panel's
// start to first paint against the empty program at their places.
#pragma once

#include "figures.h"

struct SystemToolFigures {
    Timing cornerTap;     // press to the front program minimised, hooked / not hooked
    Timing summaryStart;  // start to first paint / the empty program's
    Timing panelStart;    // start to first paint / the empty program's
};

SystemToolFigures MeasureSystemTools(const BenchPlaces& places, int runs);
