// The loan calculator's window: the term list, the amount, rate and
// monthly payment boxes and the skin's keypad.  Either the amount or the
// payment is the input and the other, disabled, is computed at once;
// TOGGLE swaps the two.  SUMMARY, GRAPH and SAVE open the loan's summary,
// its amortization and its HTML report.
#pragma once

#include <windows.h>

#include <calvint.h>

#include "loan_report.h"

class CMortivoWnd : public CNumWnd {
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

    // Makes the window in the parent (the side bar), reads the stored loan
    // and loads the skin "LoanSkin.xml" beside the library.  0 (no window
    // left) when the skin cannot be loaded or holds a control this window
    // does not know.
    int Open(HWND parent, HINSTANCE module);

    void OnNumChar(wchar_t ch) override;
    void OnNumClear() override;
    int OnClicked(CButton* button, CPoint point) override;
    int OnLoadSkinDone() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

    // The loan as the boxes show it now.
    SLoanResult Result() const;
    const wchar_t* ReportName() const { return m_szReportName; }
    // The report's path in the documents folder; false when there is none.
    bool ReportFile(wchar_t* path) const;

private:
    void LoadSettings();
    void SaveSettings();
    // The box the keypad types into: the amount, rate or payment box that
    // has the focus, else the input box of the two amounts.
    CNumEdit& KeyTarget();
    CNumEdit& InputBox() { return m_bPaymentIsOutput ? m_amount : m_payment; }
    CNumEdit& OutputBox() { return m_bPaymentIsOutput ? m_payment : m_amount; }
    void Recompute();
    void Toggle();
    void Save();
    void OpenReport();
    void SetReportName(const wchar_t* name);

    HINSTANCE m_hModule;
    int m_nTerm;
    double m_dAmount;
    double m_dRate;
    double m_dPayment;
    bool m_bPaymentIsOutput;
    bool m_bRecomputing;
    bool m_bLoaded;  // the settings were shown: they are stored again on the way out
    wchar_t m_szReportName[kReportNameLength];
    CFont m_font;
    CComboBox m_term;
    CNumEdit m_amount;
    CNumEdit m_rate;
    CNumEdit m_payment;
};
