// Where schedules live: their files beside the programs and the rotator's
// registry key.
#include "schedule.h"

#include <corvane.h>
#include <stdio.h>
#include <strsafe.h>
#include <wchar.h>

namespace {

const wchar_t kRotatorKey[] = L"SOFTWARE\\ZARQ\\Rotator";

bool OpenScheduleKey(CRegistry& key, int schedule, BOOL readOnly)
{
    wchar_t path[64];
    if (FAILED(StringCchPrintfW(path, 64, L"%ls\\Schedule%d", kRotatorKey, schedule + 1)))
        return false;
    return key.Open(HKEY_LOCAL_MACHINE, path, readOnly, !readOnly) != 0;
}

} // namespace

bool ScheduleFilePath(int schedule, wchar_t* path, size_t cch)
{
    if (!IsScheduleNumber(schedule) || !path || cch == 0)
        return false;
    wchar_t module[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, module, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    wchar_t* slash = wcsrchr(module, L'\\');
    if (!slash)
        return false;
    slash[1] = L'\0';
    return SUCCEEDED(StringCchPrintfW(path, cch, L"%lsSchedule%d.tsc", module, schedule + 1));
}

int ScheduleFromCommandLine(const wchar_t* commandLine)
{
    if (!commandLine)
        return -1;
    const wchar_t* p = commandLine;
    while (*p == L' ' || *p == L'\t')
        ++p;
    if (*p < L'0' || *p > L'3')
        return -1;
    int schedule = *p - L'0';
    ++p;
    while (*p == L' ' || *p == L'\t')
        ++p;
    return *p ? -1 : schedule;
}

int ReadCurrentSchedule()
{
    CRegistry key;
    DWORD value = 0;
    if (!key.Open(HKEY_LOCAL_MACHINE, kRotatorKey, TRUE) || !key.ReadDWORD(L"CurrentSchedule", &value) ||
        !IsScheduleNumber(static_cast<long>(value)))
        return 0;
    return static_cast<int>(value);
}

bool WriteCurrentSchedule(int schedule)
{
    CRegistry key;
    return IsScheduleNumber(schedule) && key.Open(HKEY_LOCAL_MACHINE, kRotatorKey, FALSE, TRUE) &&
           key.WriteDWORD(L"CurrentSchedule", static_cast<DWORD>(schedule));
}

DWORD ReadCurrentTsk(int schedule)
{
    CRegistry key;
    DWORD value = 0;
    if (!IsScheduleNumber(schedule) || !OpenScheduleKey(key, schedule, TRUE) || !key.ReadDWORD(L"CurrentTsk", &value))
        return 0;
    return value;
}

bool WriteCurrentTsk(int schedule, DWORD position)
{
    CRegistry key;
    return IsScheduleNumber(schedule) && OpenScheduleKey(key, schedule, FALSE) &&
           key.WriteDWORD(L"CurrentTsk", position);
}
