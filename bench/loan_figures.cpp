// The loan calculator's figures, in a bar session of their own.
#include "loan_figures.h"

#include <commctrl.h>
#include <stdio.h>

#include <memory>
#include <vector>

#include <ketra_host.h>

#include "loan_math.h"
#include "watch.h"

namespace {

const DWORD kStartTimeoutMs = 20000;
const double kDialogTimeoutMs = 10000;
const wchar_t kSkinFile[] = L"\\Program Files\\ZARQ\\Ketra\\LoanSkin.xml";
const wchar_t kDialogTitle[] = L"Principal and Interest";
// The loan the calculator shows first: 200,000.00 at 6.125 % over 30 years.
const double kAmount = 200000.0, kRate = 6.125;
const int kYears = 30;

// The bar's menu command, timed until everything is painted.
bool Switch(HWND bar, int position, double* ms = nullptr)
{
    const double start = NowMs();
    if (!SwitchTo(bar, position))
        return false;
    if (ms)
        *ms = NowMs() - start;
    return true;
}

void Stylus(POINT at, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (LONG)(((2LL * at.x + 1) * 65536) / (2LL * GetSystemMetrics(SM_CXSCREEN)));
    input.mi.dy = (LONG)(((2LL * at.y + 1) * 65536) / (2LL * GetSystemMetrics(SM_CYSCREEN)));
    input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | flags;
    SendInput(1, &input, sizeof(input));
}

// The middle of the skin's GRAPH button, in the applet's coordinates.
bool GraphButton(POINT* centre)
{
    FILE* file = _wfopen(kSkinFile, L"rb");
    if (!file)
        return false;
    char text[8192];
    const size_t length = fread(text, 1, sizeof(text) - 1, file);
    fclose(file);
    text[length] = '\0';
    const char* button = strstr(text, "id=\"GRAPH\"");
    int x = 0, y = 0, w = 0, h = 0;
    if (!button || sscanf(button, "id=\"GRAPH\" x=\"%d\" y=\"%d\" w=\"%d\" h=\"%d\"", &x, &y, &w, &h) != 4)
        return false;
    *centre = {x + w / 2, y + h / 2};
    return true;
}

HWND ShownDialog()
{
    HWND dialog = FindWindowW(L"#32770", kDialogTitle);
    return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
}

void MeasureSwitching(HWND bar, const BenchPlaces& places, int runs, LoanFigures* out)
{
    // Each library once, untimed.
    Switch(bar, places.loanPosition);
    Switch(bar, places.appletBPosition);
    Switch(bar, places.appletAPosition);
    std::vector<double> loan, trivial;
    for (int i = 0; i < runs; ++i) {
        double ms = 0;
        if (!Switch(bar, places.loanPosition, &ms) || !FindWindowExW(bar, nullptr, L"Mortivo", nullptr)) {
            out->loanSwitch.problem = "the loan calculator was not shown after a switch";
            return;
        }
        loan.push_back(ms);
        Switch(bar, places.appletAPosition);
        if (!Switch(bar, places.appletBPosition, &ms)) {
            out->loanSwitch.problem = "the bar did not answer a menu command";
            return;
        }
        trivial.push_back(ms);
        Switch(bar, places.appletAPosition);
    }
    out->loanSwitch.ok = true;
    out->loanSwitch.measuredMs = MedianOf(loan);
    out->loanSwitch.baselineMs = MedianOf(trivial);
}

// Taps GRAPH; the time until the dialog is shown with nothing left to paint.
bool TimeDialog(HWND applet, POINT button, double* ms)
{
    RECT area = {};
    GetWindowRect(applet, &area);
    const POINT at = {area.left + button.x, area.top + button.y};
    Stylus(at, 0);
    Sleep(60);
    const double start = NowMs();
    Stylus(at, MOUSEEVENTF_LEFTDOWN);
    Stylus(at, MOUSEEVENTF_LEFTUP);
    HWND dialog = nullptr;
    while (!((dialog = ShownDialog()) && IsPainted(dialog)) && NowMs() - start < kDialogTimeoutMs)
        Sleep(0);
    *ms = NowMs() - start;
    if (!dialog)
        return false;
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    const double closing = NowMs();
    while (IsWindow(dialog) && NowMs() - closing < kDialogTimeoutMs)
        Sleep(1);
    return !IsWindow(dialog);
}

// The baseline: a window of the dialog's size holding a report list of the
// same columns and rows, made, filled and painted by this program.
double TimePlainList(const RECT& area, const SMonthPart* schedule)
{
    const double start = NowMs();
    HWND window = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, area.left, area.top,
                                  area.right - area.left, area.bottom - area.top, nullptr, nullptr, nullptr, nullptr);
    HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, 0, 100,
                                area.right - area.left, area.bottom - area.top - 100, window, nullptr, nullptr, nullptr);
    const wchar_t* titles[3] = {L"Mo/Yr", L"Principal", L"Interest"};
    const int widths[3] = {40, 72, 72};
    for (int c = 0; c < 3; ++c) {
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = widths[c];
        column.pszText = const_cast<wchar_t*>(titles[c]);
        SendMessageW(list, LVM_INSERTCOLUMNW, c, (LPARAM)&column);
    }
    SYSTEMTIME today;
    GetLocalTime(&today);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < kYears * 12; ++i) {
        wchar_t label[16], principal[32], interest[32];
        MonthLabel(today.wMonth, today.wYear, i, label, 16);
        _snwprintf(principal, 32, L"%.2f", schedule[i].principal);
        _snwprintf(interest, 32, L"%.2f", schedule[i].interest);
        principal[31] = interest[31] = L'\0';
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = label;
        const int row = (int)SendMessageW(list, LVM_INSERTITEMW, 0, (LPARAM)&item);
        item.iItem = row;
        item.iSubItem = 1;
        item.pszText = principal;
        SendMessageW(list, LVM_SETITEMTEXTW, row, (LPARAM)&item);
        item.iSubItem = 2;
        item.pszText = interest;
        SendMessageW(list, LVM_SETITEMTEXTW, row, (LPARAM)&item);
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const double took = NowMs() - start;
    DestroyWindow(window);
    return took;
}

void MeasureAmortization(HWND bar, const BenchPlaces& places, int runs, LoanFigures* out)
{
    POINT button = {};
    if (!GraphButton(&button)) {
        out->amortization.problem = "the loan calculator's skin has no GRAPH button";
        return;
    }
    HWND applet = nullptr;
    if (!Switch(bar, places.loanPosition) || !(applet = FindWindowExW(bar, nullptr, L"Mortivo", nullptr))) {
        out->amortization.problem = "the loan calculator was not shown";
        return;
    }
    std::unique_ptr<SMonthPart[]> schedule(LoanSchedule(kAmount, kRate, kYears));
    double ms = 0;
    if (!schedule || !TimeDialog(applet, button, &ms)) {  // once, untimed
        out->amortization.problem = "the dialog did not come up and go";
        return;
    }
    RECT area = {};
    if (HWND dialog = FindWindowW(L"#32770", kDialogTitle))
        GetWindowRect(dialog, &area);
    std::vector<double> dialog, plain;
    for (int i = 0; i < runs; ++i) {
        if (!TimeDialog(applet, button, &ms)) {
            out->amortization.problem = "the dialog did not come up and go";
            return;
        }
        dialog.push_back(ms);
    }
    RECT screen = {0, 26, 240, 294};
    for (int i = 0; i < runs; ++i)
        plain.push_back(TimePlainList(IsRectEmpty(&area) ? screen : area, schedule.get()));
    out->amortization.ok = true;
    out->amortization.measuredMs = MedianOf(dialog);
    out->amortization.baselineMs = MedianOf(plain);
}

}  // namespace

LoanFigures MeasureLoan(const BenchPlaces& places, int runs)
{
    LoanFigures out;
    if (places.loanPosition < 0) {
        out.loanSwitch.problem = out.amortization.problem = "the loan calculator is not in the applet list";
        return out;
    }
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WatchedProgram host;
    if (!StartAndWaitPainted(places.hostCommand, KETRA_CLASS, kStartTimeoutMs, &host)) {
        out.loanSwitch.problem = out.amortization.problem = "the side bar did not come up";
        return out;
    }
    DWORD_PTR open = 0;
    SendMessageTimeoutW(host.window, WM_KETRA_WINDOW, KETRA_WINDOW_OPEN, 0, SMTO_NORMAL, 20000, &open);
    MeasureSwitching(host.window, places, runs, &out);
    MeasureAmortization(host.window, places, runs, &out);
    EndProgram(&host, WM_COMMAND, IDM_KETRA_EXIT);
    return out;
}
