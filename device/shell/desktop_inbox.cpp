// The desktop connection's inbox, "\Windows\AppMgr\Install": the desktop's
// device manager copies setup cabinets there, and the shell hands them to
// the device's installer one at a time, in name order.  A cabinet the
// installer did not take (refused, cancelled) is deleted afterwards: the
// desktop keeps its own copy.
#include "shell.h"

#include <devlog.h>

#include <string>

namespace {

const wchar_t kInbox[] = L"D:\\Windows\\AppMgr\\Install\\";
const wchar_t kInstaller[] = L"D:\\Windows\\wceload.exe";

HANDLE g_installer = nullptr;
std::wstring g_cabinet;  // the inbox cabinet g_installer works on

std::wstring FirstCabinet()
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((std::wstring(kInbox) + L"*.cab").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return std::wstring();
    std::wstring first;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        if (first.empty() || _wcsicmp(found.cFileName, first.c_str()) < 0)
            first = found.cFileName;
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return first;
}

} // namespace

void PollDesktopInbox()
{
    if (g_installer) {
        if (WaitForSingleObject(g_installer, 0) == WAIT_TIMEOUT)
            return;
        CloseHandle(g_installer);
        g_installer = nullptr;
        DeleteFileW((kInbox + g_cabinet).c_str());
    }
    std::wstring name = FirstCabinet();
    if (name.empty())
        return;
    g_cabinet = name;
    std::wstring devicePath = L"\\Windows\\AppMgr\\Install\\" + name;
    std::wstring command = L"\"" + std::wstring(kInstaller) + L"\" \"" + devicePath + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    DevLog(L"desktop", L"install %ls", devicePath.c_str());
    if (!CreateProcessW(kInstaller, &command[0], nullptr, nullptr, FALSE, 0, nullptr, L"D:\\", &startup, &process)) {
        DevLog(L"desktop", L"%ls not started (error %lu)", kInstaller, GetLastError());
        DeleteFileW((kInbox + name).c_str());
        return;
    }
    CloseHandle(process.hThread);
    g_installer = process.hProcess;
}
