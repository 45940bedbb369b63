// Importing the programs of the platform's start menu into the launch list.
#include "launch_list.h"

#include <aygshell.h>

#include <cwchar>
#include <string>

namespace {

const wchar_t* const kPatterns[] = {L"*.lnk", L"*.exe"};
const wchar_t* const kEndings[] = {L"lnk", L"exe"};
const wchar_t kGamesFolder[] = L"Games";

bool EndsWith(const wchar_t* name, const wchar_t* ending)
{
    size_t length = wcslen(name);
    size_t endingLength = wcslen(ending);
    return length >= endingLength && wcscmp(name + length - endingLength, ending) == 0;
}

std::wstring Join(const std::wstring& folder, const wchar_t* name)
{
    if (!folder.empty() && folder.back() == L'\\')
        return folder + name;
    return folder + L"\\" + name;
}

bool IsVisibleFolder(const std::wstring& path)
{
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_HIDDEN);
}

}  // namespace

// A folder's shortcuts, then its programs: visible files whose names end
// exactly in "lnk" or "exe" (the search itself ignores case) and whose full
// path is new to the list.
static int ImportFolder(CLaunchList* list, const std::wstring& folder)
{
    int added = 0;
    for (int kind = 0; kind < 2; ++kind) {
        WIN32_FIND_DATAW found = {};
        HANDLE search = ::FindFirstFileW(Join(folder, kPatterns[kind]).c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            continue;
        do {
            found.cFileName[MAX_PATH - 1] = L'\0';
            if (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY))
                continue;
            if (!EndsWith(found.cFileName, kEndings[kind]))
                continue;
            std::wstring path = Join(folder, found.cFileName);
            if (!list->Contains(path.c_str()) && list->Add(path.c_str()))
                ++added;
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    return added;
}

int CLaunchList::ImportFolders(LPCWSTR startMenu, LPCWSTR programs, BOOL fresh)
{
    if (fresh)
        RemoveAll();
    int added = 0;
    if (startMenu && *startMenu && IsVisibleFolder(startMenu))
        added += ImportFolder(this, startMenu);
    if (programs && *programs && IsVisibleFolder(programs)) {
        added += ImportFolder(this, programs);
        std::wstring games = Join(programs, kGamesFolder);
        if (IsVisibleFolder(games))
            added += ImportFolder(this, games);
    }
    return added;
}

int CLaunchList::ImportDefault(BOOL fresh)
{
    wchar_t startMenu[MAX_PATH] = L"";
    wchar_t programs[MAX_PATH] = L"";
    if (!::SHGetSpecialFolderPathW(nullptr, startMenu, CSIDL_STARTMENU, FALSE))
        startMenu[0] = L'\0';
    if (!::SHGetSpecialFolderPathW(nullptr, programs, CSIDL_PROGRAMS, FALSE))
        programs[0] = L'\0';
    return ImportFolders(startMenu, programs, fresh);
}
