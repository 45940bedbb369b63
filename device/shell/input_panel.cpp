// The input panel: a top-most, non-activating window at the current input
// method's panel rectangle, hidden while the panel is down.  The shell hosts
// the current method in its own process (a COM apartment): it creates it by
// its class, hands it this window and the panel's callback, and publishes
// the panel's state in the device state key for coredll's Sip* functions
// (shellproto.h).  The current method is HKCU "ControlPanel\Sip" value
// "DefaultIM", read at boot and written at each switch.
#include "shell.h"

#include <devlog.h>
#include <sip.h>
#include <strsafe.h>

namespace {

const wchar_t kSipSettingsKey[] = L"ControlPanel\\Sip";
const wchar_t kDefaultImValue[] = L"DefaultIM";
const COLORREF kPanelBackground = RGB(0xC0, 0xC0, 0xC0);

// The panel's callback: how the hosted method types.  It lives as long as
// the shell, so counting references is not needed.
class PanelCallback : public IIMCallback {
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
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE SetImInfo(IMINFO* info) override;
    HRESULT STDMETHODCALLTYPE SendVirtualKey(BYTE vk, DWORD flags) override
    {
        // keybd_event is the device's (coredll): it keeps only the flags the
        // desktop understands the same way.
        keybd_event(vk, (BYTE)MapVirtualKeyW(vk & 0xFF, MAPVK_VK_TO_VSC), flags, 0);
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
        if (count && !text)
            return E_INVALIDARG;
        for (DWORD i = 0; i < count; ++i) {
            UINT flags = KeyStateDownFlag;
            UINT character = text[i];
            if (!PostKeybdMessage((HWND)-1, 0, KeyStateDownFlag, 1, &flags, &character))
                return E_FAIL;
        }
        return S_OK;
    }
};

struct Panel {
    HWND wnd = nullptr;
    IInputMethod* method = nullptr;
    CLSID clsid = {};
    wchar_t name[MAX_PATH] = L"";
    IMINFO info = {};
    bool up = false;
    PanelCallback callback;
};
Panel g_panel;

// ---- Published state -------------------------------------------------------

void ClsidText(const CLSID& clsid, wchar_t* text, int cch)
{
    if (!StringFromGUID2(clsid, text, cch))
        text[0] = L'\0';
}

void PublishState()
{
    DevStateSetDword(L"SipUp", g_panel.up ? 1 : 0);
    wchar_t text[64] = L"";  // no method: nothing to name
    if (g_panel.method)
        ClsidText(g_panel.clsid, text, ARRAYSIZE(text));
    DevStateSetString(L"SipIM", text);
    const RECT& rc = g_panel.info.rcSipRect;
    StringCchPrintfW(text, ARRAYSIZE(text), L"%ld,%ld,%ld,%ld", rc.left, rc.top, rc.right, rc.bottom);
    DevStateSetString(L"SipRect", text);
}

DWORD WINAPI BroadcastMove(void*)
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETSIPINFO, 0, SMTO_ABORTIFHUNG, 1000, &ignored);
    return 0;
}

// As on the device, every window hears that the panel moved.  The message
// cannot be posted (it may carry a text), and a window that is slow to
// answer must not hold the panel: a thread of its own sends it.
void AnnounceMove()
{
    HANDLE thread = CreateThread(nullptr, 0, BroadcastMove, nullptr, 0, nullptr);
    if (thread)
        CloseHandle(thread);
}

void WriteDefaultMethod(const CLSID& clsid)
{
    wchar_t text[64];
    ClsidText(clsid, text, ARRAYSIZE(text));
    RegSetKeyValueW(HKEY_CURRENT_USER, kSipSettingsKey, kDefaultImValue, REG_SZ, text,
                    (DWORD)((wcslen(text) + 1) * sizeof(wchar_t)));
}

// ---- The window --------------------------------------------------------------

// A rectangle with its bottom above its top is a panel of no height.
RECT PanelRect(const RECT& wanted)
{
    RECT rc = wanted;
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    return rc;
}

void PlaceWindow()
{
    RECT rc = PanelRect(g_panel.info.rcSipRect);
    UINT flags = SWP_NOACTIVATE | (g_panel.up ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    SetWindowPos(g_panel.wnd, HWND_TOPMOST, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, flags);
}

bool SetUp(bool up)
{
    const bool changed = up != g_panel.up;
    g_panel.up = up;
    PlaceWindow();
    if (changed && g_panel.method) {
        if (up)
            g_panel.method->Showing();
        else
            g_panel.method->Hiding();
    }
    PublishState();
    if (changed) {
        AnnounceMove();
        SipButtonChanged();
    }
    return true;
}

// ---- Methods -----------------------------------------------------------------

struct NameSearch {
    CLSID clsid;
    wchar_t* name;
    bool found;
    CLSID first;
    bool any;
};
NameSearch* g_search = nullptr;

int SearchMethod(IMENUMINFO* info)
{
    if (!g_search->any) {
        g_search->first = info->clsid;
        g_search->any = true;
    }
    if (!IsEqualCLSID(info->clsid, g_search->clsid))
        return 1;
    StringCchCopyW(g_search->name, MAX_PATH, info->szName);
    g_search->found = true;
    return 0;
}

// Whether clsid is an installed method, with its name; also the first
// installed method (for a default that cannot be used).
bool FindMethod(const CLSID& clsid, wchar_t* name, CLSID* first = nullptr)
{
    NameSearch search = {clsid, name, false, {}, false};
    g_search = &search;
    SipEnumIM(SearchMethod);
    g_search = nullptr;
    if (first && search.any)
        *first = search.first;
    return search.found;
}

// While a switch calls the methods, this thread may answer other requests
// (a method may wait on another program that asks the panel in turn); a
// second switch then is refused rather than nested.
bool g_switching = false;

bool SwitchTo(const CLSID& clsid)
{
    if (g_panel.method && IsEqualCLSID(clsid, g_panel.clsid))
        return true;
    if (g_switching)
        return false;
    struct Guard {
        Guard() { g_switching = true; }
        ~Guard() { g_switching = false; }
    } guard;
    wchar_t name[MAX_PATH] = L"";
    if (!FindMethod(clsid, name))
        return false;
    // The new method first: when it cannot be made, the old one stays.
    IInputMethod* next = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IInputMethod, (void**)&next)) || !next)
        return false;

    if (IInputMethod* old = g_panel.method) {
        g_panel.method = nullptr;
        old->Deselect();
        old->Release();
    }
    g_panel.method = next;
    g_panel.clsid = clsid;
    StringCchCopyW(g_panel.name, ARRAYSIZE(g_panel.name), name);

    IMINFO info = {};
    info.cbSize = sizeof(info);
    if (FAILED(next->GetInfo(&info)) || info.cbSize != sizeof(info)) {
        info = IMINFO();
        info.cbSize = sizeof(info);
        SetRect(&info.rcSipRect, 0, kScreenHeight - SHELL_SIPBUTTON_HEIGHT, kScreenWidth,
                kScreenHeight - SHELL_SIPBUTTON_HEIGHT);
    }
    g_panel.info = info;
    PlaceWindow();
    next->Select(g_panel.wnd);
    next->RegisterCallback(&g_panel.callback);
    if (g_panel.up)
        next->Showing();

    PublishState();
    WriteDefaultMethod(clsid);
    DevLog(L"sip", L"method %ls", name);
    AnnounceMove();
    SipButtonChanged();
    return true;
}

// The default method of the device, else the first installed one.
void SelectBootMethod()
{
    wchar_t text[64] = L"";
    DWORD size = sizeof(text) - sizeof(wchar_t);
    CLSID wanted = {};
    bool haveDefault = RegGetValueW(HKEY_CURRENT_USER, kSipSettingsKey, kDefaultImValue, RRF_RT_REG_SZ, nullptr, text,
                                    &size) == ERROR_SUCCESS &&
                       SUCCEEDED(CLSIDFromString(text, &wanted));
    if (haveDefault && SwitchTo(wanted))
        return;
    wchar_t name[MAX_PATH];
    CLSID first = {};
    FindMethod(GUID_NULL, name, &first);
    if (!IsEqualCLSID(first, GUID_NULL) && SwitchTo(first))
        return;
    DevLog(L"sip", L"no input method");
    PublishState();
}

HRESULT PanelCallback::SetImInfo(IMINFO* info)
{
    if (!info)
        return E_INVALIDARG;
    // The method moved or resized its panel.
    g_panel.info.rcSipRect = info->rcSipRect;
    g_panel.info.fdwFlags = info->fdwFlags;
    if (info->hImageNarrow)
        g_panel.info.hImageNarrow = info->hImageNarrow;
    if (info->hImageWide)
        g_panel.info.hImageWide = info->hImageWide;
    g_panel.info.iNarrow = info->iNarrow;
    g_panel.info.iWide = info->iWide;
    if (g_panel.wnd)
        PlaceWindow();
    PublishState();
    AnnounceMove();
    SipButtonChanged();
    return S_OK;
}

// ---- Requests of other programs ----------------------------------------------

LRESULT HandleRequest(const COPYDATASTRUCT* copy)
{
    if (!copy || !copy->lpData)
        return FALSE;
    switch (copy->dwData) {
    case SHELL_SIPSTATE:
        if (copy->cbData != sizeof(SHELL_SIPSTATE_DATA))
            return FALSE;
        return SetUp(static_cast<const SHELL_SIPSTATE_DATA*>(copy->lpData)->up != FALSE);
    case SHELL_SIPMETHOD:
        if (copy->cbData != sizeof(SHELL_SIPMETHOD_DATA))
            return FALSE;
        return SwitchTo(static_cast<const SHELL_SIPMETHOD_DATA*>(copy->lpData)->clsid);
    }
    return FALSE;
}

LRESULT CALLBACK PanelProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_MOUSEACTIVATE:
        // Taps on the panel leave the application in front, its focus where it was.
        return MA_NOACTIVATE;
    case WM_COPYDATA:
        return HandleRequest(reinterpret_cast<const COPYDATASTRUCT*>(lp));
    case WM_ERASEBKGND: {
        RECT rc;
        GetClientRect(wnd, &rc);
        HBRUSH brush = CreateSolidBrush(kPanelBackground);
        FillRect((HDC)wp, &rc, brush);
        DeleteObject(brush);
        return 1;
    }
    case WM_CLOSE:
        return 0;  // the panel lives as long as the shell
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}

}  // namespace

BOOL RegisterInputPanelClass(HINSTANCE instance)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = PanelProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = SHELL_SIP_CLASS;
    return RegisterClassW(&wc) != 0;
}

HWND CreateInputPanel(HINSTANCE instance)
{
    // Empty title and the tool-window style: task lists skip it.
    g_panel.wnd = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, SHELL_SIP_CLASS, L"",
                                  WS_POPUP | WS_CLIPCHILDREN, 0, kScreenHeight, kScreenWidth, 0, nullptr, nullptr,
                                  instance, nullptr);
    if (!g_panel.wnd)
        return nullptr;
    g_panel.up = false;
    SelectBootMethod();
    return g_panel.wnd;
}

void DestroyInputPanel()
{
    if (IInputMethod* method = g_panel.method) {
        g_panel.method = nullptr;
        method->Deselect();
        method->Release();
    }
    if (g_panel.wnd)
        DestroyWindow(g_panel.wnd);
    g_panel.wnd = nullptr;
    DevStateSetDword(L"SipUp", 0);
}

bool IsInputPanelUp()
{
    return g_panel.up;
}

bool ShowInputPanel(bool up)
{
    return SetUp(up);
}

bool SwitchInputMethod(const CLSID& clsid)
{
    return SwitchTo(clsid);
}

bool CurrentInputMethod(CLSID* clsid)
{
    if (!g_panel.method)
        return false;
    *clsid = g_panel.clsid;
    return true;
}

bool CurrentMethodImage(HIMAGELIST* images, int* index)
{
    if (!g_panel.method || !g_panel.info.hImageNarrow)
        return false;
    *images = (HIMAGELIST)g_panel.info.hImageNarrow;
    *index = g_panel.info.iNarrow;
    return true;
}
