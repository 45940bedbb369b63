// Directory listings as on the device: no "." or ".." entries, storage
// cards at the root marked DIRECTORY|TEMPORARY, and the files that only the
// ROM holds listed after the RAM files, read-only and "in ROM".  The handle
// handed out is the desktop's own find handle, so FindClose works on it
// either way; the handles that enumerate the root are remembered (with the
// card names read when the enumeration began), and those with ROM files
// still to list keep them, until FindClose.
#include <map>
#include <string>
#include <vector>

#include <rom_files.h>

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

// The ROM files a listing still owes its caller.
struct RomTail {
    std::vector<WIN32_FIND_DATAW> entries;
    size_t next = 0;
    bool ramDone = false;  // the RAM listing has ended
};

SRWLOCK g_romTailsLock = SRWLOCK_INIT;
std::map<HANDLE, RomTail> g_romTails;

// The files matching the pattern that only ROM holds, in the ROM's order.
std::vector<WIN32_FIND_DATAW> RomOnlyMatches(LPCWSTR pattern)
{
    std::vector<WIN32_FIND_DATAW> matches;
    wchar_t romPattern[MAX_PATH];
    if (!DevRomLocation(pattern, romPattern, MAX_PATH))
        return matches;
    // The folder part of the pattern, for the RAM name of each match.
    std::wstring folder(pattern);
    size_t slash = folder.find_last_of(L"\\/");
    folder = slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash + 1);

    WIN32_FIND_DATAW data;
    HANDLE find = RealFindFirst()(romPattern, &data);
    if (find == INVALID_HANDLE_VALUE)
        return matches;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        std::wstring ram = folder + data.cFileName;
        if (GetFileAttributesW(ram.c_str()) != INVALID_FILE_ATTRIBUTES)
            continue;  // shadowed by a RAM file
        data.dwFileAttributes = (data.dwFileAttributes & ~FILE_ATTRIBUTE_ARCHIVE) | FILE_ATTRIBUTE_INROM |
                                FILE_ATTRIBUTE_READONLY;
        matches.push_back(data);
    } while (RealFindNext()(find, &data));
    RealFindClose()(find);
    return matches;
}

void RememberRomTail(HANDLE find, std::vector<WIN32_FIND_DATAW> entries, size_t next, bool ramDone)
{
    AcquireSRWLockExclusive(&g_romTailsLock);
    RomTail& tail = g_romTails[find];
    tail.entries = std::move(entries);
    tail.next = next;
    tail.ramDone = ramDone;
    ReleaseSRWLockExclusive(&g_romTailsLock);
}

void ForgetRomTail(HANDLE find)
{
    AcquireSRWLockExclusive(&g_romTailsLock);
    g_romTails.erase(find);
    ReleaseSRWLockExclusive(&g_romTailsLock);
}

enum class TailStep { None, Entry, End };

// With the RAM listing of find over (or running, when ramDone is false):
// the next ROM file, the end, or None for a handle without a ROM tail or
// whose RAM listing still runs.
TailStep NextFromRomTail(HANDLE find, bool ramJustEnded, LPWIN32_FIND_DATAW data)
{
    AcquireSRWLockExclusive(&g_romTailsLock);
    TailStep step = TailStep::None;
    auto it = g_romTails.find(find);
    if (it != g_romTails.end()) {
        RomTail& tail = it->second;
        if (ramJustEnded)
            tail.ramDone = true;
        if (tail.ramDone) {
            if (tail.next < tail.entries.size()) {
                *data = tail.entries[tail.next++];
                step = TailStep::Entry;
            } else {
                step = TailStep::End;
            }
        }
    }
    ReleaseSRWLockExclusive(&g_romTailsLock);
    return step;
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
    std::vector<WIN32_FIND_DATAW> rom = RomOnlyMatches(lpFileName);
    HANDLE find = RealFindFirst()(lpFileName, lpFindFileData);
    if (find != INVALID_HANDLE_VALUE && !SkipDotEntries(find, lpFindFileData)) {
        // Only "." and "..": the RAM has nothing.
        RealFindClose()(find);
        find = INVALID_HANDLE_VALUE;
        SetLastError(ERROR_FILE_NOT_FOUND);
    }
    if (find == INVALID_HANDLE_VALUE) {
        if (rom.empty())
            return INVALID_HANDLE_VALUE;
        // Only ROM files match: a listing of the ROM itself carries them.
        wchar_t romPattern[MAX_PATH];
        WIN32_FIND_DATAW ignored;
        if (!DevRomLocation(lpFileName, romPattern, MAX_PATH) ||
            (find = RealFindFirst()(romPattern, &ignored)) == INVALID_HANDLE_VALUE)
            return INVALID_HANDLE_VALUE;
        ForgetFind(find);
        *lpFindFileData = rom[0];
        RememberRomTail(find, std::move(rom), 1, true);
        return find;
    }
    if (!rom.empty())
        RememberRomTail(find, std::move(rom), 0, false);
    else
        ForgetRomTail(find);  // a stale entry of a closed handle with the same value

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
    TailStep step = NextFromRomTail(hFindFile, false, lpFindFileData);
    if (step == TailStep::None) {
        if (RealFindNext()(hFindFile, lpFindFileData) && SkipDotEntries(hFindFile, lpFindFileData)) {
            MarkStorageCard(hFindFile, lpFindFileData);
            return TRUE;
        }
        step = NextFromRomTail(hFindFile, true, lpFindFileData);
    }
    if (step == TailStep::Entry)
        return TRUE;
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
}

extern "C" BOOL WINAPI CoreFindClose(HANDLE hFindFile)
{
    ForgetFind(hFindFile);
    ForgetRomTail(hFindFile);
    if (!RealFindClose()) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return FALSE;
    }
    return RealFindClose()(hFindFile);
}
