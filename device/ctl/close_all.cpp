// `close-all [MS]`: ends the device's session in order, programs first.
//
// Every visible top-level window of an ordinary program gets WM_CLOSE; after
// they are gone (or MS have passed) the shell's windows get it too.  Wine's
// own desktop windows, tool windows and menus are left alone.  Prints
// "closed N" (programs' windows that went away); exit 1 if some stayed.
#include "devctl.h"

#include <wchar.h>

namespace {

const DWORD kDefaultWaitMs = 5000;
const DWORD kPollMs = 50;

const wchar_t* const kShellClasses[] = {L"HHTaskBar", L"DesktopExplorerWindow"};
// Windows of the system rather than of a program.
const wchar_t* const kSystemClasses[] = {L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd", L"Progman", L"WorkerW",
                                         L"#32768", L"#32769", L"IME", L"tooltips_class32"};

bool ClassIn(const std::wstring& name, const wchar_t* const* list, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        if (_wcsicmp(name.c_str(), list[i]) == 0)
            return true;
    return false;
}

DWORD ProcessOf(HWND hwnd)
{
    DWORD pid = 0;
    if (hwnd)
        GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

struct Session {
    std::vector<HWND> programs;  // windows to close first
    std::vector<HWND> shell;     // the shell's windows, closed last
};

Session SortWindows()
{
    // Every window of the shell's process belongs to the shell, not only the
    // two well-known ones; Wine's desktop process owns system windows.
    DWORD shellProcess = 0;
    for (const wchar_t* name : kShellClasses)
        if (!shellProcess)
            shellProcess = ProcessOf(FindTopLevelByClass(name));
    DWORD desktopProcess = ProcessOf(GetDesktopWindow());
    DWORD self = GetCurrentProcessId();

    Session session;
    for (HWND hwnd : TopLevelWindows()) {
        if (!IsWindowVisible(hwnd))
            continue;
        std::wstring name = WindowClass(hwnd);
        DWORD pid = ProcessOf(hwnd);
        if (ClassIn(name, kShellClasses, sizeof(kShellClasses) / sizeof(kShellClasses[0])) ||
            (shellProcess && pid == shellProcess)) {
            session.shell.push_back(hwnd);
            continue;
        }
        if (pid == self || pid == desktopProcess ||
            ClassIn(name, kSystemClasses, sizeof(kSystemClasses) / sizeof(kSystemClasses[0])) ||
            (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
            continue;
        session.programs.push_back(hwnd);
    }
    return session;
}

size_t CountAlive(const std::vector<HWND>& windows)
{
    size_t alive = 0;
    for (HWND hwnd : windows)
        if (IsWindow(hwnd))
            ++alive;
    return alive;
}

} // namespace

int CmdCloseAll(const Args& args)
{
    DWORD waitMs = kDefaultWaitMs;
    if (args.size() > 1 || (args.size() == 1 && !ParseUInt32(args[0], &waitMs)))
        return kExitUsage;

    Session session = SortWindows();
    // Posted rather than sent: a program that asks "save changes?" must not
    // stall us past the wait.
    for (HWND hwnd : session.programs)
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    ULONGLONG start = GetTickCount64();
    while (CountAlive(session.programs) > 0 && GetTickCount64() - start < waitMs)
        Sleep(kPollMs);

    size_t left = CountAlive(session.programs);
    for (HWND hwnd : session.programs)
        if (IsWindow(hwnd))
            ErrLine(Format(L"devctl: still open: 0x%08X %ls %ls", (unsigned)(UINT_PTR)hwnd,
                           WindowClass(hwnd).c_str(), Quoted(WindowText(hwnd)).c_str()));
    for (HWND hwnd : session.shell)
        PostMessageW(hwnd, WM_CLOSE, 0, 0);

    OutLine(Format(L"closed %u", (unsigned)(session.programs.size() - left)));
    return left == 0 ? kExitOk : kExitFailed;
}
