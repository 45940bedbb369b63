// phone.dll: the device's call log and calls.  The simulated device has no
// radio: the call log is the store file "\Windows\Phone\calllog.txt"
// (columns Number, Name, NameType, Start, End, Direction; see devtable.h),
// read whole when it is opened and served newest first, and a placed call
// is the device-log line "phone: call <number> (flags <n>)".
//
// Device state (HKLM "Software\SimDevice"):
//   "CallLogFail" DWORD  1 fails PhoneOpenCallLog
#define PHONE_API
#include <phone.h>

#include <algorithm>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "devclock.h"
#include "devlog.h"
#include "devtable.h"

namespace {

const wchar_t kCallLogPath[] = L"D:\\Windows\\Phone\\calllog.txt";

struct CallRecord {
    std::wstring number, name, nameType;
    FILETIME start = {}, end = {};
    bool hasStart = false;
    IOM direction = IOM_OUTGOING;
};

struct CallLog {
    std::vector<CallRecord> records;
    size_t position = 0;
};

std::mutex g_lock;
std::set<CallLog*> g_logs;

bool StoreTimeToFileTime(const std::wstring& text, FILETIME* utc)
{
    SYSTEMTIME local, universal;
    return DevParseStoreTime(text, &local) && DevZoneUtcFromLocal(DevClockZone(), local, &universal) &&
           SystemTimeToFileTime(&universal, utc);
}

IOM DirectionFrom(const std::wstring& text)
{
    if (_wcsicmp(text.c_str(), L"missed") == 0)
        return IOM_MISSED;
    if (_wcsicmp(text.c_str(), L"incoming") == 0)
        return IOM_INCOMING;
    return IOM_OUTGOING;
}

void LoadRecords(std::vector<CallRecord>* records)
{
    DevTable table;
    if (!DevReadTable(kCallLogPath, &table, L"phone"))
        return;
    for (size_t i = 0; i < table.rows.size(); ++i) {
        CallRecord record;
        record.number = table.Field(i, L"Number");
        record.name = table.Field(i, L"Name");
        record.nameType = table.Field(i, L"NameType");
        record.hasStart = StoreTimeToFileTime(table.Field(i, L"Start"), &record.start);
        if (!StoreTimeToFileTime(table.Field(i, L"End"), &record.end))
            record.end = record.start;
        record.direction = DirectionFrom(table.Field(i, L"Direction"));
        records->push_back(std::move(record));
    }
    // Newest first; records without a time keep their order after the others.
    std::stable_sort(records->begin(), records->end(), [](const CallRecord& a, const CallRecord& b) {
        if (a.hasStart != b.hasStart)
            return a.hasStart;
        return a.hasStart && CompareFileTime(&a.start, &b.start) > 0;
    });
}

PWSTR LocalCopy(const std::wstring& text)
{
    PWSTR copy = (PWSTR)LocalAlloc(LMEM_FIXED, (text.size() + 1) * sizeof(WCHAR));
    if (copy)
        memcpy(copy, text.c_str(), (text.size() + 1) * sizeof(WCHAR));
    return copy;
}

CallLog* Find(HANDLE h)
{
    auto it = g_logs.find((CallLog*)h);
    return it == g_logs.end() ? nullptr : *it;
}

} // namespace

extern "C" HRESULT WINAPI PhoneOpenCallLog(HANDLE* ph)
{
    if (!ph)
        return E_INVALIDARG;
    *ph = nullptr;
    if (DevStateGetDword(L"CallLogFail", 0) == 1) {
        DevLog(L"phone", L"call log open failed");
        return E_FAIL;
    }
    CallLog* log = new CallLog;
    LoadRecords(&log->records);
    std::lock_guard<std::mutex> hold(g_lock);
    g_logs.insert(log);
    *ph = (HANDLE)log;
    return S_OK;
}

extern "C" HRESULT WINAPI PhoneCloseCallLog(HANDLE h)
{
    std::lock_guard<std::mutex> hold(g_lock);
    CallLog* log = Find(h);
    if (!log)
        return E_HANDLE;
    g_logs.erase(log);
    delete log;
    return S_OK;
}

extern "C" HRESULT WINAPI PhoneSeekCallLog(HANDLE h, CALLLOGSEEK seek, DWORD iRecord, LPDWORD piRecord)
{
    std::lock_guard<std::mutex> hold(g_lock);
    CallLog* log = Find(h);
    if (!log)
        return E_HANDLE;
    size_t count = log->records.size();
    size_t target;
    if (seek == CALLLOGSEEK_END) {
        if (count == 0)
            return E_FAIL;
        target = count - 1;
    } else if (seek == CALLLOGSEEK_BEGINNING) {
        if (iRecord >= count)
            return E_INVALIDARG;
        target = iRecord;
    } else {
        return E_INVALIDARG;
    }
    log->position = target;
    if (piRecord)
        *piRecord = (DWORD)target;
    return S_OK;
}

extern "C" HRESULT WINAPI PhoneGetCallLogEntry(HANDLE h, PCALLLOGENTRY entry)
{
    if (!entry || entry->cbSize < sizeof(CALLLOGENTRY))
        return E_INVALIDARG;
    std::lock_guard<std::mutex> hold(g_lock);
    CallLog* log = Find(h);
    if (!log)
        return E_HANDLE;
    if (log->position >= log->records.size())
        return S_FALSE;
    const CallRecord& record = log->records[log->position];
    DWORD size = entry->cbSize;
    ZeroMemory(entry, sizeof(*entry));
    entry->cbSize = size;
    entry->ftStartTime = record.start;
    entry->ftEndTime = record.end;
    entry->iom = record.direction;
    entry->fOutgoing = record.direction == IOM_OUTGOING;
    entry->fConnected = record.direction != IOM_MISSED;
    entry->fEnded = TRUE;
    entry->cidt = record.number.empty() ? CALLERIDTYPE_UNAVAILABLE : CALLERIDTYPE_AVAILABLE;
    entry->pszNumber = record.number.empty() ? nullptr : LocalCopy(record.number);
    entry->pszName = record.name.empty() ? nullptr : LocalCopy(record.name);
    entry->pszNameType = record.nameType.empty() ? nullptr : LocalCopy(record.nameType);
    ++log->position;
    return S_OK;
}

extern "C" LONG WINAPI PhoneMakeCall(PHONEMAKECALLINFO* info)
{
    if (!info || info->cbSize < sizeof(PHONEMAKECALLINFO) || !info->pszDestAddress || !*info->pszDestAddress)
        return E_INVALIDARG;
    DevLog(L"phone", L"call %ls (flags %lu)", info->pszDestAddress, info->dwFlags);
    return 0;
}
