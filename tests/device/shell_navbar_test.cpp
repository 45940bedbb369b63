// What programs ask of the task bar for their windows through the shell
// library (sent here as the library sends it): the navigation-bar title and
// the full-screen flags, applied while that window is in front.
#include <gtest/gtest.h>

#include "aygshell.h"
#include "shellproto.h"

#include "ketra_testkit.h"

namespace {

using namespace testkit;

const RECT kAppRect = {0, 26, 240, 320};

template <class Record>
LRESULT SendRequest(DWORD code, const Record& record)
{
    COPYDATASTRUCT copy = {code, sizeof(record), const_cast<Record*>(&record)};
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(TaskBar(), WM_COPYDATA, 0, (LPARAM)&copy, SMTO_ABORTIFHUNG, 3000, &answer);
    return (LRESULT)answer;
}

LRESULT SetNavText(HWND wnd, const wchar_t* text)
{
    SHELL_NAVTEXT_DATA data = {};
    data.hwnd = wnd;
    lstrcpynW(data.text, text, SHELL_NAVTEXT_CCH);
    return SendRequest(SHELL_NAVTEXT, data);
}

LRESULT SetFullScreen(HWND wnd, DWORD flags)
{
    SHELL_FULLSCREEN_DATA data = {wnd, flags};
    return SendRequest(SHELL_FULLSCREEN, data);
}

// The pixels of the task bar's title area, a few rows through the text.
std::vector<COLORREF> TitlePixels()
{
    std::vector<COLORREF> pixels;
    for (int y = 8; y <= 18; y += 2) {
        std::vector<COLORREF> row = ScreenRow(y, 26, 150);
        pixels.insert(pixels.end(), row.begin(), row.end());
    }
    return pixels;
}

bool TaskBarVisible()
{
    return IsWindowVisible(TaskBar()) != 0;
}

} // namespace

TEST(NavBarTitle, ShowsTheTextSetForTheWindowInFront)
{
    TestWindow app(L"ShellNavTitleApp", kAppRect, RGB(0xFF, 0xFF, 0xFF), L"Window Text");
    ASSERT_TRUE(BringToFront(app.hwnd()));
    PumpMessages(600);
    std::vector<COLORREF> windowText = TitlePixels();

    ASSERT_EQ(1, SetNavText(app.hwnd(), L"A Different Title"));
    PumpMessages(600);
    EXPECT_NE(windowText, TitlePixels()) << "the title did not change";

    // An empty text gives the window text back.
    ASSERT_EQ(1, SetNavText(app.hwnd(), L""));
    PumpMessages(600);
    EXPECT_EQ(windowText, TitlePixels());

    EXPECT_EQ(0, SetNavText(reinterpret_cast<HWND>(0x7FFF0), L"No window")) << "a dead window's title taken";
}

TEST(FullScreen, TheTaskBarHidesOnlyWhileItsWindowIsInFront)
{
    TestWindow other(L"ShellOtherApp", kAppRect, RGB(0xC0, 0xC0, 0xC0), L"Other App");
    TestWindow game(L"ShellFullScreenApp", {0, 0, 240, 320}, RGB(0x20, 0x20, 0x20), L"Full Screen App");
    ASSERT_TRUE(BringToFront(game.hwnd()));
    ASSERT_EQ(1, SetFullScreen(game.hwnd(), SHFS_HIDETASKBAR));
    EXPECT_TRUE(PumpUntil([] { return !TaskBarVisible(); }, 3000)) << "the task bar stayed";

    ASSERT_TRUE(BringToFront(other.hwnd()));
    EXPECT_TRUE(PumpUntil([] { return TaskBarVisible(); }, 3000)) << "another window in front, the bar stays hidden";
    ASSERT_TRUE(BringToFront(game.hwnd()));
    EXPECT_TRUE(PumpUntil([] { return !TaskBarVisible(); }, 3000));

    // Both bits of a pair count as "show".
    ASSERT_EQ(1, SetFullScreen(game.hwnd(), SHFS_HIDETASKBAR | SHFS_SHOWTASKBAR));
    EXPECT_TRUE(PumpUntil([] { return TaskBarVisible(); }, 3000));

    ASSERT_EQ(1, SetFullScreen(game.hwnd(), SHFS_HIDETASKBAR));
    EXPECT_TRUE(PumpUntil([] { return !TaskBarVisible(); }, 3000));
    DestroyWindow(game.hwnd());
    EXPECT_TRUE(PumpUntil([] { return TaskBarVisible(); }, 3000)) << "the bar stayed hidden after its window went";
}

TEST(FullScreen, TheStartIconHides)
{
    TestWindow app(L"ShellNoStartApp", kAppRect, RGB(0xFF, 0xFF, 0xFF), L"No Start Icon");
    ASSERT_TRUE(BringToFront(app.hwnd()));
    PumpMessages(600);
    std::vector<COLORREF> withFlag = ScreenRow(9, 4, 20);

    ASSERT_EQ(1, SetFullScreen(app.hwnd(), SHFS_HIDESTARTICON));
    PumpMessages(600);
    EXPECT_NE(withFlag, ScreenRow(9, 4, 20));
    ASSERT_EQ(1, SetFullScreen(app.hwnd(), SHFS_SHOWSTARTICON));
    PumpMessages(600);
    EXPECT_EQ(withFlag, ScreenRow(9, 4, 20));
}
