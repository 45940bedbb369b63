// The side bar loads and frees the messaging library with the PIM summary
// applet, again and again: each round must give back what it took (the C++
// runtime's exception pool, the handles of the runtime's guard for statics).
#include "ketra_testkit.h"

#include <mapix.h>

#include "footprint.h"

namespace {

using Initialize = HRESULT(WINAPI*)(LPVOID);
using Uninitialize = void(WINAPI*)();
using LogonEx = HRESULT(WINAPI*)(ULONG_PTR, LPWSTR, LPWSTR, ULONG, LPMAPISESSION*);

// Loaded, logged on (which reads the Inbox), logged off and freed.
void UseAndFree()
{
    HMODULE library = LoadLibraryW(L"cemapi.dll");
    ASSERT_NE(nullptr, library);
    auto initialize = reinterpret_cast<Initialize>(reinterpret_cast<void*>(GetProcAddress(library, "MAPIInitialize")));
    auto uninitialize = reinterpret_cast<Uninitialize>(reinterpret_cast<void*>(GetProcAddress(library, "MAPIUninitialize")));
    auto logon = reinterpret_cast<LogonEx>(reinterpret_cast<void*>(GetProcAddress(library, "MAPILogonEx")));
    ASSERT_TRUE(initialize && uninitialize && logon);
    ASSERT_EQ(S_OK, initialize(nullptr));
    IMAPISession* session = nullptr;
    ASSERT_EQ(S_OK, logon(0, nullptr, nullptr, 0, &session));
    session->Logoff(0, 0, 0);
    session->Release();
    uninitialize();
    FreeLibrary(library);
    ASSERT_EQ(nullptr, GetModuleHandleW(L"cemapi.dll"));
}

TEST(CemapiUnloadTest, LoadedUsedAndFreedAgainLeavesNoHandlesOrMemoryBehind)
{
    UseAndFree();
    UseAndFree();
    const DWORD self = GetCurrentProcessId();
    MemoryUse before, after;
    ASSERT_TRUE(ReadMemoryUse(GetCurrentProcess(), &before));
    const long handlesBefore = CountHandles(GetCurrentProcess(), self);
    ASSERT_GT(handlesBefore, 0);
    const int kRounds = 10;
    for (int i = 0; i < kRounds && !HasFatalFailure(); ++i)
        UseAndFree();
    ASSERT_TRUE(ReadMemoryUse(GetCurrentProcess(), &after));
    // Each round left a thread and an event handle and about 71 KB of heap.
    EXPECT_EQ(handlesBefore, CountHandles(GetCurrentProcess(), self));
    EXPECT_LT(after.privateBytes, before.privateBytes + kRounds * 24 * 1024);
}

}  // namespace
