// Inside Corvane only: the common-control library, loaded when a widget
// first needs it.  Most programs of the framework never show a common
// control, and loading the library costs a process over a megabyte of
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
