#include "clock_page.h"

#include "devclock.h"
#include "devlog.h"
#include "page_window.h"

#include <wchar.h>

namespace {

const wchar_t kClockPageClass[] = L"DeviceClockPage";
const COLORREF kHeadingColor = RGB(0x00, 0x40, 0x80);
const int kZoneListId = 100;
const UINT_PTR kTickTimer = 1;

// Where the page draws: the heading, three lines of state, the list's label.
const int kMargin = 8;
const int kFirstLine = 30;
const int kLineHeight = 16;
const int kListLabelTop = 82;
const int kListTop = 98;

struct ClockPage {
    HWND list = nullptr;
    WORD shownZone = 0;  // the zone the list shows chosen
    HFONT heading = nullptr;
    HFONT body = nullptr;
};

HFONT CreateTahoma(int height, bool bold)
{
    return CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
}

ClockPage* PageOf(HWND hwnd)
{
    return reinterpret_cast<ClockPage*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// Selects the list row of the zone in force.
void SelectZone(HWND list, WORD key)
{
    int count = (int)SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (int row = 0; row < count; ++row) {
        if ((WORD)SendMessageW(list, LB_GETITEMDATA, row, 0) != key)
            continue;
        SendMessageW(list, LB_SETCURSEL, row, 0);
        SendMessageW(list, LB_SETTOPINDEX, row > 2 ? row - 2 : 0, 0);
        return;
    }
}

HWND CreateZoneList(HWND page, HINSTANCE instance, HFONT font)
{
    RECT client;
    GetClientRect(page, &client);
    HWND list = CreateWindowExW(0, L"LISTBOX", L"",
                                WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                kMargin, kListTop, client.right - 2 * kMargin, client.bottom - kListTop - 4, page,
                                (HMENU)(INT_PTR)kZoneListId, instance, nullptr);
    if (!list)
        return nullptr;
    SendMessageW(list, WM_SETFONT, (WPARAM)font, FALSE);
    for (int i = 0; i < DevZoneCount(); ++i) {
        const DevZone* zone = DevZoneAt(i);
        int row = (int)SendMessageW(list, LB_ADDSTRING, 0, (LPARAM)zone->display);
        if (row >= 0)
            SendMessageW(list, LB_SETITEMDATA, row, zone->key);
    }
    return list;
}

void ChooseZone(HWND page, ClockPage* state)
{
    int row = (int)SendMessageW(state->list, LB_GETCURSEL, 0, 0);
    if (row < 0)
        return;
    WORD key = (WORD)SendMessageW(state->list, LB_GETITEMDATA, row, 0);
    state->shownZone = key;
    if (key == DevClockZone().key)
        return;
    if (DevClockSetZone(key)) {
        DevLog(L"clock", L"zone %u", (unsigned)key);
        // As the platform tells every program after a change of zone.
        PostMessageW(HWND_BROADCAST, WM_TIMECHANGE, 0, 0);
    } else
        DevLog(L"clock", L"zone %u not saved", (unsigned)key);
    InvalidateRect(page, nullptr, TRUE);
}

// Date, time and zone as the device has them.
void PaintState(HDC dc, const RECT& client)
{
    SYSTEMTIME utc, local;
    DevClockUtc(&utc);
    const DevZone& zone = DevClockZone();
    bool daylight = false;
    if (!DevZoneLocalFromUtc(zone, utc, &local, &daylight))
        local = utc;

    wchar_t date[80] = L"", time[40] = L"", timeLine[64];
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, &local, nullptr, date, 80);
    GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &local, nullptr, time, 40);
    _snwprintf(timeLine, 63, L"%ls%ls", time, daylight ? L"  (daylight time)" : L"");
    timeLine[63] = L'\0';

    const wchar_t* lines[] = {date, timeLine, zone.display};
    for (int i = 0; i < 3; ++i) {
        RECT row = {kMargin, kFirstLine + i * kLineHeight, client.right - kMargin, kFirstLine + (i + 1) * kLineHeight};
        DrawTextW(dc, lines[i], -1, &row, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    TextOutW(dc, kMargin, kListLabelTop, L"Time zone:", 10);
}

void Paint(HWND hwnd, const ClockPage& page)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    FillRect(dc, &client, (HBRUSH)GetStockObject(WHITE_BRUSH));
    SetBkMode(dc, TRANSPARENT);

    HGDIOBJ oldFont = SelectObject(dc, page.heading);
    SetTextColor(dc, kHeadingColor);
    TextOutW(dc, kMargin, 4, L"Clock", 5);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    MoveToEx(dc, 0, 22, nullptr);
    LineTo(dc, client.right, 22);
    SelectObject(dc, oldPen);

    SelectObject(dc, page.body);
    SetTextColor(dc, RGB(0, 0, 0));
    PaintState(dc, client);
    SelectObject(dc, oldFont);
    EndPaint(hwnd, &ps);
}

LRESULT CALLBACK ClockPageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    ClockPage* page = PageOf(hwnd);
    switch (msg) {
    case WM_CREATE: {
        page = new ClockPage;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(page));
        page->heading = CreateTahoma(13, true);
        page->body = CreateTahoma(12, false);
        page->list = CreateZoneList(hwnd, reinterpret_cast<CREATESTRUCTW*>(lParam)->hInstance, page->body);
        if (!page->list)
            return -1;
        page->shownZone = DevClockZone().key;
        SelectZone(page->list, page->shownZone);
        SetTimer(hwnd, kTickTimer, 1000, nullptr);
        return 0;
    }
    case WM_TIMER: {
        // The time moves on, and another program may have chosen a zone
        // (only then the list follows: the user may be choosing one).
        WORD inForce = DevClockZone().key;
        if (inForce != page->shownZone) {
            page->shownZone = inForce;
            SelectZone(page->list, inForce);
        }
        RECT state;
        GetClientRect(hwnd, &state);
        state.top = kFirstLine;
        state.bottom = kFirstLine + 3 * kLineHeight;
        InvalidateRect(hwnd, &state, TRUE);
        return 0;
    }
    case WM_PAINT:
        if (page) {
            Paint(hwnd, *page);
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        return 1;  // painted whole in WM_PAINT
    case WM_SETFOCUS:
        if (page && page->list)
            SetFocus(page->list);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kZoneListId && HIWORD(wParam) == LBN_SELCHANGE) {
            ChooseZone(hwnd, page);
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

int RunClockPage(HINSTANCE instance, const wchar_t* title)
{
    return RunOwnPage(instance, {kClockPageClass, ClockPageProc, title});
}
