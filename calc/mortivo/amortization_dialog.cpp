// "Principal and Interest": the graph of each year's split of the payments
// and the list of every month's.
#include <windows.h>
#include <commctrl.h>
#include <strsafe.h>

#include "loan_dialogs.h"
#include "loan_graph.h"

namespace {

const int kGap = 6;

// "%.2f", grouped.
void Money(double value, wchar_t* out)
{
    PrintDouble(value, 2, out);
    AddComma(out);
}

void AddColumn(HWND list, int index, const wchar_t* title, int width, int format)
{
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(title);
    ::SendMessageW(list, LVM_INSERTCOLUMNW, (WPARAM)index, (LPARAM)&column);
}

}  // namespace

bool CAmortizationDialog::LoadListClass()
{
    // Once loaded the library stays, as the framework's does: a window of
    // its classes must never outlive its code.
    HMODULE library = ::GetModuleHandleW(L"comctl32.dll");
    if (!library)
        library = ::LoadLibraryW(L"comctl32.dll");
    using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = library ? reinterpret_cast<InitFunction>(
                                    reinterpret_cast<void*>(::GetProcAddress(library, "InitCommonControlsEx")))
                              : nullptr;
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    return init && init(&controls);
}

CAmortizationDialog::~CAmortizationDialog()
{
    delete[] m_pSchedule;
}

BOOL CAmortizationDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_pSchedule = LoanSchedule(m_loan.amount, m_loan.rate, m_loan.years);
    if (!m_pSchedule)
        CWnd::WriteLog(L"Error");  // an empty graph and list are shown

    // The graph: drawn once into its own picture.
    SGraphBar bars[kMaxYears];
    int count = 0;
    if (m_pSchedule) {
        SMonthPart totals[kMaxYears];
        YearlyTotals(m_pSchedule, m_loan.years, totals);
        count = GraphBars(totals, m_loan.years, bars);
    }
    HDC screen = ::GetDC(m_hWnd);
    m_graph.CreateDCW(screen, kGraphWidth, kGraphHeight);
    ::ReleaseDC(m_hWnd, screen);
    DrawLoanGraph(m_graph, bars, count);

    // The graph centred below the title, the list below it to the bottom.
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int graphTop = kDialogTitleHeight + kGap;
    ::MoveWindow(GetDlgItem(IDC_GRAPH), (client.right - kGraphWidth) / 2, graphTop, kGraphWidth, kGraphHeight, FALSE);
    // The list across the dialog: its columns and scroll bar fit with room
    // to spare (the scroll bar takes its own width out of the client area).
    HWND list = GetDlgItem(IDC_SCHEDULE);
    const int listTop = graphTop + kGraphHeight + kGap;
    ::MoveWindow(list, kGap, listTop, client.right - 2 * kGap, client.bottom - kGap - listTop, FALSE);
    FillList(list);
    return TRUE;
}

void CAmortizationDialog::FillList(HWND list)
{
    ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    AddColumn(list, 0, L"Mo/Yr", kMonthColumn, LVCFMT_LEFT);
    AddColumn(list, 1, L"Principal", kPartColumn, LVCFMT_RIGHT);
    AddColumn(list, 2, L"Interest", kPartColumn, LVCFMT_RIGHT);
    if (!m_pSchedule)
        return;
    SYSTEMTIME today;
    ::GetLocalTime(&today);
    const int months = m_loan.years * 12;
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, LVM_SETITEMCOUNT, (WPARAM)months, 0);
    for (int i = 0; i < months; ++i) {
        wchar_t label[16], principal[kNumberTextLength], interest[kNumberTextLength];
        MonthLabel(today.wMonth, today.wYear, i, label, ARRAYSIZE(label));
        Money(m_pSchedule[i].principal, principal);
        Money(m_pSchedule[i].interest, interest);
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = label;
        const int row = (int)::SendMessageW(list, LVM_INSERTITEMW, 0, (LPARAM)&item);
        if (row < 0)
            break;
        item.iItem = row;
        item.iSubItem = 1;
        item.pszText = principal;
        ::SendMessageW(list, LVM_SETITEMTEXTW, (WPARAM)row, (LPARAM)&item);
        item.iSubItem = 2;
        item.pszText = interest;
        ::SendMessageW(list, LVM_SETITEMTEXTW, (WPARAM)row, (LPARAM)&item);
    }
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
}

LRESULT CAmortizationDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        PaintDialogTitle(m_hWnd);
        return 1;
    case WM_DRAWITEM: {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (wParam != IDC_GRAPH || !draw)
            break;
        ::BitBlt(draw->hDC, 0, 0, kGraphWidth, kGraphHeight, m_graph, 0, 0, SRCCOPY);
        return 1;
    }
    }
    return CDialog::OnMessage(message, wParam, lParam);
}
