// The keyboard applet's window: creation steps 1-7 host the input method
// named like the applet in a STATIC of the method's panel height; the
// destruction deselects and releases it.
#include "tapira_wnd.h"

#include <applet_module.h>
#include <corvane.h>
#include <ketra_host.h>

namespace {

constexpr int kWidth = 240;

// The applet's name: the side bar's current applet ("Keyboard" when it
// cannot be read).
void ReadAppletName(wchar_t* name, DWORD cch)
{
    CRegistry reg;
    DWORD size = cch;
    if (!reg.Open(HKEY_LOCAL_MACHINE, KETRA_OPTIONS_KEY, TRUE) ||
        !reg.ReadString(KETRA_CURRENT_APPLET_VALUE, name, &size) || !name[0])
        lstrcpynW(name, TAPIRA_DEFAULT_NAME, (int)cch);
}

void WriteLastMethod(const wchar_t* name)
{
    CRegistry reg;
    if (reg.Open(HKEY_LOCAL_MACHINE, KETRA_OPTIONS_KEY, FALSE, TRUE))
        reg.WriteString(TAPIRA_LAST_IM_VALUE, name);
}

// A rectangle with its bottom above its top is a panel of no height.
int PanelHeight(const IMINFO& info)
{
    LONG height = info.rcSipRect.bottom - info.rcSipRect.top;
    return height > 0 ? (int)height : 0;
}

}  // namespace

BOOL CTapiraWnd::PreCreateWindow(CREATESTRUCTW* cs)
{
    // Step 1: the first installed method of the applet's name.
    ReadAppletName(m_name, kTapiraNameChars);
    if (!FindInputMethod(m_name, &m_clsid))
        return FALSE;
    return CApplet::PreCreateWindow(cs);
}

void CTapiraWnd::OnCreate()
{
    HostMethod();
    // Step 5: the method shown last.
    WriteLastMethod(m_name);
    // Step 6: the device's panel takes no room while the applet shows a method.
    MakeEmptyMethodCurrent();
    // Step 7: the side bar takes this height for its applet area.
    if (m_method)
        SetWindowPos(0, 0, kWidth, m_height, SWP_NOMOVE | SWP_NOACTIVATE);
}

void CTapiraWnd::HostMethod()
{
    // The method is a component: this thread joins COM first (the side bar's
    // thread has joined already, in the multi-threaded apartment).
    m_comReady = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    // Step 2: the method, in process; its record before Select.
    m_method = m_loader.Create(m_clsid);
    if (!m_method)
        return;  // the window stays empty
    IMINFO info = {};
    info.cbSize = sizeof(info);
    if (FAILED(m_method->GetInfo(&info)))
        info = IMINFO();
    m_height = PanelHeight(info);
    // Step 3: the window the method draws in.
    m_panel =
        ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, kWidth, m_height, m_hWnd,
                          reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kTapiraPanelId)), CorAppletModule(), nullptr);
    // Step 4.
    m_method->Select(m_panel);
    m_method->RegisterCallback(&m_callback);
    m_method->Showing();
}

void CTapiraWnd::ReleaseMethod()
{
    if (m_method) {
        IInputMethod* method = m_method;
        m_method = nullptr;
        method->Deselect();
        method->Release();
    }
    if (m_panel && ::IsWindow(m_panel))
        ::DestroyWindow(m_panel);
    m_panel = nullptr;
    m_loader.Unload();
    if (m_comReady)
        ::CoUninitialize();
    m_comReady = false;
}

void CTapiraWnd::OnDestroy()
{
    ReleaseMethod();
    CApplet::OnDestroy();
}

LRESULT CTapiraWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KETRA_APPLETSHOWN:
        // The bar opened again: another method may have been picked while it
        // was closed; KtIM is current while the applet shows a method.
        if (m_method)
            MakeEmptyMethodCurrent();
        return 0;
    case WM_KETRA_APPLETHIDDEN:
        return 0;
    }
    return CApplet::OnMessage(message, wParam, lParam);
}

// The height is the method's panel; nothing else to report.
int CTapiraWnd::OnTodayQueryRefreshCache(TODAYLISTITEM* /*item*/)
{
    return 1;
}

COR_APPLET(CTapiraWnd, L"Tapira", 240, 100)
