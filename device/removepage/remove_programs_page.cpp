#include "remove_programs_page.h"

#include "app_manager.h"
#include "page_window.h"

#include <strsafe.h>

#include <string>
#include <vector>

namespace {

const wchar_t kPageClass[] = L"DeviceRemovePrograms";
const wchar_t kConfirmCaption[] = L"Remove Programs";
const COLORREF kHeadingColor = RGB(0x00, 0x40, 0x80);
const int kMargin = 8;
const int kLabelTop = 30;
const int kListTop = 48;
const int kButtonWidth = 64;
const int kButtonHeight = 22;

struct RemovePage {
    HWND list = nullptr;
    HWND button = nullptr;
    HFONT heading = nullptr;
    HFONT body = nullptr;
    std::vector<AppRecord> records;  // in the list's order
};

HFONT CreateTahoma(int height, bool bold)
{
    return CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
}

RemovePage* PageOf(HWND hwnd)
{
    return reinterpret_cast<RemovePage*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void FillList(RemovePage* page)
{
    page->records = InstalledApplications();
    SendMessageW(page->list, LB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < page->records.size(); ++i) {
        int row = (int)SendMessageW(page->list, LB_ADDSTRING, 0, (LPARAM)page->records[i].name.c_str());
        if (row >= 0)
            SendMessageW(page->list, LB_SETITEMDATA, row, (LPARAM)i);
    }
    EnableWindow(page->button, FALSE);
}

void RemoveChosen(HWND hwnd, RemovePage* page)
{
    int row = (int)SendMessageW(page->list, LB_GETCURSEL, 0, 0);
    if (row < 0)
        return;
    size_t index = (size_t)SendMessageW(page->list, LB_GETITEMDATA, row, 0);
    if (index >= page->records.size())
        return;
    const AppRecord record = page->records[index];
    wchar_t question[400];
    // Short lines: the box fits the device's narrow screen.
    StringCchPrintfW(question, ARRAYSIZE(question),
                     L"Remove %ls\nfrom the device?\n\nTo use it again, you will\nhave to install it again.",
                     record.application.c_str());
    if (MessageBoxW(hwnd, question, kConfirmCaption, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
        return;
    std::wstring why;
    if (!RemoveApplication(record.name, &why)) {
        wchar_t text[400];
        StringCchPrintfW(text, ARRAYSIZE(text), L"%ls could not be removed: %ls.", record.application.c_str(),
                         why.c_str());
        MessageBoxW(hwnd, text, kConfirmCaption, MB_OK | MB_ICONERROR);
    }
    FillList(page);
}

void Paint(HWND hwnd, const RemovePage& page)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, (HBRUSH)GetStockObject(WHITE_BRUSH));
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, page.heading);
    SetTextColor(dc, kHeadingColor);
    TextOutW(dc, kMargin, 4, L"Remove Programs", 15);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, 0, 22, nullptr);
    LineTo(dc, client.right, 22);
    SelectObject(dc, oldPen);
    SelectObject(dc, page.body);
    SetTextColor(dc, RGB(0, 0, 0));
    const wchar_t label[] = L"Programs in storage memory:";
    TextOutW(dc, kMargin, kLabelTop, label, (int)wcslen(label));
    SelectObject(dc, oldFont);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK RemovePageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    RemovePage* page = PageOf(hwnd);
    switch (msg) {
    case WM_CREATE: {
        HINSTANCE instance = reinterpret_cast<CREATESTRUCTW*>(lParam)->hInstance;
        page = new RemovePage;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(page));
        page->heading = CreateTahoma(13, true);
        page->body = CreateTahoma(12, false);
        RECT client;
        GetClientRect(hwnd, &client);
        int buttonTop = client.bottom - kButtonHeight - 8;
        page->list = CreateWindowExW(0, L"LISTBOX", L"",
                                     WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY |
                                         LBS_NOINTEGRALHEIGHT,
                                     kMargin, kListTop, client.right - 2 * kMargin, buttonTop - kListTop - 8, hwnd,
                                     (HMENU)(INT_PTR)IDC_REMOVE_LIST, instance, nullptr);
        page->button = CreateWindowExW(0, L"BUTTON", L"Remove", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                       client.right - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight,
                                       hwnd, (HMENU)(INT_PTR)IDC_REMOVE_BUTTON, instance, nullptr);
        if (!page->list || !page->button)
            return -1;
        SendMessageW(page->list, WM_SETFONT, (WPARAM)page->body, FALSE);
        SendMessageW(page->button, WM_SETFONT, (WPARAM)page->body, FALSE);
        FillList(page);
        return 0;
    }
    case WM_PAINT:
        if (page) {
            Paint(hwnd, *page);
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFOCUS:
        if (page && page->list)
            SetFocus(page->list);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_REMOVE_LIST && HIWORD(wParam) == LBN_SELCHANGE) {
            EnableWindow(page->button, SendMessageW(page->list, LB_GETCURSEL, 0, 0) >= 0);
            return 0;
        }
        if (LOWORD(wParam) == IDC_REMOVE_BUTTON) {
            RemoveChosen(hwnd, page);
            return 0;
        }
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            DestroyWindow(hwnd);
            return 0;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (page) {
            DeleteObject(page->heading);
            DeleteObject(page->body);
            delete page;
        }
        break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace

int RunRemoveProgramsPage(HINSTANCE instance, const wchar_t* title)
{
    OwnPageArgs page = {kPageClass, RemovePageProc, title};
    page.dialogKeys = true;
    return RunOwnPage(instance, page);
}
