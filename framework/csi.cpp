// CSI: system information: memory, object store, power and storage cards.
#include <cedevice.h>

#include <string>

#include "shell.h"
#include "shell_text.h"

namespace {

const DWORD kStorageCardAttributes = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY;
const BYTE kMaxPercent = 100;

// A battery percent the caller can show, or -1.
int KnownPercent(BYTE flag, BYTE percent)
{
    return (flag == 0 || percent > kMaxPercent) ? -1 : percent;
}

bool IsStorageCard(const WIN32_FIND_DATAW& entry)
{
    return (entry.dwFileAttributes & kStorageCardAttributes) == kStorageCardAttributes;
}

// The root entry of the index-th storage card, in enumeration order.
bool FindStorageCard(int index, WIN32_FIND_DATAW* card)
{
    if (index < 0)
        return false;
    HANDLE find = ::FindFirstFileW(L"\\*", card);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    int seen = 0;
    bool found = false;
    do {
        if (IsStorageCard(*card) && seen++ == index) {
            found = true;
            break;
        }
    } while (::FindNextFileW(find, card));
    ::FindClose(find);
    return found;
}

DWORD KilobytesOf(ULONGLONG bytes)
{
    return static_cast<DWORD>(bytes / 1024);
}

}  // namespace

BOOL CSI::GetMemoryStatus(ULONGLONG* available, ULONGLONG* total)
{
    MEMORYSTATUS status = {};
    status.dwLength = sizeof(status);
    ::GlobalMemoryStatus(&status);
    if (available)
        *available = status.dwAvailPhys;
    if (total)
        *total = status.dwTotalPhys;
    return TRUE;
}

// The sum of two 32-bit sizes may pass 4 GB, hence the 64-bit results.
BOOL CSI::GetStoreStatus(ULONGLONG* freeBytes, ULONGLONG* total)
{
    STORE_INFORMATION store = {};
    if (!::GetStoreInformation(&store))
        return FALSE;
    if (freeBytes)
        *freeBytes = store.dwFreeSize;
    if (total)
        *total = static_cast<ULONGLONG>(store.dwStoreSize) + store.dwFreeSize;
    return TRUE;
}

BOOL CSI::GetPowerInfo(int* acLine, int* batteryPercent, int* backupPercent)
{
    SYSTEM_POWER_STATUS_EX2 status = {};
    if (::GetSystemPowerStatusEx2(&status, sizeof(status), TRUE) == 0)
        return FALSE;
    if (acLine)
        *acLine = status.ACLineStatus;
    if (batteryPercent)
        *batteryPercent = KnownPercent(status.BatteryFlag, status.BatteryLifePercent);
    if (backupPercent)
        *backupPercent = KnownPercent(status.BackupBatteryFlag, status.BackupBatteryLifePercent);
    return TRUE;
}

BOOL CSI::GetSTCardInfo(int index, LPWSTR name, DWORD* freeKB, DWORD* totalKB, int cchName)
{
    WIN32_FIND_DATAW card = {};
    if (!FindStorageCard(index, &card))
        return FALSE;
    card.cFileName[MAX_PATH - 1] = L'\0';
    const wchar_t* cardName = card.cFileName[0] == L'\\' ? card.cFileName + 1 : card.cFileName;
    if (name && cchName > 0)
        CopyBounded(name, static_cast<size_t>(cchName), cardName);

    ULARGE_INTEGER available = {}, bytes = {};
    std::wstring folder = std::wstring(L"\\") + cardName;
    bool known = ::GetDiskFreeSpaceExW(folder.c_str(), &available, &bytes, nullptr) != FALSE;
    if (freeKB)
        *freeKB = known ? KilobytesOf(available.QuadPart) : 0;
    if (totalKB)
        *totalKB = known ? KilobytesOf(bytes.QuadPart) : 0;
    return TRUE;
}
