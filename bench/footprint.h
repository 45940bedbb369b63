// What another process holds: memory, GDI objects and USER objects.
#pragma once

#include <windows.h>

struct MemoryUse {
    SIZE_T privateBytes = 0;
    SIZE_T workingSet = 0;
    const char* privateSource = "";  // the counter privateBytes came from
};

// From GetProcessMemoryInfo. Where PrivateUsage is not reported, the commit
// charge (PagefileUsage, the same figure on Windows) stands for it.
bool ReadMemoryUse(HANDLE process, MemoryUse* out);

struct ObjectCounts {
    long gdi = -1;   // -1: could not be counted
    long user = -1;
    const char* gdiSource = "";
    const char* userSource = "";
};

// GetGuiResources where the system answers it. Where it does not (it
// answers 0 with "not implemented"), GDI objects are counted in the
// process's GDI handle table and USER objects as the process's windows.
ObjectCounts CountObjects(HANDLE process, DWORD processId);

// The process's open kernel handles: GetProcessHandleCount where it answers
// (Wine answers 0 for another process), else the system's handle table
// counted for the process. -1 when neither can be read.
long CountHandles(HANDLE process, DWORD processId);
