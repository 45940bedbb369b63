// The side bar's start with the device: the shortcut "Ketra.lnk" in the
// shell's start-up folder.
#pragma once

#include <windows.h>

// Full path of the shortcut into out of cch characters; 0 when the start-up
// folder is unknown or the path does not fit.
BOOL GetStartupShortcutPath(wchar_t* out, size_t cch);

BOOL StartupShortcutExists();

// A shortcut to "<install folder>\Ketra.exe" (the folder from the value
// `path` of HKLM "SOFTWARE\ZARQ\KETRA"); 0 and nothing created without it.
BOOL CreateStartupShortcut();

// Deletes the shortcut, even when it was made read-only.
BOOL DeleteStartupShortcut();
