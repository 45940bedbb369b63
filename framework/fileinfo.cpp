// CFileInfo: path and file utilities whose text results share one buffer,
// and CSH::GetFileTitle, the same title into the caller's buffer.
#include <aygshell.h>

#include <cstdio>
#include <cwchar>
#include <initializer_list>
#include <utility>

#include "registry.h"
#include "shell.h"
#include "shell_text.h"

wchar_t CFileInfo::szBuff[MAX_PATH];

namespace {

const wchar_t kKetraKey[] = L"SOFTWARE\\ZARQ\\KETRA";

// Puts the concatenation of parts into szBuff; null (and szBuff empty) when
// it does not fit, since a cut path would name another file. The parts may
// point into szBuff itself (a caller passing an earlier result).
LPCWSTR Result(std::initializer_list<std::pair<const wchar_t*, size_t>> parts)
{
    wchar_t out[MAX_PATH];
    size_t used = 0;
    for (const auto& part : parts) {
        const wchar_t* text = part.first ? part.first : L"";
        size_t length = part.second == kWholeText ? wcslen(text) : part.second;
        if (used + length >= MAX_PATH) {
            CFileInfo::szBuff[0] = L'\0';
            return nullptr;
        }
        wmemcpy(out + used, text, length);
        used += length;
    }
    wmemcpy(CFileInfo::szBuff, out, used);
    CFileInfo::szBuff[used] = L'\0';
    return CFileInfo::szBuff;
}

std::pair<const wchar_t*, size_t> Whole(const wchar_t* text)
{
    return {text, kWholeText};
}

}  // namespace

BOOL CSH::GetFileTitle(LPCWSTR path, LPWSTR out, int cchOut)
{
    if (!out || cchOut <= 0)
        return FALSE;
    const wchar_t* name = FileNamePart(path ? path : L"");
    return CopyBounded(out, static_cast<size_t>(cchOut), name, TitleLength(name)) ? TRUE : FALSE;
}

HICON CFileInfo::GetFileIcon(LPCWSTR path)
{
    if (!path || !*path)
        return nullptr;
    SHFILEINFOW info = {};
    if (!::SHGetFileInfoW(path, 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON))
        return nullptr;
    return info.hIcon;
}

BOOL CFileInfo::IsExtension(LPCWSTR path, LPCWSTR extension)
{
    if (!path || !extension)
        return FALSE;
    const wchar_t* dot = wcsrchr(path, L'.');
    return dot && wcscmp(dot + 1, extension) == 0;
}

BOOL CFileInfo::IsShortcutFile(LPCWSTR path)
{
    return IsExtension(path, L"lnk");
}

BOOL CFileInfo::CopyFileW(LPCWSTR source, LPCWSTR destination, BOOL failIfExists)
{
    return ::CopyFileW(source, destination, failIfExists) ? TRUE : FALSE;
}

// Read-only and system files refuse deletion unless their attributes are
// cleared first.
BOOL CFileInfo::DeleteFileW(LPCWSTR path, BOOL clearAttributes)
{
    if (clearAttributes)
        ::SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
    return ::DeleteFileW(path) ? TRUE : FALSE;
}

BOOL CFileInfo::CreateDirectoryW(LPCWSTR path)
{
    return ::CreateDirectoryW(path, nullptr) ? TRUE : FALSE;
}

BOOL CFileInfo::RemoveDirectoryW(LPCWSTR path)
{
    return ::RemoveDirectoryW(path) ? TRUE : FALSE;
}

// A shortcut to a shortcut is a copy of it; a program gets a new shortcut
// whose command is its path in quotes.
BOOL CFileInfo::CreateShortcut(LPCWSTR shortcut, LPCWSTR target)
{
    if (!shortcut || !target)
        return FALSE;
    if (IsExtension(target, L"lnk"))
        return ::CopyFileW(target, shortcut, FALSE) ? TRUE : FALSE;
    if (!IsExtension(target, L"exe"))
        return FALSE;
    wchar_t command[MAX_PATH + 2];
    if (wcslen(target) + 2 >= ARRAYSIZE(command))
        return FALSE;
    swprintf(command, ARRAYSIZE(command), L"\"%ls\"", target);
    return ::SHCreateShortcut(shortcut, command) ? TRUE : FALSE;
}

LPCWSTR CFileInfo::GetFileTitle(LPCWSTR path)
{
    const wchar_t* name = FileNamePart(path ? path : L"");
    return Result({{name, TitleLength(name)}});
}

LPCWSTR CFileInfo::GetFullPath(LPCWSTR folder, LPCWSTR name)
{
    return Result({Whole(folder), Whole(L"\\"), Whole(name)});
}

LPCWSTR CFileInfo::GetFullPath(LPCWSTR folder, LPCWSTR name, LPCWSTR extension)
{
    return Result({Whole(folder), Whole(L"\\"), Whole(name), Whole(L"."), Whole(extension)});
}

LPCWSTR CFileInfo::GetFileName(LPCWSTR path)
{
    return Result({Whole(FileNamePart(path ? path : L""))});
}

LPCWSTR CFileInfo::GetPath(LPCWSTR path)
{
    if (!path)
        path = L"";
    const wchar_t* slash = wcsrchr(path, L'\\');
    return Result({{path, slash ? static_cast<size_t>(slash - path) : kWholeText}});
}

BOOL CFileInfo::IsExist(LPCWSTR path)
{
    return path && ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES;
}

LPCWSTR CFileInfo::GetKetraPath()
{
    CRegistry key;
    DWORD size = MAX_PATH;
    if (!key.Open(HKEY_LOCAL_MACHINE, kKetraKey, TRUE) || !key.ReadString(L"Path", szBuff, &size)) {
        szBuff[0] = L'\0';
        return nullptr;
    }
    return szBuff;
}
