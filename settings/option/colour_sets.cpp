// The named colour sets offered for the applets' three shared colours.
#include "colour_sets.h"

#include <wchar.h>

namespace {

// COLORREF values (0x00BBGGRR).
const SkinColourSet kSets[] = {
    {L"Default", 0x00FEFCFC, 0x00D8E9EC, 0x00000000},
    {L"Blue", 0x00FFFBFF, 0x00FFC0C0, 0x00FF0000},
    {L"Silver", 0x00FFFBFF, 0x00EFE3E7, 0x00808080},
    {L"Olive Green", 0x00F7FBFF, 0x00C0FFC0, 0x0000FF00},
    {L"Red", 0x00F7F7FF, 0x00C0C0FF, 0x000000FF},
};

}  // namespace

const SkinColourSet* ColourSets(int* count)
{
    *count = (int)(sizeof kSets / sizeof kSets[0]);
    return kSets;
}

const SkinColourSet* FindColourSet(LPCWSTR name)
{
    if (!name)
        return nullptr;
    for (const SkinColourSet& set : kSets)
        if (wcscmp(set.name, name) == 0)
            return &set;
    return nullptr;
}
