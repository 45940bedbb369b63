// Inside aygshell only: the desktop shell's functions the device's shell
// library passes work to.  shell32 is loaded on their first use rather than
// with every program that links this library: most never call them, and
// loading it (with shcore and shlwapi) is part of every program's start.
#pragma once

#include <windows.h>

#include <shellapi.h>

namespace desktop_shell {

// ShellExecuteExW, SHGetFileInfoW and ExtractIconExW; each fails as the
// function itself fails when shell32 or the function is missing.
BOOL ExecuteEx(SHELLEXECUTEINFOW* info);
DWORD_PTR GetFileInfo(LPCWSTR path, DWORD attributes, SHFILEINFOW* info, UINT infoSize, UINT flags);
UINT ExtractIcons(LPCWSTR file, int index, HICON* large, HICON* small, UINT icons);

}  // namespace desktop_shell
