#include "window_find.h"

#include <cwchar>

#include "pump.h"

namespace testkit {

HWND WaitForWindow(const wchar_t* className, DWORD ms, HWND other)
{
    HWND found = nullptr;
    PumpUntil(
        [&] {
            found = FindWindowW(className, nullptr);
            if (found == other)
                found = FindWindowExW(nullptr, other, className, nullptr);
            return found != nullptr;
        },
        ms);
    return found;
}

bool WaitNoWindow(const wchar_t* className, DWORD ms)
{
    return PumpUntil([&] { return FindWindowW(className, nullptr) == nullptr; }, ms);
}

int CountWindows(const wchar_t* className)
{
    int count = 0;
    for (HWND w = FindWindowW(className, nullptr); w; w = FindWindowExW(nullptr, w, className, nullptr))
        ++count;
    return count;
}

HWND VisibleWindow(const wchar_t* className)
{
    for (HWND w = FindWindowW(className, nullptr); w; w = FindWindowExW(nullptr, w, className, nullptr))
        if (IsWindowVisible(w))
            return w;
    return nullptr;
}

void WaitUntilIdle(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (process) {
        WaitForInputIdle(process, 15000);
        CloseHandle(process);
    }
    DWORD_PTR ignored = 0;  // answered once its thread waits for messages
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
}

namespace {

struct ChildQuery {
    const wchar_t* className;
    int id;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND child, LPARAM param)
{
    auto* query = reinterpret_cast<ChildQuery*>(param);
    if ((query->id && GetDlgCtrlID(child) != query->id) ||
        (query->className && _wcsicmp(ClassOf(child).c_str(), query->className) != 0))
        return TRUE;
    query->found = child;
    return FALSE;
}

}  // namespace

HWND FindChild(HWND parent, const wchar_t* className, int id)
{
    ChildQuery query = {className, id, nullptr};
    if (parent)
        EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

RECT WindowRect(HWND window)
{
    RECT rect = {};
    if (window)
        GetWindowRect(window, &rect);
    return rect;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[128] = {};
    GetClassNameW(window, name, ARRAYSIZE(name));
    return name;
}

std::wstring TextOf(HWND window)
{
    // Read without a message, so that a busy or hung program cannot block
    // the test; read again with more room while it may have been cut.
    std::vector<wchar_t> text(256);
    for (;;) {
        const int n = InternalGetWindowText(window, text.data(), (int)text.size());
        if (n < 0 || (size_t)n + 1 < text.size() || text.size() >= 65536)
            return std::wstring(text.data(), n > 0 ? (size_t)n : 0);
        text.resize(text.size() * 4);
    }
}

bool BringToFront(HWND window)
{
    SetForegroundWindow(window);
    return PumpUntil([&] { return GetForegroundWindow() == window; }, 3000);
}

HWND TaskBar()
{
    return FindWindowW(L"HHTaskBar", nullptr);
}

HWND TodayScreen()
{
    return FindWindowW(L"DesktopExplorerWindow", nullptr);
}

void BroadcastSettingChange(WPARAM what)
{
    DWORD_PTR ignored;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, what, 0, SMTO_ABORTIFHUNG, 3000, &ignored);
}

bool IsAbove(HWND upper, HWND lower)
{
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == upper)
            return true;
        if (w == lower)
            return false;
    }
    return false;
}

std::vector<std::wstring> DescribeWindows()
{
    std::vector<std::wstring> lines;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        RECT r = WindowRect(w);
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        wchar_t line[800];
        swprintf(line, ARRAYSIZE(line), L"%p %ls \"%ls\" %ld,%ld,%ld,%ld %ls pid %lu", (void*)w, ClassOf(w).c_str(),
                 TextOf(w).c_str(), r.left, r.top, r.right, r.bottom, IsWindowVisible(w) ? L"visible" : L"hidden",
                 pid);
        lines.push_back(line);
    }
    return lines;
}

}  // namespace testkit
