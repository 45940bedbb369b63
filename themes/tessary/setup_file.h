// The device setup file inside a theme file ("MSCE" format): the two
// built-in templates, and finding the theme's colours and installed file
// names in any setup file.  Setup files from theme files are untrusted:
// every search stays inside the given bytes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace setupfile {

// The template for a still (509 bytes) or an animated (584 bytes) theme.
std::vector<BYTE> Template(bool animated);

// Offset of the 4 data bytes of colour `index`'s registry value, or -1 when
// the setup file holds no such value (or its data would run past the end).
long ColourOffset(const BYTE* setup, DWORD size, int index);
// Writes the colour into the setup file's value; false when it has none.
bool PatchColour(BYTE* setup, DWORD size, int index, COLORREF colour);
// Reads the colour; false (colour untouched) when the setup file has none.
bool ReadColour(const BYTE* setup, DWORD size, int index, COLORREF* colour);

// The name under which the setup file installs its file number `number`,
// upper-cased; empty when no file record carries that number.
std::string InstalledName(const BYTE* setup, DWORD size, unsigned number);

} // namespace setupfile
