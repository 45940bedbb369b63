// The time applets shown by the real side bar with the device's clock
// stopped, driven from outside as the user drives them: taps through the
// device's input, pixels read from the screen, the registry afterwards.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "time_fixture.h"

namespace {

using namespace testkit;

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kNavy = RGB(0, 0, 128);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kPhysical = RGB(192, 192, 192);
const COLORREF kWhite = RGB(255, 255, 255);

SYSTEMTIME Date(int year, int month, int day)
{
    SYSTEMTIME date = {};
    date.wYear = (WORD)year;
    date.wMonth = (WORD)month;
    date.wDay = (WORD)day;
    return date;
}

// Text as the applets draw it: Tahoma of the height, transparent, on a
// surface of the given colour.
void DrawText(PixelSurface* surface, RECT area, const std::wstring& text, int height, COLORREF colour, UINT format)
{
    HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    HGDIOBJ old = SelectObject(surface->dc(), font);
    SetBkMode(surface->dc(), TRANSPARENT);
    SetTextColor(surface->dc(), colour);
    DrawTextW(surface->dc(), text.c_str(), -1, &area, format | DT_NOPREFIX);
    SelectObject(surface->dc(), old);
    DeleteObject(font);
}

// A month block's heading as the calendars draw it (14 pixels high in
// Calendar, 13 in Three Months).
std::vector<COLORREF> Heading(const SYSTEMTIME& month, COLORREF heading, COLORREF text, int height = 14)
{
    wchar_t title[32] = L"";
    GetDateFormatW(LOCALE_USER_DEFAULT, 0, &month, L"yyyy MMM", title, 32);
    PixelSurface surface(78, height, heading);
    DrawText(&surface, {0, 0, 78, height}, title, 13, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return PixelsOf(surface, {0, 0, 78, height});
}

std::vector<COLORREF> MiddleHeading(const AppletOnBar& calendar)
{
    return PixelsOf(*calendar.Capture(), {79, 18, 157, 32});
}

using TimeOnTheBar = TimeTest;

// ---- Calendar ---------------------------------------------------------------------

// Thursday 15 January 2004, evening in the Pacific zone.
TEST_F(TimeOnTheBar, CalendarShowsJanuaryInTheStoredColoursAndSteps)
{
    DeviceClock clock(kJanuary15Evening, kPacific);
    const COLORREF heading = RGB(10, 200, 30);
    WriteDword(kColoursKey, L"2", heading);
    AppletOnBar calendar(L"Calendar");
    ASSERT_TRUE(calendar.Shown());
    EXPECT_EQ(83, Height(calendar.Rect()));
    const auto shot = calendar.Capture();

    EXPECT_EQ(Heading(Date(2003, 12, 1), heading, 0), PixelsOf(*shot, {0, 18, 78, 32}));
    EXPECT_EQ(Heading(Date(2004, 1, 1), heading, 0), PixelsOf(*shot, {79, 18, 157, 32}));
    EXPECT_EQ(Heading(Date(2004, 2, 1), heading, 0), PixelsOf(*shot, {158, 18, 236, 32}));
    // The 15th, a Thursday in the third week, inverted: black behind, the
    // heading colour on it; the 16th beside it is not.
    EXPECT_EQ(RGB(0, 0, 0), shot->At(79 + 4 * 11, 33 + 1 + 2 * 10));
    EXPECT_GT(shot->Count({79 + 4 * 11, 54, 79 + 5 * 11, 64}, heading), 5);
    EXPECT_EQ(RGB(252, 252, 254), shot->At(79 + 5 * 11, 54));
    // Sundays red in the first column of every block.
    for (int x : {0, 79, 158})
        EXPECT_GT(shot->Count({x, 34, x + 11, 83}, kRed), 20) << "block at " << x;
    EXPECT_EQ(0, shot->Count({79 + 11, 34, 79 + 66, 83}, kRed));

    ASSERT_TRUE(calendar.Tap(205, 8));  // previous
    EXPECT_TRUE(PumpUntil([&] { return MiddleHeading(calendar) == Heading(Date(2003, 12, 1), heading, 0); }, 3000));
    ASSERT_TRUE(calendar.Tap(225, 8));  // next, twice
    ASSERT_TRUE(calendar.Tap(225, 8));
    EXPECT_TRUE(PumpUntil([&] { return MiddleHeading(calendar) == Heading(Date(2004, 2, 1), heading, 0); }, 3000));
    ASSERT_TRUE(calendar.Tap(185, 8));  // today
    EXPECT_TRUE(PumpUntil([&] { return MiddleHeading(calendar) == Heading(Date(2004, 1, 1), heading, 0); }, 3000));
}

// ---- Monthra ----------------------------------------------------------------------

// Monday 31 May 2004: May runs into a sixth week.
TEST_F(TimeOnTheBar, ThreeMonthsPutsTheSixthWeekInTheFirstRow)
{
    DeviceClock clock(L"2004-06-01 03:00:00", kPacific);
    AppletOnBar months(L"Three Months");
    ASSERT_TRUE(months.Shown());
    EXPECT_EQ(66, Height(months.Rect()));
    const auto shot = months.Capture();
    EXPECT_EQ(Heading(Date(2004, 5, 1), RGB(236, 233, 216), 0, 13), PixelsOf(*shot, {79, 0, 157, 13}));

    // The 30th in Sunday's cell of the first row, in red digits...
    PixelSurface thirty(11, 10, RGB(252, 252, 254));
    DrawText(&thirty, {1, 0, 11, 10}, L"30", 11, kRed, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_EQ(PixelsOf(thirty, {0, 0, 11, 10}), PixelsOf(*shot, {79, 15, 90, 25}));
    // ...and the 31st, today, inverted beside it.
    PixelSurface today(11, 10, RGB(0, 0, 0));
    DrawText(&today, {1, 0, 11, 10}, L"31", 11, RGB(236, 233, 216), DT_SINGLELINE | DT_NOCLIP);
    EXPECT_EQ(PixelsOf(today, {0, 0, 11, 10}), PixelsOf(*shot, {90, 15, 101, 25}));
    // The 1st, a Saturday, in blue at the end of that row.
    EXPECT_GT(shot->Count({79 + 66, 15, 79 + 77, 25}, RGB(0, 0, 255)), 5);
}

// ---- Clockra ----------------------------------------------------------------------

// 10:08:20 in the morning: no hand covers a quarter mark.
TEST_F(TimeOnTheBar, ClockShowsItsQuarterMarksAndOpensTheClockPage)
{
    DeviceClock clock(L"2004-01-16 18:08:20", kPacific);
    AppletOnBar clockra(L"Clock");
    ASSERT_TRUE(clockra.Shown());
    EXPECT_EQ(56, Height(clockra.Rect()));
    const auto shot = clockra.Capture();
    for (POINT mark : {POINT{190, 3}, POINT{214, 27}, POINT{190, 51}, POINT{166, 27}})
        EXPECT_EQ(kGreen, shot->At(mark.x, mark.y)) << mark.x << ", " << mark.y;
    EXPECT_NE(kGreen, shot->At(202, 6)) << "the other hours are only outlined";
    EXPECT_GT(shot->Count({15, 6, 165, 50}, kNavy), 100);

    DeviceLog log;
    ASSERT_TRUE(clockra.Tap(60, 20));
    EXPECT_TRUE(log.WaitFor(L"ctlpnl: cplmain.cpl 16,0", 10000));
    EXPECT_NE(nullptr, WaitForWindow(L"DeviceClockPage", 10000));
    EndProcesses(L"ctlpnl.exe");
}

// ---- Cyclara ----------------------------------------------------------------------

// Born six days before 15 January 2004: the physical cycle at its top.
TEST_F(TimeOnTheBar, BiorhythmShowsTheDaysValuesAsBarsAndFigures)
{
    DeviceClock clock(kJanuary15Evening, kPacific);
    StoreBirthday(2004, 1, 9);
    AppletOnBar chart(L"Biorhythm");
    ASSERT_TRUE(chart.Shown());
    EXPECT_EQ(95, Height(chart.Rect()));
    const auto shot = chart.Capture();
    EXPECT_EQ(kNavy, shot->At(1, 50));
    EXPECT_EQ(kPhysical, shot->At(18, 20));  // 30 pixels above the middle
    EXPECT_EQ(kNavy, shot->At(18, 19));
    PixelSurface figure(20, 12, kNavy);
    DrawText(&figure, {1, 0, 20, 12}, L"100", 11, kPhysical, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_EQ(PixelsOf(figure, {0, 0, 20, 12}), PixelsOf(*shot, {8, 52, 28, 64}));
}

// Tap the picker, tap a day, go to another applet: the day is the birthday.
TEST_F(TimeOnTheBar, BirthdayPickedAsTheUserPicksItIsKept)
{
    DeviceClock clock(kJanuary15Evening, kPacific);
    StoreBirthday(2004, 1, 9);
    AppletOnBar chart(L"Biorhythm");
    ASSERT_TRUE(chart.Shown());
    ASSERT_TRUE(chart.Tap(211, 7));
    HWND calendar = WaitForWindow(L"SysMonthCal32", 5000);
    ASSERT_NE(nullptr, calendar);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(calendar) != FALSE; }, 5000));
    const RECT dropped = WindowRect(calendar);
    EXPECT_GE(dropped.left, 0);
    EXPECT_LE(dropped.right, GetSystemMetrics(SM_CXSCREEN)) << "the calendar drops down whole";
    RemoteBlock block(calendar, sizeof(MCHITTESTINFO));
    ASSERT_TRUE(block.Ready());
    SYSTEMTIME today = {};
    SendWaiting(calendar, MCM_GETTODAY, 0, (LPARAM)block.At(0));
    ASSERT_TRUE(block.Read(0, &today, sizeof(today)));
    EXPECT_EQ(15, today.wDay) << "the device's today, not the host's";

    // A day of January other than the 9th, found where the calendar says it is.
    RECT client;
    GetClientRect(calendar, &client);
    MCHITTESTINFO hit = {};
    bool found = false;
    for (int y = client.bottom / 3; y < client.bottom && !found; y += 4) {
        hit = {};
        hit.cbSize = sizeof(hit);
        hit.pt = {client.right / 2, y};
        ASSERT_TRUE(block.Write(0, &hit, sizeof(hit)));
        SendWaiting(calendar, MCM_HITTEST, 0, (LPARAM)block.At(0));
        ASSERT_TRUE(block.Read(0, &hit, sizeof(hit)));
        found = hit.uHit == MCHT_CALENDARDATE && hit.st.wMonth == 1 && hit.st.wDay != 9;
    }
    ASSERT_TRUE(found) << "no day of the month in the calendar";
    POINT tap = hit.pt;
    ClientToScreen(calendar, &tap);
    ASSERT_TRUE(Tap(tap.x, tap.y));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(calendar); }, 5000));

    ASSERT_TRUE(ChooseApplet(L"Clock"));
    EXPECT_TRUE(PumpUntil([&] { return StoredBirthday()[2] == hit.st.wDay; }, 5000));
    EXPECT_EQ((std::vector<DWORD>{2004, 1, hit.st.wDay}), StoredBirthday());
}

TEST_F(TimeOnTheBar, AStoredThirteenthMonthGivesTheFirstOfJanuary2000)
{
    DeviceClock clock(kJanuary15Evening, kPacific);
    StoreBirthday(1980, 13, 5);
    AppletOnBar chart(L"Biorhythm");
    ASSERT_TRUE(chart.Shown());
    PixelSurface expected(100, 14, kNavy);
    DrawText(&expected, {0, 1, 100, 14}, L"Birthday : ", 12, kWhite, DT_SINGLELINE | DT_NOCLIP);
    DrawText(&expected, {50, 1, 100, 14}, L"Jan, 1, 00", 12, kWhite, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_EQ(PixelsOf(expected, {0, 0, 100, 14}), PixelsOf(*chart.Capture(), {105, 0, 205, 14}));
    ASSERT_TRUE(ChooseApplet(L"Clock"));
    EXPECT_TRUE(PumpUntil([&] { return StoredBirthday()[1] == 1; }, 5000));
    EXPECT_EQ((std::vector<DWORD>{2000, 1, 1}), StoredBirthday());
}

// ---- The settings program ------------------------------------------------------------

TEST_F(TimeOnTheBar, TheSettingsProgramListsTheBiorhythmButNotItsBirthday)
{
    RegistrySandbox system({kSystemKey});
    ASSERT_TRUE(system.Saved());
    CloseSettingsAndBar();
    StoreBirthday(1990, 7, 4);
    {
        ProgramDriver settings(kSettingsProgram, kSettingsClass);
        ASSERT_TRUE(settings.Started());
        settings.MenuCommand(40040);  // the Applets page
        const auto list = settings.List(1001);
        ASSERT_TRUE(list->Ready());
        EXPECT_GE(list->Find(L"Biorhythm"), 0);
        EXPECT_LT(list->Find(L"Q Bio"), 0);
        for (const wchar_t* name : {L"Clock", L"Calendar", L"Three Months"})
            EXPECT_GE(list->Find(name), 0) << name;
        EXPECT_TRUE(settings.CloseWith(IDOK));  // saves every page
    }
    EXPECT_FALSE(HasValue(kBirthdayKey, L"Type"));
    EXPECT_EQ((std::vector<DWORD>{1990, 7, 4}), StoredBirthday());
    if (HWND bar = WaitForWindow(KETRA_CLASS, 5000))
        WaitUntilIdle(bar);
    CloseBar();
}

}  // namespace
