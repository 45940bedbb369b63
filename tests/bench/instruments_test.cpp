// The benchmarks' instruments on this process: object counts and memory
// must follow what the process creates, and "painted" must follow the
// window's update region, or every figure built on them is wrong.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

#include "footprint.h"
#include "watch.h"

namespace {

ObjectCounts CountOwn()
{
    return CountObjects(GetCurrentProcess(), GetCurrentProcessId());
}

HWND CreatePopup(int width, int height)
{
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST(InstrumentsTest, GdiCountFollowsCreatedAndDeletedObjects)
{
    // The first window-list query of a process brings the window system's
    // own GDI objects along for good; the benchmark counts a bar that has
    // long made them.
    CountOwn();
    const ObjectCounts before = CountOwn();
    ASSERT_GE(before.gdi, 0) << before.gdiSource;
    std::vector<HBITMAP> bitmaps;
    for (int i = 0; i < 10; ++i)
        bitmaps.push_back(CreateBitmap(4, 4, 1, 1, nullptr));
    EXPECT_EQ(before.gdi + 10, CountOwn().gdi);
    for (HBITMAP bitmap : bitmaps)
        DeleteObject(bitmap);
    EXPECT_EQ(before.gdi, CountOwn().gdi);
}

TEST(InstrumentsTest, UserCountFollowsWindows)
{
    // A thread's windows bring its input-method window along, which lives
    // as long as one of them does: this one stays throughout.
    HWND anchor = CreatePopup(10, 10);
    const ObjectCounts before = CountOwn();
    ASSERT_GE(before.user, 0);
    HWND popup = CreatePopup(20, 20);
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, popup, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, child);
    const ObjectCounts during = CountOwn();
    if (std::strcmp(during.userSource, "windows") == 0)
        EXPECT_EQ(before.user + 2, during.user);
    else
        EXPECT_GE(during.user, before.user + 2);
    DestroyWindow(popup);
    EXPECT_EQ(before.user, CountOwn().user);
    DestroyWindow(anchor);
}

// Wine answers 0 for another process's handle count; the system's handle
// table stands in, and must see what the process opens and closes.
TEST(InstrumentsTest, HandleCountFollowsOpenedAndClosedHandles)
{
    const long before = CountHandles(GetCurrentProcess(), GetCurrentProcessId());
    ASSERT_GT(before, 0);
    std::vector<HANDLE> events;
    for (int i = 0; i < 10; ++i)
        events.push_back(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    EXPECT_EQ(before + 10, CountHandles(GetCurrentProcess(), GetCurrentProcessId()));
    for (HANDLE event : events)
        CloseHandle(event);
    EXPECT_EQ(before, CountHandles(GetCurrentProcess(), GetCurrentProcessId()));
}

TEST(InstrumentsTest, PrivateBytesFollowTouchedMemory)
{
    const SIZE_T size = 8 << 20;
    MemoryUse before;
    ASSERT_TRUE(ReadMemoryUse(GetCurrentProcess(), &before));
    EXPECT_GT(before.workingSet, 0u);
    BYTE* block = static_cast<BYTE*>(VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    ASSERT_NE(nullptr, block);
    for (SIZE_T at = 0; at < size; at += 4096)
        block[at] = 1;
    MemoryUse after;
    ASSERT_TRUE(ReadMemoryUse(GetCurrentProcess(), &after));
    EXPECT_GE(after.privateBytes, before.privateBytes + size * 3 / 4) << after.privateSource;
    VirtualFree(block, 0, MEM_RELEASE);
}

TEST(InstrumentsTest, PaintedOnlyWhenShownSizedAndClean)
{
    HWND empty = CreatePopup(0, 0);
    ShowWindow(empty, SW_SHOWNOACTIVATE);
    EXPECT_FALSE(IsPainted(empty));  // visible but nothing to see

    HWND popup = CreatePopup(40, 30);
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, popup, nullptr, nullptr,
                                 nullptr);
    EXPECT_FALSE(IsPainted(popup));  // hidden
    ShowWindow(popup, SW_SHOWNOACTIVATE);
    EXPECT_FALSE(IsPainted(popup));  // shown, not yet painted
    UpdateWindow(popup);
    EXPECT_TRUE(IsPainted(popup));
    InvalidateRect(child, nullptr, FALSE);
    EXPECT_FALSE(IsPainted(popup));  // a child left to paint
    UpdateWindow(child);
    EXPECT_TRUE(IsPainted(popup));
    DestroyWindow(popup);
    DestroyWindow(empty);
}

}  // namespace
