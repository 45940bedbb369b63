// Making an input method in this process from its class's library.
//
// The side bar's thread is in the multi-threaded apartment (its skin's XML
// reader asks for it), where the component system would make an
// apartment-threaded method on a thread of its own and hand back a proxy
// that no input-method interface has; the thread it starts for that also
// leaves the bar deaf to taps.  A method draws in our window and must
// run on our thread, as on the device: the library named by the class's
// InprocServer32 is loaded here and asked for the object directly.
#include "method_loader.h"

#include <strsafe.h>

namespace {

using GetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);

bool ServerPath(const CLSID& clsid, wchar_t* path, DWORD cch)
{
    wchar_t clsidText[64];
    wchar_t key[128];
    if (!::StringFromGUID2(clsid, clsidText, ARRAYSIZE(clsidText)) ||
        FAILED(StringCchPrintfW(key, ARRAYSIZE(key), L"CLSID\\%ls\\InprocServer32", clsidText)))
        return false;
    DWORD bytes = cch * sizeof(wchar_t);
    return ::RegGetValueW(HKEY_CLASSES_ROOT, key, nullptr, RRF_RT_REG_SZ, nullptr, path, &bytes) == ERROR_SUCCESS &&
           path[0];
}

}  // namespace

CMethodLoader::~CMethodLoader()
{
    Unload();
}

IInputMethod* CMethodLoader::Create(const CLSID& clsid)
{
    Unload();
    wchar_t path[MAX_PATH];
    if (!ServerPath(clsid, path, MAX_PATH))
        return nullptr;
    m_library = ::LoadLibraryW(path);
    if (!m_library)
        return nullptr;
    auto getClassObject =
        reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(::GetProcAddress(m_library, "DllGetClassObject")));
    IClassFactory* factory = nullptr;
    IInputMethod* method = nullptr;
    if (getClassObject && SUCCEEDED(getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory))) &&
        factory) {
        if (FAILED(factory->CreateInstance(nullptr, IID_IInputMethod, reinterpret_cast<void**>(&method))))
            method = nullptr;
        factory->Release();
    }
    if (!method)
        Unload();
    return method;
}

void CMethodLoader::Unload()
{
    if (m_library)
        ::FreeLibrary(m_library);
    m_library = nullptr;
}
