// The contacts applet loading 1,000 contacts on a thread of its own, timed
// from outside the bar: the menu command to the first row painted and to
// every row painted, and the bar thread's longest stall meanwhile.  The
// baseline is a bare program (contactfill) filling the same list from the
// same store on its one thread: its start to the list painted.
#pragma once

#include <windows.h>

#include "figures.h"

struct ContactFigures {
    static constexpr int kContacts = 1000;
    Timing firstRow;  // menu command to the first row painted; baseline: the bare program
    Timing allRows;   // menu command to every row painted; baseline: the bare program
    Timing stall;     // the bar thread's longest answer during the load; baseline: the bare program
};

ContactFigures MeasureContacts(const BenchPlaces& places, int runs);
