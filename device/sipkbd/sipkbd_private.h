// The built-in keyboard input method (sipkbd.dll).
#pragma once
#include <windows.h>

#include <com_server.h>
#include <sip.h>
#include <sipkbd_layout.h>

#include "resource.h"

// The library's module (resources, window class).
HINSTANCE KeyboardModule();

// The keyboard's window: the keys, drawn and tapped.  Its state belongs to
// the method that made it.
struct KeyboardState {
    IIMCallback* callback = nullptr;  // the host's, while registered
    bool shift = false;               // the next character only
    bool caps = false;
    int pressed = -1;  // index into kSipKeys while held
};

// Creates the keyboard as a child of parent at (0,0) in its full size.
HWND CreateKeyboardWindow(HWND parent, KeyboardState* state);
// At unload: the class goes with the library.
void UnregisterKeyboardClass();
