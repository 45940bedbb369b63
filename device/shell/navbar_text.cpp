// What programs asked of the task bar for their windows through the shell
// library: the navigation-bar title (SHSetNavBarText) and the full-screen
// flags (SHFullScreen).  The task bar applies them while the window is in
// front; entries of destroyed windows are dropped.
#include "shell.h"

#include <aygshell.h>
#include <strsafe.h>

#include <vector>

namespace {

// A part of the full-screen state: not asked, shown or hidden.
enum class Asked { Unset, Show, Hide };

struct WindowRequests {
    HWND wnd = nullptr;
    wchar_t navText[SHELL_NAVTEXT_CCH] = L"";
    Asked taskBar = Asked::Unset;
    Asked sipButton = Asked::Unset;
    Asked startIcon = Asked::Unset;

    bool Empty() const
    {
        return !navText[0] && taskBar == Asked::Unset && sipButton == Asked::Unset && startIcon == Asked::Unset;
    }
};

// A handful of windows at a time; a cap keeps a misbehaving sender from
// growing the shell without end.
constexpr size_t kMaxWindows = 64;
std::vector<WindowRequests> g_windows;

WindowRequests* Find(HWND wnd)
{
    for (WindowRequests& entry : g_windows)
        if (entry.wnd == wnd)
            return &entry;
    return nullptr;
}

WindowRequests* FindOrAdd(HWND wnd)
{
    if (WindowRequests* entry = Find(wnd))
        return entry;
    ForgetDeadNavBarWindows();
    if (g_windows.size() >= kMaxWindows)
        return nullptr;
    g_windows.push_back(WindowRequests());
    g_windows.back().wnd = wnd;
    return &g_windows.back();
}

void DropIfEmpty(HWND wnd)
{
    for (size_t i = 0; i < g_windows.size(); ++i) {
        if (g_windows[i].wnd == wnd && g_windows[i].Empty()) {
            g_windows.erase(g_windows.begin() + i);
            return;
        }
    }
}

// A show/hide pair of flags; both set counts as "show", neither leaves the
// part as it was.
void ApplyPair(DWORD flags, DWORD show, DWORD hide, Asked* part)
{
    if (flags & show)
        *part = Asked::Show;
    else if (flags & hide)
        *part = Asked::Hide;
}

// The entry for wnd, or else for its top-level owner (a dialog of the
// application speaks for it when it set nothing itself).
const WindowRequests* FindForWindow(HWND wnd)
{
    if (!wnd)
        return nullptr;
    if (const WindowRequests* entry = Find(wnd))
        return entry;
    HWND root = GetAncestor(wnd, GA_ROOTOWNER);
    return root && root != wnd ? Find(root) : nullptr;
}

} // namespace

bool HandleNavBarText(const SHELL_NAVTEXT_DATA& request)
{
    if (!IsWindow(request.hwnd))
        return false;
    // The text comes from another process: take no more than the field holds
    // even when the sender left it unterminated.
    wchar_t text[SHELL_NAVTEXT_CCH];
    int n = 0;
    while (n < SHELL_NAVTEXT_CCH - 1 && request.text[n]) {
        text[n] = request.text[n];
        ++n;
    }
    text[n] = L'\0';
    if (!text[0]) {
        if (WindowRequests* entry = Find(request.hwnd)) {
            entry->navText[0] = L'\0';
            DropIfEmpty(request.hwnd);
        }
        return true;
    }
    WindowRequests* entry = FindOrAdd(request.hwnd);
    if (!entry)
        return false;
    memcpy(entry->navText, text, sizeof(text));
    return true;
}

bool HandleFullScreen(const SHELL_FULLSCREEN_DATA& request)
{
    if (!IsWindow(request.hwnd))
        return false;
    WindowRequests* entry = FindOrAdd(request.hwnd);
    if (!entry)
        return false;
    ApplyPair(request.flags, SHFS_SHOWTASKBAR, SHFS_HIDETASKBAR, &entry->taskBar);
    ApplyPair(request.flags, SHFS_SHOWSIPBUTTON, SHFS_HIDESIPBUTTON, &entry->sipButton);
    ApplyPair(request.flags, SHFS_SHOWSTARTICON, SHFS_HIDESTARTICON, &entry->startIcon);
    DropIfEmpty(request.hwnd);
    return true;
}

bool GetNavBarText(HWND wnd, wchar_t* text, int cch)
{
    if (cch <= 0)
        return false;
    text[0] = L'\0';
    // The window's own title first, then its owner's.
    const WindowRequests* entry = Find(wnd);
    if (!entry || !entry->navText[0]) {
        HWND root = wnd ? GetAncestor(wnd, GA_ROOTOWNER) : nullptr;
        entry = root && root != wnd ? Find(root) : nullptr;
    }
    if (!entry || !entry->navText[0])
        return false;
    StringCchCopyW(text, cch, entry->navText);  // a shorter buffer gets the title cut
    return true;
}

FullScreenState GetFullScreenState(HWND wnd)
{
    FullScreenState state;
    if (const WindowRequests* entry = FindForWindow(wnd)) {
        state.taskBarHidden = entry->taskBar == Asked::Hide;
        state.sipButtonHidden = entry->sipButton == Asked::Hide;
        state.startIconHidden = entry->startIcon == Asked::Hide;
    }
    return state;
}

void ForgetDeadNavBarWindows()
{
    for (size_t i = g_windows.size(); i-- > 0;)
        if (!IsWindow(g_windows[i].wnd))
            g_windows.erase(g_windows.begin() + i);
}
