// The launcher applet: the stylus, the tray and the commands.
#include "startra_wnd.h"

#include <applet_module.h>
#include <pack_look.h>

#include <cwchar>

namespace {

const wchar_t kIconCache[] = L"icons.bmp";
const wchar_t kOptionsProgram[] = L"Runvel.exe";
const wchar_t kOptionItem[] = L"Option";
const wchar_t kExpandItem[] = L"Expand";

// The folder the file dialog opened last, kept while the process lives.
wchar_t g_lastFolder[MAX_PATH] = L"";

}  // namespace

void CStartraWnd::OnLButtonDown(CPoint point)
{
    m_bAfterHold = FALSE;
    switch (m_areas.PtInRectList(point)) {
    case kIconArea:
        OnMouseMove(point);
        break;
    case kTrayArea:
        m_tray.OnLButtonDown(point);
        break;
    }
}

// Held on the icons: the hold menu, which sends the applet's commands.
void CStartraWnd::OnRButtonDown(CPoint point)
{
    if (m_areas.PtInRectList(point) == kIconArea) {
        ShowHoldMenu(point);
        m_bAfterHold = TRUE;
    } else {
        OnLButtonDown(point);
    }
}

void CStartraWnd::OnMouseMove(CPoint point)
{
    if (m_areas.GetItem(kIconArea).PtInRect(point))
        SetHighlight(m_list.HitTest(point));
}

void CStartraWnd::OnLButtonUp(CPoint point)
{
    // The stylus lifted after a hold: its menu has had the gesture.
    if (m_bAfterHold) {
        m_bAfterHold = FALSE;
        return;
    }
    const int entry = m_areas.GetItem(kIconArea).PtInRect(point) ? m_list.HitTest(point) : -1;
    if (entry >= 0) {
        SetHighlight(entry);
        LaunchEntry(entry);
        return;
    }
    if (m_areas.GetItem(kTrayArea).PtInRect(point))
        OnTrayUp(point);
}

void CStartraWnd::OnTrayUp(CPoint point)
{
    const int pressed = m_tray.GetSelect();
    if (m_tray.OnLButtonUp(point) != 0)
        return;  // nothing, or a name sent to the bar
    CTrayItem* item = m_tray.GetTrayItem(pressed);
    if (!item)
        return;
    if (wcscmp(item->m_szText, kOptionItem) == 0)
        StartOptions();
    else if (wcscmp(item->m_szText, kExpandItem) == 0)
        ToggleExpanded();
}

void CStartraWnd::StartOptions()
{
    wchar_t options[MAX_PATH];
    if (FilePath(kOptionsProgram, options))
        CSH::Execute(options);
}

void CStartraWnd::LaunchEntry(int index)
{
    if (LPCWSTR path = m_list.GetPath(index))
        CSH::Execute(path);
}

void CStartraWnd::ToggleExpanded()
{
    m_list.SetExpanded(!m_list.IsExpanded());
    CTrayItem* expand = m_tray.GetTrayItem(3);
    if (expand)
        expand->m_nIcon = m_list.IsExpanded() ? PackLook::kIconExpanded : PackLook::kIconLauncher;
    m_nHighlight = -1;
    Layout(TRUE);
}

void CStartraWnd::ShowHoldMenu(CPoint point)
{
    const int entry = m_list.HitTest(point);
    SetHighlight(entry);
    HMENU menu = ::CreatePopupMenu();
    if (!menu)
        return;
    const UINT onEntry = entry >= 0 ? MF_STRING : MF_STRING | MF_GRAYED;
    ::AppendMenuW(menu, onEntry, kLaunch, L"Launch");
    ::AppendMenuW(menu, onEntry, kRemove, L"Remove");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, kAdd, L"Add...");
    ::AppendMenuW(menu, MF_STRING, kImportDefault, L"Import Default Folders...");
    ::AppendMenuW(menu, MF_STRING, kImportNew, L"Import New Apps...");
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, 0, m_hWnd, nullptr);
    ::DestroyMenu(menu);
}

LRESULT CStartraWnd::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case kRemove:
        if (m_list.RemoveAt(m_nHighlight)) {
            m_nHighlight = -1;
            ListChanged(FALSE);
        }
        return 0;
    case kLaunch:
        LaunchEntry(m_nHighlight);
        return 0;
    case kAdd:
        AddFromFileDialog();
        return 0;
    case kImportDefault:
        if (::MessageBoxW(m_hWnd, L"Do you want to import all installed program in default folders?",
                          L"Import Default Folders", MB_YESNO | MB_ICONQUESTION) == IDYES)
            Import(TRUE);
        return 0;
    case kImportNew:
        if (::MessageBoxW(m_hWnd, L"Do you want to import Only New program in default folders?", L"Import New Apps",
                          MB_YESNO | MB_ICONQUESTION) == IDYES)
            Import(FALSE);
        return 0;
    }
    return CApplet::OnCommand(id, code);
}

void CStartraWnd::AddFromFileDialog()
{
    CFileDialog dialog;
    dialog.SetDialogInfo(m_hWnd);
    dialog.SetSelectOption(CFileTreeCtrl::kSelectFile);
    dialog.AddExt(L"exe");
    dialog.AddExt(L"lnk");
    dialog.SetCurrentFolder(g_lastFolder);
    if (dialog.DoModal() != IDOK)
        return;
    LPCWSTR chosen = dialog.GetSelection();
    if (!chosen || !*chosen || !m_list.Add(chosen))
        return;
    // The folder, kept for the next time.
    const wchar_t* slash = wcsrchr(chosen, L'\\');
    if (slash && slash > chosen && static_cast<size_t>(slash - chosen) < MAX_PATH) {
        wcsncpy(g_lastFolder, chosen, static_cast<size_t>(slash - chosen));
        g_lastFolder[slash - chosen] = L'\0';
    }
    ListChanged(FALSE);
}

void CStartraWnd::Import(BOOL fresh)
{
    m_list.ImportDefault(fresh);
    m_list.Save();
    m_nHighlight = -1;
    ListChanged(TRUE);
}

// The icon cache drew the old list: for a list kept only in memory the
// programs' own icons are drawn until the options program builds the
// cache again; a list written to its file gets its cache rebuilt with it.
void CStartraWnd::ListChanged(BOOL rebuildCache)
{
    m_list.DropIconCache();
    wchar_t cache[MAX_PATH];
    if (rebuildCache && FilePath(kIconCache, cache) && m_list.WriteIconCache(cache)) {
        CClientDC reference(m_hWnd);
        m_list.LoadIconCache(reference, cache);
    }
    Layout(TRUE);
}
