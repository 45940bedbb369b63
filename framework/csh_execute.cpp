// CSH: starting programs and documents through the shell, and beaming files.
#include <windows.h>
#include <shellapi.h>

#include "shell.h"

namespace {

const wchar_t kBeamProgram[] = L"\\Windows\\irsquirt.exe";

// The shell's execute call as the device's own shell makes it: owned by the
// desktop window when there is one, default verb, no folder, shown normally.
BOOL ShellExecuteFile(LPCWSTR file, LPCWSTR parameters)
{
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = 0;
    info.hwnd = ::FindWindowW(L"Desktop", nullptr);
    info.lpVerb = nullptr;
    info.lpFile = file;
    info.lpParameters = parameters;
    info.lpDirectory = nullptr;
    info.nShow = SW_SHOWNORMAL;
    return ::ShellExecuteExW(&info);
}

}  // namespace

// The shell reports its own failures (and logs every launch); callers of
// Execute never learn whether the program started.
BOOL CSH::Execute(LPCWSTR file, LPCWSTR parameters)
{
    ShellExecuteFile(file, parameters);
    return TRUE;
}

BOOL CSH::Beam(LPCWSTR file)
{
    if (!file || !*file || ::GetFileAttributesW(file) == INVALID_FILE_ATTRIBUTES)
        return FALSE;
    return ShellExecuteFile(kBeamProgram, file) ? TRUE : FALSE;
}
