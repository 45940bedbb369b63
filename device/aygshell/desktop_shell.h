// The desktop shell's functions the device's shell library passes work to.
// shell32 is loaded on their first use rather than with every program that
// links this library: most never call them, and loading it (with the
// libraries it pulls in) is a noticeable part of a program's start.
#pragma once

#include <windows.h>
#include <shellapi.h>

BOOL DesktopShellExecuteEx(SHELLEXECUTEINFOW* info);
UINT DesktopExtractIconEx(LPCWSTR file, int index, HICON* large, HICON* small, UINT icons);
DWORD_PTR DesktopGetFileInfo(LPCWSTR path, DWORD attributes, SHFILEINFOW* info, UINT infoSize, UINT flags);
