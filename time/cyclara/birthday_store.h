// Where the biorhythm chart keeps its birthday: the configuration section
// "Applets\Q Bio" (HKLM "SOFTWARE\ZARQ\Applets\Q Bio"), values "BYEAR",
// "BMON" and "BDAY". The key has no "Type", so the applet registry, which
// shares the branch, passes it by.
#pragma once

#include <windows.h>

// The stored birthday; a missing value takes its default (2000, 1, 1), and
// a result that is not a valid birthday gives 1 January 2000 whole.
SYSTEMTIME LoadBirthday();
// Writes a valid birthday; anything else is refused and nothing written.
bool SaveBirthday(const SYSTEMTIME& birthday);
