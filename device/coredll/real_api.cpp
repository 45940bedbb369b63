// Finding the desktop functions that coredll's overrides stand in for.
#include "coredll_private.h"

FARPROC RealProc(const wchar_t* dll, const char* name)
{
    HMODULE module = GetModuleHandleW(dll);
    if (!module)
        module = LoadLibraryW(dll);  // kept for the life of the process
    if (!module)
        return nullptr;
    return GetProcAddress(module, name);
}
