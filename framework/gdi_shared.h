// Inside Corvane only: recognising drawing objects the platform shares.
#pragma once

#include <windows.h>

// True for the stock objects (including the 1 x 1 monochrome bitmap the
// platform hands out for bitmaps of no area) and the system-colour brushes.
// They belong to the platform and must never be deleted.
bool IsSharedGdiObject(HGDIOBJ object);
