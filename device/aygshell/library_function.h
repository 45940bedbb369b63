// Inside aygshell only: a function of a library the shell library loads on
// first use rather than links (see common_controls.h, desktop_shell.h).
#pragma once

#include <windows.h>

// The named function of a loaded library; null when either is missing.
template <typename Function>
Function LibraryFunction(HMODULE library, const char* name)
{
    return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(library, name))) : nullptr;
}
