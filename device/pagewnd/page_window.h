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

// A page with a window procedure of its own (a control-panel page with its
// controls): registers className for proc, shows the page over the page
// area with the OK button, in front, and runs its message loop. With dialog
// keys the tab key moves between the page's controls and the action key is
// OK. Returns the exit code for the program, 1 when the page could not be
// made.
struct OwnPageArgs {
    const wchar_t* className;
    WNDPROC proc;
    const wchar_t* title;
    HBRUSH background = nullptr;
    bool dialogKeys = false;
};
int RunOwnPage(HINSTANCE instance, const OwnPageArgs& args);

// The area a full-screen page covers: the work area, kept below the device
// task bar when there is one.
RECT PageArea();
