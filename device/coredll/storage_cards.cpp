// Storage-card folders and their free space.
#include "storage_cards.h"

#include <wchar.h>

#include "coredll_private.h"

namespace {

const DWORD kDefaultCardTotalKB = 128 * 1024;
const DWORD kDefaultCardFreeKB = 100 * 1024;

// Full path of `path` (resolved against the current drive and folder);
// empty on failure.
std::wstring FullPath(const wchar_t* path)
{
    wchar_t buffer[MAX_PATH * 2];
    DWORD n = GetFullPathNameW(path, ARRAYSIZE(buffer), buffer, nullptr);
    if (n == 0 || n >= ARRAYSIZE(buffer))
        return std::wstring();
    return std::wstring(buffer, n);
}

// "D:\" for a device whose current drive is D:.
std::wstring DeviceRoot()
{
    return FullPath(L"\\");
}

bool StartsWithNoCase(const std::wstring& text, const std::wstring& prefix)
{
    return !prefix.empty() && text.size() >= prefix.size() &&
           _wcsnicmp(text.c_str(), prefix.c_str(), prefix.size()) == 0;
}

void AddCardName(StorageCardList& cards, std::wstring name)
{
    size_t first = name.find_first_not_of(L" \\");
    size_t last = name.find_last_not_of(L" \\");
    if (first == std::wstring::npos)
        return;
    cards.push_back(name.substr(first, last - first + 1));
}

ULONGLONG KilobytesToBytes(DWORD kb)
{
    return (ULONGLONG)kb * 1024;
}

} // namespace

StorageCardList StorageCardNames()
{
    StorageCardList cards;
    DWORD cb = 0;
    const DWORD types = RRF_RT_REG_SZ | RRF_RT_REG_MULTI_SZ;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, DEVICE_STATE_KEY, L"StorageCards", types, nullptr, nullptr, &cb) !=
            ERROR_SUCCESS ||
        cb == 0)
        return cards;

    std::vector<wchar_t> data(cb / sizeof(wchar_t) + 2, L'\0');
    cb = (DWORD)(data.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_LOCAL_MACHINE, DEVICE_STATE_KEY, L"StorageCards", types, nullptr, data.data(), &cb) !=
        ERROR_SUCCESS)
        return cards;
    data[data.size() - 1] = data[data.size() - 2] = L'\0';

    // Both forms split the same way: at each NUL (multi-string) or ';'.
    std::wstring name;
    size_t used = cb / sizeof(wchar_t);
    for (size_t i = 0; i < used; ++i) {
        wchar_t c = data[i];
        if (c == L'\0' || c == L';') {
            AddCardName(cards, name);
            name.clear();
        } else {
            name += c;
        }
    }
    AddCardName(cards, name);
    return cards;
}

bool IsStorageCard(const StorageCardList& cards, const wchar_t* name)
{
    for (const std::wstring& card : cards)
        if (_wcsicmp(card.c_str(), name) == 0)
            return true;
    return false;
}

bool PatternIsInDeviceRoot(const wchar_t* pattern)
{
    if (!pattern)
        return false;
    std::wstring full = FullPath(pattern);
    size_t slash = full.find_last_of(L'\\');
    if (slash == std::wstring::npos)
        return false;
    std::wstring folder = full.substr(0, slash + 1);
    std::wstring root = DeviceRoot();
    return !root.empty() && _wcsicmp(folder.c_str(), root.c_str()) == 0;
}

bool StorageCardOfPath(const wchar_t* path, std::wstring* card)
{
    if (!path)
        return false;
    std::wstring full = FullPath(path);
    std::wstring root = DeviceRoot();
    if (!StartsWithNoCase(full, root))
        return false;
    std::wstring rest = full.substr(root.size());
    std::wstring name = rest.substr(0, rest.find(L'\\'));
    if (name.empty() || !IsStorageCard(StorageCardNames(), name.c_str()))
        return false;
    DWORD attributes = GetFileAttributesW((root + name).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    if (card)
        *card = name;
    return true;
}

bool PathIsOnStorageCard(const wchar_t* path)
{
    return StorageCardOfPath(path, nullptr);
}

void StorageCardSpace(const std::wstring& card, DWORD* freeKB, DWORD* totalKB)
{
    *totalKB = DevStateGetDword(L"StorageCardTotalKB", kDefaultCardTotalKB);
    *freeKB = DevStateGetDword(L"StorageCardFreeKB", kDefaultCardFreeKB);
    // A card of its own: HKLM "Software\SimDevice\StorageCards\<card>".
    std::wstring key = std::wstring(DEVICE_STATE_KEY) + L"\\StorageCards\\" + card;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"TotalKB", RRF_RT_REG_DWORD, nullptr, &value, &size) ==
        ERROR_SUCCESS)
        *totalKB = value;
    size = sizeof(value);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"FreeKB", RRF_RT_REG_DWORD, nullptr, &value, &size) ==
        ERROR_SUCCESS)
        *freeKB = value;
    if (*freeKB > *totalKB)
        *freeKB = *totalKB;
}

extern "C" BOOL WINAPI CoreGetDiskFreeSpaceExW(LPCWSTR lpDirectoryName, PULARGE_INTEGER lpFreeBytesAvailableToCaller,
                                               PULARGE_INTEGER lpTotalNumberOfBytes,
                                               PULARGE_INTEGER lpTotalNumberOfFreeBytes)
{
    std::wstring card;
    if (StorageCardOfPath(lpDirectoryName, &card)) {
        DWORD totalKB = 0;
        DWORD freeKB = 0;
        StorageCardSpace(card, &freeKB, &totalKB);
        if (lpFreeBytesAvailableToCaller)
            lpFreeBytesAvailableToCaller->QuadPart = KilobytesToBytes(freeKB);
        if (lpTotalNumberOfBytes)
            lpTotalNumberOfBytes->QuadPart = KilobytesToBytes(totalKB);
        if (lpTotalNumberOfFreeBytes)
            lpTotalNumberOfFreeBytes->QuadPart = KilobytesToBytes(freeKB);
        return TRUE;
    }

    using Fn = BOOL(WINAPI*)(LPCWSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
    static const Fn real = RealFunction<Fn>(L"kernel32.dll", "GetDiskFreeSpaceExW");
    if (!real) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return FALSE;
    }
    return real(lpDirectoryName, lpFreeBytesAvailableToCaller, lpTotalNumberOfBytes, lpTotalNumberOfFreeBytes);
}
