// Counting another process's memory and window-system objects from outside.
#include "footprint.h"

#include <psapi.h>
#include <winternl.h>

#include <cstddef>
#include <vector>

namespace {

// One entry of the GDI handle table a process's PEB points to (64-bit
// layout); a non-zero type marks a live object.
struct GdiHandleEntry {
    UINT64 object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    UINT64 userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24, "GDI handle table entries are 24 bytes");

const size_t kPebGdiTableOffset = 0xF8;  // PEB.GdiSharedHandleTable, 64-bit
const size_t kGdiTableEntries = 0x10000;

long CountGdiHandleTable(HANDLE process)
{
    PROCESS_BASIC_INFORMATION basic = {};
    ULONG length = 0;
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof(basic), &length) != 0 ||
        !basic.PebBaseAddress)
        return -1;
    UINT64 table = 0;
    SIZE_T got = 0;
    const BYTE* field = reinterpret_cast<const BYTE*>(basic.PebBaseAddress) + kPebGdiTableOffset;
    if (!ReadProcessMemory(process, field, &table, sizeof(table), &got) || got != sizeof(table) || !table)
        return -1;
    std::vector<GdiHandleEntry> entries(kGdiTableEntries);
    const SIZE_T bytes = entries.size() * sizeof(GdiHandleEntry);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(), bytes, &got) ||
        got != bytes)
        return -1;
    long live = 0;
    for (const GdiHandleEntry& entry : entries)
        if (entry.type)
            ++live;
    return live;
}

struct WindowCount {
    DWORD processId;
    long count;
};

BOOL CALLBACK CountChild(HWND, LPARAM param)
{
    ++reinterpret_cast<WindowCount*>(param)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM param)
{
    WindowCount* counter = reinterpret_cast<WindowCount*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == counter->processId) {
        ++counter->count;
        EnumChildWindows(window, CountChild, param);
    }
    return TRUE;
}

long CountWindows(DWORD processId)
{
    WindowCount counter = {processId, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&counter));
    return counter.count;
}

// SystemExtendedHandleInformation: every open handle of the system, each
// with its process.
const ULONG kExtendedHandleInformation = 64;

struct HandleEntry {
    PVOID object;
    ULONG_PTR processId;
    ULONG_PTR handle;
    ULONG access;
    USHORT creatorBackTrace;
    USHORT objectType;
    ULONG attributes;
    ULONG reserved;
};

struct HandleTable {
    ULONG_PTR count;
    ULONG_PTR reserved;
    HandleEntry entries[1];
};

long CountSystemHandles(DWORD processId)
{
    std::vector<BYTE> buffer(256 * 1024);
    for (int attempt = 0; attempt < 8; ++attempt) {
        ULONG needed = 0;
        const NTSTATUS status =
            NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(kExtendedHandleInformation),
                                     buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == static_cast<NTSTATUS>(0xC0000004L)) {  // STATUS_INFO_LENGTH_MISMATCH
            buffer.resize(needed > buffer.size() ? needed + 64 * 1024 : buffer.size() * 2);
            continue;
        }
        if (status != 0)
            return -1;
        const HandleTable* table = reinterpret_cast<const HandleTable*>(buffer.data());
        const size_t fits = (buffer.size() - offsetof(HandleTable, entries)) / sizeof(HandleEntry);
        long count = 0;
        for (size_t i = 0; i < table->count && i < fits; ++i)
            if (table->entries[i].processId == processId)
                ++count;
        return count;
    }
    return -1;
}

}  // namespace

long CountHandles(HANDLE process, DWORD processId)
{
    DWORD count = 0;
    if (GetProcessHandleCount(process, &count) && count > 0)
        return static_cast<long>(count);
    return CountSystemHandles(processId);
}

bool ReadMemoryUse(HANDLE process, MemoryUse* out)
{
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters)))
        return false;
    out->privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    out->privateSource = counters.PrivateUsage ? "PrivateUsage" : "PagefileUsage";
    out->workingSet = counters.WorkingSetSize;
    return true;
}

ObjectCounts CountObjects(HANDLE process, DWORD processId)
{
    ObjectCounts counts;
    SetLastError(0);
    const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    const DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    if (gdi || user || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) {
        counts.gdi = static_cast<long>(gdi);
        counts.user = static_cast<long>(user);
        counts.gdiSource = counts.userSource = "GetGuiResources";
        return counts;
    }
    counts.gdi = CountGdiHandleTable(process);
    counts.gdiSource = "GDI handle table";
    counts.user = CountWindows(processId);
    counts.userSource = "windows";
    return counts;
}
