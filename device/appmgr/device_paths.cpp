#include "app_manager.h"

std::wstring DeviceFilePath(const std::wstring& devicePath)
{
    if (!devicePath.empty() && devicePath[0] == L'\\')
        return L"D:" + devicePath;
    return devicePath;
}

bool IsPlainName(const std::wstring& name)
{
    if (name.empty() || name == L"." || name == L".." || name.size() > MAX_PATH)
        return false;
    for (wchar_t c : name)
        if (c < 32 || c == L'\\' || c == L'/' || c == L':' || c == L'*' || c == L'?' || c == L'"' || c == L'<' ||
            c == L'>' || c == L'|')
            return false;
    // Trailing dots and blanks name another file than they seem to.
    return name.back() != L'.' && name.back() != L' ';
}
