// The theme folders (the favourites) and the theme files of a folder.
#include <tskfolders.h>

#include <aygshell.h>
#include <corvane.h>
#include <strsafe.h>
#include <wchar.h>

namespace {

const wchar_t kConfigSection[] = L"Vexilo";
const wchar_t kCountName[] = L"count";
// A storage card at the device's root: a folder marked temporary.
const DWORD kCardAttributes = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY;

void FolderValueName(int index, wchar_t* name, size_t cch)
{
    StringCchPrintfW(name, cch, L"%ls%02d", L"folder", index);
}

bool AddFolder(wchar_t folders[kMaxTskFolders][MAX_PATH], int* count, const wchar_t* folder)
{
    if (*count >= kMaxTskFolders || FAILED(StringCchCopyW(folders[*count], MAX_PATH, folder)))
        return false;
    ++*count;
    return true;
}

// "\Windows", the documents folder, then each storage card's.
int DefaultFolders(wchar_t folders[kMaxTskFolders][MAX_PATH])
{
    int count = 0;
    AddFolder(folders, &count, L"\\Windows");
    wchar_t documents[MAX_PATH];
    if (SHGetDocumentsFolder(L"\\", documents))
        AddFolder(folders, &count, documents);

    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(L"\\*", &found);
    if (search == INVALID_HANDLE_VALUE)
        return count;
    do {
        if ((found.dwFileAttributes & kCardAttributes) != kCardAttributes)
            continue;
        wchar_t volume[MAX_PATH];
        if (SUCCEEDED(StringCchPrintfW(volume, MAX_PATH, L"\\%ls", found.cFileName)) &&
            SHGetDocumentsFolder(volume, documents))
            AddFolder(folders, &count, documents);
    } while (count < kMaxTskFolders && FindNextFileW(search, &found));
    FindClose(search);
    return count;
}

} // namespace

int GetTskCustomFolders(wchar_t folders[kMaxTskFolders][MAX_PATH], int* count)
{
    if (!folders || !count)
        return 0;
    *count = 0;
    CAppConfig config;
    int stored = 0;
    if (!config.Open(kConfigSection) || !config.GetINT(kCountName, &stored) || stored <= 0)
        return 0;
    if (stored > kMaxTskFolders)
        stored = kMaxTskFolders;
    for (int i = 0; i < stored; ++i) {
        wchar_t name[16];
        FolderValueName(i, name, 16);
        DWORD size = MAX_PATH;
        if (!config.GetAt(name, folders[i], &size))
            folders[i][0] = L'\0';  // a missing entry reads as an empty path
    }
    *count = stored;
    return 1;
}

int SetTskCustomFolders(const wchar_t folders[kMaxTskFolders][MAX_PATH], int count)
{
    if (!folders || count < 1)
        return 0;
    if (count > kMaxTskFolders)
        count = kMaxTskFolders;
    CAppConfig config;
    if (!config.Open(kConfigSection))
        return 0;
    for (int i = 0; i < count; ++i) {
        wchar_t name[16];
        FolderValueName(i, name, 16);
        if (!config.SetAt(name, folders[i]))
            return 0;
    }
    return config.SetINT(kCountName, count);
}

int GetTskFolders(wchar_t folders[kMaxTskFolders][MAX_PATH], int* count)
{
    if (!folders || !count)
        return 0;
    if (GetTskCustomFolders(folders, count))
        return 1;
    *count = DefaultFolders(folders);
    if (*count > 0)
        SetTskCustomFolders(folders, *count);
    return 1;
}

int AddTskCustomFolder(const wchar_t* folder)
{
    if (!folder || !*folder)
        return 0;
    wchar_t folders[kMaxTskFolders][MAX_PATH];
    int count = 0;
    GetTskCustomFolders(folders, &count);
    for (int i = 0; i < count; ++i)
        if (wcscmp(folders[i], folder) == 0)
            return 1;
    if (!AddFolder(folders, &count, folder))
        return 0;
    return SetTskCustomFolders(folders, count);
}

int GetTskFilepaths(const wchar_t* folder, wchar_t (*paths)[MAX_PATH], int capacity, int* count)
{
    if (!folder || !count)
        return 0;
    *count = 0;
    wchar_t pattern[MAX_PATH];
    if (FAILED(StringCchPrintfW(pattern, MAX_PATH, L"%ls\\*.tsk", folder)))
        return 0;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return 1;  // no theme in the folder
    int written = 0;
    do {
        wchar_t path[MAX_PATH];
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            FAILED(StringCchPrintfW(path, MAX_PATH, L"%ls\\%ls", folder, found.cFileName)))
            continue;  // a path too long to name cannot be opened either
        // Every match is counted; only what fits is written.
        ++*count;
        if (paths && written < capacity)
            StringCchCopyW(paths[written++], MAX_PATH, path);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return *count <= capacity;
}
