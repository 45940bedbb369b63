// The Today screen: the device's home, covering the screen below the task
// bar, showing the date and the owner's name on the Today background.
#include "shell.h"

#include <stdio.h>

namespace {

const wchar_t kTodayClass[] = L"DesktopExplorerWindow";
const wchar_t kBackgroundPath[] = L"\\Windows\\tdybkgnd.bmp";
constexpr UINT_PTR kDateTimer = 1;
constexpr int kRowHeight = 22;

const COLORREF kRowText = RGB(0x00, 0x00, 0x00);
const COLORREF kRowLine = RGB(0xB8, 0xC8, 0xE0);

void DrawCalendarIcon(HDC dc, int x, int y)
{
    RECT page = {x, y, x + 14, y + 14};
    HBRUSH white = CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF));
    HBRUSH red = CreateSolidBrush(RGB(0xD0, 0x28, 0x28));
    FillRect(dc, &page, white);
    RECT top = {x, y, x + 14, y + 4};
    FillRect(dc, &top, red);
    HBRUSH frame = CreateSolidBrush(RGB(0x60, 0x60, 0x60));
    FrameRect(dc, &page, frame);
    DeleteObject(white);
    DeleteObject(red);
    DeleteObject(frame);
}

void DrawOwnerIcon(HDC dc, int x, int y)
{
    HBRUSH skin = CreateSolidBrush(RGB(0x2F, 0x6E, 0xCF));
    HGDIOBJ oldBrush = SelectObject(dc, skin);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, x + 4, y, x + 11, y + 7);
    Ellipse(dc, x + 1, y + 7, x + 14, y + 17);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(skin);
}

void DrawRow(HDC dc, int top, const wchar_t* text, bool bold)
{
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kRowText);
    HFONT font = CreateShellFont(12, bold);
    HGDIOBJ old = SelectObject(dc, font);
    RECT rc = {26, top, kScreenWidth - 4, top + kRowHeight};
    DrawTextW(dc, text, -1, &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteObject(font);

    HPEN pen = CreatePen(PS_SOLID, 1, kRowLine);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    MoveToEx(dc, 0, top + kRowHeight - 1, nullptr);
    LineTo(dc, kScreenWidth, top + kRowHeight - 1);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void PaintBackground(HDC dc, const RECT& rc)
{
    HBITMAP picture = (HBITMAP)LoadImageW(nullptr, kBackgroundPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (picture) {
        HDC mem = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(mem, picture);
        BITMAP bm;
        GetObjectW(picture, sizeof(bm), &bm);
        SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
        SelectObject(mem, old);
        DeleteDC(mem);
        DeleteObject(picture);
        return;
    }
    FillVerticalGradient(dc, rc, RGB(0xFF, 0xFF, 0xFF), RGB(0xD6, 0xE4, 0xF7));
}

void PaintToday(HWND wnd, HDC dc)
{
    RECT rc;
    GetClientRect(wnd, &rc);
    PaintBackground(dc, rc);

    wchar_t date[80] = L"";
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, nullptr, nullptr, date, 80);
    DrawCalendarIcon(dc, 6, 4);
    DrawRow(dc, 0, date, true);

    wchar_t owner[40];
    ReadOwnerName(owner, 40);
    wchar_t line[64];
    _snwprintf(line, 63, L"Owner: %ls", owner[0] ? owner : L"(not set)");
    line[63] = L'\0';
    DrawOwnerIcon(dc, 6, kRowHeight + 2);
    DrawRow(dc, kRowHeight, line, false);
}

LRESULT CALLBACK TodayProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE:
        SetTimer(wnd, kDateTimer, 60 * 1000, nullptr);
        return 0;
    case WM_TIMER:
    case WM_SETTINGCHANGE:
        InvalidateRect(wnd, nullptr, FALSE);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        RECT rc;
        GetClientRect(wnd, &rc);
        HDC mem = CreateCompatibleDC(dc);
        HBITMAP bmp = CreateCompatibleBitmap(dc, rc.right, rc.bottom);
        HGDIOBJ old = SelectObject(mem, bmp);
        PaintToday(wnd, mem);
        BitBlt(dc, 0, 0, rc.right, rc.bottom, mem, 0, 0, SRCCOPY);
        SelectObject(mem, old);
        DeleteObject(bmp);
        DeleteDC(mem);
        EndPaint(wnd, &ps);
        return 0;
    }
    case WM_CLOSE:
        // The Today screen lives until the device shuts down.
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}

} // namespace

BOOL RegisterTodayClass(HINSTANCE instance)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = TodayProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kTodayClass;
    return RegisterClassW(&wc) != 0;
}

HWND CreateTodayScreen(HINSTANCE instance)
{
    return CreateWindowExW(0, kTodayClass, L"Desktop", WS_POPUP | WS_VISIBLE, 0, kTaskBarHeight, kScreenWidth,
                           kScreenHeight - kTaskBarHeight, nullptr, nullptr, instance, nullptr);
}
