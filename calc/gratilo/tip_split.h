// A bill split with its tip among the people sharing it.
#pragma once

struct STipSplit {
    double tip;
    double total;
    double each;
};

// The tip, the total and each one's share; fewer than one person counts as one.
STipSplit SplitBill(double bill, double tipPercent, int people);
