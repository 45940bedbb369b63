// Self-registration: the class, its program identifiers and the type
// library (embedded as TYPELIB 1).  Making KtIM a device input method
// (IsSIPInputMethod under the class key) is the installer's part.
#include "ktsip_private.h"

#include <olectl.h>

namespace {

const wchar_t kClassName[] = L"KtIM Class";
const wchar_t kProgId[] = L"KtSIP.KtIM.1";
const wchar_t kIndependentProgId[] = L"KtSIP.KtIM";
const wchar_t kClassKey[] = L"CLSID\\" KTIM_CLSID_TEXT;

bool WriteKey(LPCWSTR key, LPCWSTR value)
{
    return RegWriteText(HKEY_CLASSES_ROOT, key, nullptr, value);
}

bool WriteClassKeys(LPCWSTR libraryPath)
{
    return WriteKey(L"KtSIP.KtIM.1", kClassName) && WriteKey(L"KtSIP.KtIM.1\\CLSID", KTIM_CLSID_TEXT) &&
           WriteKey(L"KtSIP.KtIM", kClassName) && WriteKey(L"KtSIP.KtIM\\CLSID", KTIM_CLSID_TEXT) &&
           WriteKey(L"KtSIP.KtIM\\CurVer", kProgId) && WriteKey(kClassKey, kClassName) &&
           WriteKey(L"CLSID\\" KTIM_CLSID_TEXT L"\\ProgID", kProgId) &&
           WriteKey(L"CLSID\\" KTIM_CLSID_TEXT L"\\VersionIndependentProgID", kIndependentProgId) &&
           WriteKey(L"CLSID\\" KTIM_CLSID_TEXT L"\\Programmable", L"") &&
           WriteKey(L"CLSID\\" KTIM_CLSID_TEXT L"\\InprocServer32", libraryPath) &&
           RegWriteText(HKEY_CLASSES_ROOT, L"CLSID\\" KTIM_CLSID_TEXT L"\\InprocServer32", L"ThreadingModel",
                        L"Apartment") &&
           WriteKey(L"CLSID\\" KTIM_CLSID_TEXT L"\\TypeLib", KTSIP_LIBID_TEXT);
}

bool LibraryPath(wchar_t* path, DWORD cch)
{
    DWORD length = GetModuleFileNameW(KtSipModule(), path, cch);
    return length > 0 && length < cch;
}

}  // namespace

extern "C" HRESULT WINAPI DllRegisterServer()
{
    wchar_t path[MAX_PATH];
    if (!LibraryPath(path, MAX_PATH) || !WriteClassKeys(path))
        return SELFREG_E_CLASS;
    // The library's own TYPELIB 1, registered under its file's name.
    ITypeLib* library = nullptr;
    HRESULT hr = LoadTypeLibEx(path, REGKIND_REGISTER, &library);
    if (FAILED(hr))
        return SELFREG_E_TYPELIB;
    library->Release();
    return S_OK;
}

// Removes what DllRegisterServer wrote, and with the class key whatever the
// installer added under it, so KtIM leaves the device's input methods.
extern "C" HRESULT WINAPI DllUnregisterServer()
{
    HRESULT result = S_OK;
    HRESULT hr = UnRegisterTypeLib(LIBID_KtSIP, 1, 0, LOCALE_NEUTRAL, SYS_WIN64);
    if (FAILED(hr) && hr != TYPE_E_REGISTRYACCESS && hr != TYPE_E_LIBNOTREGISTERED)
        result = SELFREG_E_TYPELIB;
    if (!RegDeleteKeyTree(HKEY_CLASSES_ROOT, kClassKey) || !RegDeleteKeyTree(HKEY_CLASSES_ROOT, kIndependentProgId) ||
        !RegDeleteKeyTree(HKEY_CLASSES_ROOT, kProgId))
        result = SELFREG_E_CLASS;
    return result;
}
