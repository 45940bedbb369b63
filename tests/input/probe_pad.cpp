// "Probe Pad": an input method for the tests.  Every call is written to the
// device log ("probeim: Select", ...; "probeim: Release" when the last
// reference goes), with what the host's callback answers to QueryInterface;
// its panel height is the device state DWORD "ProbePadHeight" (60 when
// unset), so tests choose it.  A tap on its window types "p" through the
// host's callback.
#include <com_server.h>
#include <devlog.h>
#include <sip.h>

namespace {

// {B8BA9BB9-8F92-4FCC-874B-A0D7D76101C7}
const CLSID kProbePadClsid = {0xB8BA9BB9, 0x8F92, 0x4FCC, {0x87, 0x4B, 0xA0, 0xD7, 0xD7, 0x61, 0x01, 0xC7}};
const wchar_t kWindowClass[] = L"ProbePadWnd";
constexpr int kBottom = 294;

HINSTANCE g_module = nullptr;

void Log(const wchar_t* what)
{
    DevLog(L"probeim", L"%ls", what);
}

// Whether the host's callback answers for an interface (and hands back
// null when it does not).
const wchar_t* Answers(IIMCallback* callback, REFIID iid)
{
    void* object = reinterpret_cast<void*>(1);
    HRESULT hr = callback->QueryInterface(iid, &object);
    if (SUCCEEDED(hr) && object) {
        static_cast<IUnknown*>(object)->Release();
        return L"yes";
    }
    return hr == E_NOINTERFACE && !object ? L"no" : L"wrongly";
}

// {0F6C2A4E-6E9B-4D0A-9A43-7C1D55E3B001}: no interface of the callback's.
const IID kOtherInterface = {0x0F6C2A4E, 0x6E9B, 0x4D0A, {0x9A, 0x43, 0x7C, 0x1D, 0x55, 0xE3, 0xB0, 0x01}};

LRESULT CALLBACK PadProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
        if (auto* callback = reinterpret_cast<IIMCallback*>(GetWindowLongPtrW(wnd, GWLP_USERDATA))) {
            UINT character = L'p';
            UINT down = KeyStateDownFlag;
            Log(L"tap");
            callback->SendCharEvents('P', KeyStateDownFlag, 1, &down, &character);
        }
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        RECT rc;
        GetClientRect(wnd, &rc);
        HBRUSH brush = CreateSolidBrush(RGB(0xE0, 0xF0, 0xD0));
        FillRect(dc, &rc, brush);
        DeleteObject(brush);
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, L"Probe Pad", -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(wnd, &ps);
        return 0;
    }
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}

class ProbePad : public IInputMethod {
public:
    ProbePad() { ComServerAddRef(); }
    virtual ~ProbePad()
    {
        if (m_wnd && IsWindow(m_wnd))
            DestroyWindow(m_wnd);
        ComServerRelease();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IInputMethod)) {
            *object = static_cast<IInputMethod*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)InterlockedIncrement(&m_refs); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        LONG left = InterlockedDecrement(&m_refs);
        if (left == 0) {
            Log(L"Release");
            delete this;
        }
        return (ULONG)left;
    }

    HRESULT STDMETHODCALLTYPE Select(HWND hwndSip) override
    {
        Log(L"Select");
        WNDCLASSW wc = {};
        wc.lpfnWndProc = PadProc;
        wc.hInstance = g_module;
        wc.lpszClassName = kWindowClass;
        RegisterClassW(&wc);
        RECT rc;
        GetClientRect(hwndSip, &rc);
        m_wnd = CreateWindowExW(0, kWindowClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, rc.right, rc.bottom, hwndSip,
                                nullptr, g_module, nullptr);
        SetWindowLongPtrW(m_wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(m_callback));
        return m_wnd ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE Deselect() override
    {
        Log(L"Deselect");
        if (m_wnd && IsWindow(m_wnd))
            DestroyWindow(m_wnd);
        m_wnd = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Showing() override
    {
        Log(L"Showing");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Hiding() override
    {
        Log(L"Hiding");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetInfo(IMINFO* pimi) override
    {
        Log(L"GetInfo");
        if (!pimi)
            return E_POINTER;
        int height = (int)DevStateGetDword(L"ProbePadHeight", 60);
        *pimi = IMINFO();
        pimi->cbSize = sizeof(IMINFO);
        pimi->fdwFlags = SIPF_DOCKED;
        SetRect(&pimi->rcSipRect, 0, kBottom - height, 240, kBottom);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ReceiveSipInfo(SIPINFO*) override
    {
        Log(L"ReceiveSipInfo");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE RegisterCallback(IIMCallback* callback) override
    {
        Log(L"RegisterCallback");
        if (callback)
            DevLog(L"probeim", L"callback answers IUnknown: %ls, IIMCallback: %ls, another: %ls",
                   Answers(callback, IID_IUnknown), Answers(callback, IID_IIMCallback),
                   Answers(callback, kOtherInterface));
        m_callback = callback;
        if (m_wnd)
            SetWindowLongPtrW(m_wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(callback));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetImData(DWORD, void*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetImData(DWORD, void*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UserOptionsDlg(HWND) override { return E_NOTIMPL; }

private:
    LONG m_refs = 1;
    HWND m_wnd = nullptr;
    IIMCallback* m_callback = nullptr;
};

ComClassFactory<ProbePad> g_factory;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_module = module;
    else if (reason == DLL_PROCESS_DETACH)
        UnregisterClassW(kWindowClass, module);
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(clsid, kProbePadClsid))
        return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(iid, object);
}

extern "C" HRESULT WINAPI DllCanUnloadNow()
{
    return ComServerCanUnloadNow();
}

extern "C" HRESULT WINAPI DllRegisterServer()
{
    return ComRegisterInputMethod(g_module, kProbePadClsid, L"Probe Pad");
}

extern "C" HRESULT WINAPI DllUnregisterServer()
{
    return ComUnregisterClass(kProbePadClsid);
}
