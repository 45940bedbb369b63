// Inside aygshell only: the common-control library, loaded when the first
// menu bar is made.  Most programs that use this library never show one,
// and loading the common controls costs a process over a megabyte of
// memory and part of its start.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace common_controls {

// Loads the library (once) and registers the classes; false when the
// library or the function is missing.
bool Init(DWORD classes);
HIMAGELIST CreateImageList(int width, int height, UINT flags, int initial, int grow);
int AddMasked(HIMAGELIST list, HBITMAP bitmap, COLORREF mask);
void DestroyImageList(HIMAGELIST list);

}  // namespace common_controls
