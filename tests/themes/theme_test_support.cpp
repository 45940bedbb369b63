// Helpers of the theme tests.
#include "theme_test_support.h"

#include <stdio.h>
#include <wchar.h>

namespace {

void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring child = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

} // namespace

std::wstring ThemeFixture(const wchar_t* name)
{
    wchar_t module[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
    std::wstring path(module, length);
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"theme_fixtures\\" + name;
}

bool FixtureColours(const wchar_t* themeFile, CTskColor* colours)
{
    std::string text;
    if (!ReadBytes(ThemeFixture(L"colours.txt"), &text))
        return false;
    char wanted[MAX_PATH];
    snprintf(wanted, MAX_PATH, "%ls ", themeFile);
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        if (line.compare(0, strlen(wanted), wanted) != 0)
            continue;
        const char* p = line.c_str() + strlen(wanted);
        for (int i = 0; i < CTskColor::kCount; ++i) {
            char* next = nullptr;
            colours->m_color[i] = static_cast<COLORREF>(strtoul(p, &next, 16));
            if (next == p)
                return false;
            p = next;
        }
        return true;
    }
    return false;
}

bool ReadBytes(const std::wstring& path, std::string* bytes)
{
    bytes->clear();
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char buffer[65536];
    DWORD read = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &read, nullptr) != 0) && read > 0)
        bytes->append(buffer, read);
    CloseHandle(file);
    return ok;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = bytes.empty() ||
              (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
               written == bytes.size());
    return CloseHandle(file) && ok;
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Pattern(int seed, size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 31 + (i >> 8) + seed) & 0xFF);
    return bytes;
}

uint16_t Word(const std::string& bytes, size_t at)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) | (static_cast<uint8_t>(bytes[at + 1]) << 8));
}

uint32_t Dword(const std::string& bytes, size_t at)
{
    return Word(bytes, at) | (static_cast<uint32_t>(Word(bytes, at + 2)) << 16);
}

void PutWord(std::string& bytes, size_t at, uint16_t value)
{
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

void PutDword(std::string& bytes, size_t at, uint32_t value)
{
    PutWord(bytes, at, static_cast<uint16_t>(value));
    PutWord(bytes, at + 2, static_cast<uint16_t>(value >> 16));
}

ScratchFolder::ScratchFolder(const wchar_t* name)
{
    CreateDirectoryW(L"\\Temp", nullptr);
    wchar_t path[MAX_PATH];
    _snwprintf(path, MAX_PATH - 1, L"\\Temp\\%ls-%lu", name, GetCurrentProcessId());
    path[MAX_PATH - 1] = L'\0';
    m_path = path;
    RemoveTree(m_path);
    CreateDirectoryW(m_path.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder()
{
    RemoveTree(m_path);
}

TempSlots::TempSlots(const ScratchFolder& folder, const wchar_t* prefix)
{
    files.Form((folder.Path() + L"\\").c_str(), prefix);
}

CTskInfo MakeRecord(const ScratchFolder& folder, size_t todayBytes, size_t startBytes, bool animated, COLORREF base)
{
    CTskInfo info;
    for (int i = 0; i < CTskColor::kCount; ++i)
        info.m_color[i] = base + i;
    struct File {
        wchar_t* field;
        const wchar_t* name;
        size_t size;
        int seed;
    };
    const File files[] = {
        {info.m_szToday, L"today.gif", todayBytes, 1},   {info.m_szStart, L"start.gif", startBytes, 2},
        {info.m_szAniControl, L"anim.atc", 300, 3},       {info.m_szAniMovie, L"anim.swf", 5000, 4},
        {info.m_szAniPage, L"anim.htm", 400, 5},
    };
    for (const File& file : files) {
        if (!animated && file.seed > 2)
            continue;
        std::wstring path = folder / file.name;
        WriteBytes(path, Pattern(file.seed, file.size));
        wcsncpy(file.field, path.c_str(), MAX_PATH - 1);
    }
    info.m_bAnimated = animated ? 1 : 0;
    return info;
}
