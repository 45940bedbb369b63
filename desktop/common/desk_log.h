// The desktop's log: one line per thing the desktop programs did ("deskel:
// install Calculators", "appmgr: calc.cab sent to the device"), appended to
// the file the environment names in KETRA_DESK_LOG (by `./ketra desk`), or
// "C:\desklog.txt".
#pragma once
#include <windows.h>

void DeskLog(const wchar_t* source, const wchar_t* format, ...);
