// Drawing a movie's stage: the box filled with the background, the stage
// scaled into it keeping its aspect and centred, the display list's shapes
// in depth order.
#pragma once
#include <windows.h>

#include "swf_movie.h"

namespace swf {

// Where the stage lands in a box of that size.
struct StageFit {
    double scale;    // pixels per twip
    double left, top;  // pixel of the stage's top-left corner
};
StageFit FitStage(const Movie& movie, int width, int height);

void DrawFrame(HDC dc, int width, int height, const Movie& movie, const DisplayList& list, COLORREF background);

}  // namespace swf
