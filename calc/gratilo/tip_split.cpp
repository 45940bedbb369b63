// A bill split with its tip.
#include "tip_split.h"

STipSplit SplitBill(double bill, double tipPercent, int people)
{
    STipSplit split;
    split.tip = tipPercent * bill * 0.01;
    split.total = split.tip + bill;
    split.each = split.total / (people > 0 ? people : 1);
    return split;
}
