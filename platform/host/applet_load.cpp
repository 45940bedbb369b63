// Showing an applet by name: its registration, loading and unloading its
// library, fitting it into the applet area and later height changes.
#include "mainwnd.h"

#include <strsafe.h>

#include <axreg.h>

int CKetraWnd::ShowApplet(LPCWSTR name, int open)
{
    CAxDllInfo info = {};
    if (CAxReg::InitInfo(&info, AX_APPLETS_KEY, name ? name : L""))
        CAxReg::GetAppletInfo(&info);  // without a registration the path stays empty
    return ShowApplet(name, info.szDLL, open);
}

int CKetraWnd::ShowApplet(LPCWSTR name, LPCWSTR dllPath, int open)
{
    // Copied first: the caller's text may belong to the applet unloaded
    // below, or to the applet list a menu reloads.
    wchar_t applet[CKetraSettings::kNameLength] = {};
    wchar_t library[MAX_PATH] = {};
    if (name)
        StringCchCopyW(applet, CKetraSettings::kNameLength, name);
    if (dllPath)
        StringCchCopyW(library, MAX_PATH, dllPath);

    // Written before the load, so that an applet that fails on the way is
    // the one the setting names; a success leaves it as it is.
    CKetraSettings::WriteCurrentApplet(applet);
    int shown = LoadApplet(applet, library);
    if (shown) {
        m_history.Record(applet);
    } else {
        StartOptionProgram();
        if (wcscmp(applet, L"About") != 0)
            ShowApplet(L"About", 0);
    }
    if (open)
        SendMessageW(WM_KETRA_OPEN);
    return shown;
}

int CKetraWnd::LoadApplet(LPCWSTR name, LPCWSTR dllPath)
{
    if (!dllPath || !dllPath[0] || ::GetFileAttributesW(dllPath) == INVALID_FILE_ATTRIBUTES)
        return 0;
    if (m_bForceReload)
        m_bForceReload = 0;
    else if (m_pApplet && wcscmp(name, m_szAppletName) == 0 && wcscmp(dllPath, m_szAppletPath) == 0)
        return 1;

    UnloadApplet();
    if (m_bAutoClose)
        SetHook(1);
    else
        SendMessageW(WM_SKIN_FOCUSOFF);

    CAppletWnd* applet = new CAppletWnd;
    if (!applet->Load(dllPath, m_hWnd)) {
        delete applet;
        return 0;
    }
    m_pApplet = applet;
    m_pApplet->HideWindow();
    StringCchCopyW(m_szAppletName, CKetraSettings::kNameLength, name);
    StringCchCopyW(m_szAppletPath, MAX_PATH, dllPath);
    SizeApplet();
    Invalidate(FALSE);
    return 1;
}

void CKetraWnd::UnloadApplet()
{
    if (!m_pApplet)
        return;
    m_pApplet->Unload();
    delete m_pApplet;
    m_pApplet = nullptr;
    m_szAppletName[0] = 0;
    m_szAppletPath[0] = 0;
}

void CKetraWnd::SizeApplet()
{
    if (!m_pApplet)
        return;
    const CRect area = GetAppletArea();
    const CRect item = m_pApplet->GetItemRect();
    int height = item.Height();
    if (height <= 0)
        height = m_pApplet->GetHeight() + 2;
    if (height <= 0)
        height = area.Height();
    int width = item.Width();
    if (width <= 0)
        width = area.Width();
    int left = area.left;
    if (width < area.Width() && m_pAppletCtrl) {
        if (m_pAppletCtrl->GetAlign() == CCtrl::Center)
            left = area.left + (area.Width() - width) / 2;
        else if (m_pAppletCtrl->GetAlign() == CCtrl::Right)
            left = area.right - width;
    }
    const int barHeight = area.top + height + m_nBottomMargin;
    ::MoveWindow(m_pApplet->GetHWnd(), left, area.top, width, height, FALSE);
    if (m_bMaxWin) {
        // Applets of one height (most of them) leave the bar where it is.
        if (GetWindowRect().Height() != barHeight)
            SetWindowSize(-1, barHeight);
        m_rcMax = GetWindowRect();
        Invalidate(FALSE);
        m_pApplet->ShowWindow();
    } else {
        m_nPendingHeight = barHeight;
        m_pApplet->HideWindow();
    }
}

void CKetraWnd::SetAppletHeight(int height)
{
    const CRect area = GetAppletArea();
    // The height may come from another program: no taller than the screen
    // leaves room for, so the bar's sum cannot overflow and its back buffer
    // stays the size of a screen.
    const int room = ::GetSystemMetrics(SM_CYSCREEN) - area.top - m_nBottomMargin;
    if (height > room)
        height = room > 0 ? room : 1;
    const int barHeight = area.top + m_nBottomMargin + height;
    if (m_bMaxWin) {
        SetWindowSize(-1, barHeight);
        m_rcMax = GetWindowRect();
    } else {
        // Taken when the bar opens.
        m_nPendingHeight = barHeight;
        m_rcMax.bottom = m_rcMax.top + barHeight;
    }
    if (m_pApplet) {
        const int width = m_pApplet->GetItemRect().Width();
        ::SetWindowPos(m_pApplet->GetHWnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_pApplet->SetHeight(height);
        m_pApplet->SendMessageW(WM_KETRA_APPLETSIZE, 0, MAKELPARAM(width, height));
        m_pApplet->Invalidate();
    }
    Invalidate(FALSE);
}

void CKetraWnd::StartOptionProgram()
{
    CModuleInfo host;
    LPCWSTR option = host.GetPath(L"option.exe");
    if (option)
        CSH::Execute(option, L"");
}
