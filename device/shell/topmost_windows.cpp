// Topmost windows kept on top of the screen.
//
// Under Wine a window that is made or brought to the front can end up drawn
// over a topmost window (the side bar), although the window order says the
// topmost one is in front, and setting the same order again changes
// nothing on the screen.  So whenever the order of the visible windows
// changes, each visible topmost window is moved out of the topmost band and
// back: the screen follows, the order stays as it was.
#include "shell.h"

#include <vector>

namespace {

const wchar_t kMenuClass[] = L"#32768";
const size_t kMaxWindows = 512;

std::vector<HWND> g_lastOrder;

std::vector<HWND> VisibleTopLevelWindows()
{
    std::vector<HWND> windows;
    for (HWND wnd = GetTopWindow(nullptr); wnd && windows.size() < kMaxWindows; wnd = GetWindow(wnd, GW_HWNDNEXT))
        if (IsWindowVisible(wnd))
            windows.push_back(wnd);
    return windows;
}

bool IsMenu(HWND wnd)
{
    wchar_t cls[16] = L"";
    return GetClassNameW(wnd, cls, 16) && wcscmp(cls, kMenuClass) == 0;
}

} // namespace

void KeepTopmostWindowsOnTop()
{
    std::vector<HWND> order = VisibleTopLevelWindows();
    if (order == g_lastOrder)
        return;
    std::vector<HWND> topmost;
    for (HWND wnd : order) {
        if (IsMenu(wnd))
            return;  // an open menu is left alone; its window closes soon
        if (GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST)
            topmost.push_back(wnd);
    }
    // From the lowest up, so each ends above the ones below it as before.
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    for (auto it = topmost.rbegin(); it != topmost.rend(); ++it) {
        SetWindowPos(*it, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
        SetWindowPos(*it, HWND_TOPMOST, 0, 0, 0, 0, flags);
    }
    g_lastOrder = VisibleTopLevelWindows();
}
