// The device shell library's entry point.
#include "aygshell_private.h"

namespace {
HINSTANCE g_instance = nullptr;
}

HINSTANCE AygInstance()
{
    return g_instance;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_instance = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
