// KtSIP.dll's entry points: the class object of KtIM and the count that
// tells when the library may be unloaded.
#include "class_factory.h"

namespace {

HINSTANCE g_module = nullptr;
LONG g_inUse = 0;  // live objects plus server locks

}  // namespace

HINSTANCE KtSipModule()
{
    return g_module;
}

void KtSipLock()
{
    InterlockedIncrement(&g_inUse);
}

void KtSipUnlock()
{
    InterlockedDecrement(&g_inUse);
}

bool KtSipUnused()
{
    return InterlockedCompareExchange(&g_inUse, 0, 0) == 0;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = module;
        DisableThreadLibraryCalls(module);
    }
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(clsid, CLSID_KtIM))
        return CLASS_E_CLASSNOTAVAILABLE;
    return KtIMFactory()->QueryInterface(iid, object);
}

extern "C" HRESULT WINAPI DllCanUnloadNow()
{
    return KtSipUnused() ? S_OK : S_FALSE;
}
