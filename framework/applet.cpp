// CApplet: creation of an applet's child window, the Today-item messages and
// the requests an applet makes to its host.
#include "applet.h"

#include <ketra_host.h>

#include "todaycmn.h"

namespace {

const wchar_t kHostRecordProperty[] = L"CorAppletHostRecord";

}  // namespace

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
    case WM_TODAYCUSTOM_QUERYREFRESHCACHE: {
        // Any program can send 1267; only the host in this process hands
        // over a record this process can use.
        auto* given = reinterpret_cast<TODAYLISTITEM*>(wParam);
        auto* known = static_cast<TODAYLISTITEM*>(::GetPropW(m_hWnd, kHostRecordProperty));
        TODAYLISTITEM* item = nullptr;
        if (known)
            item = given == known ? given : nullptr;
        else if (!(::InSendMessageEx(nullptr) & ISMEX_SEND))
            item = given;
        return OnTodayQueryRefreshCache(item);
    }
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

void CApplet::RememberHostRecord(TODAYLISTITEM* item)
{
    if (m_hWnd)
        ::SetPropW(m_hWnd, kHostRecordProperty, item);
}

LRESULT CApplet::DrawHostBackground(HDC dc, const RECT& rect)
{
    HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (!parent)
        return 0;
    TODAYDRAWWATERMARKINFO watermark = {};
    watermark.hdc = dc;
    watermark.rc = rect;
    watermark.hwnd = m_hWnd;
    return ::SendMessageW(parent, TODAYM_DRAWWATERMARK, 0, reinterpret_cast<LPARAM>(&watermark));
}

COLORREF CApplet::HostColour(int index)
{
    HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    return parent ? static_cast<COLORREF>(::SendMessageW(parent, WM_KETRA_COLOR, static_cast<WPARAM>(index), 0)) : 0;
}

int CApplet::HostVersion()
{
    HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    return parent ? static_cast<int>(::SendMessageW(parent, WM_KETRA_VERSION, 0, 0) & 0xFFFF) : 0;
}

BOOL CApplet::RequestHeight(int height)
{
    HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (!parent || height <= 0)
        return FALSE;
    return ::SendMessageW(parent, WM_KETRA_SETHEIGHT, 0, height) != 0;
}

void CApplet::FocusOn()
{
    if (HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr)
        ::SendMessageW(parent, WM_KETRA_CONTROL, KETRA_CONTROL_FOCUS_ON, 0);
}
