// A program for the shell library's tests: writes how it was started (its
// own path, its command line and its current directory) to the device log.
#include <windows.h>

#include <devlog.h>

int wmain()
{
    wchar_t module[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    wchar_t folder[MAX_PATH] = L"";
    GetCurrentDirectoryW(MAX_PATH, folder);
    DevLog(L"echo", L"%ls | %ls | %ls", module, GetCommandLineW(), folder);
    return 0;
}
