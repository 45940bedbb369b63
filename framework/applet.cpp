// CApplet: creation of an applet's child window and the Today-item messages.
#include "applet.h"

#include "todaycmn.h"

CApplet* CApplet::Create(LPCWSTR className, const RECT& rect, HWND parent)
{
    if (!CreateEx(0, className, L"", WS_CHILD, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                  parent, nullptr))
        return nullptr;
    return this;
}

LRESULT CApplet::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TODAYCUSTOM_CLEARCACHE:
        OnTodayClearCache();
        return 0;
    case WM_TODAYCUSTOM_QUERYREFRESHCACHE:
        return OnTodayQueryRefreshCache(reinterpret_cast<TODAYLISTITEM*>(wParam));
    default:
        return CWnd::OnMessage(message, wParam, lParam);
    }
}

int CApplet::OnTodayClearCache()
{
    return 1;
}

int CApplet::OnTodayQueryRefreshCache(TODAYLISTITEM* /*item*/)
{
    return 0;
}
