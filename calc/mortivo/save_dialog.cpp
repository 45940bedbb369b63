// "Save to compare": the result goes on top of the report file there is,
// or into a new file of the name typed.
#include <windows.h>
#include <aygshell.h>
#include <strsafe.h>

#include "loan_dialogs.h"
#include "mortivo_wnd.h"

namespace {

const wchar_t kReplaceQuestion[] = L"The file exists. Do you want to replace it?";
const wchar_t kReplaceTitle[] = L"Warning";

}  // namespace

BOOL CSaveReportDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    wchar_t file[kReportNameLength + 8];
    StringCchPrintfW(file, ARRAYSIZE(file), L"%ls.html", m_pApplet->ReportName());
    SetDlgItemTextW(IDC_SAVE_FILE, file);
    // A name takes no more than the path has room for.
    wchar_t folder[MAX_PATH] = L"";
    ::SHGetDocumentsFolder(L"\\", folder);
    const int room = MAX_PATH - 1 - (int)wcslen(folder) - (int)wcslen(L"\\.html");
    SendDlgItemMessageW(IDC_SAVE_NAME, EM_LIMITTEXT, (WPARAM)(room > 1 ? room : 1));
    return TRUE;
}

LRESULT CSaveReportDialog::OnCommand(UINT id, UINT code)
{
    if (id == IDC_SAVE_ADD && code == BN_CLICKED) {
        AddToFile();
        return 1;
    }
    if (id == IDC_SAVE_NEW && code == BN_CLICKED) {
        MakeNewFile();
        return 1;
    }
    return CDialog::OnCommand(id, code);
}

LRESULT CSaveReportDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PaintDialogTitle(m_hWnd);
        return 1;
    }
    return CDialog::OnMessage(message, wParam, lParam);
}

// A report that cannot be read is left as it is (and shown as it is).
void CSaveReportDialog::AddToFile()
{
    wchar_t path[MAX_PATH];
    if (m_pApplet->ReportFile(path))
        AddToReport(path, LoanReportTable(m_pApplet->Result()));
    OpenAndClose();
}

// A name that cannot make a file keeps the dialog open, the name selected
// to be typed again; so does declining to replace a file.
void CSaveReportDialog::MakeNewFile()
{
    wchar_t name[kReportNameLength] = L"";
    GetDlgItemTextW(IDC_SAVE_NAME, name, kReportNameLength);
    wchar_t folder[MAX_PATH] = L"", path[MAX_PATH];
    if (!::SHGetDocumentsFolder(L"\\", folder) || !ReportPath(folder, name, path)) {
        HWND box = GetDlgItem(IDC_SAVE_NAME);
        ::SetFocus(box);
        ::SendMessageW(box, EM_SETSEL, 0, -1);
        return;
    }
    ::SendMessageW(*m_pApplet, CMortivoWnd::WM_LOAN_REPORT_NAME, 0, (LPARAM)name);
    if (::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES &&
        ::MessageBoxW(m_hWnd, kReplaceQuestion, kReplaceTitle, MB_YESNO) != IDYES)
        return;
    // Written whole or not at all: a failed write keeps the file there was.
    WriteNewReport(path, LoanReportTable(m_pApplet->Result()));
    OpenAndClose();
}

void CSaveReportDialog::OpenAndClose()
{
    ::SendMessageW(*m_pApplet, CMortivoWnd::WM_LOAN_OPEN_REPORT, 0, 0);
    EndDialog(IDOK);
}
