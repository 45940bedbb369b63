// The time pack's applets on the side bar: switching to each, the clock's
// one-second redraw and the biorhythm chart drawn anew, measured from
// outside the bar like the other figures.
#pragma once

#include <windows.h>

#include "figures.h"

struct TimeAppletFigures {
    static constexpr int kApplets = 4;
    const wchar_t* names[kApplets] = {L"Clock", L"Calendar", L"Three Months", L"Biorhythm"};
    Timing switches[kApplets];  // from the trivial applet; baseline: the same switch to About
    Timing clockTick;           // the clock's timer message to repainted; baseline: one BitBlt of its area
    Timing chartRedraw;         // the chart drawn anew and repainted; baseline: one BitBlt of its area
};

TimeAppletFigures MeasureTimeApplets(const BenchPlaces& places, int runs);
