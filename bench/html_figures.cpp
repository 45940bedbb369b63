// The HTML view measured in this process: a view in a window of the
// browser's page size, a report page of 360 rows written to the device,
// and baselines drawn into the same view window.
#include "html_figures.h"

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "htmlctrl.h"
#include "watch.h"

namespace {

const wchar_t kReportPath[] = L"\\My Documents\\bench_report.htm";
const int kRows = 360;
const int kViewWidth = 240;
const int kViewHeight = 268;

struct Cell {
    std::wstring text;
    bool right;
};

// The page and, for the baseline, the texts of its cells.
std::string ReportPage(std::vector<Cell>* cells)
{
    std::string page = "<html><body><table cellspacing=0 cellpadding=2 border=1><tr bgcolor=\"#ffcc33\">"
                       "<th><font size=2>Mo/Yr</font></th><th><font size=2>Principal</font></th>"
                       "<th><font size=2>Interest</font></th></tr>\n";
    for (const wchar_t* head : {L"Mo/Yr", L"Principal", L"Interest"})
        cells->push_back({head, false});
    double balance = 200000.0;
    for (int i = 0; i < kRows; ++i) {
        double interest = balance * 6.125 / 1200, principal = 1215.22 - interest;
        balance -= principal;
        char month[16], p[32], n[32];
        snprintf(month, sizeof(month), "%02d/%02d", i % 12 + 1, 24 + i / 12);
        snprintf(p, sizeof(p), "%.2f", principal);
        snprintf(n, sizeof(n), "%.2f", interest);
        page += std::string("<tr bgcolor=\"") + (i % 2 ? "#dddddd" : "#ffffff") + "\"><td><font size=2>" + month +
                "</font></td><td align=right><font size=2>" + p + "</font></td><td align=right><font size=2>" + n +
                "</font></td></tr>\n";
        for (const char* text : {month, p, n})
            cells->push_back({std::wstring(text, text + strlen(text)), text != month});
    }
    return page + "</table></body></html>\n";
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The same texts in the same window: one DrawText per cell, in a grid of
// the report's size, the rows below the view clipped.
double DrawCellTexts(HWND view, const std::vector<Cell>& cells)
{
    double start = NowMs();
    HDC dc = GetDC(view);
    HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < cells.size(); ++i) {
        int row = static_cast<int>(i / 3), column = static_cast<int>(i % 3);
        RECT r = {4 + column * 60, 4 + row * 16, 60 + column * 60, 20 + row * 16};
        DrawTextW(dc, cells[i].text.c_str(), static_cast<int>(cells[i].text.size()), &r,
                  DT_SINGLELINE | DT_NOPREFIX | (cells[i].right ? DT_RIGHT : DT_LEFT));
    }
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(view, dc);
    GdiFlush();
    return NowMs() - start;
}

// A window of the view's size whose whole paint is one BitBlt of a
// prepared bitmap: the least a repaint of the view can cost.
LRESULT CALLBACK BlitProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, reinterpret_cast<HBITMAP>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
    BitBlt(dc, 0, 0, kViewWidth, kViewHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    EndPaint(hwnd, &ps);
    return 0;
}

double BlitView(HWND frame)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = BlitProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"BenchBlitView";
    RegisterClassW(&wc);
    HWND blit = CreateWindowExW(0, L"BenchBlitView", L"", WS_CHILD | WS_VISIBLE, 0, 0, kViewWidth, kViewHeight, frame,
                                nullptr, wc.hInstance, nullptr);
    HDC dc = GetDC(blit);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, kViewWidth, kViewHeight);
    ReleaseDC(blit, dc);
    SetWindowLongPtrW(blit, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(bitmap));
    UpdateWindow(blit);
    double start = NowMs();
    InvalidateRect(blit, nullptr, FALSE);
    UpdateWindow(blit);
    GdiFlush();
    double elapsed = NowMs() - start;
    DestroyWindow(blit);
    DeleteObject(bitmap);
    return elapsed;
}

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

HtmlFigures MeasureHtmlView(int runs)
{
    HtmlFigures figures;
    if (!InitHTMLControl(GetModuleHandleW(nullptr))) {
        figures.navigate.problem = figures.scroll.problem = "the device has no HTML view";
        return figures;
    }
    std::vector<Cell> cells;
    {
        std::ofstream file(kReportPath, std::ios::binary);
        file << ReportPage(&cells);
        if (!file) {
            figures.navigate.problem = figures.scroll.problem = "the report page could not be written";
            return figures;
        }
    }
    HWND frame = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 26,
                                 kViewWidth, kViewHeight, nullptr, nullptr, nullptr, nullptr);
    HWND view = CreateWindowExW(0, DISPLAYCLASS, L"", WS_CHILD | WS_VISIBLE, 0, 0, kViewWidth, kViewHeight, frame,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!view) {
        DestroyWindow(frame);
        figures.navigate.problem = figures.scroll.problem = "no view window";
        return figures;
    }
    Pump();
    std::vector<double> navigate, drawText, scroll, blit;
    for (int i = 0; i < runs; ++i) {
        double start = NowMs();
        SendMessageW(view, DTM_NAVIGATE, NAVIGATEFLAG_NOCACHE, reinterpret_cast<LPARAM>(kReportPath));
        UpdateWindow(view);
        GdiFlush();
        navigate.push_back(NowMs() - start);
        Pump();

        // Down one screen at a time, with the pauses of a person reading in
        // between (the view may use them), as far as the page goes.
        for (int screen = 0; screen < 8; ++screen) {
            start = NowMs();
            SendMessageW(view, WM_KEYDOWN, VK_NEXT, 0);
            UpdateWindow(view);
            GdiFlush();
            scroll.push_back(NowMs() - start);
            Pump();
        }
        Pump();
        drawText.push_back(DrawCellTexts(view, cells));
        blit.push_back(BlitView(frame));
        InvalidateRect(view, nullptr, FALSE);
        Pump();
    }
    DestroyWindow(frame);
    DeleteFileW(kReportPath);
    figures.navigate = {true, Median(navigate), Median(drawText), ""};
    figures.scroll = {true, Median(scroll), Median(blit), ""};
    return figures;
}
