// The start-up folder: at boot the shell starts every shortcut and program
// in "\Windows\StartUp" once, in name order, as the device does.
#include "shell.h"

#include <devlog.h>
#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const wchar_t kStartUpFolder[] = L"\\Windows\\StartUp";

} // namespace

void RunStartUpFolder()
{
    wchar_t pattern[MAX_PATH];
    _snwprintf(pattern, MAX_PATH - 1, L"%ls\\*", kStartUpFolder);
    pattern[MAX_PATH - 1] = L'\0';
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM))
            continue;
        names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);

    std::sort(names.begin(), names.end(),
              [](const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) < 0; });
    for (const std::wstring& name : names) {
        std::wstring path = std::wstring(kStartUpFolder) + L"\\" + name;
        if (path.size() >= MAX_PATH) {
            DevLog(L"shell", L"start-up: %ls skipped (path too long)", name.c_str());
            continue;
        }
        RunDeviceFile(path.c_str(), nullptr, L"start-up");
    }
}
