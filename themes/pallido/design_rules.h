// The designer's rules that need no window: its items and their editors,
// which item a tap on the mock-up selects, and the chooser's custom colours.
#pragma once

#include <windows.h>

#include <tessary.h>

enum {
    kItemCount = 8,
    kMaxEditors = 3,
    kCustomColours = 16,
    // What an editor edits when it is not a theme colour.
    kEditStartImage = -1,
    kEditTodayImage = -2,
};

struct DesignEditor {
    int labelId;         // the label button
    int swatchId;        // the swatch (or "...") button, doing the same
    const wchar_t* label;
    int edits;           // a theme colour 0 to 10, or kEditStartImage / kEditTodayImage
};

struct DesignItem {
    const wchar_t* text;
    int editorCount;
    DesignEditor editors[kMaxEditors];
};

// Items 0 to 7 as the drop-down lists them.
const DesignItem& GetDesignItem(int item);

// The item a tap at a point of the window selects (the first area that
// holds it); -1 outside them all.
int DesignItemAt(POINT point);

// The chooser's sixteen custom colours built from the theme's eleven:
// entries 0 to 10 the colours, 11 to 15 sums of pairs, each made to differ
// from the entries before it (equal ones moved on, near ones made blue).
void BuildCustomColours(const CTskColor& theme, COLORREF custom[kCustomColours]);
