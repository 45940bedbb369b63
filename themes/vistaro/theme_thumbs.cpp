// The theme browser's thumbnails and their previews.
#include "theme_thumbs.h"

#include <strsafe.h>

namespace {

const POINT kBadgeAt = {4, 8};
const int kBadgeSize = 16;

void FillWhite(HDC dc, SIZE size)
{
    RECT all = {0, 0, size.cx, size.cy};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
}

} // namespace

CThemeThumb::CThemeThumb(const CTskTempFiles* temp, HICON animatedBadge) : m_pTemp(temp), m_hBadge(animatedBadge)
{
}

CThemeThumb::~CThemeThumb()
{
    if (m_pTemp)
        m_pTemp->DeleteAll();
}

// Runs on the loader's thread: the theme is read and drawn with the theme
// library's own memory contexts, into this thumbnail's surface only.
BOOL CThemeThumb::MakePreview()
{
    HDC dc = GetPreviewDC();
    if (!dc || !m_pTemp)
        return FALSE;
    FillWhite(dc, m_size);
    CTskInfo info;
    if (!ReadTheme(m_szPath, &info, m_pTemp->Paths())) {
        HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
        HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
        ::Rectangle(dc, 0, 0, m_size.cx, m_size.cy);
        ::SelectObject(dc, oldPen);
        ::SelectObject(dc, oldBrush);
        return FALSE;
    }
    DrawToday(dc, POINT{0, 0}, m_size, &info);
    if (info.m_bAnimated && m_hBadge)
        ::DrawIconEx(dc, kBadgeAt.x, kBadgeAt.y, m_hBadge, kBadgeSize, kBadgeSize, 0, nullptr, DI_NORMAL);
    return TRUE;
}

CThemeThumbList::CThemeThumbList(HWND window, HINSTANCE module) : m_hWnd(window)
{
    m_hBadge = static_cast<HICON>(
        ::LoadImageW(module, MAKEINTRESOURCEW(kAnimatedIcon), IMAGE_ICON, kBadgeSize, kBadgeSize, 0));
    wchar_t folder[MAX_PATH];
    DWORD length = ::GetModuleFileNameW(module, folder, MAX_PATH);
    wchar_t* slash = length > 0 && length < MAX_PATH ? wcsrchr(folder, L'\\') : nullptr;
    if (slash) {
        slash[1] = L'\0';
        m_temp.Form(folder, L"ThumbTmp.");
    }
}

CThemeThumbList::~CThemeThumbList()
{
    RemoveAll();  // the thumbnails go before the badge they draw
    if (m_hBadge)
        ::DestroyIcon(m_hBadge);
}

BOOL CThemeThumbList::LoadFolder(LPCWSTR folder)
{
    wchar_t pattern[MAX_PATH];
    if (!folder || FAILED(StringCchPrintfW(pattern, MAX_PATH, L"%ls\\*.tsk", folder)))
        return TRUE;
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return TRUE;
    BOOL all = TRUE;
    do {
        wchar_t path[MAX_PATH];
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            FAILED(StringCchPrintfW(path, MAX_PATH, L"%ls\\%ls", folder, found.cFileName)))
            continue;
        CThemeThumb* thumb = new CThemeThumb(&m_temp, m_hBadge);
        if (GetCount() >= kMaxThumbs || !thumb->Set(m_hWnd, path)) {
            delete thumb;
            all = FALSE;
            break;
        }
        AddData(thumb);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    UpdatePageCount();
    return all;
}

BOOL CThemeThumbList::MakePreview(int index)
{
    CThumb* thumb = GetData(index);
    return thumb ? thumb->MakePreview() : FALSE;
}
