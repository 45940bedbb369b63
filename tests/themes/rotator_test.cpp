// The rotator driven from outside as its user and the other programs drive
// it: its notification icon and menu, its commands and messages, its timer,
// and what it leaves in the registry and the device log.
#include <gtest/gtest.h>

#include "theme_programs.h"

using testkit::DeviceLog;
using testkit::PumpUntil;

namespace {

const wchar_t kRotatorClass[] = L"Rotator";
const UINT kSelectMessage = 2025;
const UINT kIconMessage = 3025;
const UINT kNextTheme = 3001, kSettings = 4001, kAutoStart = 5003, kExit = 1, kStopRotate = 5001;
const COLORREF kScheduleOneIcon = RGB(0x20, 0x60, 0xC8);  // the colour of schedule 1's icon
const wchar_t kStartUpShortcut[] = L"\\Windows\\StartUp\\Theme Rotator.lnk";
const DWORD kWait = 10000;

class RotatorTest : public ThemeProgramsTest {
protected:
    // Starts Rotator.exe and waits for its window.
    HWND Start(const std::wstring& args = L"")
    {
        m_program.reset(new testkit::DeviceProgram(kRotatorPath, args));
        HWND window = testkit::WaitForWindow(kRotatorClass, kWait);
        if (window)
            testkit::WaitUntilIdle(window);
        return window;
    }
    LRESULT Send(HWND rotator, UINT message, WPARAM wParam, LPARAM lParam = 0)
    {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(rotator, message, wParam, lParam, SMTO_NORMAL, kWait, &result);
        return static_cast<LRESULT>(result);
    }
    bool WaitForTheme(const std::wstring& theme) { return PumpUntil([&] { return ThemeInForce() == theme; }, kWait); }

    std::unique_ptr<testkit::DeviceProgram> m_program;
};

// Where on the task bar the rotator's icon shows; -1 when it does not.
int IconColumn()
{
    std::vector<COLORREF> row = testkit::ScreenRow(12, 26, 216);
    for (size_t x = 0; x < row.size(); ++x)
        if (row[x] == kScheduleOneIcon)
            return static_cast<int>(26 + x);
    return -1;
}

} // namespace

// Started again on the schedule in use, it goes on after the theme it
// applied last: with CurrentTsk 2 of 5, the next advance applies theme 4.
TEST_F(RotatorTest, StartedAgainItContinuesAfterTheStoredPosition)
{
    std::vector<std::wstring> themes = Themes(5);
    ASSERT_TRUE(WriteSchedule(0, 60, CSchedule::kSequential, themes));
    testkit::WriteDword(kRotatorKey, L"CurrentSchedule", 0);
    testkit::WriteDword(std::wstring(kRotatorKey) + L"\\Schedule1", L"CurrentTsk", 2);
    testkit::DeleteValue(kTodayKey, L"Skin", HKEY_CURRENT_USER);

    HWND rotator = Start();
    ASSERT_NE(nullptr, rotator);
    EXPECT_EQ(L"", ThemeInForce()) << "a start without a schedule number applies nothing";
    Send(rotator, WM_COMMAND, kNextTheme);
    EXPECT_TRUE(WaitForTheme(themes[4])) << "in force: " << testkit::ToUtf8(ThemeInForce());
    EXPECT_EQ(4u, CurrentTsk(0));
    Send(rotator, WM_COMMAND, kNextTheme);
    EXPECT_TRUE(WaitForTheme(themes[0])) << "after the last, the first";
    EXPECT_EQ(0u, CurrentTsk(0));
}

TEST_F(RotatorTest, ThemeInForceIsNotAppliedAgain)
{
    std::vector<std::wstring> themes = Themes(5);
    ASSERT_TRUE(WriteSchedule(0, 60, CSchedule::kSequential, themes));
    testkit::WriteDword(std::wstring(kRotatorKey) + L"\\Schedule1", L"CurrentTsk", 2);
    std::wstring inForce = themes[4];
    for (wchar_t& c : inForce)
        c = towupper(c);
    testkit::WriteText(kTodayKey, L"Skin", inForce, HKEY_CURRENT_USER);

    HWND rotator = Start();
    ASSERT_NE(nullptr, rotator);
    DeviceLog log;
    Send(rotator, WM_COMMAND, kNextTheme);
    testkit::PumpMessages(1000);
    EXPECT_EQ(inForce, ThemeInForce()) << "the same theme in other case counts as in force";
    EXPECT_EQ(2u, CurrentTsk(0)) << "nothing applied, nothing recorded";
    EXPECT_FALSE(log.Contains(L"today: theme")) << "applied anyway";
}

TEST_F(RotatorTest, RandomScheduleNeverRepeatsATheme)
{
    std::vector<std::wstring> themes = Themes(3);
    ASSERT_TRUE(WriteSchedule(0, 60, CSchedule::kRandom, themes));
    HWND rotator = Start(L"0");
    ASSERT_NE(nullptr, rotator);
    ASSERT_TRUE(PumpUntil([&] { return !ThemeInForce().empty(); }, kWait));
    for (int i = 0; i < 10; ++i) {
        std::wstring before = ThemeInForce();
        Send(rotator, WM_COMMAND, kNextTheme);
        ASSERT_TRUE(PumpUntil([&] { return ThemeInForce() != before; }, kWait)) << "step " << i << " repeated";
    }
}

// A second start hands its schedule to the running rotator and ends.
TEST_F(RotatorTest, SecondStartHandsOverItsSchedule)
{
    std::vector<std::wstring> themes = Themes(4);
    ASSERT_TRUE(WriteSchedule(0, 60, CSchedule::kSequential, {themes[0], themes[1]}));
    ASSERT_TRUE(WriteSchedule(1, 60, CSchedule::kSequential, {themes[2], themes[3]}));
    HWND rotator = Start(L"0");
    ASSERT_NE(nullptr, rotator);
    // The schedule in use (none stored: 0) goes on after its stored
    // position (none: 0): position 1, then the advance to 0.
    ASSERT_TRUE(WaitForTheme(themes[0]));

    testkit::DeviceProgram second(kRotatorPath, L"1");
    EXPECT_TRUE(second.WaitExit(kWait));
    EXPECT_EQ(1, testkit::CountProcesses(L"Rotator.exe"));
    EXPECT_EQ(1u, testkit::ReadDword(kRotatorKey, L"CurrentSchedule"));
    // The new schedule from its first theme, then one advance.
    EXPECT_TRUE(WaitForTheme(themes[3]));

    // Numbers that are no schedule change nothing.
    Send(rotator, kSelectMessage, 7);
    Send(rotator, kSelectMessage, static_cast<WPARAM>(-1));
    EXPECT_EQ(1u, testkit::ReadDword(kRotatorKey, L"CurrentSchedule"));
    EXPECT_EQ(themes[3], ThemeInForce());
    EXPECT_TRUE(IsWindow(rotator));
}

// The icon in the task bar, tapped, opens the menu at (220, 211) (kept on
// the screen); its last item is "Next Theme".
TEST_F(RotatorTest, IconTapOpensTheMenu)
{
    std::vector<std::wstring> themes = Themes(2);
    ASSERT_TRUE(WriteSchedule(0, 60, CSchedule::kSequential, themes));
    testkit::WriteDword(kRotatorKey, L"CurrentSchedule", 0);
    HWND rotator = Start();
    ASSERT_NE(nullptr, rotator);
    int x = -1;
    ASSERT_TRUE(PumpUntil([&] { return (x = IconColumn()) >= 0; }, kWait)) << "no icon of schedule 1";
    ASSERT_TRUE(testkit::Tap(x + 3, 12));
    HWND menu = testkit::WaitForWindow(L"#32768", kWait);
    ASSERT_NE(nullptr, menu);
    RECT area = testkit::WindowRect(menu);
    EXPECT_EQ(211, area.top);
    EXPECT_GE(220, area.left);
    EXPECT_LE(area.right, 240);

    std::wstring before = ThemeInForce();
    ASSERT_TRUE(testkit::Tap(area.left + 30, area.bottom - 8));
    EXPECT_TRUE(PumpUntil([&] { return ThemeInForce() != before && !ThemeInForce().empty(); }, kWait))
        << "\"Next Theme\" applied nothing";
    EXPECT_TRUE(testkit::WaitNoWindow(L"#32768", kWait));
}

TEST_F(RotatorTest, AutoStartMakesAndRemovesTheStartUpShortcut)
{
    DeleteFileW(kStartUpShortcut);
    ASSERT_TRUE(WriteSchedule(0, 60, CSchedule::kSequential, Themes(1)));
    HWND rotator = Start();
    ASSERT_NE(nullptr, rotator);
    Send(rotator, WM_COMMAND, kAutoStart);
    std::string shortcut;
    ASSERT_TRUE(testkit::ReadBytes(kStartUpShortcut, &shortcut));
    EXPECT_EQ("39#\"\\Program Files\\ZARQ\\Ketra\\Rotator.exe\"", shortcut);
    Send(rotator, WM_COMMAND, kAutoStart);
    EXPECT_FALSE(testkit::FileExists(kStartUpShortcut));
}

TEST_F(RotatorTest, SettingStartsTheEditorOnTheScheduleAndExitEnds)
{
    ASSERT_TRUE(WriteSchedule(2, 60, CSchedule::kSequential, Themes(2)));
    HWND rotator = Start(L"2");
    ASSERT_NE(nullptr, rotator);
    DeviceLog log;
    Send(rotator, WM_COMMAND, kSettings);
    EXPECT_TRUE(log.WaitFor(L"Turnsel.exe 2", kWait)) << testkit::ToUtf8(log.First(L"launch: "));
    EXPECT_NE(nullptr, testkit::WaitForWindow(L"ULMIRA_CLASS", kWait));
    testkit::EndProcesses(L"Turnsel.exe");

    Send(rotator, WM_COMMAND, kExit);
    EXPECT_TRUE(m_program->WaitExit(kWait));
    EXPECT_TRUE(PumpUntil([] { return IconColumn() < 0; }, kWait)) << "the icon stayed";
}

// An interval of 0 minutes ticks every 10 seconds; "Stop Rotate" stops it.
TEST_F(RotatorTest, ZeroIntervalTicksEveryTenSeconds)
{
    std::vector<std::wstring> themes = Themes(2);
    ASSERT_TRUE(WriteSchedule(0, 0, CSchedule::kSequential, themes));
    HWND rotator = Start(L"0");
    ASSERT_NE(nullptr, rotator);
    // The start applies one of the two; the tick, the other.
    ASSERT_TRUE(PumpUntil([&] { return ThemeInForce() == themes[0] || ThemeInForce() == themes[1]; }, kWait));
    const std::wstring first = ThemeInForce();
    const std::wstring second = first == themes[0] ? themes[1] : themes[0];
    const ULONGLONG started = GetTickCount64();
    EXPECT_TRUE(PumpUntil([&] { return ThemeInForce() == second; }, 15000)) << "no tick";
    EXPECT_GE(GetTickCount64() - started, 8000u) << "ticked early";

    Send(rotator, WM_COMMAND, kStopRotate);
    testkit::PumpMessages(12000);
    EXPECT_EQ(second, ThemeInForce()) << "ticked while stopped";
}
