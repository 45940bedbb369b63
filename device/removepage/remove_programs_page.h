// The control panel's Remove Programs page ("cplmain.cpl 10,0"): the
// applications the device's installer recorded, and "Remove", which takes
// the chosen one off the device after the user confirms.
#pragma once
#include <windows.h>

// Shows the page with the given window title and runs until it is closed
// (the navigation bar's OK); returns the program's exit code.
int RunRemoveProgramsPage(HINSTANCE instance, const wchar_t* title);

// Control ids, for programs and tests that drive the page.
#define IDC_REMOVE_LIST   100
#define IDC_REMOVE_BUTTON 101
