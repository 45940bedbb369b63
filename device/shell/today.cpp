// The Today screen: the device's home, covering the screen below the task
// bar, showing the date and the owner's name on the Today background, and
// below them the Today items (today_items.cpp).
#include "shell.h"

#include "devclock.h"

#include <stdio.h>
#include <todaycmn.h>

namespace {

const wchar_t kTodayClass[] = L"DesktopExplorerWindow";
constexpr UINT_PTR kDateTimer = 1;
constexpr UINT_PTR kItemPollTimer = 2;
// Items reload after a theme change once the screen has repainted: a timer
// comes after the paint.
constexpr UINT_PTR kItemReloadTimer = 3;
constexpr UINT kItemPollMs = 4000;
constexpr int kRowHeight = 22;
constexpr int kItemsTop = 2 * kRowHeight;  // below the date and owner rows
constexpr WPARAM kButtonsChanged = 228;     // SPI 228: hardware-button assignments
constexpr WPARAM kInputPanelMoved = 224;    // SPI_SETSIPINFO: the input panel went up or down
constexpr UINT kLoadItemsMessage = WM_APP + 1;

// The background picture at the screen's size, drawn once and reused by the
// screen and by the items that ask for it (TODAYM_DRAWWATERMARK).
HBITMAP g_background = nullptr;

// The theme's colours of the rows: text "4", lines "6".
const int kRowTextColour = 4;
const int kRowLineColour = 6;
// TODAYM_GETCOLOR: 0x10000000 + n asks for the theme's value "n".
const WPARAM kThemeColourBase = 0x10000000;

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
    SetTextColor(dc, ThemeColour(kRowTextColour));
    HFONT font = CreateShellFont(12, bold);
    HGDIOBJ old = SelectObject(dc, font);
    RECT rc = {26, top, kScreenWidth - 4, top + kRowHeight};
    DrawTextW(dc, text, -1, &rc, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteObject(font);

    HPEN pen = CreatePen(PS_SOLID, 1, ThemeColour(kRowLineColour));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    MoveToEx(dc, 0, top + kRowHeight - 1, nullptr);
    LineTo(dc, kScreenWidth, top + kRowHeight - 1);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void ForgetBackground()
{
    if (g_background)
        DeleteObject(g_background);
    g_background = nullptr;
}

// Copies the part of the background at (x, y) of the screen's client area
// into rc of dc.
void CopyBackground(HWND wnd, HDC dc, const RECT& rc, int x, int y)
{
    RECT client;
    GetClientRect(wnd, &client);
    HDC mem = CreateCompatibleDC(dc);
    if (!g_background) {
        // Made for the screen: the caller's DC may hold a monochrome bitmap.
        HDC screen = GetDC(nullptr);
        g_background = CreateCompatibleBitmap(screen, client.right, client.bottom);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(mem, g_background);
        DrawTodayPicture(mem, client);
        SelectObject(mem, old);
    }
    HGDIOBJ old = SelectObject(mem, g_background);
    BitBlt(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, mem, x, y, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
}

// Whether the record lies in readable memory of this process.
bool ReadableRecord(const TODAYDRAWWATERMARKINFO* info)
{
    MEMORY_BASIC_INFORMATION memory = {};
    if (!info || !VirtualQuery(info, &memory, sizeof(memory)) || memory.State != MEM_COMMIT ||
        (memory.Protect & (PAGE_NOACCESS | PAGE_GUARD)))
        return false;
    const BYTE* end = static_cast<const BYTE*>(memory.BaseAddress) + memory.RegionSize;
    return reinterpret_cast<const BYTE*>(info + 1) <= end;
}

// TODAYM_DRAWWATERMARK: an item wants the background behind rc of its own
// window drawn into its DC.  Items are windows of this thread: a record that
// is not readable here, names no drawing context or names a window of
// another thread is ignored, so no other program can make the screen read
// or draw where it chooses (the thread's own test for another thread's
// message cannot decide alone: it also answers "yes" for an item's request
// made while the screen handles another program's message).  A record
// without a window is taken from this thread only.
LRESULT DrawWatermark(HWND wnd, const TODAYDRAWWATERMARKINFO* info)
{
    if (!ReadableRecord(info))
        return FALSE;
    const DWORD type = GetObjectType(info->hdc);
    if (type != OBJ_DC && type != OBJ_MEMDC)
        return FALSE;
    const bool ownWindow =
        info->hwnd && IsWindow(info->hwnd) && GetWindowThreadProcessId(info->hwnd, nullptr) == GetCurrentThreadId();
    if (!ownWindow && (info->hwnd || (InSendMessageEx(nullptr) & ISMEX_SEND)))
        return FALSE;
    POINT origin = {info->rc.left, info->rc.top};
    if (ownWindow)
        MapWindowPoints(info->hwnd, wnd, &origin, 1);
    CopyBackground(wnd, info->hdc, info->rc, origin.x, origin.y);
    return TRUE;
}

LRESULT ItemColour(WPARAM which)
{
    COLORREF stored = 0;
    if (which >= kThemeColourBase && which < kThemeColourBase + 0x10000 &&
        StoredThemeColour(static_cast<int>(which - kThemeColourBase), &stored))
        return stored;
    switch (which) {
    case TODAYCOLOR_HIGHLIGHT:
        return GetSysColor(COLOR_HIGHLIGHT);
    case TODAYCOLOR_HIGHLIGHTEDTEXT:
        return GetSysColor(COLOR_HIGHLIGHTTEXT);
    case TODAYCOLOR_TEXT:
    default:
        return ThemeColour(kRowTextColour);
    }
}

void ReloadItems(HWND wnd)
{
    LoadTodayItems(wnd, kItemsTop);
    InvalidateRect(wnd, nullptr, FALSE);
}

void PaintToday(HWND wnd, HDC dc)
{
    RECT rc;
    GetClientRect(wnd, &rc);
    CopyBackground(wnd, dc, rc, 0, 0);

    // The device's own date, not the host's.
    SYSTEMTIME today;
    DevClockLocal(&today);
    wchar_t date[80] = L"";
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, &today, nullptr, date, 80);
    DrawCalendarIcon(dc, 6, 4);
    DrawRow(dc, 0, date, true);

    wchar_t owner[40];
    ReadOwnerName(owner, 40);
    wchar_t line[64];
    _snwprintf(line, 63, L"Owner: %ls", owner[0] ? owner : L"(not set)");
    line[63] = L'\0';
    DrawOwnerIcon(dc, 6, kRowHeight + 2);
    DrawRow(dc, kRowHeight, line, false);
    DrawTodayCommandBar(dc, rc);
}

LRESULT CALLBACK TodayProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE:
        ReloadTodayTheme();
        SetTimer(wnd, kDateTimer, 60 * 1000, nullptr);
        SetTimer(wnd, kItemPollTimer, kItemPollMs, nullptr);
        // The items load once the window exists: they are its children.
        PostMessageW(wnd, kLoadItemsMessage, 0, 0);
        return 0;
    case WM_TIMER:
        if (wp == kItemPollTimer) {
            PollTodayItems(kItemsTop);
        } else if (wp == kItemReloadTimer) {
            KillTimer(wnd, kItemReloadTimer);
            ReloadItems(wnd);
        } else {
            InvalidateRect(wnd, nullptr, FALSE);
        }
        return 0;
    case WM_SETTINGCHANGE:
        // A theme, the owner's name or the item list may have changed; the
        // buttons and the input panel are none of the Today screen's business.
        if (wp != kButtonsChanged && wp != kInputPanelMoved) {
            ReloadTodayTheme();
            ForgetBackground();
            InvalidateRect(wnd, nullptr, FALSE);
            SetTimer(wnd, kItemReloadTimer, 0, nullptr);
            if (wp == kThemeChanged)
                LogTodayTheme();
        }
        return 0;
    case WM_TIMECHANGE:
        // The device's clock or zone changed: the date may be another.
        InvalidateRect(wnd, nullptr, FALSE);
        return 0;
    case TODAYM_DRAWWATERMARK:
        return DrawWatermark(wnd, reinterpret_cast<const TODAYDRAWWATERMARKINFO*>(lp));
    case TODAYM_GETCOLOR:
        return ItemColour(wp);
    case TODAYM_REQUESTREFRESH:
        // An item that changed asks for the round of questions now.
        PollTodayItems(kItemsTop);
        return 0;
    case kLoadItemsMessage:
        ReloadItems(wnd);
        return 0;
    case WM_DESTROY:
        UnloadTodayItems();
        ForgetBackground();
        UnloadTodayTheme();
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
    // Clipping children keeps the screen's own painting off its items.
    return CreateWindowExW(0, kTodayClass, L"Desktop", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, kTaskBarHeight,
                           kScreenWidth, kScreenHeight - kTaskBarHeight, nullptr, nullptr, instance, nullptr);
}
