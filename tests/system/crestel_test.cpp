// The task-bar icon tool on the device: its icon in the task bar, the
// levels and colour it shows, its hook on the task bar's corner, its
// menu's commands, and its settings program's boxes.
#include <string>

#include <ketra_host.h>
#include <shellproto.h>

#include "ketra_testkit.h"

using namespace testkit;

namespace {

const wchar_t kIconClass[] = L"CRESTEL";
const wchar_t kSettingsKey[] = L"SOFTWARE\\ZARQ\\Ketra\\Apps\\Crestel";
const wchar_t kColourKey[] = L"SOFTWARE\\Microsoft\\Color";
const wchar_t kStartupShortcut[] = L"\\Windows\\StartUp\\Pexil.lnk";
const RECT kIconRect = {209, 5, 217, 21};
const POINT kCorner = {230, 12};
// Each change shows at the next 4-second check; the task bar's repaint
// can lag behind on a busy machine.
const DWORD kWithinATick = 15000;

// The tool's menu commands.
enum : UINT {
    kMinimize = 1102,
    kCloseAll = 1104,
    kShutDown = 1105,
    kKetra = 1110,
    kOption = 1111,
};

std::wstring Installed(const wchar_t* name)
{
    return std::wstring(kInstallFolder) + name;
}

HWND Icon()
{
    HWND bar = TaskBar();
    for (HWND child = bar ? GetWindow(bar, GW_CHILD) : nullptr; child; child = GetWindow(child, GW_HWNDNEXT))
        if (ClassOf(child) == kIconClass)
            return child;
    return nullptr;
}

HWND WaitIcon(DWORD ms)
{
    HWND icon = nullptr;
    PumpUntil([&] { return (icon = Icon()) != nullptr; }, ms);
    return icon;
}

// The fill of the level icons' battery at their bottom row, on the screen:
// grey (unknown), blue (external power), red, yellow, green.
const COLORREF kLevelColours[] = {RGB(150, 150, 150), RGB(40, 120, 230), RGB(220, 40, 40), RGB(250, 210, 50),
                                  RGB(40, 170, 60)};
COLORREF LevelPixel()
{
    return ScreenPixel(kIconRect.left + 2, kIconRect.top + 14);
}
// Right of the battery: the task bar's colour as the icon paints it.
COLORREF BackgroundPixel()
{
    return ScreenPixel(kIconRect.left + 7, kIconRect.top + 1);
}

// Read twice a second: reading the screen is slow on the device.
template <class Predicate>
bool ShowsWithinATick(Predicate shown)
{
    for (ULONGLONG start = GetTickCount64(); GetTickCount64() - start < kWithinATick;) {
        if (shown())
            return true;
        PumpMessages(500);
    }
    return shown();
}

bool MenuShown()
{
    return VisibleWindow(L"#32768") != nullptr;
}

// The menu belongs to the tool's thread, which does not have the keyboard
// while another program is in front: ended as a tap elsewhere ends it.
void CloseMenu()
{
    if (MenuShown()) {
        if (HWND icon = Icon())
            PostMessageW(icon, WM_CANCELMODE, 0, 0);
        PumpUntil([] { return !MenuShown(); }, 3000);
    }
}

// A device program of the Start menu in front: its window, once it is.
HWND StartInFront(const wchar_t* shortcut, const wchar_t* className)
{
    if (!Execute(shortcut))
        return nullptr;
    HWND window = WaitForWindow(className, 10000);
    if (window && !PumpUntil([&] { return GetForegroundWindow() == window; }, 5000))
        BringToFront(window);
    return window;
}

class Crestel : public testing::Test {
protected:
    void SetUp() override
    {
        close_.SetDword(0);
        state_.Set(L"ACLineStatus", 0);
        state_.Set(L"BatteryFlag", 1);
        state_.Set(L"BatteryLifePercent", 80);
        DeviceLog log;
        tool_ = std::make_unique<DeviceProgram>(Installed(L"Crestel.exe"));
        icon_ = WaitIcon(10000);
        ASSERT_NE(nullptr, icon_);
        ASSERT_TRUE(log.WaitFor(L"task-bar hook", 5000)) << "the tool did not hook the task bar";
    }
    void TearDown() override
    {
        CloseMenu();
        if (Icon()) {
            DeviceLog log;
            PostMessageW(Icon(), WM_CLOSE, 0, 0);
            EXPECT_TRUE(tool_->WaitExit(5000));
            EXPECT_TRUE(log.WaitFor(L"removed", 3000)) << "the tool left its hook in the task bar";
        }
        for (const wchar_t* program : {L"calendar.exe", L"tasks.exe", L"Crestset.exe", L"Restart.exe"})
            EndProcesses(program);
        BringToFront(TodayScreen());
    }
    void Command(UINT id) const { PostMessageW(icon_, WM_COMMAND, id, 0); }

    RegistrySandbox system_{{L"SOFTWARE\\ZARQ"}};
    SavedRegistryValue close_{HKEY_LOCAL_MACHINE, kSettingsKey, L"Close"};
    DeviceState state_;
    std::unique_ptr<DeviceProgram> tool_;
    HWND icon_ = nullptr;
};

}  // namespace

TEST_F(Crestel, SitsInTheTaskBarOnceAndASecondStartOpensItsSettings)
{
    EXPECT_EQ(TaskBar(), GetParent(icon_));
    EXPECT_EQ(L"Crestel", TextOf(icon_));
    EXPECT_EQ(kIconRect, WindowRect(icon_));

    DeviceLog log;
    DeviceProgram second(Installed(L"Crestel.exe"));
    EXPECT_TRUE(second.WaitExit(10000)) << "a second tool stayed";
    EXPECT_TRUE(log.WaitFor(L"Crestset.exe", 5000));
    EXPECT_NE(nullptr, WaitForWindow(L"ICONOPTION", 10000));
    EXPECT_EQ(icon_, Icon());
    EXPECT_EQ(1, CountProcesses(L"Crestel.exe"));
}

TEST_F(Crestel, ShowsTheBatteryLevelAndTheTaskBarColour)
{
    ASSERT_TRUE(ShowsWithinATick([] { return LevelPixel() == kLevelColours[4]; }));
    struct Case {
        BYTE ac, flag, percent;
        int level;
    } cases[] = {
        {0, 1, 44, 2}, {0, 1, 45, 3}, {0, 1, 74, 3}, {0, 1, 75, 4}, {1, 8, 20, 1}, {0, 255, 80, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "battery " << int(c.percent) << "%, AC " << int(c.ac) << ", flag "
                                        << int(c.flag));
        state_.Set(L"ACLineStatus", c.ac);
        state_.Set(L"BatteryFlag", c.flag);
        state_.Set(L"BatteryLifePercent", c.percent);
        EXPECT_TRUE(ShowsWithinATick([&] { return LevelPixel() == kLevelColours[c.level]; }))
            << "shows " << std::hex << LevelPixel();
    }

    // The task bar's colour, kept either as a number or as four bytes.
    SavedRegistryValue colour(HKEY_LOCAL_MACHINE, kColourKey, L"8");
    colour.SetDword(RGB(0x10, 0x80, 0x20));
    EXPECT_TRUE(ShowsWithinATick([] { return BackgroundPixel() == RGB(0x10, 0x80, 0x20); }));
    colour.SetBinary({0x60, 0x20, 0x90, 0x00});
    EXPECT_TRUE(ShowsWithinATick([] { return BackgroundPixel() == RGB(0x60, 0x20, 0x90); }));
}

TEST_F(Crestel, WithoutCloseTheCornerMinimisesAndAHoldOpensTheMenu)
{
    HWND calendar = StartInFront(L"\\Windows\\Start Menu\\Calendar.lnk", L"Calendar");
    ASSERT_NE(nullptr, calendar);
    ASSERT_TRUE(Tap(kCorner.x, kCorner.y));
    EXPECT_TRUE(PumpUntil([] { return GetForegroundWindow() == TodayScreen(); }, 5000));
    EXPECT_EQ(1, CountProcesses(L"calendar.exe")) << "the corner closed a program with closing off";

    ASSERT_TRUE(BringToFront(calendar));
    ASSERT_TRUE(Hold(kCorner.x, kCorner.y, 900));
    EXPECT_TRUE(PumpUntil(MenuShown, 5000)) << "a hold on the corner opened no menu";
    CloseMenu();
    EXPECT_EQ(1, CountProcesses(L"calendar.exe"));
}

// A tap closes the program in front, and only that one: the one below
// comes forward and stays.
TEST_F(Crestel, WithCloseTheCornerClosesTheProgramInFront)
{
    close_.SetDword(1);
    HWND tasks = StartInFront(L"\\Windows\\Start Menu\\Tasks.lnk", L"Tasks Application");
    HWND calendar = StartInFront(L"\\Windows\\Start Menu\\Calendar.lnk", L"Calendar");
    ASSERT_NE(nullptr, tasks);
    ASSERT_NE(nullptr, calendar);

    DeviceLog log;
    ASSERT_TRUE(Tap(kCorner.x, kCorner.y));
    EXPECT_TRUE(log.WaitFor(L"calendar: closed", 5000));
    EXPECT_TRUE(WaitProcessCount(L"calendar.exe", 0, 5000));
    PumpMessages(800);
    EXPECT_EQ(1, CountProcesses(L"tasks.exe"));
    EXPECT_FALSE(log.Contains(L"tasks: closed"));
    EXPECT_NE(TodayScreen(), GetForegroundWindow()) << "the task bar minimised as well";
}

// Nothing the corner can close is in front: the task bar's own handling
// (the program below comes up), once, and nothing closed.
TEST_F(Crestel, WithCloseTheTodayScreenInFrontClosesNothing)
{
    close_.SetDword(1);
    HWND tasks = StartInFront(L"\\Windows\\Start Menu\\Tasks.lnk", L"Tasks Application");
    ASSERT_NE(nullptr, tasks);
    // Minimised as the user does, with the corner while closing is off.
    close_.SetDword(0);
    ASSERT_TRUE(Tap(kCorner.x, kCorner.y));
    ASSERT_TRUE(PumpUntil([] { return GetForegroundWindow() == TodayScreen(); }, 5000));
    close_.SetDword(1);

    DeviceLog log;
    ASSERT_TRUE(Tap(kCorner.x, kCorner.y));
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == tasks; }, 5000));
    PumpMessages(1500);
    EXPECT_EQ(1, CountProcesses(L"tasks.exe"));
    EXPECT_EQ(tasks, GetForegroundWindow()) << "more than one tap reached the task bar";
    EXPECT_TRUE(IsWindow(TaskBar()));
    DWORD_PTR answer = 0;
    EXPECT_TRUE(SendMessageTimeoutW(TaskBar(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer))
        << "the task bar hangs in a chain of taps";
    EXPECT_TRUE(tool_->Running());
    EXPECT_EQ(0, log.Count(L"closed"));
}

// The menu's "Minimize" taps the corner itself: that tap passes the hook,
// so it minimises and closes nothing even with closing on.
TEST_F(Crestel, MinimizePassesTheHookAndTapsOnTheIconActivateNothing)
{
    close_.SetDword(1);
    HWND calendar = StartInFront(L"\\Windows\\Start Menu\\Calendar.lnk", L"Calendar");
    ASSERT_NE(nullptr, calendar);

    ASSERT_TRUE(Tap(kIconRect.left + 4, kIconRect.top + 8));
    EXPECT_TRUE(PumpUntil(MenuShown, 5000));
    CloseMenu();
    EXPECT_EQ(calendar, GetForegroundWindow()) << "a tap on the icon took the front";

    DeviceLog log;
    Command(kMinimize);
    EXPECT_TRUE(PumpUntil([] { return GetForegroundWindow() == TodayScreen(); }, 5000));
    PumpMessages(800);
    EXPECT_EQ(1, CountProcesses(L"calendar.exe"));
    EXPECT_FALSE(log.Contains(L"calendar: closed"));

    // The next tap of the user's own is the hook's again.
    ASSERT_TRUE(BringToFront(calendar));
    ASSERT_TRUE(Tap(kCorner.x, kCorner.y));
    EXPECT_TRUE(WaitProcessCount(L"calendar.exe", 0, 5000));
}

TEST_F(Crestel, MenuCommandsStartTheirPrograms)
{
    DeviceLog log;
    Command(kShutDown);
    EXPECT_TRUE(log.WaitFor(L"restart.exe", 5000));
    EXPECT_NE(nullptr, WaitForWindow(L"MRESTART_CLASS", 10000));
    Command(kOption);
    EXPECT_TRUE(log.WaitFor(L"Crestset.exe", 5000));
    EXPECT_NE(nullptr, WaitForWindow(L"ICONOPTION", 10000));
}

TEST_F(Crestel, KetraOpensTheRunningBarOrStartsIt)
{
    CloseBar();
    DeviceLog log;
    Command(kKetra);
    EXPECT_TRUE(log.WaitFor(L"Ketra.exe System Bar", 5000));
    ASSERT_TRUE(PumpUntil([] { return KetraFindBar() != nullptr; }, 15000));
    EXPECT_TRUE(PumpUntil([] { return BarIsOpen(); }, 10000));

    // With the bar there, the bar opens or closes.
    log.Restart();
    Command(kKetra);
    EXPECT_TRUE(PumpUntil([] { return !BarIsOpen(); }, 5000));
    Command(kKetra);
    EXPECT_TRUE(PumpUntil([] { return BarIsOpen(); }, 5000));
    EXPECT_FALSE(log.Contains(L"Ketra.exe")) << "a second bar was started";
    CloseBar();
}

// ---- The settings program ------------------------------------------------------------

TEST_F(Crestel, SettingsBoxesShowAndChangeTheToolsState)
{
    DeleteFileW(kStartupShortcut);
    ProgramDriver settings(Installed(L"Crestset.exe"), L"ICONOPTION");
    ASSERT_TRUE(settings.Started());
    EXPECT_EQ(L"Settings", TextOf(settings.Main()));
    EXPECT_FALSE(settings.Checked(1001));
    EXPECT_FALSE(settings.Checked(1002));
    EXPECT_TRUE(settings.Checked(1003));

    ASSERT_TRUE(settings.Tap(1001));
    EXPECT_TRUE(PumpUntil([&] { return close_.GetDword() == 1; }, 3000));
    ASSERT_TRUE(settings.Tap(1001));
    EXPECT_TRUE(PumpUntil([&] { return close_.GetDword() == 0; }, 3000));

    ASSERT_TRUE(settings.Tap(1002));
    ASSERT_TRUE(PumpUntil([] { return FileExists(kStartupShortcut); }, 3000));
    EXPECT_NE(std::string::npos, ReadBytes(kStartupShortcut).find("\"\\Program Files\\ZARQ\\Ketra\\Crestel.exe\""))
        << ReadBytes(kStartupShortcut);
    ASSERT_TRUE(settings.Tap(1002));
    EXPECT_TRUE(PumpUntil([] { return !FileExists(kStartupShortcut); }, 3000));

    // The icon goes with its hook, and comes back.
    DeviceLog log;
    ASSERT_TRUE(settings.Tap(1003));
    EXPECT_TRUE(tool_->WaitExit(5000));
    EXPECT_TRUE(log.WaitFor(L"removed", 3000));
    EXPECT_EQ(nullptr, Icon());
    ASSERT_TRUE(settings.Tap(1003));
    EXPECT_NE(nullptr, WaitIcon(10000));
    EXPECT_TRUE(settings.CloseByOkCorner());

    // Shown as they are at the next start.
    close_.SetDword(1);
    ProgramDriver again(Installed(L"Crestset.exe"), L"ICONOPTION");
    EXPECT_TRUE(again.Checked(1001));
    EXPECT_TRUE(again.Checked(1003));
    EXPECT_TRUE(again.CloseWindow());
}
