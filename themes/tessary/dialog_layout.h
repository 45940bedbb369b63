// Pixel layout of the library's dialogs: their templates only list the
// controls; places and sizes are set in pixels when a dialog starts, so the
// dialogs look the same whatever the dialog font measures.
#pragma once

#include <windows.h>

// Sizes the dialog so that its client area is width x height and centres
// it on the screen below the task bar.
void PlaceDialog(HWND dialog, int width, int height);
// Places control id at (x, y) with the size in client pixels.
void PlaceItem(HWND dialog, int id, int x, int y, int width, int height);
// The OK button in the caption, as the library's dialogs all have it.
void ShowCaptionOk(HWND dialog);
// The library's temporary files "<library folder><prefix>000" ...; false
// when the names do not fit.
bool FormLibraryTempFiles(class CTskTempFiles* files, const wchar_t* prefix);
