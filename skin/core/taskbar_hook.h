// The process's hook on the device's task bar, shared by every sliding skin
// window of the process (one window is notified at a time).
#pragma once

#include <windows.h>

namespace taskbar_hook {

// Hooks the task bar for the window notify (owner identifies the object that
// asked).  0 when a hook is already in place or the task bar cannot be
// hooked (not found, or it refused).
int Install(HWND notify, const void* owner);
// Unhooks; nothing when no hook is in place.
void Remove();
int IsInstalled();
const void* Owner();

}  // namespace taskbar_hook
