// The named colour sets offered for the applets' three shared colours.
#pragma once

#include <windows.h>

struct SkinColourSet {
    LPCWSTR name;
    COLORREF colour1;
    COLORREF colour2;
    COLORREF text;
};

// The sets in the order they are offered.
const SkinColourSet* ColourSets(int* count);

// The set of that exact name, or null.
const SkinColourSet* FindColourSet(LPCWSTR name);
