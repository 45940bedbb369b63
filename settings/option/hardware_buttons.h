// The device's hardware buttons as the shell starts them: button n (1 to 6)
// is the key HKLM "Software\Microsoft\Shell\Keys\40c<n>", whose default
// value is the command the button starts and whose `ResetCmd` is the
// device's own command for it.
#pragma once

#include <windows.h>

enum { kMaxHardwareButtons = 6 };

// The number of consecutive buttons from 1 whose key holds a readable
// `ResetCmd` (0 to 6).
int CountHardwareButtons();

// The first of buttons 1 to count that starts the side bar (its command's
// file title is "Ketra"), or 0.
int FindKetraButton(int count);

// The file title of a command as stored: a quoted program path, possibly
// followed by arguments, or a plain path. Into out of cch characters.
BOOL CommandFileTitle(LPCWSTR command, wchar_t* out, size_t cch);

// Makes button n start `command`; the shell is told by AnnounceHardwareButtons.
BOOL AssignHardwareButton(int n, LPCWSTR command);
// Gives button n its own command back; 0 and nothing written when its
// `ResetCmd` cannot be read.
BOOL RestoreHardwareButton(int n);
// Tells the shell that the buttons' commands changed.
void AnnounceHardwareButtons();
