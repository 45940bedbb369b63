#include "keyboard_host.h"

#if __has_include(<sip.h>)
#include <sip.h>

#include <vector>

namespace {

// What the method calls back: keys and characters for the focus window.
class CKeyboardCallback : public IIMCallback {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IIMCallback)) {
            *object = static_cast<IIMCallback*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // One object for the library's life.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    // The keyboard keeps the height it was made with.
    HRESULT STDMETHODCALLTYPE SetImInfo(IMINFO*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SendVirtualKey(BYTE vk, DWORD flags) override
    {
        keybd_event(vk, (BYTE)(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC) & 0xFF), flags, 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SendCharEvents(UINT vk, UINT keyFlags, UINT count, UINT* shift, UINT* chars) override
    {
        if (count && !chars)
            return E_INVALIDARG;
        return PostKeybdMessage((HWND)-1, vk, keyFlags, count, shift, chars) ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE SendString(BSTR text, DWORD count) override
    {
        if (!text)
            return E_INVALIDARG;
        std::vector<UINT> chars(text, text + count);
        std::vector<UINT> flags(count, KeyStateDownFlag);
        return count == 0 || PostKeybdMessage((HWND)-1, 0, KeyStateDownFlag, count, flags.data(), chars.data())
                   ? S_OK
                   : E_FAIL;
    }
};

CKeyboardCallback g_callback;

// The method of clsid with its panel's height; null when it cannot be made
// or has no height.  It is made on this thread by the loader, never through
// the component system: the bar's thread is in the multi-threaded apartment.
IInputMethod* MakeMethod(CMethodLoader& loader, const CLSID& clsid, int* height)
{
    IInputMethod* method = loader.Create(clsid);
    if (!method)
        return nullptr;
    IMINFO info = {};
    info.cbSize = sizeof(info);
    if (SUCCEEDED(method->GetInfo(&info)) && info.rcSipRect.bottom - info.rcSipRect.top > 0) {
        *height = info.rcSipRect.bottom - info.rcSipRect.top;
        return method;
    }
    method->Release();
    loader.Unload();
    return nullptr;
}

std::vector<CLSID> g_listed;  // filled by the enumeration below (one thread)

int ListMethod(IMENUMINFO* info)
{
    g_listed.push_back(info->clsid);
    return 1;
}

IInputMethod* FindMethod(CMethodLoader& loader, int* height)
{
    CLSID clsid;
    if (SipGetCurrentIM(&clsid))
        if (IInputMethod* method = MakeMethod(loader, clsid, height))
            return method;
    wchar_t text[64] = {};
    DWORD cb = sizeof(text) - sizeof(wchar_t);
    if (RegGetValueW(HKEY_CURRENT_USER, L"ControlPanel\\Sip", L"DefaultIM", RRF_RT_REG_SZ, nullptr, text, &cb) ==
            ERROR_SUCCESS &&
        SUCCEEDED(CLSIDFromString(text, &clsid)))
        if (IInputMethod* method = MakeMethod(loader, clsid, height))
            return method;
    // The current and default methods may both be the bar's own keyboard,
    // which has no panel of its own: the first listed method with one.
    g_listed.clear();
    SipEnumIM(&ListMethod);
    std::vector<CLSID> listed;
    listed.swap(g_listed);
    for (const CLSID& candidate : listed)
        if (IInputMethod* method = MakeMethod(loader, candidate, height))
            return method;
    return nullptr;
}

}  // namespace

bool CKeyboardHost::Create(HWND parent, int top)
{
    Destroy();
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    m_comStarted = SUCCEEDED(hr);
    int height = 0;
    IInputMethod* method = FindMethod(m_loader, &height);
    if (!method)
        return false;
    m_window = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, top, kWidth, height, parent,
                                 (HMENU)(UINT_PTR)kWindowId, nullptr, nullptr);
    if (!m_window) {
        method->Release();
        m_loader.Unload();
        return false;
    }
    m_method = method;
    m_height = height;
    method->Select(m_window);
    method->RegisterCallback(&g_callback);
    return true;
}

void CKeyboardHost::Show(bool show)
{
    if (!m_window)
        return;
    ::ShowWindow(m_window, show ? SW_SHOW : SW_HIDE);
    auto method = static_cast<IInputMethod*>(m_method);
    if (show)
        method->Showing();
    else
        method->Hiding();
}

void CKeyboardHost::Destroy()
{
    // The method lets go of the window and the callback before the applet
    // library that holds them can go.
    if (m_method) {
        auto method = static_cast<IInputMethod*>(m_method);
        method->Deselect();
        method->Release();
        m_method = nullptr;
        m_loader.Unload();
    }
    if (m_window) {
        ::DestroyWindow(m_window);
        m_window = nullptr;
    }
    m_height = 0;
    if (m_comStarted) {
        CoUninitialize();
        m_comStarted = false;
    }
}

#else  // a device without input methods

bool CKeyboardHost::Create(HWND, int)
{
    return false;
}

void CKeyboardHost::Show(bool) {}

void CKeyboardHost::Destroy()
{
    m_height = 0;
}

#endif
