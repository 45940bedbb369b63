#include "option_device.h"

#include "program_runner.h"

const wchar_t kOptionProgram[] = L"\\Program Files\\ZARQ\\Ketra\\Option.exe";
const wchar_t kHostProgram[] = L"\\Program Files\\ZARQ\\Ketra\\Ketra.exe";
const wchar_t kOptionClass[] = L"KETRA_OPTION_CLASS";
const wchar_t kHostClass[] = L"KETRA_CLASS";

namespace {

const wchar_t kSystemKey[] = L"SOFTWARE\\ZARQ";
const wchar_t kBackupKey[] = L"SOFTWARE\\ZARQ Test Backup";

struct ClassCount {
    const wchar_t* className;
    int count;
};

BOOL CALLBACK CountClass(HWND hwnd, LPARAM param)
{
    auto* query = reinterpret_cast<ClassCount*>(param);
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, ARRAYSIZE(name));
    if (wcscmp(name, query->className) == 0)
        ++query->count;
    return TRUE;
}

}  // namespace

bool CopyRegistryTree(const wchar_t* from, const wchar_t* to)
{
    HKEY source = nullptr, target = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, from, 0, KEY_READ, &source) != ERROR_SUCCESS)
        return false;
    bool copied = RegCreateKeyExW(HKEY_LOCAL_MACHINE, to, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target,
                                  nullptr) == ERROR_SUCCESS &&
                  RegCopyTreeW(source, nullptr, target) == ERROR_SUCCESS;
    if (target)
        RegCloseKey(target);
    RegCloseKey(source);
    return copied;
}

HWND WaitForWindowOf(const wchar_t* className, DWORD ms, HWND other)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindWindowW(className, nullptr);
            return found && found != other;
        },
        ms);
    return found != other ? found : nullptr;
}

bool WaitNoWindowOf(const wchar_t* className, DWORD ms)
{
    return WaitUntil([&] { return FindWindowW(className, nullptr) == nullptr; }, ms);
}

void WaitUntilIdle(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (!process)
        return;
    WaitForInputIdle(process, 15000);
    CloseHandle(process);
}

int CountWindowsOf(const wchar_t* className)
{
    ClassCount query = {className, 0};
    EnumWindows(CountClass, reinterpret_cast<LPARAM>(&query));
    return query.count;
}

HWND StartHost()
{
    std::wstring commandLine = std::wstring(L"\"") + kHostProgram + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(kHostProgram, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return nullptr;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return WaitForWindowOf(kHostClass, 15000);
}

void CloseHost()
{
    if (HWND host = FindWindowW(kHostClass, nullptr))
        PostMessageW(host, WM_COMMAND, 1, 0);
    WaitNoWindowOf(kHostClass, 10000);
}

void CloseSettingsAndHost()
{
    if (HWND frame = FindWindowW(kOptionClass, nullptr)) {
        HWND host = FindWindowW(kHostClass, nullptr);
        PostMessageW(frame, WM_COMMAND, IDCANCEL, 0);
        WaitNoWindowOf(kOptionClass, 15000);
        WaitForWindowOf(kHostClass, 15000, host);
    }
    CloseHost();
}

SystemRegistryBackup::SystemRegistryBackup()
{
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kBackupKey);
    saved_ = CopyRegistryTree(kSystemKey, kBackupKey);
}

SystemRegistryBackup::~SystemRegistryBackup()
{
    if (!saved_)
        return;
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kSystemKey);
    CopyRegistryTree(kBackupKey, kSystemKey);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kBackupKey);
}
