// CTskFileDialog: a theme file opened or saved from the theme folders.
#include <tskdialogs.h>

#include <commctrl.h>
#include <strsafe.h>
#include <wchar.h>

#include <initializer_list>

#include "dialog_layout.h"
#include "tessary_private.h"
#include "tsk_text.h"

namespace {

const int kNameCaptionId = 1009;
const int kFolderCaptionId = 1004;
const POINT kPreviewAt = {120, 60};
const SIZE kPreviewSize = {62, 80};
const RECT kListArea = {3, 50, 193, 190};  // 190 x 140
const int kNarrowListWidth = 100;
const int kNameColumn = 70;
const int kNarrowNameColumn = 98;
const int kModifiedColumn = 118;

void AddRow(HWND list, const wchar_t* name, const wchar_t* modified)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = ListView_GetItemCount(list);
    item.pszText = const_cast<LPWSTR>(name);
    const int row = ListView_InsertItem(list, &item);
    if (row >= 0)
        ListView_SetItemText(list, row, 1, const_cast<LPWSTR>(modified));
}

// The name without its last extension.
void TitleOf(const wchar_t* fileName, wchar_t* title, size_t cch)
{
    StringCchCopyW(title, cch, fileName);
    if (wchar_t* dot = wcsrchr(title, L'.'))
        *dot = L'\0';
}

} // namespace

CTskFileDialog::CTskFileDialog()
{
    m_szFileName[0] = L'\0';
    FormLibraryTempFiles(&m_temp, L"FileDlg.");
}

CTskFileDialog::~CTskFileDialog()
{
    m_temp.DeleteAll();
}

void CTskFileDialog::SetDialogInfo(HWND owner)
{
    CDialog::SetDialogInfo(kTemplate, owner, FALSE, TessaryModule());
}

int CTskFileDialog::DoOpenModal()
{
    return Run(false);
}

int CTskFileDialog::DoSaveModal()
{
    return Run(true);
}

int CTskFileDialog::Run(bool save)
{
    m_bSave = save;
    m_szFileName[0] = L'\0';
    if (!m_nTemplateId)
        SetDialogInfo(m_hWndParent);
    const INT_PTR result = CDialog::DoModal();
    m_temp.DeleteAll();
    return result == IDOK ? 1 : 0;
}

BOOL CTskFileDialog::OnInitDialog()
{
    PlaceDialog(m_hWnd, 196, 226);
    SetWindowTextW(m_bSave ? L"Save As" : L"Open");
    PlaceItem(m_hWnd, kNameCaptionId, 3, 6, 36, 16);
    PlaceItem(m_hWnd, kNameId, 40, 3, 153, 20);
    PlaceItem(m_hWnd, kFolderCaptionId, 3, 29, 36, 16);
    PlaceItem(m_hWnd, kFolderId, 40, 26, 153, 160);
    PlaceItem(m_hWnd, kDateCaptionId, 106, 146, 30, 16);
    PlaceItem(m_hWnd, kDateId, 136, 146, 58, 16);
    PlaceItem(m_hWnd, kSizeCaptionId, 106, 164, 30, 16);
    PlaceItem(m_hWnd, kSizeId, 136, 164, 58, 16);
    PlaceItem(m_hWnd, IDCANCEL, 141, 200, 52, 22);
    ::EnableWindow(GetDlgItem(kNameId), m_bSave ? TRUE : FALSE);

    HWND list = GetDlgItem(kListId);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_ONECLICKACTIVATE);
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = kNameColumn;
    column.pszText = const_cast<LPWSTR>(L"Name");
    ListView_InsertColumn(list, 0, &column);
    column.cx = kModifiedColumn;
    column.pszText = const_cast<LPWSTR>(L"Modified");
    ListView_InsertColumn(list, 1, &column);

    // The save mode leaves out the first folder, unless it is the only one.
    m_nFolders = 0;
    GetTskFolders(m_folders, &m_nFolders);
    m_nFirstListed = m_bSave && m_nFolders > 1 ? 1 : 0;
    HWND combo = GetDlgItem(kFolderId);
    for (int i = m_nFirstListed; i < m_nFolders; ++i)
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(m_folders[i]));
    // The second theme folder to start with.
    const int start = m_nFolders > 1 ? 1 - m_nFirstListed : 0;
    ::SendMessageW(combo, CB_SETCURSEL, start, 0);
    ListFolder(start);
    ShowPreview(false);
    {
        CClientDC reference(m_hWnd);
        m_preview.CreateDCW(reference, kPreviewSize.cx, kPreviewSize.cy);
    }
    ShowCaptionOk(m_hWnd);
    return TRUE;
}

void CTskFileDialog::ListFolder(int comboIndex)
{
    HWND list = GetDlgItem(kListId);
    ListView_DeleteAllItems(list);
    const int folder = comboIndex + m_nFirstListed;
    if (comboIndex < 0 || folder >= m_nFolders)
        return;
    if (!m_bSave && folder == 0) {
        AddRow(list, L"<default>", L"");
        AddRow(list, L"<current>", L"");
    }
    wchar_t pattern[MAX_PATH];
    if (FAILED(StringCchPrintfW(pattern, MAX_PATH, L"%ls\\*.tsk", m_folders[folder])))
        return;
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        wchar_t title[MAX_PATH];
        wchar_t modified[64];
        TitleOf(found.cFileName, title, MAX_PATH);
        if (!FormatFileTime(found.ftLastWriteTime, L"M/d/yyyy", L" HH':'mm", modified, 64))
            modified[0] = L'\0';
        AddRow(list, title, modified);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

bool CTskFileDialog::ChosenPath(wchar_t* path, size_t cch) const
{
    wchar_t name[MAX_PATH] = L"";
    GetDlgItemTextW(kNameId, name, MAX_PATH);
    if (!name[0])
        return false;
    if (IsSpecialThemeName(name))
        return SUCCEEDED(StringCchCopyW(path, cch, name));
    const int folder = static_cast<int>(::SendMessageW(GetDlgItem(kFolderId), CB_GETCURSEL, 0, 0)) + m_nFirstListed;
    if (folder < 0 || folder >= m_nFolders)
        return false;
    return SUCCEEDED(StringCchPrintfW(path, cch, L"%ls\\%ls.tsk", m_folders[folder], name));
}

void CTskFileDialog::RowSelected(int row)
{
    wchar_t name[MAX_PATH] = L"";
    ListView_GetItemText(GetDlgItem(kListId), row, 0, name, MAX_PATH);
    SetDlgItemTextW(kNameId, name);
    if (m_bSave)
        return;
    wchar_t path[MAX_PATH];
    CTskInfo info;
    if (!ChosenPath(path, MAX_PATH) || !ReadTheme(path, &info, m_temp.Paths())) {
        ShowPreview(false);
        return;
    }
    RECT all = {0, 0, kPreviewSize.cx, kPreviewSize.cy};
    ::FillRect(m_preview, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    DrawToday(m_preview, POINT{0, 0}, kPreviewSize, &info);

    wchar_t size[32] = L"";
    wchar_t date[32] = L"";
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!IsSpecialThemeName(path) && ::GetFileAttributesExW(path, GetFileExInfoStandard, &data)) {
        FormatKilobytes((static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow, L"", size, 32);
        FormatFileTime(data.ftLastWriteTime, L"M/d/yy", nullptr, date, 32);
    }
    SetDlgItemTextW(kSizeId, size);
    SetDlgItemTextW(kDateId, date);
    ShowPreview(true);
}

void CTskFileDialog::ShowPreview(bool show)
{
    m_bPreview = show;
    const int mode = show ? SW_SHOW : SW_HIDE;
    for (int id : {kDateId, kSizeId, kDateCaptionId, kSizeCaptionId})
        ::ShowWindow(GetDlgItem(id), mode);
    HWND list = GetDlgItem(kListId);
    ListView_SetColumnWidth(list, 0, show ? kNarrowNameColumn : kNameColumn);
    ::SetWindowPos(list, nullptr, kListArea.left, kListArea.top,
                   show ? kNarrowListWidth : kListArea.right - kListArea.left, kListArea.bottom - kListArea.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    RECT preview = {kPreviewAt.x, kPreviewAt.y, kPreviewAt.x + kPreviewSize.cx, kPreviewAt.y + kPreviewSize.cy};
    ::InvalidateRect(m_hWnd, &preview, TRUE);
}

void CTskFileDialog::Accept()
{
    wchar_t path[MAX_PATH];
    if (!ChosenPath(path, MAX_PATH))
        return;  // nothing named: the dialog stays
    if (m_bSave && ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES &&
        ::MessageBoxW(m_hWnd, L"The file already exists. Do you want to replace it?", L"Save As",
                      MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
        EndDialog(IDCANCEL);
        return;
    }
    StringCchCopyW(m_szFileName, MAX_PATH, path);
    EndDialog(IDOK);
}

LRESULT CTskFileDialog::OnCommand(UINT id, UINT code)
{
    if (id == IDOK) {
        Accept();
        return 0;
    }
    if (id == kFolderId && code == CBN_SELCHANGE) {
        ListFolder(static_cast<int>(::SendMessageW(GetDlgItem(kFolderId), CB_GETCURSEL, 0, 0)));
        ShowPreview(false);
        return 0;
    }
    return CDialog::OnCommand(id, code);
}

LRESULT CTskFileDialog::OnNotify(WPARAM wParam, LPARAM lParam)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (static_cast<int>(wParam) == kListId && header && header->code == LVN_ITEMCHANGED) {
        const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED))
            RowSelected(change->iItem);
        return 0;
    }
    return CDialog::OnNotify(wParam, lParam);
}

LRESULT CTskFileDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(m_hWnd, &paint);
        if (m_bPreview)
            m_preview.Draw(dc, kPreviewAt.x, kPreviewAt.y, kOpaqueCopy);
        ::EndPaint(m_hWnd, &paint);
        return 0;
    }
    case WM_DESTROY:
        m_temp.DeleteAll();
        break;
    }
    return CDialog::OnMessage(message, wParam, lParam);
}
