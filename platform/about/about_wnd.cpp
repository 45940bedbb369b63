// The About applet's window: the bar's background with the program's icon,
// a notice, the version and the owner's name; taps open the web site or the
// help page, or log the device's OEM information.
#include "about_private.h"

#include <strsafe.h>

#include <applet_module.h>
#include <ketra_host.h>

#include "shell.h"

namespace {

// Hit rectangles: the text, the icon, and the top-right corner.
const RECT kTextArea = {8, 6, 180, 40};
const RECT kIconArea = {186, 20, 218, 52};
const RECT kCornerArea = {210, 0, 240, 10};

const wchar_t kWebSite[] = L"http://www.zarq.example/ketra";
const wchar_t kHelpPage[] = L"help\\ketra.htm";
const wchar_t kBrowser[] = L"iexplore.exe";

const int kFontHeight = 11;
const COLORREF kShadow = RGB(0, 0, 0);
const COLORREF kText = RGB(255, 255, 255);

bool Inside(const RECT& rect, CPoint point)
{
    return ::PtInRect(&rect, point) != FALSE;
}

}  // namespace

void CAboutWnd::OnCreate()
{
    PaintSurface();
}

void CAboutWnd::PaintSurface()
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    {
        CClientDC reference(m_hWnd);
        m_surface.CreateDCW(reference, client.right, client.bottom);
    }

    // The bar's background first, so the window blends into the bar.
    DrawHostBackground(m_surface, client);

    HICON icon = (HICON)::LoadImageW(CorAppletModule(), MAKEINTRESOURCEW(IDI_ABOUT), IMAGE_ICON, 0, 0, 0);
    if (icon) {
        m_surface.DrawIcons(kIconArea.left, kIconArea.top, icon);
        ::DestroyIcon(icon);
    }

    // Version: major in the low byte, minor in the next.
    const int version = HostVersion();
    wchar_t line[96];
    StringCchPrintfW(line, ARRAYSIZE(line), L"Ketra 2003 for PocketPC, Ver %d.%d", (int)(version & 0xFF),
                     (int)((version >> 8) & 0xFF));

    wchar_t owner[CSH::kOwnerNameChars] = L"";
    CSH::GetOwnerName(owner, ARRAYSIZE(owner));
    size_t length = wcslen(owner);
    if (length > 0 && owner[length - 1] == L' ')
        owner[length - 1] = L'\0';
    wchar_t ownerLine[64];
    StringCchPrintfW(ownerLine, ARRAYSIZE(ownerLine), L"Owner : '%ls'", owner);

    m_surface.ShadowTextOut(kTextArea.left, 6, L"(c) ZARQ Software. All rights reserved.", kFontHeight, kShadow,
                            kText);
    m_surface.ShadowTextOut(kTextArea.left, 18, line, kFontHeight, kShadow, kText);
    m_surface.ShadowTextOut(kTextArea.left, 36, ownerLine, kFontHeight, kShadow, kText);
}

void CAboutWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    m_surface.Draw(dc, 0, 0, kOpaqueCopy);
}

void CAboutWnd::OnLButtonDown(CPoint point)
{
    if (Inside(kTextArea, point))
        OpenWebSite();
    else if (Inside(kIconArea, point))
        OpenHelp();
    else if (Inside(kCornerArea, point))
        LogOemInfo();
}

void CAboutWnd::OpenWebSite()
{
    CSH::Execute(kBrowser, kWebSite);
}

// The help page beside the library.
void CAboutWnd::OpenHelp()
{
    CModuleInfo module(CorAppletModule());
    LPCWSTR page = module.GetFileName(kHelpPage);
    if (page)
        CSH::Execute(kBrowser, page);
}

void CAboutWnd::LogOemInfo()
{
    wchar_t first[CSH::kOEMTokenChars] = L"";
    wchar_t second[CSH::kOEMTokenChars] = L"";
    wchar_t third[CSH::kOEMTokenChars] = L"";
    CSH::GetOEMInfo(first, second, third, CSH::kOEMTokenChars);
    WriteLog(L"[%ls] [%ls] [%ls]", first, second, third);
}

LRESULT CAboutWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KETRA_APPLETSHOWN:
    case WM_KETRA_APPLETHIDDEN:
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint copies the whole surface
    default:
        return CApplet::OnMessage(message, wParam, lParam);
    }
}

// The window keeps its own height.
int CAboutWnd::OnTodayQueryRefreshCache(TODAYLISTITEM* /*item*/)
{
    return 1;
}
