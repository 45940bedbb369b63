// A plain full-screen page of the device: a heading, a rule under it and a
// few lines of text, with the navigation bar's OK button closing it.
//
// The small device programs (control-panel pages, backlight, clock, power,
// the browser stand-in) each show one such page and run until it is closed
// or their process is killed.
#pragma once
#include <windows.h>

struct PageWindowArgs {
    const wchar_t* title = L"";    // window title (the task bar shows it)
    const wchar_t* heading = L"";  // bold line at the top of the page
    const wchar_t* body = L"";     // wrapped text under the rule
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
