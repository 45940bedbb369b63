// The theme browser's menus and their commands.
#include "vistaro_wnd.h"

#include <ketra_host.h>
#include <strsafe.h>
#include <tessary.h>
#include <tskdialogs.h>

namespace {

const wchar_t kDefaultName[] = L"<default>";
// The object store's mark of a file kept in ROM.
const DWORD kInRom = 0x40;
const wchar_t kDesigner[] = L"Pallido.exe";

bool IsDefault(const wchar_t* path)
{
    return _wcsicmp(path, kDefaultName) == 0;
}

UINT Greyed(bool greyed)
{
    return greyed ? MF_GRAYED : MF_ENABLED;
}

} // namespace

void CVistaroWnd::ShowFolderMenu(CPoint point)
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
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, 0, m_hWnd, nullptr);
    ::DestroyMenu(menu);
}

void CVistaroWnd::ShowThemeMenu(int index, CPoint point)
{
    {
        CThumbLoader::CLock lock(m_loader);
        CThumb* thumb = List() ? List()->GetData(index) : nullptr;
        if (!thumb)
            return;
        StringCchCopyW(m_szTappedPath, MAX_PATH, thumb->GetFilePath());
        StringCchCopyW(m_szTappedName, MAX_PATH, thumb->GetFileName());
        m_nTapped = index;
    }
    const bool loading = !LoadingFinished();
    const DWORD attributes = ::GetFileAttributesW(m_szTappedPath);
    const bool cannotDelete = attributes == INVALID_FILE_ATTRIBUTES || (attributes & kInRom);

    HMENU menu = ::CreatePopupMenu();
    if (!menu)
        return;
    ::AppendMenuW(menu, MF_STRING, kApply, L"Apply");
    if (!IsAniTsk(m_szTappedPath))
        ::AppendMenuW(menu, MF_STRING | Greyed(loading), kDesign, L"Design...");
    ::AppendMenuW(menu, MF_STRING | Greyed(loading || cannotDelete), kDelete, L"Delete");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING | Greyed(loading || IsDefault(m_szTappedPath)), kBeam, L"Send via IR...");
    ::AppendMenuW(menu, MF_STRING | Greyed(loading), kThemeInfo, L"Theme Info");

    DrawThemeBand(m_szTappedName);
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, 0, m_hWnd, nullptr);
    ::DestroyMenu(menu);
    Draw();
}

LRESULT CVistaroWnd::OnCommand(UINT id, UINT code)
{
    if (id >= kFolderFirst && id < static_cast<UINT>(kFolderFirst + m_nFolders)) {
        LoadFolder(m_folders[id - kFolderFirst], false);
        return 0;
    }
    // Commands on a theme or its file run only with a theme tapped; those
    // that change or read files wait until loading has finished.
    const bool tapped = m_nTapped >= 0;
    const bool ready = tapped && LoadingFinished();
    switch (id) {
    case kOrganize: {
        CFolderListDialog favourites;
        favourites.SetDialogInfo(::GetParent(m_hWnd));
        favourites.DoModal();
        return 0;
    }
    case kApply:
        if (tapped)
            Apply();
        return 0;
    case kDelete:
        if (ready)
            Delete();
        return 0;
    case kDesign:
        if (ready)
            Design();
        return 0;
    case kThemeInfo:
        if (ready)
            ShowInfo();
        return 0;
    case kBeam:
        if (ready)
            Beam();
        return 0;
    default:
        return CApplet::OnCommand(id, code);
    }
}

void CVistaroWnd::Browse()
{
    CFolderSelectDialog browse;
    browse.SetDialogInfo(::GetParent(m_hWnd));
    if (browse.DoModal() == IDOK)
        LoadFolder(browse.GetFolder(), false);
}

void CVistaroWnd::Apply()
{
    if (!ApplyTheme(m_szTappedPath))
        return;
    if (HWND desktop = ::FindWindowW(nullptr, L"Desktop"))
        ::SetForegroundWindow(desktop);
}

void CVistaroWnd::Delete()
{
    if (::MessageBoxW(m_hWnd, L"Are you sure to delete this skin file?", L"Delete", MB_YESNO | MB_ICONQUESTION) !=
            IDYES ||
        IsDefault(m_szTappedPath))
        return;
    if (::DeleteFileW(m_szTappedPath)) {
        CThumbLoader::CLock lock(m_loader);
        if (CThumbList* list = List())
            list->RemoveItem(m_nTapped);  // recounts the pages and keeps the page within them
        m_nTapped = -1;
    }
    Draw();
}

void CVistaroWnd::Design()
{
    ::SendMessageW(::GetParent(m_hWnd), WM_KETRA_CLOSE, 0, 0);
    CModuleInfo module(CorAppletModule());
    LPCWSTR designer = module.GetFileName(kDesigner);
    wchar_t parameter[MAX_PATH + 2];
    if (designer && SUCCEEDED(StringCchPrintfW(parameter, MAX_PATH + 2, L"\"%ls\"", m_szTappedPath)))
        CSH::Execute(designer, parameter);
}

void CVistaroWnd::ShowInfo()
{
    CTskInfoDialog info;
    info.SetDialogInfo(::GetParent(m_hWnd));
    info.DoModal(m_szTappedPath);
}

void CVistaroWnd::Beam()
{
    if (!IsDefault(m_szTappedPath))
        CSH::Beam(m_szTappedPath);
}
