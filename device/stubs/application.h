// The device's applications of the Start menu (calendar, contacts, tasks,
// file explorer, calculator, solitaire) as the simulated device has them: one
// full-screen window of the application's class, with the task bar's "X"
// (which minimises it) rather than OK, ended by WM_CLOSE.  Each records
// "<name>: started" and "<name>: closed" in the device log, so tests see
// what was started (with its arguments) and what really ended.
#pragma once
#include <windows.h>

struct ApplicationArgs {
    const wchar_t* logName;    // "tasks" -> "tasks: started"
    const wchar_t* className;  // the window class the device's programs look for
    const wchar_t* title;      // the window title the task bar shows
    const wchar_t* body;       // what the page says
    const wchar_t* arguments = nullptr;  // the command line, logged with "started"
};

// The icon every application carries as its first icon resource.
#define IDI_APPLICATION_ICON 1

// Runs the application to its end; returns the program's exit code.  A
// second start brings the running window to the front instead.
int RunApplication(HINSTANCE instance, const ApplicationArgs& args);
