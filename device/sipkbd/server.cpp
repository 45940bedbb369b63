// sipkbd.dll: the device's built-in keyboard, an in-process component server
// registering itself as the input method "Keyboard".
#include "sipkbd_private.h"

#include "keyboard_method.h"

namespace {

HINSTANCE g_module = nullptr;
ComClassFactory<KeyboardMethod> g_factory;

}  // namespace

HINSTANCE KeyboardModule()
{
    return g_module;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = module;
        DisableThreadLibraryCalls(module);
    } else if (reason == DLL_PROCESS_DETACH) {
        UnregisterKeyboardClass();
    }
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(clsid, CLSID_SipKeyboard))
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(iid, object);
}

extern "C" HRESULT WINAPI DllCanUnloadNow()
{
    return ComServerCanUnloadNow();
}

extern "C" HRESULT WINAPI DllRegisterServer()
{
    return ComRegisterInputMethod(g_module, CLSID_SipKeyboard, SIPKBD_NAME);
}

extern "C" HRESULT WINAPI DllUnregisterServer()
{
    return ComUnregisterClass(CLSID_SipKeyboard);
}
