// The loan calculator's figures: switching the bar to it, and its
// amortization dialog for a 30-year loan from the tap to the painted graph
// and list.
#pragma once

#include "figures.h"

struct LoanFigures {
    Timing loanSwitch;    // menu command to the loan calculator painted; baseline: to the trivial applet
    Timing amortization;  // tap on GRAPH to the dialog painted; baseline: a plain report list of the
                          // same 360 rows made and painted by this program
};

LoanFigures MeasureLoan(const BenchPlaces& places, int runs);
