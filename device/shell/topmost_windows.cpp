// Topmost windows kept on top of the screen.
//
// Under Wine a window that is made or brought to the front can end up drawn
// over a topmost window (the side bar), although the window order says the
// topmost one is in front, and setting the same order again changes
// nothing on the screen.  So whenever the visible windows below the topmost
// ones change (one is shown, closed or brought to the front), or another
// window becomes the foreground one (a tap on the Today screen activates it
// and draws it over a non-activating topmost window such as the side bar),
// each visible topmost window is moved out of the topmost band and back: the
// screen follows, the order stays as it was.  Topmost windows coming and going
// need nothing of the kind.  The foreground window is first brought to the
// top of the order, as the device does (see RaiseForegroundWindow).
#include "shell.h"

#include <vector>

namespace {

const wchar_t kMenuClass[] = L"#32768";
const size_t kMaxWindows = 512;

std::vector<HWND> g_lastOrder;
HWND g_lastForeground = nullptr;
// Restacks still to do after a change: a program often shows, sizes and
// draws its window for a while after it came to the front, and what it
// draws in that time can again land over the topmost windows.
int g_settlingRestacks = 0;
const int kSettlingRestacks = 4;

bool IsTopmost(HWND wnd)
{
    return (GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// The visible windows of one band, top first.
std::vector<HWND> VisibleTopLevelWindows(bool topmost)
{
    std::vector<HWND> windows;
    int walked = 0;
    for (HWND wnd = GetTopWindow(nullptr); wnd && windows.size() < kMaxWindows;
         wnd = GetWindow(wnd, GW_HWNDNEXT), ++walked) {
        if (walked > 4 * static_cast<int>(kMaxWindows))
            break;  // a window list that keeps changing under the walk
        if (IsWindowVisible(wnd) && IsTopmost(wnd) == topmost)
            windows.push_back(wnd);
    }
    return windows;
}

bool IsMenu(HWND wnd)
{
    wchar_t cls[16] = L"";
    return GetClassNameW(wnd, cls, 16) && wcscmp(cls, kMenuClass) == 0;
}

// A window another program makes the foreground window (SetForegroundWindow
// from another process) is drawn in front under Wine but keeps its place in
// the window order, so the windows the order puts above it (a topmost panel,
// the side bar) vanish under it, and taps on it go to the window the order
// puts in front.  On the device the foreground window comes to the top: so
// it does here, and the topmost windows are then restacked over it.
void RaiseForegroundWindow(const std::vector<HWND>& below)
{
    HWND foreground = GetForegroundWindow();
    if (!foreground || below.empty() || below.front() == foreground || !IsWindowVisible(foreground) ||
        IsTopmost(foreground))
        return;
    // Only another program's window above it counts: its own dialogs and
    // pop-ups stay above it anyway.
    HWND program = GetAncestor(foreground, GA_ROOTOWNER);
    for (HWND w : below) {
        if (w == foreground)
            return;
        if (GetAncestor(w, GA_ROOTOWNER) != program) {
            SetWindowPos(foreground, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            return;
        }
    }
}

} // namespace

void KeepTopmostWindowsOnTop()
{
    RaiseForegroundWindow(VisibleTopLevelWindows(false));
    std::vector<HWND> below = VisibleTopLevelWindows(false);
    const HWND foreground = GetForegroundWindow();
    if (below != g_lastOrder || foreground != g_lastForeground)
        g_settlingRestacks = kSettlingRestacks;
    g_lastForeground = foreground;
    if (g_settlingRestacks == 0)
        return;
    std::vector<HWND> topmost = VisibleTopLevelWindows(true);
    for (HWND wnd : topmost)
        if (IsMenu(wnd))
            return;  // an open menu is left alone; this is done once it has closed
    g_lastOrder = below;
    --g_settlingRestacks;
    // From the lowest up, so each ends above the ones below it as before.
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    for (auto it = topmost.rbegin(); it != topmost.rend(); ++it) {
        // Its program may have taken it out of the band since the list was
        // made: putting it back would undo that.
        if (!IsTopmost(*it) || !IsWindowVisible(*it))
            continue;
        SetWindowPos(*it, HWND_NOTOPMOST, 0, 0, 0, 0, flags);
        SetWindowPos(*it, HWND_TOPMOST, 0, 0, 0, 0, flags);
    }
}
