// The selected theme's preview.
#include "theme_preview.h"

#include <corvane.h>
#include <htmlctrl.h>
#include <skinpackage.h>
#include <strsafe.h>
#include <tessary.h>

namespace {

const char kBlankPage[] = "<body BGCOLOR='#FFFFFF'></body>";
// The animated preview page's size, and the three page names taken in turn
// so that the viewer never shows a page it kept from before.
const int kPageWidth = 76;
const int kPageHeight = 52;
const wchar_t* const kPageNames[] = {L"RoPre1.htm", L"RoPre2.htm", L"RoPre3.htm"};

typedef BOOL(WINAPI* InitHtmlControlFn)(HINSTANCE);

bool ProgramFile(const wchar_t* name, wchar_t* path, size_t cch)
{
    CModuleInfo program((HINSTANCE)::GetModuleHandleW(nullptr));
    LPCWSTR full = program.GetFileName(name);
    return full && SUCCEEDED(StringCchCopyW(path, cch, full));
}

} // namespace

CThemePreview::~CThemePreview()
{
    if (m_bitmap)
        ::DeleteObject(m_bitmap);
}

void CThemePreview::Create(HWND page)
{
    m_page = page;
    HMODULE library = ::LoadLibraryW(L"htmlview.dll");
    InitHtmlControlFn init =
        library ? reinterpret_cast<InitHtmlControlFn>(reinterpret_cast<void*>(::GetProcAddress(library, "InitHTMLControl")))
                : nullptr;
    HINSTANCE instance = (HINSTANCE)::GetModuleHandleW(nullptr);
    if (!init || !init(instance))
        return;
    m_viewer = ::CreateWindowExW(0, DISPLAYCLASS, L"Preview", WS_CHILD, kLeft + 2, kTop + 2, kPageWidth,
                                 kPageHeight, page, nullptr, instance, nullptr);
}

void CThemePreview::Show(const wchar_t* themePath)
{
    if (m_bitmap)
        ::DeleteObject(m_bitmap);
    m_bitmap = nullptr;
    CTskInfo theme;
    CTskTempFiles temp;
    wchar_t folder[MAX_PATH];
    bool read = false;
    if (themePath && *themePath && ProgramFile(L"", folder, MAX_PATH) && temp.Form(folder, L"RoTmp."))
        read = ReadTheme(themePath, &theme, temp.Paths()) != 0;

    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    m_bitmap = ::CreateCompatibleBitmap(screen, kWidth, kHeight);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(dc, m_bitmap);
    RECT all = {0, 0, kWidth, kHeight};
    ::FillRect(dc, &all, (HBRUSH)::GetStockObject(WHITE_BRUSH));
    if (read)
        DrawToday(dc, POINT{3, 1}, SIZE{77, 102}, &theme);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);

    ShowPage(read && theme.m_bAnimated, theme);
    RECT area = {kLeft, kTop, kLeft + kWidth, kTop + kHeight};
    ::InvalidateRect(m_page, &area, FALSE);
}

// The viewer shows the animated theme's preview page, or a blank page and
// hides.
void CThemePreview::ShowPage(bool animated, const CTskInfo& theme)
{
    if (!m_viewer)
        return;
    wchar_t page[MAX_PATH];
    if (!ProgramFile(kPageNames[m_pageCounter++ % 3], page, MAX_PATH))
        return;
    bool written = false;
    if (animated) {
        written = SaveAniTskPreviewHtml(page, &theme, kPageWidth, kPageHeight) != 0;
    } else {
        ceWriteFile out;
        written = out.OpenFile(page) && out.WriteFile(kBlankPage, 0, sizeof kBlankPage - 1) && out.CloseFile();
    }
    if (written) {
        // The view takes device paths: the program's folder comes with a drive.
        const wchar_t* devicePath = page[0] && page[1] == L':' ? page + 2 : page;
        wchar_t address[MAX_PATH + 8];
        if (SUCCEEDED(StringCchPrintfW(address, MAX_PATH + 8, L"file://%ls", devicePath)))
            ::SendMessageW(m_viewer, DTM_NAVIGATE, 0, (LPARAM)address);
    }
    ::ShowWindow(m_viewer, animated && written ? SW_SHOW : SW_HIDE);
}

void CThemePreview::Paint(HDC dc) const
{
    if (!m_bitmap)
        return;
    HDC mem = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(mem, m_bitmap);
    ::BitBlt(dc, kLeft, kTop, kWidth, kHeight, mem, 0, 0, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
}
