// Pieces shared by Tessary's source files.
#pragma once

#include <windows.h>

// The device files of the theme in force.
#define TSK_TODAY_FILE L"\\windows\\tdywater.gif"
#define TSK_START_FILE L"\\windows\\stwater.gif"
#define TSK_CONTROL_FILE L"\\windows\\at2k.atc"
#define TSK_MOVIE_FILE L"\\windows\\at2k.swf"
#define TSK_PAGE_FILE L"\\windows\\at2k.htm"

// Registry keys: the colours (HKLM) and the Today settings (HKCU).
#define TSK_COLOR_KEY L"SOFTWARE\\Microsoft\\Color"
#define TSK_TODAY_KEY L"\\Software\\Microsoft\\Today"

#define TSK_DEFAULT_NAME L"<default>"
#define TSK_CURRENT_NAME L"<current>"

// The library's own module (set when it is loaded).
HINSTANCE TessaryModule();
// The library's folder with its trailing separator into out of cch
// characters.
bool TessaryFolder(wchar_t* out, size_t cch);

// Copies source over destination and gives the copy normal attributes.
// Copying a file onto itself succeeds without copying.
bool CopyThemeFile(const wchar_t* source, const wchar_t* destination);
// Normal attributes, then delete; true when the file is gone.
bool DeleteThemeFile(const wchar_t* path);
