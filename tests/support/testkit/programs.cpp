#include "programs.h"

#include <objbase.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <vector>

#include "pump.h"

namespace testkit {

namespace {

struct WindowQuery {
    DWORD pid;
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param)
{
    auto* query = reinterpret_cast<WindowQuery*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != query->pid || !IsWindowVisible(hwnd))
        return TRUE;
    wchar_t title[256] = {};
    GetWindowTextW(hwnd, title, ARRAYSIZE(title));
    if (query->title && wcscmp(title, query->title) != 0)
        return TRUE;
    query->found = hwnd;
    return FALSE;
}

std::vector<DWORD> ProcessIds(const wchar_t* exeName)
{
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        if (_wcsicmp(entry.szExeFile, exeName) == 0)
            ids.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return ids;
}

}  // namespace

DeviceProgram::DeviceProgram(const std::wstring& path, const std::wstring& args)
{
    std::wstring commandLine = L"\"" + path + L"\"";
    if (!args.empty())
        commandLine += L" " + args;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (CreateProcessW(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        process_ = pi.hProcess;
        pid_ = pi.dwProcessId;
    }
}

DeviceProgram::~DeviceProgram()
{
    Kill();
    if (process_)
        CloseHandle(process_);
}

bool DeviceProgram::Running() const
{
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool DeviceProgram::WaitExit(DWORD ms, DWORD* exitCode)
{
    if (!process_ || !PumpUntil([&] { return !Running(); }, ms))
        return false;
    if (exitCode)
        GetExitCodeProcess(process_, exitCode);
    return true;
}

void DeviceProgram::Kill()
{
    if (Running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
}

HWND DeviceProgram::FindWindowOf(const wchar_t* title) const
{
    WindowQuery query = {pid_, title, nullptr};
    if (process_)
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND DeviceProgram::WaitWindow(const wchar_t* title, DWORD ms) const
{
    HWND found = nullptr;
    PumpUntil([&] { return (found = FindWindowOf(title)) != nullptr; }, ms);
    return found;
}

bool Execute(const std::wstring& path, const std::wstring& args)
{
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = path.c_str();
    info.lpParameters = args.empty() ? nullptr : args.c_str();
    info.lpDirectory = L"D:\\";
    info.nShow = SW_SHOWNORMAL;
    // Shell extensions behind the desktop's ShellExecuteEx may need COM.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const bool started = ShellExecuteExW(&info) != FALSE;
    if (SUCCEEDED(com))
        CoUninitialize();
    return started;
}

int CountProcesses(const wchar_t* exeName)
{
    return (int)ProcessIds(exeName).size();
}

void EndProcesses(const wchar_t* exeName)
{
    for (DWORD id : ProcessIds(exeName)) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (!process)
            continue;
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
    WaitProcessCount(exeName, 0, 5000);
}

bool WaitProcessCount(const wchar_t* exeName, int count, DWORD ms)
{
    return PumpUntil([&] { return CountProcesses(exeName) == count; }, ms);
}

bool ModuleLoadedIn(DWORD processId, const wchar_t* module)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    MODULEENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    bool found = false;
    for (BOOL more = Module32FirstW(snapshot, &entry); more && !found; more = Module32NextW(snapshot, &entry))
        found = _wcsicmp(entry.szModule, module) == 0;
    CloseHandle(snapshot);
    return found;
}

}  // namespace testkit
