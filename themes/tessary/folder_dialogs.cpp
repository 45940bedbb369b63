// CFolderSelectDialog and CFolderListDialog: the theme folders picked and
// organised.
#include <tskdialogs.h>

#include <commctrl.h>
#include <strsafe.h>

#include "dialog_layout.h"
#include "tessary_private.h"

namespace {

constexpr DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                             TVS_LINESATROOT | TVS_DISABLEDRAGDROP;
const wchar_t kStartFolder[] = L"\\My Documents";

} // namespace

// ---- CFolderSelectDialog ------------------------------------------------------

CFolderSelectDialog::CFolderSelectDialog()
{
    StringCchCopyW(m_szFolder, MAX_PATH, kStartFolder);
    m_tree.SetSelectOption(CFileTreeCtrl::kSelectFolder);
}

void CFolderSelectDialog::SetDialogInfo(HWND owner)
{
    CDialog::SetDialogInfo(kTemplate, owner, FALSE, TessaryModule());
}

void CFolderSelectDialog::SetFolder(LPCWSTR folder)
{
    if (folder && *folder)
        StringCchCopyW(m_szFolder, MAX_PATH, folder);
}

BOOL CFolderSelectDialog::OnInitDialog()
{
    PlaceDialog(m_hWnd, 210, 212);
    m_tree.Create(kTreeStyle, CRect(2, 2, 208, 184), this, kTreeId);
    m_tree.Expand(m_szFolder);
    PlaceItem(m_hWnd, IDCANCEL, 150, 188, 56, 20);
    ShowCaptionOk(m_hWnd);
    return TRUE;
}

LRESULT CFolderSelectDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == CFileTreeCtrl::kSelectionMessage) {
        if (m_tree.GetFolder()[0])
            StringCchCopyW(m_szFolder, MAX_PATH, m_tree.GetFolder());
        return 0;
    }
    return CDialog::OnMessage(message, wParam, lParam);
}

LRESULT CFolderSelectDialog::OnNotify(WPARAM wParam, LPARAM lParam)
{
    if (static_cast<int>(wParam) == kTreeId)
        return m_tree.OnNotify(kTreeId, reinterpret_cast<NMHDR*>(lParam));
    return CDialog::OnNotify(wParam, lParam);
}

LRESULT CFolderSelectDialog::OnCommand(UINT id, UINT code)
{
    if (id == IDOK) {
        if (::MessageBoxW(m_hWnd, L"Do you want to add this foder to favorites?", L"Add Favorite",
                          MB_YESNO | MB_ICONQUESTION) == IDYES &&
            !AddTskCustomFolder(m_szFolder))
            ::MessageBoxW(m_hWnd, L"Favorite List reached its maximum(16). Remove folders, then Try Again.",
                          L"Message", MB_OK | MB_ICONINFORMATION);
        EndDialog(IDOK);
        return 0;
    }
    return CDialog::OnCommand(id, code);
}

// ---- CFolderListDialog ------------------------------------------------------------

void CFolderListDialog::SetDialogInfo(HWND owner)
{
    CDialog::SetDialogInfo(kTemplate, owner, FALSE, TessaryModule());
}

BOOL CFolderListDialog::OnInitDialog()
{
    PlaceDialog(m_hWnd, 210, 200);
    PlaceItem(m_hWnd, kListId, 2, 2, 206, 168);
    PlaceItem(m_hWnd, kAddId, 2, 175, 64, 20);
    PlaceItem(m_hWnd, kDeleteId, 72, 175, 64, 20);
    PlaceItem(m_hWnd, IDCANCEL, 144, 175, 64, 20);

    HWND list = GetDlgItem(kListId);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 200;
    column.pszText = const_cast<LPWSTR>(L"Folder");
    ListView_InsertColumn(list, 0, &column);

    WCHAR folders[kMaxTskFolders][MAX_PATH];
    int count = 0;
    if (GetTskFolders(folders, &count))
        for (int i = 0; i < count; ++i)
            AddRow(folders[i]);
    ShowCaptionOk(m_hWnd);
    return TRUE;
}

int CFolderListDialog::RowCount() const
{
    return ListView_GetItemCount(GetDlgItem(kListId));
}

void CFolderListDialog::AddRow(LPCWSTR folder)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = RowCount();
    item.pszText = const_cast<LPWSTR>(folder);
    ListView_InsertItem(GetDlgItem(kListId), &item);
}

BOOL CFolderListDialog::HasRow(LPCWSTR folder) const
{
    for (int row = 0; row < RowCount(); ++row) {
        WCHAR text[MAX_PATH] = L"";
        ListView_GetItemText(GetDlgItem(kListId), row, 0, text, MAX_PATH);
        if (wcscmp(text, folder) == 0)
            return TRUE;
    }
    return FALSE;
}

// Rows past the sixteenth cannot be there: adding stops at sixteen.
void CFolderListDialog::Store()
{
    WCHAR folders[kMaxTskFolders][MAX_PATH];
    int count = 0;
    for (int row = 0; row < RowCount() && count < kMaxTskFolders; ++row, ++count) {
        folders[count][0] = L'\0';
        ListView_GetItemText(GetDlgItem(kListId), row, 0, folders[count], MAX_PATH);
    }
    SetTskCustomFolders(folders, count);  // no rows: nothing is stored
}

LRESULT CFolderListDialog::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case kAddId: {
        CFolderSelectDialog select;
        select.SetDialogInfo(m_hWnd);
        if (select.DoModal() == IDOK && RowCount() < kMaxTskFolders && !HasRow(select.GetFolder()))
            AddRow(select.GetFolder());
        return 0;
    }
    case kDeleteId: {
        const int row = ListView_GetNextItem(GetDlgItem(kListId), -1, LVNI_SELECTED);
        if (row >= 0)
            ListView_DeleteItem(GetDlgItem(kListId), row);
        return 0;
    }
    case IDOK:
        Store();
        EndDialog(IDOK);
        return 0;
    default:
        return CDialog::OnCommand(id, code);
    }
}
