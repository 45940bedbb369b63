// The browser from outside: started as the shell starts it, its window,
// its page on the screen, and one browser for every start.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "ketra_testkit.h"


namespace {

using namespace testkit;

const DWORD kWait = 15000;
const wchar_t kHelpPage[] = L"\\Program Files\\ZARQ\\Ketra\\help\\ketra.htm";

std::wstring Quoted(const std::wstring& text)
{
    return L"\"" + text + L"\"";
}

// Screen pixels in a band that differ from white.
int InkIn(const RECT& band)
{
    HDC screen = GetDC(nullptr);
    int ink = 0;
    for (int y = band.top; y < band.bottom; ++y)
        for (int x = band.left; x < band.right; ++x)
            ink += GetPixel(screen, x, y) != RGB(0xFF, 0xFF, 0xFF);
    ReleaseDC(nullptr, screen);
    return ink;
}

std::wstring ChildText(HWND parent, const wchar_t* className)
{
    HWND child = FindWindowExW(parent, nullptr, className, nullptr);
    wchar_t text[MAX_PATH] = {};
    DWORD_PTR copied = 0;  // WM_GETTEXT: GetWindowText does not ask another process's controls
    if (child)
        SendMessageTimeoutW(child, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                            &copied);
    return text;
}

}  // namespace

TEST(Iexplore, ShowsTheHelpPageFormattedAndOneBrowserTakesEveryStart)
{
    DeviceLog log;
    DeviceProgram browser(L"\\Windows\\iexplore.exe", Quoted(kHelpPage));
    HWND window = browser.WaitWindow(L"Internet Explorer", kWait);
    ASSERT_NE(nullptr, window);
    ASSERT_EQ(window, FindWindowW(L"IExplore", nullptr));
    ASSERT_TRUE(log.WaitFor(L"htmlview: navigate \"" + std::wstring(kHelpPage) + L"\" flags 0x0", kWait));
    EXPECT_TRUE(log.HasLine(L"iexplore: " + Quoted(kHelpPage)));
    PumpUntil([&] { return ChildText(window, L"EDIT") == L"file://" + std::wstring(kHelpPage); }, kWait);
    EXPECT_EQ(L"file://" + std::wstring(kHelpPage), ChildText(window, L"EDIT"));

    // Full screen below the task bar, above the menu bar.
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_EQ(0, frame.left);
    EXPECT_EQ(26, frame.top);
    EXPECT_EQ(240, frame.right);

    // The page in regions: the bold heading's line is darker than a line of
    // the paragraph under it, which fills most of the width, wrapped.
    HWND view = FindWindowExW(window, nullptr, L"DISPLAYCLASS", nullptr);
    ASSERT_NE(nullptr, view);
    RECT viewRect;
    GetWindowRect(view, &viewRect);
    PumpUntil([&] { return InkIn({0, viewRect.top, 200, viewRect.top + 24}) > 150; }, kWait);
    int heading = InkIn({0, viewRect.top + 4, 200, viewRect.top + 22});
    int paragraph = InkIn({0, viewRect.top + 34, 200, viewRect.top + 48});
    int rightEdge = InkIn({150, viewRect.top + 30, 225, viewRect.top + 90});
    EXPECT_GT(heading, 250);
    EXPECT_GT(paragraph, 100);
    EXPECT_GT(rightEdge, 100) << "paragraph lines reach across the view";

    // A second start hands its address to the running browser and ends.
    DeviceProgram second(L"\\Windows\\iexplore.exe", L"http://www.example.invalid/");
    DWORD code = 99;
    ASSERT_TRUE(second.WaitExit(kWait, &code));
    EXPECT_EQ(0u, code);
    EXPECT_TRUE(log.WaitFor(L"htmlview: navigate \"http://www.example.invalid/\" flags 0x0", kWait));
    EXPECT_TRUE(browser.Running());
    EXPECT_EQ(window, FindWindowW(L"IExplore", nullptr));
    PumpUntil([&] { return ChildText(window, L"EDIT") == L"http://www.example.invalid/"; }, kWait);
    EXPECT_EQ(L"http://www.example.invalid/", ChildText(window, L"EDIT"));

    // Back returns to the help page.
    PostMessageW(window, WM_COMMAND, 40003, 0);
    EXPECT_TRUE(PumpUntil([&] { return ChildText(window, L"EDIT") == L"file://" + std::wstring(kHelpPage); }, kWait));

    // View > Refresh reads the page again.
    PostMessageW(window, WM_COMMAND, 40002, 0);
    EXPECT_TRUE(log.WaitFor(L"htmlview: navigate \"file://" + std::wstring(kHelpPage) + L"\" flags 0x1020", kWait));

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(browser.WaitExit(kWait));
}

TEST(Iexplore, ShellExecutionOfAPageOpensItInTheBrowser)
{
    DeviceLog log;
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpFile = kHelpPage;
    info.nShow = SW_SHOWNORMAL;
    ASSERT_TRUE(ShellExecuteExW(&info));
    ASSERT_NE(nullptr, info.hProcess);
    EXPECT_TRUE(log.WaitFor(L"htmlview: navigate \"" + std::wstring(kHelpPage) + L"\" flags 0x0", kWait));
    HWND window = nullptr;
    PumpUntil([&] { return (window = FindWindowW(L"IExplore", nullptr)) != nullptr; }, kWait);
    ASSERT_NE(nullptr, window);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(info.hProcess, kWait));
    CloseHandle(info.hProcess);
}
