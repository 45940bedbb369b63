#include "page_window.h"

#include <string>

namespace {

const wchar_t kPageClass[] = L"DevicePage";
const COLORREF kHeadingColor = RGB(0x00, 0x40, 0x80);
const DWORD kExCaptionOkButton = 0x80000000;  // the navigation bar shows "ok" for this window

int g_openPages = 0;

// What a page shows; owned by its window (GWLP_USERDATA) until WM_NCDESTROY.
struct PageText {
    std::wstring heading;
    std::wstring body;
};

// The creation parameter: the window adopts the text on WM_NCCREATE.
struct PageCreate {
    PageText* text;
    bool adopted;
};

HFONT CreateTahoma(int height, bool bold)
{
    return CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
}

void PaintPage(HWND hwnd, const PageText& text)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, (HBRUSH)GetStockObject(WHITE_BRUSH));
    SetBkMode(dc, TRANSPARENT);

    HFONT heading = CreateTahoma(13, true);
    HFONT body = CreateTahoma(12, false);
    HGDIOBJ oldFont = SelectObject(dc, heading);
    SetTextColor(dc, kHeadingColor);
    TextOutW(dc, 8, 4, text.heading.c_str(), (int)text.heading.size());

    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, 0, 22, nullptr);
    LineTo(dc, client.right, 22);
    SelectObject(dc, oldPen);

    SelectObject(dc, body);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT textArea = {8, 30, client.right - 8, client.bottom - 4};
    DrawTextW(dc, text.body.c_str(), (int)text.body.size(), &textArea, DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);

    SelectObject(dc, oldFont);
    DeleteObject(heading);
    DeleteObject(body);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    PageText* text = reinterpret_cast<PageText*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (msg) {
    case WM_NCCREATE: {
        auto* create = reinterpret_cast<PageCreate*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->text));
        create->adopted = true;
        ++g_openPages;
        break;
    }
    case WM_PAINT:
        if (text) {
            PaintPage(hwnd, *text);
            return 0;
        }
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            DestroyWindow(hwnd);
            return 0;
        }
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        delete text;
        if (--g_openPages == 0)
            PostQuitMessage(0);
        break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

bool RegisterPageClass(HINSTANCE instance, const wchar_t* className, UINT iconId)
{
    WNDCLASSW wc = {};
    if (GetClassInfoW(instance, className, &wc))
        return true;
    wc.lpfnWndProc = PageProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    wc.hIcon = iconId ? LoadIconW(instance, MAKEINTRESOURCEW(iconId)) : nullptr;
    wc.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    wc.lpszClassName = className;
    return RegisterClassW(&wc) != 0;
}

} // namespace

RECT PageArea()
{
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    // The task bar runs across the top of the screen; pages start under it.
    HWND taskBar = FindWindowW(L"HHTaskBar", nullptr);
    RECT bar;
    if (taskBar && GetWindowRect(taskBar, &bar) && bar.bottom > area.top && bar.bottom < area.bottom)
        area.top = bar.bottom;
    return area;
}

HWND CreatePageWindow(HINSTANCE instance, const PageWindowArgs& args)
{
    const wchar_t* className = args.className && *args.className ? args.className : kPageClass;
    if (!RegisterPageClass(instance, className, args.iconId))
        return nullptr;
    PageCreate create = {new PageText{args.heading ? args.heading : L"", args.body ? args.body : L""}, false};
    RECT area = PageArea();
    HWND hwnd = CreateWindowExW(args.okButton ? kExCaptionOkButton : 0, className, args.title ? args.title : L"",
                                WS_POPUP | WS_VISIBLE, area.left, area.top, area.right - area.left,
                                area.bottom - area.top, nullptr, nullptr, instance, &create);
    if (!create.adopted)
        delete create.text;
    if (!hwnd)
        return nullptr;
    SetForegroundWindow(hwnd);
    return hwnd;
}

int RunPageLoop()
{
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return (int)msg.wParam;
}

int RunOwnPage(HINSTANCE instance, const OwnPageArgs& args)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = args.proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
    wc.hbrBackground = args.background;
    wc.lpszClassName = args.className;
    if (!RegisterClassW(&wc))
        return 1;
    RECT area = PageArea();
    HWND page = CreateWindowExW(kExCaptionOkButton, args.className, args.title, WS_POPUP | WS_VISIBLE, area.left,
                                area.top, area.right - area.left, area.bottom - area.top, nullptr, nullptr, instance,
                                nullptr);
    if (!page)
        return 1;
    SetForegroundWindow(page);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!args.dialogKeys || !IsDialogMessageW(page, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return (int)msg.wParam;
}
