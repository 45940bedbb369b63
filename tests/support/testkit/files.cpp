#include "files.h"

#include <cwchar>

namespace testkit {

std::wstring TestFolder()
{
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring module(path, n < MAX_PATH ? n : 0);
    const size_t slash = module.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : module.substr(0, slash + 1);
}

std::wstring FixturePath(const std::wstring& name)
{
    return TestFolder() + L"fixtures\\" + name;
}

bool ReadBytes(const std::wstring& path, std::string* bytes)
{
    bytes->clear();
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char chunk[65536];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, chunk, sizeof chunk, &got, nullptr) != 0) && got > 0)
        bytes->append(chunk, got);
    CloseHandle(file);
    return ok;
}

std::string ReadBytes(const std::wstring& path)
{
    std::string bytes;
    ReadBytes(path, &bytes);
    return bytes;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr) && written == bytes.size();
    return CloseHandle(file) && ok;
}

bool WriteUtf8(const std::wstring& path, const std::wstring& text)
{
    return WriteBytes(path, ToUtf8(text));
}

bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = path + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

std::string ToUtf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string bytes((size_t)size, '\0');
    if (size)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), &bytes[0], size, nullptr, nullptr);
    return bytes;
}

std::wstring FromUtf8(const std::string& bytes)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), (int)bytes.size(), nullptr, 0);
    std::wstring text((size_t)n, L'\0');
    if (n)
        MultiByteToWideChar(CP_UTF8, 0, bytes.data(), (int)bytes.size(), &text[0], n);
    return text;
}

std::wstring WithoutLineEnd(std::wstring text)
{
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r'))
        text.pop_back();
    return text;
}

ScratchFolder::ScratchFolder(const wchar_t* name)
{
    wchar_t path[MAX_PATH];
    swprintf(path, MAX_PATH, L"D:\\Temp\\%ls_%lu", name, GetCurrentProcessId());
    path_ = path;
    CreateDirectoryW(L"D:\\Temp", nullptr);
    RemoveTree(path_);
    CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder()
{
    RemoveTree(path_);
}

SavedFile::SavedFile(const std::wstring& path) : path_(path)
{
    existed_ = ReadBytes(path_, &original_);
}

SavedFile::~SavedFile()
{
    if (existed_)
        Write(original_);
    else
        Remove();
}

bool SavedFile::Write(const std::string& bytes) const
{
    const std::wstring folder = path_.substr(0, path_.find_last_of(L'\\'));
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring temporary = path_ + L".new";
    return WriteBytes(temporary, bytes) && MoveFileExW(temporary.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
}

bool SavedFile::WriteUtf8(const std::wstring& text) const
{
    return Write(ToUtf8(text));
}

bool SavedFile::Remove() const
{
    return DeleteFileW(path_.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

}  // namespace testkit
