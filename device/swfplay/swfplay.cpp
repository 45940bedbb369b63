// swfplay.dll: the device's Flash player, as the HTML view embeds it for
// <object classid="clsid:D27CDB6E-AE6D-11cf-96B8-444553540000">.  The
// object reads the <param>s "movie" (the movie's device path) and
// "bgcolor" ("#rrggbb") and plays the movie in the object's box.
#include <new>
#include <string>

#include "htmlembed.h"
#include "swf_window.h"

namespace {

// {D27CDB6E-AE6D-11cf-96B8-444553540000}
const CLSID kFlashPlayer = {0xd27cdb6e, 0xae6d, 0x11cf, {0x96, 0xb8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

HINSTANCE g_instance = nullptr;

// "#rrggbb" or "rrggbb"; CLR_INVALID for anything else.
COLORREF ParseColour(const wchar_t* text)
{
    if (!text)
        return CLR_INVALID;
    if (*text == L'#')
        ++text;
    if (wcslen(text) != 6)
        return CLR_INVALID;
    unsigned value = 0;
    for (int i = 0; i < 6; ++i) {
        wchar_t c = text[i];
        unsigned digit;
        if (c >= L'0' && c <= L'9')
            digit = c - L'0';
        else if (c >= L'a' && c <= L'f')
            digit = c - L'a' + 10;
        else if (c >= L'A' && c <= L'F')
            digit = c - L'A' + 10;
        else
            return CLR_INVALID;
        value = value * 16 + digit;
    }
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

class FlashObject : public IHtmlEmbed {
public:
    virtual ~FlashObject() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IHtmlEmbed) {
            *out = static_cast<IHtmlEmbed*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        ULONG left = InterlockedDecrement(&refs_);
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE CreateEmbedWindow(HWND parent, const RECT* box, UINT count, const LPCWSTR* names,
                                                const LPCWSTR* values, HWND* window) override
    {
        if (!box || !window)
            return E_POINTER;
        const wchar_t* movie = L"";
        COLORREF background = CLR_INVALID;
        for (UINT i = 0; i < count; ++i) {
            if (!names[i] || !values[i])
                continue;
            if (_wcsicmp(names[i], L"movie") == 0 || _wcsicmp(names[i], L"src") == 0)
                movie = values[i];
            else if (_wcsicmp(names[i], L"bgcolor") == 0)
                background = ParseColour(values[i]);
        }
        *window = CreateSwfPlayerWindow(g_instance, parent, *box, movie, background);
        return *window ? S_OK : E_FAIL;
    }

private:
    LONG refs_ = 1;
};

class Factory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        FlashObject* object = new (std::nothrow) FlashObject;
        if (!object)
            return E_OUTOFMEMORY;
        HRESULT hr = object->QueryInterface(iid, out);
        object->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

Factory g_factory;

}  // namespace

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (clsid != kFlashPlayer)
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(iid, out);
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_instance = instance;
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
