// The loan calculator's window: the term list, the amount, rate and
// monthly payment boxes and the skin's keypad.  Either the amount or the
// payment is the input and the other, disabled, is computed at once;
// TOGGLE swaps the two.  SUMMARY, GRAPH and SAVE open the loan's summary,
// its amortization and its HTML report.  Its skin is "LoanSkin.xml" beside
// the library.
#pragma once

#include <windows.h>

#include <calvint.h>

#include "loan_report.h"

class CMortivoWnd : public CCalcWnd {
public:
    // Command ids of the boxes.
    enum : UINT {
        IDC_TERM = 7700,
        IDC_AMOUNT = 7701,
        IDC_RATE = 7702,
        IDC_PAYMENT = 7703,
    };
    // Messages of its own: a new report name (lParam, the text; from this
    // thread only), and the report to be opened in the browser.
    enum : UINT { WM_LOAN_REPORT_NAME = 1638, WM_LOAN_OPEN_REPORT = 1639 };
    static constexpr const wchar_t* kConfigSection = L"Applets\\Loan";
    static constexpr double kDefaultAmount = 200000.0;
    static constexpr double kDefaultRate = 6.125;

    CMortivoWnd();

    int OnClicked(CButton* button, CPoint point) override;
    int OnLoadSkinDone() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The loan as the boxes show it now.
    SLoanResult Result() const;
    const wchar_t* ReportName() const { return m_szReportName; }
    // The report's path in the documents folder; false when there is none.
    bool ReportFile(wchar_t* path) const;

private:
    void LoadSettings() override;
    void SaveSettings() override;
    // The box the keypad types into: the amount, rate or payment box that
    // has the focus, else the input box of the two amounts.
    CNumEdit& KeyTarget() override;
    CNumEdit& InputBox() { return m_bPaymentIsOutput ? m_amount : m_payment; }
    CNumEdit& OutputBox() { return m_bPaymentIsOutput ? m_payment : m_amount; }
    void Recompute() override;
    void Toggle();
    void Save();
    void OpenReport();
    void SetReportName(const wchar_t* name);

    int m_nTerm;
    double m_dAmount;
    double m_dRate;
    double m_dPayment;
    bool m_bPaymentIsOutput;
    bool m_bRecomputing;
    wchar_t m_szReportName[kReportNameLength];
    CComboBox m_term;
    CNumEdit m_amount;
    CNumEdit m_rate;
    CNumEdit m_payment;
};
