// The viewer's menus and their commands.
#include "motrelle_wnd.h"

#include <strsafe.h>
#include <tskdialogs.h>

namespace {

const wchar_t kDefaultName[] = L"<default>";
const wchar_t kNoAnimation[] = L"&nbsp;No Animated Theme";
// The object store's mark of a file kept in ROM.
const DWORD kInRom = 0x40;

bool IsDefault(const wchar_t* path)
{
    return _wcsicmp(path, kDefaultName) == 0;
}

UINT Greyed(bool greyed)
{
    return greyed ? MF_GRAYED : MF_ENABLED;
}

void TitleOf(LPCWSTR path, wchar_t* title, size_t cch)
{
    const wchar_t* name = wcsrchr(path, L'\\');
    name = name ? name + 1 : path;
    StringCchCopyW(title, cch, name);
    if (wchar_t* dot = wcsrchr(title, L'.'))
        *dot = L'\0';
}

void Track(HWND owner, HMENU menu, CPoint point)
{
    POINT screen = point;
    ::ClientToScreen(owner, &screen);
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, 0, owner, nullptr);
}

} // namespace

void CMotrelleWnd::ShowThemeListMenu(CPoint point)
{
    if (!m_bHasFolder)
        return;
    WCHAR folder[MAX_PATH];
    StringCchCopyW(folder, MAX_PATH, m_szFolder);
    ListFolder(folder);
    HMENU menu = ::CreatePopupMenu();
    if (!menu)
        return;
    for (int i = 0; i < m_nThemes; ++i) {
        wchar_t title[MAX_PATH];
        TitleOf(m_themes[i], title, MAX_PATH);
        ::AppendMenuW(menu, MF_STRING | (wcscmp(title, m_szTitle) == 0 ? MF_CHECKED : MF_UNCHECKED),
                      kThemeFirst + i, title);
    }
    Track(m_hWnd, menu, point);
    ::DestroyMenu(menu);
}

void CMotrelleWnd::ShowFolderMenu(CPoint point)
{
    m_nFolders = 0;
    GetTskFolders(m_folders, &m_nFolders);
    HMENU menu = ::CreatePopupMenu();
    if (!menu)
        return;
    for (int i = 0; i < m_nFolders; ++i)
        ::AppendMenuW(menu, MF_STRING | (wcscmp(m_folders[i], m_szFolder) == 0 ? MF_CHECKED : MF_UNCHECKED),
                      kFolderFirst + i, m_folders[i]);
    if (m_nFolders > 0)
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, kOrganize, L"Organize Favorites...");
    Track(m_hWnd, menu, point);
    ::DestroyMenu(menu);
}

void CMotrelleWnd::ShowCommandMenu(CPoint point)
{
    const bool theme = m_szTheme[0] != L'\0';
    const DWORD attributes = theme ? ::GetFileAttributesW(m_szTheme) : INVALID_FILE_ATTRIBUTES;
    const bool cannotDelete = attributes == INVALID_FILE_ATTRIBUTES || (attributes & kInRom);
    HMENU menu = ::CreatePopupMenu();
    if (!menu)
        return;
    ::AppendMenuW(menu, MF_STRING | Greyed(!theme), kApply, L"Apply");
    ::AppendMenuW(menu, MF_STRING | Greyed(!theme || cannotDelete), kDelete, L"Delete");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING | Greyed(!theme || IsDefault(m_szTheme)), kBeam, L"Send via IR...");
    ::AppendMenuW(menu, MF_STRING | Greyed(!theme), kThemeInfo, L"Theme Info");
    Track(m_hWnd, menu, point);
    ::DestroyMenu(menu);
}

LRESULT CMotrelleWnd::OnCommand(UINT id, UINT code)
{
    if (id >= kThemeFirst && id < static_cast<UINT>(kThemeFirst + m_nThemes)) {
        WCHAR path[MAX_PATH];
        StringCchCopyW(path, MAX_PATH, m_themes[id - kThemeFirst]);
        ShowTheme(path);
        return 0;
    }
    if (id >= kFolderFirst && id < static_cast<UINT>(kFolderFirst + m_nFolders)) {
        WCHAR folder[MAX_PATH];
        StringCchCopyW(folder, MAX_PATH, m_folders[id - kFolderFirst]);
        ChooseFolder(folder);
        return 0;
    }
    const bool theme = m_szTheme[0] != L'\0';
    switch (id) {
    case kOrganize: {
        CFolderListDialog favourites;
        favourites.SetDialogInfo(::GetParent(m_hWnd));
        favourites.DoModal();
        return 0;
    }
    case kApply:
        if (theme)
            Apply();
        return 0;
    case kDelete:
        if (theme)
            Delete();
        return 0;
    case kBeam:
        if (theme && !IsDefault(m_szTheme))
            CSH::Beam(m_szTheme);
        return 0;
    case kThemeInfo:
        if (theme) {
            CTskInfoDialog info;
            info.SetDialogInfo(::GetParent(m_hWnd));
            info.DoModal(m_szTheme);
        }
        return 0;
    default:
        return CApplet::OnCommand(id, code);
    }
}

void CMotrelleWnd::ChooseFolder(LPCWSTR folder)
{
    if (m_bHasFolder && _wcsicmp(folder, m_szFolder) == 0)
        return;
    if (ListFolder(folder)) {
        ShowTheme(m_themes[0]);
    } else {
        m_szTheme[0] = m_szTitle[0] = L'\0';
        ShowNotice(kNoAnimation);
    }
}

void CMotrelleWnd::Browse()
{
    CFolderSelectDialog browse;
    browse.SetDialogInfo(::GetParent(m_hWnd));
    browse.SetFolder(m_szFolder);
    if (browse.DoModal() == IDOK) {
        WCHAR folder[MAX_PATH];
        StringCchCopyW(folder, MAX_PATH, browse.GetFolder());
        ChooseFolder(folder);
    }
}

void CMotrelleWnd::Apply()
{
    if (!ApplyTheme(m_szTheme))
        return;
    if (HWND desktop = ::FindWindowW(nullptr, L"Desktop"))
        ::SetForegroundWindow(desktop);
}

void CMotrelleWnd::Delete()
{
    if (::MessageBoxW(m_hWnd, L"Are you sure to delete this skin file?", L"Delete", MB_YESNO | MB_ICONQUESTION) !=
            IDYES ||
        IsDefault(m_szTheme))
        return;
    RemoveViewer();  // the movie lets go of the theme's files
    if (!::DeleteFileW(m_szTheme)) {
        ::MessageBoxW(m_hWnd, L"Can't delete the file.", L"Error", MB_OK | MB_ICONEXCLAMATION);
        ShowTheme(m_szTheme);
        return;
    }
    WCHAR folder[MAX_PATH];
    StringCchCopyW(folder, MAX_PATH, m_szFolder);
    if (ListFolder(folder)) {
        ShowTheme(m_themes[0]);
    } else {
        m_szTheme[0] = m_szTitle[0] = L'\0';
        ShowNotice(kNoAnimation);
    }
}
