// The desktop programs' look: the desktop's dialog font, and the folder of
// the running program.
#pragma once
#include <windows.h>

#include <string>

// "Tahoma" at the given pixel height (the caller deletes it).
HFONT CreateDeskFont(int height, bool bold);
// Sets the font on every child of the window.
void SetChildFonts(HWND parent, HFONT font);
// The folder of the running program, with a trailing "\".
std::wstring ProgramFolder();
