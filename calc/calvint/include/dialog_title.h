// The title of a calculator's full-screen dialog, painted across its top
// as settings pages paint theirs: the dialog's caption in bold Tahoma
// (13, colour 0x804000) over a line at y = 22.
#pragma once

#include <windows.h>

#include "calvint_api.h"

enum { kDialogTitleHeight = 23 };  // the title and its line; content starts below

// Paints the title as the dialog's WM_PAINT (BeginPaint to EndPaint).
CALVINT_API void PaintDialogTitle(HWND dialog);
// Draws it into a context the caller paints with.
CALVINT_API void DrawDialogTitle(HWND dialog, HDC dc);
