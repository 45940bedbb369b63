// CSH: ending other programs: by process id, by executable name, by window,
// and the control panel's programs.
#include <windows.h>
#include <tlhelp32.h>

#include <cwchar>

#include "shell.h"
#include "wndframe.h"

namespace {

const wchar_t kSnapshotFailed[] =
    L"There's an error to close Control Panel. After restarting your Ketra, try again.";
// How long KillProcess waits for a terminated process to end; a process
// that hangs in its kernel call must not hang the caller too.
const DWORD kKillWaitMs = 5000;
const UINT kKilledExitCode = static_cast<UINT>(-1);

// Terminates the process of id; false when it cannot be opened or refuses.
bool TerminateById(DWORD processId)
{
    HANDLE process = ::OpenProcess(PROCESS_TERMINATE, FALSE, processId);
    if (!process)
        return false;
    BOOL done = ::TerminateProcess(process, kKilledExitCode);
    ::CloseHandle(process);
    return done != FALSE;
}

}  // namespace

BOOL CSH::KillProcess(DWORD processId)
{
    HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
    if (!process)
        return FALSE;
    BOOL done = ::TerminateProcess(process, kKilledExitCode);
    if (done)
        ::WaitForSingleObject(process, kKillWaitMs);
    ::CloseHandle(process);
    return done ? TRUE : FALSE;
}

// Callers pass the name in lower case; the comparison ignores case anyway.
// A matching process that cannot be opened is skipped for the next match.
BOOL CSH::KillApp(LPCWSTR exeName)
{
    if (!exeName || !*exeName)
        return FALSE;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        CWnd::TRACE(L"%ls", kSnapshotFailed);
        return FALSE;
    }
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry)) {
        entry.szExeFile[MAX_PATH - 1] = L'\0';
        if (_wcsicmp(entry.szExeFile, exeName) != 0)
            continue;
        if (TerminateById(entry.th32ProcessID))
            break;
    }
    return ::CloseHandle(snapshot) ? TRUE : FALSE;
}

BOOL CSH::KillApp(HWND hWnd)
{
    DWORD processId = 0;
    if (hWnd && ::GetWindowThreadProcessId(hWnd, &processId) && processId)
        TerminateById(processId);
    return TRUE;
}

// On the models whose settings pages are programs of their own, those go
// with the control panel.
BOOL CSH::KillAllCpl()
{
    KillApp(L"ctlpnl.exe");
    int model = GetDeviceModel();
    if (model == ModelH3800 || model == ModelH3900) {
        KillApp(L"backlight.exe");
        KillApp(L"clock.exe");
        KillApp(L"powerg.exe");
    }
    return TRUE;
}
