// The harness can create windows and talk to them with messages.
#include <gtest/gtest.h>

#include <windows.h>

namespace {

const UINT kDouble = WM_APP + 1;
int g_created = 0;

LRESULT CALLBACK DoublingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        ++g_created;
    if (message == kDouble)
        return (LRESULT)wParam * 2;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

TEST(HarnessWindow, CreatedWindowAnswersSentAndPostedMessages)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DoublingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"HarnessDoubling";
    ASSERT_NE(0, RegisterClassW(&wc));
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"harness", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                wc.hInstance, nullptr);
    ASSERT_TRUE(hwnd);
    EXPECT_EQ(1, g_created);
    EXPECT_EQ(42, SendMessageW(hwnd, kDouble, 21, 0));

    ASSERT_TRUE(PostMessageW(hwnd, kDouble, 5, 0));
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, hwnd, kDouble, kDouble, PM_REMOVE));
    EXPECT_EQ((WPARAM)5, msg.wParam);
    EXPECT_EQ(10, DispatchMessageW(&msg));

    wchar_t title[16] = {};
    GetWindowTextW(hwnd, title, 16);
    EXPECT_STREQ(L"harness", title);
    EXPECT_TRUE(DestroyWindow(hwnd));
    EXPECT_FALSE(IsWindow(hwnd));
    UnregisterClassW(wc.lpszClassName, wc.hInstance);
}
