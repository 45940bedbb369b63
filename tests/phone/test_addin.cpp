// A contacts add-in for the tests: logs what it was called with.
#include <windows.h>

#include <pimstore.h>

#include "devlog.h"

extern "C" __declspec(dllexport) void CePimCommand(HWND owner, PIMTYPE type, UINT count, HANDLE* items, void*)
{
    DevLog(L"addin", L"owner %p type %d count %u oid %llu", (void*)owner, (int)type, count,
           items && count ? (unsigned long long)(ULONG_PTR)items[0] : 0ULL);
}
