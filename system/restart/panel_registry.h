// The power panel's own small registry access (the panel links none of the
// system's libraries).
#pragma once

#include <windows.h>

namespace PanelRegistry {

// The first 32-bit word of a value of at most 128 bytes, whatever its type
// (the device stores "PowrPass" as binary data, some tools as a number);
// `missing` when it is absent, unreadable, longer than 128 bytes or shorter
// than a word.
DWORD ReadFirstWord(HKEY root, const wchar_t* key, const wchar_t* name, DWORD missing);

}  // namespace PanelRegistry
