// The skins folder: where it is, which skins it holds, and removing one.
#include "skin_folder.h"

#include <strsafe.h>
#include <wchar.h>

#include <corvane.h>

namespace {

const wchar_t kKetraKey[] = L"SOFTWARE\\ZARQ\\KETRA";

bool IsDotName(LPCWSTR name)
{
    return wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0;
}

bool IsDirectoryEntry(const WIN32_FIND_DATAW& entry)
{
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

bool ReadSkinsFolder(wchar_t* out, size_t capacity)
{
    if (!out || capacity == 0)
        return false;
    out[0] = L'\0';
    CRegistry ketra;
    if (!ketra.Open(HKEY_LOCAL_MACHINE, kKetraKey, TRUE))
        return false;
    wchar_t install[CRegistry::kMaxText] = {};
    DWORD size = CRegistry::kMaxText;
    if (!ketra.ReadString(L"Path", install, &size) || install[0] == L'\0')
        return false;
    if (FAILED(StringCchPrintfW(out, capacity, L"%ls\\Skins\\", install))) {
        out[0] = L'\0';
        return false;
    }
    return true;
}

bool JoinSkinPath(wchar_t* out, size_t capacity, LPCWSTR folder, LPCWSTR name, LPCWSTR file)
{
    if (!out || capacity == 0)
        return false;
    HRESULT hr = file ? StringCchPrintfW(out, capacity, L"%ls%ls\\%ls", folder, name, file)
                      : StringCchPrintfW(out, capacity, L"%ls%ls", folder, name);
    if (FAILED(hr)) {
        out[0] = L'\0';
        return false;
    }
    return true;
}

std::vector<std::wstring> ListSkinFolders(LPCWSTR folder)
{
    std::vector<std::wstring> names;
    wchar_t pattern[MAX_PATH];
    if (!folder || !folder[0] || !JoinSkinPath(pattern, MAX_PATH, folder, L"*.*"))
        return names;
    WIN32_FIND_DATAW entry;
    HANDLE find = ::FindFirstFileW(pattern, &entry);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        // The desktop lists "." and ".." too; they are never skins.
        if (IsDirectoryEntry(entry) && !IsDotName(entry.cFileName))
            names.emplace_back(entry.cFileName);
    } while (::FindNextFileW(find, &entry));
    ::FindClose(find);
    return names;
}

bool IsPlainSkinName(LPCWSTR name)
{
    if (!name || !name[0] || IsDotName(name))
        return false;
    return wcspbrk(name, L"\\/:") == nullptr;
}

bool IsDeletableSkin(LPCWSTR folder, LPCWSTR name)
{
    if (!folder || !folder[0] || !IsPlainSkinName(name))
        return false;
    bool listed = false;
    for (const std::wstring& skin : ListSkinFolders(folder))
        listed = listed || _wcsicmp(skin.c_str(), name) == 0;
    if (!listed)
        return false;
    wchar_t path[MAX_PATH];
    if (!JoinSkinPath(path, MAX_PATH, folder, name))
        return false;
    DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool DeleteSkinFolder(LPCWSTR folder, LPCWSTR name)
{
    if (!IsDeletableSkin(folder, name))
        return false;
    wchar_t skin[MAX_PATH];
    wchar_t pattern[MAX_PATH];
    if (!JoinSkinPath(skin, MAX_PATH, folder, name) || !JoinSkinPath(pattern, MAX_PATH, folder, name, L"*.*"))
        return false;
    WIN32_FIND_DATAW entry;
    HANDLE find = ::FindFirstFileW(pattern, &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            // Only the skin's own files go; anything below it stays, and so
            // does the folder then.
            if (IsDirectoryEntry(entry))
                continue;
            wchar_t file[MAX_PATH];
            if (!JoinSkinPath(file, MAX_PATH, folder, name, entry.cFileName))
                continue;
            ::SetFileAttributesW(file, FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileW(file);
        } while (::FindNextFileW(find, &entry));
        ::FindClose(find);
    }
    return ::RemoveDirectoryW(skin) != FALSE;
}
