// Directory listings as on the device: no "." or ".." entries, and storage
// cards at the root marked DIRECTORY|TEMPORARY.  The handle handed out is
// the desktop's own find handle, so FindClose works on it either way; the
// handles that enumerate the root are remembered (with the card names read
// when the enumeration began) until FindClose.
#include <map>

#include "coredll_private.h"
#include "storage_cards.h"

namespace {

using FindFirstFn = HANDLE(WINAPI*)(LPCWSTR, LPWIN32_FIND_DATAW);
using FindNextFn = BOOL(WINAPI*)(HANDLE, LPWIN32_FIND_DATAW);
using FindCloseFn = BOOL(WINAPI*)(HANDLE);

FindFirstFn RealFindFirst()
{
    static const FindFirstFn real = RealFunction<FindFirstFn>(L"kernel32.dll", "FindFirstFileW");
    return real;
}

FindNextFn RealFindNext()
{
    static const FindNextFn real = RealFunction<FindNextFn>(L"kernel32.dll", "FindNextFileW");
    return real;
}

FindCloseFn RealFindClose()
{
    static const FindCloseFn real = RealFunction<FindCloseFn>(L"kernel32.dll", "FindClose");
    return real;
}

SRWLOCK g_rootFindsLock = SRWLOCK_INIT;
std::map<HANDLE, StorageCardList> g_rootFinds;

void RememberRootFind(HANDLE find, StorageCardList cards)
{
    AcquireSRWLockExclusive(&g_rootFindsLock);
    g_rootFinds[find] = std::move(cards);
    ReleaseSRWLockExclusive(&g_rootFindsLock);
}

void ForgetFind(HANDLE find)
{
    AcquireSRWLockExclusive(&g_rootFindsLock);
    g_rootFinds.erase(find);
    ReleaseSRWLockExclusive(&g_rootFindsLock);
}

// Marks a storage card of a root enumeration the way the device does.
void MarkStorageCard(HANDLE find, LPWIN32_FIND_DATAW data)
{
    if (!(data->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    AcquireSRWLockShared(&g_rootFindsLock);
    auto it = g_rootFinds.find(find);
    if (it != g_rootFinds.end() && IsStorageCard(it->second, data->cFileName))
        data->dwFileAttributes |= FILE_ATTRIBUTE_TEMPORARY;
    ReleaseSRWLockShared(&g_rootFindsLock);
}

bool IsDotEntry(const wchar_t* name)
{
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// Advances past "." and ".." entries; FALSE when the listing ends.
BOOL SkipDotEntries(HANDLE find, LPWIN32_FIND_DATAW data)
{
    while (IsDotEntry(data->cFileName))
        if (!RealFindNext()(find, data))
            return FALSE;
    return TRUE;
}

} // namespace

extern "C" HANDLE WINAPI CoreFindFirstFileW(LPCWSTR lpFileName, LPWIN32_FIND_DATAW lpFindFileData)
{
    if (!RealFindFirst() || !RealFindNext() || !RealFindClose()) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    HANDLE find = RealFindFirst()(lpFileName, lpFindFileData);
    if (find == INVALID_HANDLE_VALUE)
        return find;

    if (!SkipDotEntries(find, lpFindFileData)) {
        // Only "." and "..": the device finds nothing.
        RealFindClose()(find);
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }

    if (PatternIsInDeviceRoot(lpFileName)) {
        RememberRootFind(find, StorageCardNames());
        MarkStorageCard(find, lpFindFileData);
    } else {
        ForgetFind(find);  // a stale entry of a closed handle with the same value
    }
    return find;
}

extern "C" BOOL WINAPI CoreFindNextFileW(HANDLE hFindFile, LPWIN32_FIND_DATAW lpFindFileData)
{
    if (!RealFindNext()) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return FALSE;
    }
    if (!RealFindNext()(hFindFile, lpFindFileData))
        return FALSE;
    if (!SkipDotEntries(hFindFile, lpFindFileData))
        return FALSE;
    MarkStorageCard(hFindFile, lpFindFileData);
    return TRUE;
}

extern "C" BOOL WINAPI CoreFindClose(HANDLE hFindFile)
{
    ForgetFind(hFindFile);
    if (!RealFindClose()) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return FALSE;
    }
    return RealFindClose()(hFindFile);
}
