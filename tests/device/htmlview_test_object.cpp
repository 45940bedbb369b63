// A control the HTML view can embed for <object>: a black box that writes
// the parameters it was given to the device log.
#include <new>
#include <string>

#include "devlog.h"
#include "htmlembed.h"

namespace {

// {C9E1042B-2D92-4B7E-8106-2C24CEE0CBDD}
const CLSID kTestObject = {0xc9e1042b, 0x2d92, 0x4b7e, {0x81, 0x06, 0x2c, 0x24, 0xce, 0xe0, 0xcb, 0xdd}};

class Embed : public IHtmlEmbed {
public:
    virtual ~Embed() = default;
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
        if (left == 0) {
            DevLog(L"testobject", L"released");
            delete this;
        }
        return left;
    }
    HRESULT STDMETHODCALLTYPE CreateEmbedWindow(HWND parent, const RECT* box, UINT count, const LPCWSTR* names,
                                                const LPCWSTR* values, HWND* window) override
    {
        std::wstring params;
        for (UINT i = 0; i < count; ++i)
            params += std::wstring(names[i]) + L"=" + values[i] + L";";
        DevLog(L"testobject", L"window %ldx%ld params %ls", box->right - box->left, box->bottom - box->top,
               params.c_str());
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(L"htmltestobject.dll");
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        wc.lpszClassName = L"HtmlTestObject";
        RegisterClassW(&wc);
        *window = CreateWindowExW(0, L"HtmlTestObject", L"", WS_CHILD | WS_VISIBLE, box->left, box->top,
                                  box->right - box->left, box->bottom - box->top, parent, nullptr, wc.hInstance,
                                  nullptr);
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
        Embed* embed = new (std::nothrow) Embed;
        if (!embed)
            return E_OUTOFMEMORY;
        HRESULT hr = embed->QueryInterface(iid, out);
        embed->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

Factory g_factory;

}  // namespace

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    if (clsid != kTestObject)
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(iid, out);
}
