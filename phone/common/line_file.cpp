#include "line_file.h"

namespace LineFile {

namespace {

const DWORD kLargestFile = 1024 * 1024;  // far above ten lines of text

std::wstring FromDevicePage(const std::string& bytes)
{
    if (bytes.empty())
        return std::wstring();
    int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), (int)bytes.size(), nullptr, 0);
    std::wstring text((size_t)(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), (int)bytes.size(), &text[0], n);
    return text;
}

std::string ToDevicePage(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_ACP, 0, text.data(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string bytes((size_t)(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), (int)text.size(), &bytes[0], n, nullptr, nullptr);
    return bytes;
}

}  // namespace

bool Read(LPCWSTR path, size_t maxEntries, size_t maxChars, std::vector<std::wstring>* entries)
{
    entries->clear();
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD size = GetFileSize(file, nullptr);
    std::string bytes;
    bool ok = size != INVALID_FILE_SIZE;
    if (ok) {
        bytes.resize(size < kLargestFile ? size : kLargestFile);
        DWORD read = 0;
        ok = bytes.empty() || ReadFile(file, &bytes[0], (DWORD)bytes.size(), &read, nullptr);
        bytes.resize(ok ? read : 0);
    }
    CloseHandle(file);
    if (!ok)
        return false;

    std::wstring text = FromDevicePage(bytes);
    size_t pos = 0;
    while (pos < text.size() && entries->size() < maxEntries) {
        size_t end = text.find_first_of(L"\r\n", pos);
        if (end == std::wstring::npos)
            end = text.size();
        std::wstring line = text.substr(pos, end - pos);
        if (text.compare(end, 2, L"\r\n") == 0)
            ++end;
        pos = end + 1;
        if (line.empty())
            continue;
        if (line.size() > maxChars)
            line.resize(maxChars);
        entries->push_back(line);
    }
    return true;
}

bool Write(LPCWSTR path, const std::vector<std::wstring>& entries, size_t maxEntries)
{
    std::wstring text;
    size_t written = 0;
    for (const std::wstring& entry : entries) {
        if (written == maxEntries)
            break;
        if (entry.empty())
            continue;
        std::wstring line = entry;
        for (wchar_t& c : line)
            if (c == L'\r' || c == L'\n')
                c = L' ';
        text += line + L"\r\n";
        ++written;
    }
    std::string bytes = ToDevicePage(text);

    std::wstring temporary = std::wstring(path) + L".tmp";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD done = 0;
    bool ok = bytes.empty() || (WriteFile(file, bytes.data(), (DWORD)bytes.size(), &done, nullptr) &&
                                done == bytes.size());
    ok = CloseHandle(file) && ok;
    if (ok && MoveFileExW(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileW(temporary.c_str());
    return false;
}

bool BesideModule(HINSTANCE module, LPCWSTR name, wchar_t* path, size_t cch)
{
    wchar_t self[MAX_PATH];
    DWORD n = GetModuleFileNameW(module, self, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return false;
    wchar_t* slash = wcsrchr(self, L'\\');
    if (!slash)
        return false;
    slash[1] = L'\0';
    int written = _snwprintf(path, cch, L"%ls%ls", self, name);
    if (written < 0 || (size_t)written >= cch) {
        if (cch)
            path[0] = L'\0';
        return false;
    }
    return true;
}

}  // namespace LineFile
