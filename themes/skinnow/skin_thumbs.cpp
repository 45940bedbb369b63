#include "skin_thumbs.h"

#include "skin_file.h"

#include <strsafe.h>


namespace {

bool FileExists(LPCWSTR path)
{
    DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

BOOL CSkinThumb::SetSkin(HWND window, LPCWSTR sknPath, LPCWSTR picture)
{
    WCHAR title[MAX_PATH];
    const wchar_t* name = wcsrchr(sknPath, L'\\');
    StringCchCopyW(title, MAX_PATH, name ? name + 1 : sknPath);
    if (wchar_t* dot = wcsrchr(title, L'.'))
        *dot = L'\0';
    if (FAILED(StringCchPrintfW(m_szName, MAX_PATH, L"%ls.skn", title)) ||
        FAILED(StringCchCopyW(m_szPicture, MAX_PATH, picture)))
        return FALSE;
    return Set(window, sknPath);
}

// Runs on the loader's thread: the picture is decoded and stretched with a
// memory context of this thread's own, never the framework's shared one.
BOOL CSkinThumb::MakePreview()
{
    HDC dc = GetPreviewDC();
    if (!dc)
        return FALSE;
    RECT all = {0, 0, m_size.cx, m_size.cy};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    CImage picture;
    BOOL loaded = picture.Load(dc, m_szPicture);
    if (loaded) {
        HDC source = ::CreateCompatibleDC(dc);
        HGDIOBJ old = ::SelectObject(source, static_cast<HBITMAP>(picture));
        ::SetStretchBltMode(dc, COLORONCOLOR);
        ::StretchBlt(dc, 0, 0, m_size.cx, m_size.cy, source, 0, 0, picture.GetWidth(), picture.GetHeight(),
                     SRCCOPY);
        ::SelectObject(source, old);
        ::DeleteDC(source);
    }
    HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
    HGDIOBJ oldPen = ::SelectObject(dc, ::GetStockObject(BLACK_PEN));
    ::Rectangle(dc, 0, 0, m_size.cx, m_size.cy);
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
    return loaded;
}

CSkinThumbList::~CSkinThumbList()
{
    RemoveAll();
}

BOOL CSkinThumbList::AddSkin(LPCWSTR sknPath, bool pictureMustExist)
{
    WCHAR background[MAX_PATH], picture[MAX_PATH], folder[MAX_PATH];
    if (!ReadSkinBackground(sknPath, background, MAX_PATH) || FAILED(StringCchCopyW(folder, MAX_PATH, sknPath)))
        return TRUE;
    wchar_t* slash = wcsrchr(folder, L'\\');
    if (!slash)
        return TRUE;
    *slash = L'\0';
    if (FAILED(StringCchPrintfW(picture, MAX_PATH, L"%ls\\%ls", folder, background)) ||
        (pictureMustExist && !FileExists(picture)))
        return TRUE;
    CSkinThumb* thumb = new CSkinThumb;
    if (GetCount() >= kMaxThumbs || !thumb->SetSkin(m_hWnd, sknPath, picture)) {
        delete thumb;
        return FALSE;
    }
    AddData(thumb);
    return TRUE;
}

BOOL CSkinThumbList::LoadFolder(LPCWSTR folder)
{
    RemoveAll();
    BOOL all = TRUE;
    WCHAR current[MAX_PATH];
    if (ReadCurrentSkin(current, MAX_PATH))
        all = AddSkin(current, false);
    WCHAR pattern[MAX_PATH];
    if (all && SUCCEEDED(StringCchPrintfW(pattern, MAX_PATH, L"%ls\\*", folder))) {
        WIN32_FIND_DATAW found;
        HANDLE search = ::FindFirstFileW(pattern, &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || wcscmp(found.cFileName, L".") == 0 ||
                    wcscmp(found.cFileName, L"..") == 0)
                    continue;
                WCHAR skins[MAX_PATH], skin[MAX_PATH];
                if (FAILED(StringCchPrintfW(skins, MAX_PATH, L"%ls\\%ls\\*.skn", folder, found.cFileName)))
                    continue;
                WIN32_FIND_DATAW first;
                HANDLE inner = ::FindFirstFileW(skins, &first);
                if (inner == INVALID_HANDLE_VALUE)
                    continue;
                ::FindClose(inner);
                if (SUCCEEDED(StringCchPrintfW(skin, MAX_PATH, L"%ls\\%ls\\%ls", folder, found.cFileName,
                                               first.cFileName)))
                    all = AddSkin(skin, true);
            } while (all && ::FindNextFileW(search, &found));
            ::FindClose(search);
        }
    }
    UpdatePageCount();
    return all;
}

BOOL CSkinThumbList::MakePreview(int index)
{
    CThumb* thumb = GetData(index);
    return thumb ? thumb->MakePreview() : FALSE;
}
