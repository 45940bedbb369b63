// Loading an applet library, creating its window and letting it go again.
#include "applet_wnd.h"

CAppletWnd::CAppletWnd() : m_hParent(nullptr), m_nHeight(0)
{
}

CAppletWnd::~CAppletWnd()
{
    Unload();
}

int CAppletWnd::Load(LPCWSTR dllPath, HWND parent)
{
    Unload();
    m_hParent = parent;
    if (!m_library.Load(dllPath))
        return 0;
    HWND window = m_library.CreateItemWindow(parent);
    if (!window) {
        m_library.Unload();
        return 0;
    }
    Attach(window);
    TODAYLISTITEM* item = m_library.GetItem();
    if (QueryRefresh() && item->cyp)
        m_nHeight = static_cast<int>(item->cyp);
    return 1;
}

void CAppletWnd::Unload()
{
    m_hWnd = nullptr;  // adopted, never bound: nothing to unbind
    m_library.Unload();
    m_nHeight = 0;
}

LRESULT CAppletWnd::QueryRefresh()
{
    if (!m_hWnd)
        return 0;
    return ::SendMessageW(m_hWnd, WM_TODAYCUSTOM_QUERYREFRESHCACHE, reinterpret_cast<WPARAM>(GetItem()), 0);
}

int CAppletWnd::CheckNotify()
{
    PFNCUSTOMCHECKNOTIFY check = m_library.GetCheckNotify();
    if (!check)
        return 0;
    WriteLog(L"CAppletWnd::CheckNotify() %d", check());
    return check();
}

CRect CAppletWnd::GetItemRect() const
{
    CRect rect(0, 0, 0, 0);
    if (m_hWnd)
        ::GetWindowRect(m_hWnd, &rect);
    return rect;
}
