// Device paths and program names.
#include "aygshell_private.h"

#include <wctype.h>

const wchar_t kDeviceDrive[] = L"D:";
const wchar_t kDeviceRoot[] = L"D:\\";

std::wstring ToHostPath(const std::wstring& path)
{
    if (path.size() >= 1 && path[0] == L'\\' && (path.size() == 1 || path[1] != L'\\'))
        return kDeviceDrive + path;
    return path;
}

std::wstring LowerExtension(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"\\/");
    size_t dot = path.rfind(L'.');
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash))
        return std::wstring();
    std::wstring ext = path.substr(dot);
    for (wchar_t& c : ext)
        c = (wchar_t)towlower(c);
    return ext;
}

bool FileExists(const std::wstring& hostPath)
{
    DWORD attributes = GetFileAttributesW(hostPath.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring ResolveProgram(const std::wstring& name)
{
    if (name.find_first_of(L"\\/:") == std::wstring::npos) {
        std::wstring device = std::wstring(kDeviceRoot) + L"Windows\\" + name;
        if (FileExists(device))
            return device;
        if (LowerExtension(name).empty() && FileExists(device + L".exe"))
            return device + L".exe";
        return name;
    }
    return ToHostPath(name);
}

bool CopyToBuffer(const std::wstring& text, wchar_t* buffer, int cch)
{
    if (!buffer || cch <= 0)
        return false;
    if (text.size() >= (size_t)cch) {
        buffer[0] = L'\0';
        return false;
    }
    text.copy(buffer, text.size());
    buffer[text.size()] = L'\0';
    return true;
}
