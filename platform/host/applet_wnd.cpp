// Loading an applet library, creating its window and letting it go again.
#include "applet_wnd.h"

#include <strsafe.h>

namespace {

// An export by ordinal, as an untyped address for the caller to cast.
void* FindExport(HMODULE library, int ordinal)
{
    return reinterpret_cast<void*>(::GetProcAddress(library, MAKEINTRESOURCEA(ordinal)));
}

}  // namespace

CAppletWnd::CAppletWnd() : m_hLib(nullptr), m_szPath{}, m_hParent(nullptr), m_item{}, m_rcItem(0, 0, 0, 0), m_nHeight(0)
{
}

CAppletWnd::~CAppletWnd()
{
    Unload();
}

int CAppletWnd::Load(LPCWSTR dllPath, HWND parent)
{
    Unload();
    if (!dllPath || FAILED(StringCchCopyW(m_szPath, MAX_PATH, dllPath)))
        return 0;
    m_hParent = parent;
    // An applet library may make its own module the framework's instance;
    // the host's own windows and paths must not go on using it.
    CorInstanceScope keepInstance;
    m_hLib = ::LoadLibraryW(m_szPath);
    if (!m_hLib)
        return 0;
    auto initialize =
        reinterpret_cast<PFNCUSTOMINITIALIZEITEM>(FindExport(m_hLib, ORDINAL_INITIALIZEITEM));
    if (!initialize) {
        Unload();
        return 0;
    }
    ZeroMemory(&m_item, sizeof(m_item));
    StringCchCopyW(m_item.szName, MAX_ITEMNAME, m_szPath);  // cut to the field
    m_item.tlit = tlitOwnerInfo;
    m_item.fEnabled = TRUE;
    m_item.fOptions = TRUE;
    StringCchCopyW(m_item.szDLLPath, MAX_PATH, m_szPath);
    m_item.hinstDLL = m_hLib;
    HWND window = initialize(&m_item, parent);
    if (!window || !::IsWindow(window)) {
        Unload();
        return 0;
    }
    Attach(window);
    m_item.hwndCustom = window;
    ::GetWindowRect(window, &m_rcItem);
    if (QueryRefresh() && m_item.cyp)
        m_nHeight = static_cast<int>(m_item.cyp);
    return 1;
}

void CAppletWnd::Unload()
{
    CorInstanceScope keepInstance;
    if (m_hWnd) {
        HWND window = m_hWnd;
        ::SendMessageW(window, WM_TODAYCUSTOM_CLEARCACHE, reinterpret_cast<WPARAM>(&m_item), 0);
        m_hWnd = nullptr;  // adopted, never bound: nothing to unbind
        if (::IsWindow(window))
            ::DestroyWindow(window);
    }
    if (m_hLib) {
        ::FreeLibrary(m_hLib);
        m_hLib = nullptr;
    }
    m_nHeight = 0;
}

LRESULT CAppletWnd::QueryRefresh()
{
    if (!m_hWnd)
        return 0;
    return ::SendMessageW(m_hWnd, WM_TODAYCUSTOM_QUERYREFRESHCACHE, reinterpret_cast<WPARAM>(&m_item), 0);
}

int CAppletWnd::CheckNotify()
{
    if (!m_hLib)
        return 0;
    auto check = reinterpret_cast<PFNCUSTOMCHECKNOTIFY>(FindExport(m_hLib, ORDINAL_CHECKNOTIFY));
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
