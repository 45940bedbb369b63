// "Loan Summary": the loan's figures, plain (no grouping).
#include <windows.h>
#include <strsafe.h>

#include "loan_dialogs.h"

BOOL CLoanSummaryDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    const double totalPaid = m_loan.years * m_loan.payment * 12;
    struct Field {
        int id;
        const wchar_t* format;
        double value;
    } fields[] = {
        {IDC_SUMMARY_AMOUNT, L"%.2f", m_loan.amount},
        {IDC_SUMMARY_RATE, L"%.3f %%", m_loan.rate},
        {IDC_SUMMARY_PAYMENT, L"%.2f", m_loan.payment},
        {IDC_SUMMARY_TOTAL, L"%.2f", totalPaid},
        {IDC_SUMMARY_INTEREST, L"%.2f", totalPaid - m_loan.amount},
    };
    wchar_t text[kNumberTextLength];
    for (const Field& field : fields) {
        StringCchPrintfW(text, kNumberTextLength, field.format, field.value);
        SetDlgItemTextW(field.id, text);
    }
    StringCchPrintfW(text, kNumberTextLength, L"%d Yrs", m_loan.years);
    SetDlgItemTextW(IDC_SUMMARY_TERM, text);
    return TRUE;
}

LRESULT CLoanSummaryDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PaintDialogTitle(m_hWnd);
        return 1;
    }
    return CDialog::OnMessage(message, wParam, lParam);
}
