// The theme tools' benchmark figures: the theme browser making a folder's
// thumbnails, and the theme designer's start, each against a baseline
// measured now.
#pragma once

#include "figures.h"

struct ThemeToolFigures {
    Timing thumbnails;  // 20 themes: reload until every preview is painted / 20 pictures decoded and shrunk
    Timing designer;    // designer start to its first painted mock-up / empty program to first paint
};

// folder20: a folder of twenty theme files (the tests' fixture).
ThemeToolFigures MeasureThemeTools(const BenchPlaces& places, const std::wstring& folder20, int runs);
