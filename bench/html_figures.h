// The device HTML view's figures: a 360-row report page from navigation to
// painted, and scrolling one screen of it.
#pragma once

#include "figures.h"

struct HtmlFigures {
    Timing navigate;  // DTM_NAVIGATE to painted / the cell texts drawn with DrawText
    Timing scroll;    // one screen down, painted / a window of its size repainted with one BitBlt
};

HtmlFigures MeasureHtmlView(int runs);
