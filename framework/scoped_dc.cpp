// CClientDC, CPaintDC and CMemDC: contexts held for one scope.
#include "drawcontext.h"
#include "wndframe.h"

CClientDC::CClientDC() : m_hWnd(nullptr) {}

CClientDC::CClientDC(HWND hWnd) : m_hWnd(hWnd)
{
    Attach(::GetDC(hWnd));
}

CClientDC::CClientDC(CWnd* wnd) : CClientDC(wnd ? wnd->GetSafeHwnd() : nullptr) {}

CClientDC::~CClientDC()
{
    if (m_hDC)
        ::ReleaseDC(m_hWnd, Detach());
}

CPaintDC::CPaintDC(HWND hWnd) : m_hWnd(hWnd), m_ps()
{
    Attach(::BeginPaint(hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    if (m_hDC) {
        ::EndPaint(m_hWnd, &m_ps);
        Detach();
    }
}

CMemDC::CMemDC(HWND hWnd)
{
    HDC windowDc = ::GetDC(hWnd);
    Attach(::CreateCompatibleDC(windowDc));
    if (windowDc)
        ::ReleaseDC(hWnd, windowDc);
}

CMemDC::~CMemDC()
{
    if (m_hDC)
        ::DeleteDC(Detach());
}
