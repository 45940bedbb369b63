// The loan calculator's dialogs, each full screen over the side bar and
// made from the applet library's own templates (mortivo.rc):
//
//   CLoanSummaryDialog   "Loan Summary": the loan's figures
//   CAmortizationDialog  "Principal and Interest": the graph of the yearly
//                        split of the payments and the month-by-month list
//   CSaveReportDialog    "Save to compare": the result added to the report
//                        file there is, or written to a new one
#pragma once

#include <windows.h>

#include <calvint.h>

#include "loan_math.h"
#include "loan_report.h"
#include "resource.h"

class CMortivoWnd;

class CLoanSummaryDialog : public CDialog {
public:
    enum { kTemplate = IDD_LOAN_SUMMARY };
    explicit CLoanSummaryDialog(const SLoanResult& loan) : m_loan(loan) {}

    BOOL OnInitDialog() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    SLoanResult m_loan;
};

class CAmortizationDialog : public CDialog {
public:
    enum { kTemplate = IDD_LOAN_AMORTIZATION };
    enum { kMonthColumn = 40, kPartColumn = 72 };
    explicit CAmortizationDialog(const SLoanResult& loan) : m_loan(loan) {}
    ~CAmortizationDialog() override;

    // Registers the list's window class before the dialog is made.  The
    // common-control library is loaded here, not with the applet: the bar
    // loads the applet at every switch to it, and the library's start and
    // end would be paid each time.
    static bool LoadListClass();

    BOOL OnInitDialog() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FillList(HWND list);
    void Paint();

    SLoanResult m_loan;
    SMonthPart* m_pSchedule = nullptr;  // while the dialog is open
    CBitmapDC m_graph;
    POINT m_graphAt = {};
};

class CSaveReportDialog : public CDialog {
public:
    enum { kTemplate = IDD_LOAN_SAVE };
    explicit CSaveReportDialog(CMortivoWnd* applet) : m_pApplet(applet) {}

    BOOL OnInitDialog() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void AddToFile();
    void MakeNewFile();
    void OpenAndClose();

    CMortivoWnd* m_pApplet;
};
