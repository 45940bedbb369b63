// The theme pack's benchmark figures: applying a theme file, and the Today
// screen taking a theme change, each against a baseline measured now.
#pragma once

#include <tessary.h>

#include <string>

#include "figures.h"

struct ThemeFigures {
    Timing apply;    // ApplyTheme(path) / its two pictures copied and eleven values written
    Timing repaint;  // the theme broadcast until Today is repainted / the picture decoded and one BitBlt
};

// Applies the two sample themes of the installed device in turn; puts the
// device's theme back afterwards.
ThemeFigures MeasureThemes(int runs);

// Everything an apply changes, kept and put back (the broadcast sent).
struct SavedTheme {
    std::string today, start;
    CTskColor colours;
    wchar_t name[MAX_PATH] = L"";
    int useStart = 0;
};
SavedTheme SaveThemeInForce();
void PutThemeBack(const SavedTheme& saved);
