#include "phrasel_frame.h"

#include <aygshell.h>
#include <line_file.h>

#include "resource.h"

namespace {

const wchar_t kCannedFile[] = L"Phrasel.txt";

bool CannedPath(wchar_t* path)
{
    return LineFile::BesideModule(nullptr, kCannedFile, path, MAX_PATH);
}

}  // namespace

// Full screen below the task bar, with the task bar's "ok".
BOOL CPhraselFrame::CreateFrame()
{
    return CreateEx(WS_EX_CAPTIONOKBTN, PHRASEL_CLASS, PHRASEL_TITLE, WS_VISIBLE | WS_BORDER, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr);
}

void CPhraselFrame::OnCreate()
{
    wchar_t path[MAX_PATH];
    std::vector<std::wstring> entries;
    if (CannedPath(path))
        LineFile::Read(path, CCannedList::kMaxEntries, CCannedList::kMaxChars, &entries);
    m_list.Load(entries);
    // The menu bar shortens the window; the dialog follows through WM_SIZE.
    CreateCommandBar(IDR_PHRASEL_MENUBAR);
    m_dialog.SetDialogInfo(IDD_PHRASEL, m_hWnd);
    m_dialog.OpenDialog();
}

void CPhraselFrame::OnDestroy()
{
    Save();
    m_dialog.EndDialog();
    CWnd::OnDestroy();
}

void CPhraselFrame::Save()
{
    if (m_saved)
        return;
    m_saved = true;
    wchar_t path[MAX_PATH];
    if (CannedPath(path))
        LineFile::Write(path, m_list.Entries(), CCannedList::kMaxEntries);
}

void CPhraselFrame::SayLimit()
{
    ::MessageBoxW(m_hWnd, L"Maximum 10 for My Text", L"Message", MB_OK);
}

LRESULT CPhraselFrame::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case ID_PHRASEL_ABOUT:
        ::MessageBoxW(m_hWnd, L"My Text\r\n\r\nUp to ten short texts for the SMS Sender.", L"About", MB_OK);
        return 0;
    case IDOK:
    case IDCANCEL:
        Save();
        DestroyWindow();
        return 0;
    }
    return CWnd::OnCommand(id, code);
}

LRESULT CPhraselFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        Save();
        break;  // the default procedure destroys the window
    case WM_SIZE:
        if (m_dialog.GetSafeHwnd())
            m_dialog.MoveWindow(0, 0, LOWORD(lParam), HIWORD(lParam));
        break;
    }
    return CWnd::OnMessage(message, wParam, lParam);
}

// ---- the dialog --------------------------------------------------------------

BOOL CPhraselDialog::OnInitDialog()
{
    // One line of at most what the SMS sender reads back.
    SendDlgItemMessageW(IDC_PHRASEL_EDIT, EM_LIMITTEXT, CCannedList::kMaxChars);
    const CCannedList& list = m_pFrame->List();
    for (const std::wstring& entry : list.Entries())
        SendDlgItemMessageW(IDC_PHRASEL_LIST, LB_ADDSTRING, 0, (LPARAM)entry.c_str());
    ShowEditing();
    return TRUE;
}

void CPhraselDialog::SetEditText(const std::wstring& text)
{
    m_ignoreChange = true;
    SetDlgItemTextW(IDC_PHRASEL_EDIT, text.c_str());
    m_ignoreChange = false;
}

// Selects the entry being edited and shows its text (nothing for none).
void CPhraselDialog::ShowEditing()
{
    const CCannedList& list = m_pFrame->List();
    int editing = list.Editing();
    SendDlgItemMessageW(IDC_PHRASEL_LIST, LB_SETCURSEL, (WPARAM)editing);
    SetEditText(editing >= 0 ? list.Entries()[(size_t)editing] : L"");
    m_limitShown = false;
}

void CPhraselDialog::NewEntry()
{
    if (!m_pFrame->List().New()) {
        m_pFrame->SayLimit();
        return;
    }
    SendDlgItemMessageW(IDC_PHRASEL_LIST, LB_ADDSTRING, 0, (LPARAM)L"");
    ShowEditing();
    ::SetFocus(GetDlgItem(IDC_PHRASEL_EDIT));
}

void CPhraselDialog::DeleteEntry()
{
    CCannedList& list = m_pFrame->List();
    int editing = list.Editing();
    if (!list.Delete())
        return;
    SendDlgItemMessageW(IDC_PHRASEL_LIST, LB_DELETESTRING, (WPARAM)editing);
    ShowEditing();
}

void CPhraselDialog::EditChanged()
{
    wchar_t text[CCannedList::kMaxChars + 1] = {};
    GetDlgItemTextW(IDC_PHRASEL_EDIT, text, CCannedList::kMaxChars + 1);
    CCannedList& list = m_pFrame->List();
    int editing = list.Editing();
    switch (list.Typed(text)) {
    case CCannedList::kAdded:
        SendDlgItemMessageW(IDC_PHRASEL_LIST, LB_ADDSTRING, 0, (LPARAM)text);
        SendDlgItemMessageW(IDC_PHRASEL_LIST, LB_SETCURSEL, (WPARAM)list.Editing());
        break;
    case CCannedList::kReplaced:
        SendDlgItemMessageW(IDC_PHRASEL_LIST, LB_DELETESTRING, (WPARAM)editing);
        SendDlgItemMessageW(IDC_PHRASEL_LIST, LB_INSERTSTRING, (WPARAM)editing, (LPARAM)text);
        SendDlgItemMessageW(IDC_PHRASEL_LIST, LB_SETCURSEL, (WPARAM)editing);
        break;
    case CCannedList::kRefused:
        if (!m_limitShown) {
            m_limitShown = true;
            m_pFrame->SayLimit();
        }
        break;
    }
}

LRESULT CPhraselDialog::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case IDC_PHRASEL_LIST:
        if (code == LBN_SELCHANGE) {
            m_pFrame->List().Select((int)SendDlgItemMessageW(IDC_PHRASEL_LIST, LB_GETCURSEL));
            ShowEditing();
        }
        return TRUE;
    case IDC_PHRASEL_EDIT:
        if (code == EN_CHANGE && !m_ignoreChange)
            EditChanged();
        return TRUE;
    case IDC_PHRASEL_NEW:
        if (code == BN_CLICKED)
            NewEntry();
        return TRUE;
    case IDC_PHRASEL_DELETE:
        if (code == BN_CLICKED)
            DeleteEntry();
        return TRUE;
    case IDOK:
    case IDCANCEL:
        ::PostMessageW(m_pFrame->GetHWnd(), WM_COMMAND, MAKEWPARAM(id, code), 0);
        return TRUE;
    }
    return FALSE;
}

void CPhraselDialog::DrawButton(const DRAWITEMSTRUCT* item)
{
    const bool pressed = (item->itemState & ODS_SELECTED) != 0;
    HBRUSH face = ::CreateSolidBrush(pressed ? RGB(0, 0, 0) : RGB(212, 212, 212));
    ::FillRect(item->hDC, &item->rcItem, face);
    ::DeleteObject(face);
    UINT iconId = item->CtlID == IDC_PHRASEL_NEW ? IDI_PHRASEL_NEW : IDI_PHRASEL_DELETE;
    HICON icon = (HICON)::LoadImageW(CorGetInstance(), MAKEINTRESOURCEW(iconId), IMAGE_ICON, 16, 16, 0);
    if (icon) {
        int x = (item->rcItem.left + item->rcItem.right - 16) / 2;
        int y = (item->rcItem.top + item->rcItem.bottom - 16) / 2;
        ::DrawIconEx(item->hDC, x, y, icon, 16, 16, 0, nullptr, DI_NORMAL);
        ::DestroyIcon(icon);
    }
}

LRESULT CPhraselDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM:
        DrawButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        ::SetBkColor(reinterpret_cast<HDC>(wParam), RGB(0xFF, 0xFF, 0xFF));
        return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
    }
    return CDialog::OnMessage(message, wParam, lParam);
}
