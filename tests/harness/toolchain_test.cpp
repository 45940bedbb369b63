// The toolchain's smoke test: a program built by the cross compiler runs in
// the test device with a wide entry point, the C++ library, the device's
// drive as its current directory, and windows that answer messages.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

LRESULT CALLBACK DoublingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP)
        return (LRESULT)wParam * 2;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

TEST(Toolchain, BuildsProgramsThatRunInTheDevice)
{
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    EXPECT_STREQ(L"D:\\", folder);
    const std::wstring text = std::wstring(L"\x00E9t\x00E9 ") + std::to_wstring(2003);
    EXPECT_EQ(L"\x00E9t\x00E9 2003", text);

    WNDCLASSW wc = {};
    wc.lpfnWndProc = DoublingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ToolchainSmoke";
    ASSERT_NE(0, RegisterClassW(&wc));
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, wc.hInstance,
                                nullptr);
    ASSERT_TRUE(hwnd);
    EXPECT_EQ(42, SendMessageW(hwnd, WM_APP, 21, 0));
    EXPECT_TRUE(DestroyWindow(hwnd));
}

}  // namespace
