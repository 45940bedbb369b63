#include "screen_compare.h"

#include <stdio.h>

#include "input.h"
#include "pump.h"
#include "window_find.h"

namespace testkit {

namespace {

// The test's own copy of the menu, shown at the point and captured while
// it is open (from a timer inside the menu's loop), then ended.
struct OwnMenuCapture {
    RECT rect = {};
    std::unique_ptr<PixelSurface> pixels;
    int ticks = 0;
};
OwnMenuCapture* g_capture = nullptr;

BOOL CALLBACK FindOwnMenu(HWND window, LPARAM found)
{
    wchar_t cls[16];
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(window) && GetClassNameW(window, cls, 16) &&
        wcscmp(cls, L"#32768") == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The other program's window under the menu (the side bar) may be drawn
// over the menu as it repaints after its own menu closed: the menu is put
// in front and painted again, and taken once two ticks in a row saw the
// same pixels (or after three seconds, as it then is).
void CALLBACK CaptureOwnMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND menu = nullptr;
    EnumWindows(FindOwnMenu, (LPARAM)&menu);
    if (!menu)
        return;  // not shown yet: the timer comes again
    std::unique_ptr<PixelSurface> earlier = std::move(g_capture->pixels);
    GetWindowRect(menu, &g_capture->rect);
    g_capture->pixels = CaptureScreen(g_capture->rect);
    const bool settled = earlier && Differences(*earlier, *g_capture->pixels) == 0;
    if (!settled && ++g_capture->ticks < 20) {
        SetWindowPos(menu, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        RedrawWindow(menu, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return;
    }
    KillTimer(nullptr, timer);
    EndMenu();
}

OwnMenuCapture ShowOwnMenu(const std::vector<MenuItem>& items, POINT at)
{
    OwnMenuCapture capture;
    HMENU menu = CreatePopupMenu();
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i].text.empty())
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(menu, MF_STRING | (items[i].grayed ? MF_GRAYED : 0), 100 + i, items[i].text.c_str());
    }
    HWND owner = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    g_capture = &capture;
    UINT_PTR timer = SetTimer(nullptr, 0, 150, CaptureOwnMenu);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, at.x, at.y, 0, owner, nullptr);
    KillTimer(nullptr, timer);
    g_capture = nullptr;
    DestroyWindow(owner);
    DestroyMenu(menu);
    return capture;
}

} // namespace

std::unique_ptr<PixelSurface> CaptureScreen(const RECT& screenArea)
{
    auto surface = std::make_unique<PixelSurface>(Width(screenArea), Height(screenArea), RGB(0, 0, 0));
    HDC screen = GetDC(nullptr);
    BitBlt(surface->dc(), 0, 0, Width(screenArea), Height(screenArea), screen, screenArea.left, screenArea.top,
           SRCCOPY);
    ReleaseDC(nullptr, screen);
    return surface;
}

std::unique_ptr<PixelSurface> CaptureClient(HWND window, const RECT& area)
{
    POINT corner = {area.left, area.top};
    ClientToScreen(window, &corner);
    return CaptureScreen({corner.x, corner.y, corner.x + Width(area), corner.y + Height(area)});
}

int Differences(const PixelSurface& a, const PixelSurface& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return -1;
    int differ = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differ += a.At(x, y) != b.At(x, y);
    return differ;
}

int TextDifference(HWND window, POINT at, const std::wstring& text, HFONT font, COLORREF colour,
                   COLORREF background)
{
    HDC measure = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(measure, font);
    SIZE size = {};
    GetTextExtentPoint32W(measure, text.c_str(), (int)text.size(), &size);
    SelectObject(measure, old);
    DeleteDC(measure);
    if (size.cx <= 0 || size.cy <= 0)
        return -1;

    PixelSurface expected(size.cx, size.cy, background);
    old = SelectObject(expected.dc(), font);
    SetBkMode(expected.dc(), TRANSPARENT);
    SetTextColor(expected.dc(), colour);
    TextOutW(expected.dc(), 0, 0, text.c_str(), (int)text.size());
    SelectObject(expected.dc(), old);

    std::unique_ptr<PixelSurface> shown = CaptureClient(window, {at.x, at.y, at.x + size.cx, at.y + size.cy});
    return Differences(expected, *shown);
}

HWND WaitForPopupMenu(DWORD ms)
{
    HWND menu = nullptr;
    PumpUntil(
        [&] {
            for (menu = FindWindowW(L"#32768", nullptr); menu; menu = FindWindowExW(nullptr, menu, L"#32768", nullptr))
                if (IsWindowVisible(menu))
                    return true;
            return false;
        },
        ms);
    if (menu)
        PumpMessages(300);  // painted
    return menu;
}

bool PopupMenuShows(const std::vector<MenuItem>& items, std::string* why)
{
    HWND theirs = WaitForPopupMenu(5000);
    if (!theirs) {
        *why = "no menu showed";
        return false;
    }
    RECT rect = WindowRect(theirs);
    std::unique_ptr<PixelSurface> shown = CaptureScreen(rect);
    PressKey(VK_ESCAPE);
    PumpUntil([&] { return !IsWindowVisible(theirs); }, 3000);

    OwnMenuCapture mine = ShowOwnMenu(items, {rect.left, rect.top});
    if (!mine.pixels) {
        *why = "the test's own menu did not show";
        return false;
    }
    char text[160];
    if (!EqualRect(&rect, &mine.rect)) {
        snprintf(text, sizeof(text), "menu at %ld,%ld,%ld,%ld, expected %ld,%ld,%ld,%ld", rect.left, rect.top,
                 rect.right, rect.bottom, mine.rect.left, mine.rect.top, mine.rect.right, mine.rect.bottom);
        *why = text;
        return false;
    }
    int differ = Differences(*shown, *mine.pixels);
    if (differ != 0) {
        snprintf(text, sizeof(text), "%d pixels of the menu differ", differ);
        *why = text;
        return false;
    }
    return true;
}

}  // namespace testkit
