// The loan calculator's window.
#include "mortivo_wnd.h"

#include <aygshell.h>
#include <ketra_host.h>
#include <strsafe.h>

#include "loan_dialogs.h"
#include "loan_math.h"

namespace {

const wchar_t kClassName[] = L"Mortivo";
const wchar_t kSkinFile[] = L"LoanSkin.xml";
const wchar_t kBrowserClass[] = L"IExplore";
const wchar_t kBrowserKey[] = L"Software\\Microsoft\\Internet Explorer\\Main";
const DWORD kBrowserEndMs = 3000;

// Ends the browser's process and waits (a little) until it has gone, so
// that the report opens in a browser of its own rather than in the
// window of one that is on its way out.
void EndBrowser()
{
    HWND browser = ::FindWindowW(kBrowserClass, nullptr);
    if (!browser)
        return;
    DWORD processId = 0;
    ::GetWindowThreadProcessId(browser, &processId);
    HANDLE process = processId ? ::OpenProcess(SYNCHRONIZE, FALSE, processId) : nullptr;
    CSH::KillApp(browser);
    if (process) {
        ::WaitForSingleObject(process, kBrowserEndMs);
        ::CloseHandle(process);
    }
}

}  // namespace

CMortivoWnd::CMortivoWnd()
    : CCalcWnd(kClassName, kSkinFile), m_nTerm(kDefaultTermIndex), m_dAmount(kDefaultAmount),
      m_dRate(kDefaultRate), m_dPayment(0), m_bPaymentIsOutput(true), m_bRecomputing(false), m_szReportName()
{
    StringCchCopyW(m_szReportName, kReportNameLength, kDefaultReportName);
}

void CMortivoWnd::LoadSettings()
{
    CAppConfig config;
    if (!config.Open(kConfigSection))
        return;
    DWORD term = kDefaultTermIndex;
    if (config.GetDWORD(L"term", &term))
        m_nTerm = TermIndexOrDefault(term < (DWORD)kTermCount ? (int)term : -1);
    config.GetDOUBLE(L"amt", &m_dAmount);
    config.GetDOUBLE(L"tax", &m_dRate);
    wchar_t name[kReportNameLength] = L"";
    DWORD size = kReportNameLength;
    if (config.GetAt(L"html", name, &size))
        SetReportName(name);
}

void CMortivoWnd::SaveSettings()
{
    CAppConfig config;
    if (!config.Open(kConfigSection))
        return;
    config.SetDWORD(L"term", (DWORD)m_nTerm);
    config.SetDOUBLE(L"amt", m_dAmount);
    config.SetDOUBLE(L"tax", m_dRate);
    config.SetAt(L"html", m_szReportName);
}

// A name that cannot make a report file (empty, a character a file name
// cannot hold, too long a path) is not taken.
void CMortivoWnd::SetReportName(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = L"";
    if (!::SHGetDocumentsFolder(L"\\", folder))
        folder[0] = L'\0';
    wchar_t path[MAX_PATH];
    if (name && ReportPath(folder, name, path))
        StringCchCopyW(m_szReportName, kReportNameLength, name);
}

bool CMortivoWnd::ReportFile(wchar_t* path) const
{
    path[0] = L'\0';
    wchar_t folder[MAX_PATH];
    return ::SHGetDocumentsFolder(L"\\", folder) && ReportPath(folder, m_szReportName, path);
}

int CMortivoWnd::OnLoadSkinDone()
{
    const SCalcBox boxes[] = {
        {L"COMBOBOX", L"COMBO_TERM", &m_term, IDC_TERM},
        {L"EDIT", L"EDIT_AMT", &m_amount, IDC_AMOUNT},
        {L"EDIT", L"EDIT_RATE", &m_rate, IDC_RATE},
        {L"EDIT", L"EDIT_PNI", &m_payment, IDC_PAYMENT},
    };
    if (!CreateBoxes(boxes, ARRAYSIZE(boxes)))
        return 0;
    for (const SCalcBox& box : boxes) {
        if (!box.wnd->GetSafeHwnd())
            return 0;  // the loan needs all four
    }
    m_bRecomputing = true;  // no recompute before every box is filled
    for (const wchar_t* term : kTermTexts)
        m_term.AddString(term);
    m_term.SetCurSel(m_nTerm);
    m_amount.SetText(m_dAmount, 2);
    m_rate.SetText(m_dRate, 3);
    m_payment.Clear();
    m_payment.DisableWindow();
    m_bRecomputing = false;
    m_bPaymentIsOutput = true;
    ::SetFocus(m_amount);
    Recompute();
    return 1;
}

SLoanResult CMortivoWnd::Result() const
{
    return SLoanResult{m_dAmount, TermYears(m_nTerm), m_dRate, m_dPayment};
}

void CMortivoWnd::Recompute()
{
    if (m_bRecomputing)
        return;
    m_bRecomputing = true;
    const int years = TermYears(m_nTerm);
    m_dRate = ReadNumber(m_rate.GetText());
    if (m_bPaymentIsOutput) {
        m_dAmount = ReadNumber(m_amount.GetText());
        m_dPayment = LoanPayment(m_dAmount, m_dRate, years);
        m_payment.SetText(m_dPayment, 2);
    } else {
        m_dPayment = ReadNumber(m_payment.GetText());
        m_dAmount = LoanPrincipal(m_dRate, years, m_dPayment);
        m_amount.SetText(m_dAmount, 2);
    }
    m_bRecomputing = false;
}

CNumEdit& CMortivoWnd::KeyTarget()
{
    HWND focus = ::GetFocus();
    if (focus == m_rate.GetSafeHwnd())
        return m_rate;
    // The output box is disabled; a key never goes there, where the next
    // recompute would overwrite it.
    return InputBox();
}

void CMortivoWnd::Toggle()
{
    CNumEdit& formerInput = InputBox();
    CNumEdit& formerOutput = OutputBox();
    m_bPaymentIsOutput = !m_bPaymentIsOutput;
    formerOutput.EnableWindow();
    ::SetFocus(formerOutput);
    formerInput.DisableWindow();
    Recompute();
}

int CMortivoWnd::OnClicked(CButton* button, CPoint point)
{
    if (button && button->IsEqual(L"TOGGLE")) {
        Toggle();
        return 1;
    }
    if (button && button->IsEqual(L"SUMMARY")) {
        CLoanSummaryDialog dialog(Result());
        dialog.SetDialogInfo(CLoanSummaryDialog::kTemplate, m_hWnd, TRUE, m_hModule);
        dialog.DoModal();
        return 1;
    }
    if (button && button->IsEqual(L"GRAPH")) {
        if (!CAmortizationDialog::LoadListClass()) {
            CWnd::WriteLog(L"Error");  // no list to show the months in
            return 1;
        }
        CAmortizationDialog dialog(Result());
        dialog.SetDialogInfo(CAmortizationDialog::kTemplate, m_hWnd, TRUE, m_hModule);
        dialog.DoModal();
        return 1;
    }
    if (button && button->IsEqual(L"SAVE")) {
        Save();
        return 1;
    }
    return CCalcWnd::OnClicked(button, point);
}

void CMortivoWnd::Save()
{
    wchar_t path[MAX_PATH];
    if (!ReportFile(path))
        return;
    if (::GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES) {
        if (WriteNewReport(path, LoanReportTable(Result())))
            OpenReport();
        return;
    }
    CSaveReportDialog dialog(this);
    dialog.SetDialogInfo(CSaveReportDialog::kTemplate, m_hWnd, TRUE, m_hModule);
    dialog.DoModal();
}

void CMortivoWnd::OpenReport()
{
    CRegistry browserSettings;
    if (browserSettings.Open(HKEY_CURRENT_USER, kBrowserKey, FALSE, TRUE))
        browserSettings.WriteDWORD(L"Show_URLToolBar", 0);
    EndBrowser();
    ::SendMessageW(::GetParent(m_hWnd), WM_KETRA_CLOSE, 0, 0);
    wchar_t path[MAX_PATH];
    if (ReportFile(path))
        CSH::Execute(path);
}

LRESULT CMortivoWnd::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case IDC_TERM:
        return TakeListChoice(m_term, m_nTerm);  // the list holds just the terms
    case IDC_AMOUNT:
    case IDC_RATE:
    case IDC_PAYMENT:
        // The computed box changes by the recompute, not by typing.
        if (::GetDlgItem(m_hWnd, id) == OutputBox().GetSafeHwnd())
            return 0;
        return TakeTyping(code);
    }
    return CCalcWnd::OnCommand(id, code);
}

LRESULT CMortivoWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LOAN_REPORT_NAME:
        // The text is read only from this thread's own dialogs: another
        // program's pointer means nothing here.
        if (::InSendMessageEx(nullptr) == ISMEX_NOSEND)
            SetReportName(reinterpret_cast<const wchar_t*>(lParam));
        return 0;
    case WM_LOAN_OPEN_REPORT:
        OpenReport();
        return 0;
    }
    return CCalcWnd::OnMessage(message, wParam, lParam);
}
