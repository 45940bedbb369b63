// The theme's colours as the shell paints them: HKLM
// "SOFTWARE\Microsoft\Color", four-byte values named by number, read again
// when the theme changes.  A value that is missing or malformed paints in
// the device's default set.
#include "shell.h"

#include <stdio.h>

namespace {

const wchar_t kColourKey[] = L"SOFTWARE\\Microsoft\\Color";

struct NamedColour {
    int name;
    COLORREF fallback;  // the device's default set
    COLORREF value;
    bool stored;
};

NamedColour g_colours[] = {
    {4, 0x00A00000, 0, false},  {5, 0x00FF8000, 0, false},  {6, 0x00C08080, 0, false},
    {7, 0x00C0C0C0, 0, false},  {8, 0x00A00000, 0, false},  {9, 0x00FFFFFF, 0, false},
    {10, 0x000000FF, 0, false}, {13, 0x00A00000, 0, false}, {14, 0x00FF8000, 0, false},
    {25, 0x000000FF, 0, false}, {26, 0x004080FF, 0, false},
};
bool g_loaded = false;

NamedColour* Find(int name)
{
    for (NamedColour& colour : g_colours)
        if (colour.name == name)
            return &colour;
    return nullptr;
}

// Any value of the key counts (not only the theme's eleven).
bool ReadValue(HKEY key, int name, COLORREF* value)
{
    wchar_t valueName[16];
    _snwprintf(valueName, 15, L"%d", name);
    valueName[15] = L'\0';
    BYTE data[4];
    DWORD size = sizeof data;
    DWORD type = 0;
    if (RegQueryValueExW(key, valueName, nullptr, &type, data, &size) != ERROR_SUCCESS || size != sizeof data ||
        (type != REG_BINARY && type != REG_DWORD))
        return false;
    *value = data[0] | (data[1] << 8) | (data[2] << 16);
    return true;
}

} // namespace

void ReloadThemeColours()
{
    HKEY key = nullptr;
    bool open = RegOpenKeyExW(HKEY_LOCAL_MACHINE, kColourKey, 0, KEY_READ, &key) == ERROR_SUCCESS;
    for (NamedColour& colour : g_colours)
        colour.stored = open && ReadValue(key, colour.name, &colour.value);
    if (open)
        RegCloseKey(key);
    g_loaded = true;
}

COLORREF ThemeColour(int name)
{
    if (!g_loaded)
        ReloadThemeColours();
    const NamedColour* colour = Find(name);
    if (!colour)
        return 0;
    return colour->stored ? colour->value : colour->fallback;
}

bool StoredThemeColour(int name, COLORREF* value)
{
    if (!g_loaded)
        ReloadThemeColours();
    if (const NamedColour* colour = Find(name)) {
        if (!colour->stored)
            return false;
        *value = colour->value;
        return true;
    }
    // Other numbers are read as they are asked for.
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kColourKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    bool found = ReadValue(key, name, value);
    RegCloseKey(key);
    return found;
}
