// The four time applets loaded in the test's own process by the test kit's
// stand-in host: their windows, their drawing, their taps and what they
// keep in the registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "time_fixture.h"

namespace {

using namespace testkit;

const std::wstring kFolder = L"\\Program Files\\ZARQ\\Ketra\\";

const COLORREF kNavy = RGB(0, 0, 128);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kPhysical = RGB(192, 192, 192);

const RECT kHeadings[3] = {{0, 18, 78, 32}, {79, 18, 157, 32}, {158, 18, 236, 32}};

using TimeApplets = TimeTest;

// ---- All four ---------------------------------------------------------------------

TEST_F(TimeApplets, EachIsAHiddenChildOfItsOwnClassAndSize)
{
    const struct {
        const wchar_t* library;
        const wchar_t* className;
        int width;
        int height;
    } applets[] = {{L"Clockra.dll", L"TIME", 230, 56},
                   {L"Calendar.dll", L"Mensal1", 236, 83},
                   {L"Monthra.dll", L"Mensal1", 236, 66},
                   {L"Cyclara.dll", L"Cyclara1", 236, 95}};
    for (const auto& applet : applets) {
        SCOPED_TRACE(applet.library);
        AppletHost host(kFolder + applet.library);
        ASSERT_TRUE(host.Loaded());
        EXPECT_EQ(nullptr, host.Create(false));
        HWND wnd = host.Create();
        ASSERT_NE(nullptr, wnd);
        EXPECT_EQ(host.Host(), GetParent(wnd));
        EXPECT_TRUE(GetWindowLongW(wnd, GWL_STYLE) & WS_CHILD);
        EXPECT_FALSE(IsWindowVisible(wnd));
        EXPECT_EQ(applet.className, ClassOf(wnd));
        EXPECT_EQ(applet.width, Width(WindowRect(wnd)));
        EXPECT_EQ(applet.height, Height(WindowRect(wnd)));
        EXPECT_EQ(1, host.QueryRefresh());  // keeps its own height
        EXPECT_EQ(0u, host.Item().cyp);
    }
}

// Both calendars register "Mensal1", each in its own library.
TEST_F(TimeApplets, BothCalendarsLiveSideBySide)
{
    AppletHost calendar(kFolder + L"Calendar.dll");
    AppletHost monthra(kFolder + L"Monthra.dll");
    ASSERT_NE(nullptr, calendar.Create());
    ASSERT_NE(nullptr, monthra.Create());
    EXPECT_EQ(83, Height(WindowRect(calendar.Window())));
    EXPECT_EQ(66, Height(WindowRect(monthra.Window())));
}

// ---- Clockra ----------------------------------------------------------------------

TEST_F(TimeApplets, ClockDrawsOverTheBarsBackgroundAndAgainEverySecond)
{
    AppletHost host(kFolder + L"Clockra.dll");
    ASSERT_NE(nullptr, host.Create());
    EXPECT_EQ(1, host.backgroundRequests);
    const auto painted = host.Paint();
    EXPECT_EQ(AppletHost::kBackground, painted->At(2, 2));
    EXPECT_EQ(AppletHost::kBackground, painted->At(229, 55));
    EXPECT_GT(painted->Count({15, 6, 160, 50}, RGB(255, 255, 255)), 60);  // the time and date...
    EXPECT_GT(painted->Count({15, 6, 160, 50}, kNavy), 60);               // ...and their navy copies
    EXPECT_GT(painted->Count({165, 2, 215, 52}, kGreen), 40);             // twelve marks

    EXPECT_TRUE(PumpUntil([&] { return host.backgroundRequests >= 3; }, 3500));
}

// ---- Calendar ---------------------------------------------------------------------

TEST_F(TimeApplets, CalendarDrawsInTheStoredColoursWithItsButtonsOnThePage)
{
    const COLORREF page = RGB(250, 240, 200), heading = RGB(10, 200, 30), text = RGB(90, 0, 90);
    WriteDword(kColoursKey, L"1", page);
    WriteDword(kColoursKey, L"2", heading);
    WriteDword(kColoursKey, L"3", text);
    AppletHost host(kFolder + L"Calendar.dll");
    ASSERT_NE(nullptr, host.Create());
    const auto painted = host.Paint();

    for (const RECT& strip : kHeadings)
        EXPECT_GT(painted->Count(strip, heading), 78 * 14 / 2);
    EXPECT_EQ(page, painted->At(77, 82));            // a body's corner
    EXPECT_EQ(page, painted->At(78, 50));            // between blocks
    EXPECT_GT(painted->Count({0, 0, 174, 17}, text), 40);  // today's date on the top line
    // The picture's own background is left out; its arrows are navy.
    EXPECT_EQ(page, painted->At(178, 1));
    EXPECT_EQ(kNavy, painted->At(202, 8));  // the left arrow's point
    EXPECT_EQ(kNavy, painted->At(224, 8));  // the right arrow
}

// ---- Cyclara ----------------------------------------------------------------------

TEST_F(TimeApplets, BiorhythmChecksTheStoredBirthdayAndWritesBackAValidOne)
{
    StoreBirthday(1975, 6, 30);
    {
        AppletHost host(kFolder + L"Cyclara.dll");
        HWND wnd = host.Create();
        ASSERT_NE(nullptr, wnd);
        HWND picker = GetDlgItem(wnd, 777);
        ASSERT_NE(nullptr, picker);
        EXPECT_EQ(L"SysDateTimePick32", ClassOf(picker));
        EXPECT_EQ((RECT{205, 3, 218, 12}), [&] {
            RECT rect = WindowRect(picker);
            MapWindowPoints(nullptr, wnd, (POINT*)&rect, 2);
            return rect;
        }());
        SYSTEMTIME shown = {};
        EXPECT_EQ(GDT_VALID, SendMessageW(picker, DTM_GETSYSTEMTIME, 0, (LPARAM)&shown));
        EXPECT_EQ(1975, shown.wYear);
        EXPECT_EQ(6, shown.wMonth);
        EXPECT_EQ(30, shown.wDay);
    }
    EXPECT_EQ((std::vector<DWORD>{1975, 6, 30}), StoredBirthday());

    // No 13th month, no 31 June, nothing before 1900: 1 January 2000 instead.
    for (const auto& bad : std::vector<std::vector<int>>{{2004, 13, 1}, {1990, 6, 31}, {1899, 12, 31}}) {
        StoreBirthday(bad[0], bad[1], bad[2]);
        {
            AppletHost host(kFolder + L"Cyclara.dll");
            HWND wnd = host.Create();
            ASSERT_NE(nullptr, wnd);
            SYSTEMTIME shown = {};
            SendMessageW(GetDlgItem(wnd, 777), DTM_GETSYSTEMTIME, 0, (LPARAM)&shown);
            EXPECT_EQ(2000, shown.wYear);
            EXPECT_EQ(1, shown.wMonth);
            EXPECT_EQ(1, shown.wDay);
        }
        EXPECT_EQ((std::vector<DWORD>{2000, 1, 1}), StoredBirthday()) << bad[0] << "-" << bad[1] << "-" << bad[2];
    }
}

TEST_F(TimeApplets, BiorhythmBarsShowTheDayChosenInTheChart)
{
    DeviceClock clock(kJanuary15Evening, kPacific);
    StoreBirthday(2004, 1, 9);  // physical 100 today
    AppletHost host(kFolder + L"Cyclara.dll");
    ASSERT_NE(nullptr, host.Create());
    auto painted = host.Paint();
    EXPECT_GT(painted->Count({166, 17, 167, 78}, RGB(255, 255, 255)), 50);  // today's line
    EXPECT_EQ(kPhysical, painted->At(18, 20));  // the bar reaches 30 pixels up
    EXPECT_EQ(kPhysical, painted->At(166, 17));  // today's point on its curve

    // Six days back is the birthday: every value 0, no bars.
    host.Tap(166 - 18, 40);
    painted = host.Paint();
    EXPECT_EQ(kNavy, painted->At(18, 30));
    EXPECT_EQ(kNavy, painted->At(18, 60));
}

TEST_F(TimeApplets, BiorhythmReplaysACurveTappedInTheLegend)
{
    StoreBirthday(2003, 10, 7);
    AppletHost host(kFolder + L"Cyclara.dll");
    ASSERT_NE(nullptr, host.Create());
    const RECT chart = {103, 15, 236, 80};
    const std::vector<COLORREF> whole = PixelsOf(*host.Paint(), chart);
    const int curve = host.Paint()->Count(chart, kPhysical);
    ASSERT_GT(curve, 60);

    host.Tap(20, 88);  // "Physical"
    EXPECT_TRUE(PumpUntil([&] { return host.Paint()->Count(chart, kPhysical) < curve - 20; }, 2000))
        << "the curve is wiped day by day";
    EXPECT_TRUE(PumpUntil([&] { return PixelsOf(*host.Paint(), chart) == whole; }, 5000))
        << "and drawn again whole";
}

}  // namespace
