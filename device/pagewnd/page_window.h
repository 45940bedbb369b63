// A plain full-screen page of the device: a heading, a rule under it and a
// few lines of text, with the navigation bar's OK button closing it, or for
// an application its "X" (the task bar minimises it; WM_CLOSE ends it).
//
// The small device programs (control-panel pages, backlight, clock, power,
// the browser stand-in, the applications of the Start menu) each show one
// such page and run until it is closed or their process is killed.
#pragma once
#include <windows.h>

struct PageWindowArgs {
    const wchar_t* title = L"";    // window title (the task bar shows it)
    const wchar_t* heading = L"";  // bold line at the top of the page
    const wchar_t* body = L"";     // wrapped text under the rule
    const wchar_t* className = nullptr;  // window class; null for the plain page's
    bool okButton = true;          // false: the task bar shows "X" for it
    UINT iconId = 0;               // the class's icon resource in the program, 0 for none
};

// Creates and shows a page over the work area below the task bar.  Returns
// NULL when the window cannot be created.
HWND CreatePageWindow(HINSTANCE instance, const PageWindowArgs& args);

// Runs the message loop until every page of this thread has been closed;
// returns the exit code for the program.
int RunPageLoop();

// The area a full-screen page covers: the work area, kept below the device
// task bar when there is one.
RECT PageArea();
