// The side bar on the device, driven from outside as other programs and the
// user drive it: messages, keys, menus and the registry.  The probe applets
// log every message they receive to the device log.
#include "ketra_testkit.h"

namespace {

using namespace testkit;

using HostTest = BarTest;

// Opens the group menu with its command and walks it with keys: down to
// the applet's group, right into its sub-menu, down to the applet, Enter.
// The menu's own loop reads them from the bar's message queue.
bool ChooseFromGroupMenu(const std::wstring& applet)
{
    int group = 0, item = 0;
    if (!GroupMenuPosition(applet, &group, &item))
        return false;
    PostMessageW(KetraFindBar(), WM_COMMAND, IDM_KETRA_GROUP, 0);
    HWND menu = nullptr;
    if (!PumpUntil([&] { return (menu = VisibleWindow(L"#32768")) != nullptr; }, 5000))
        return false;
    for (int i = 0; i <= group; ++i)
        PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RIGHT, 0);
    for (int i = 0; i < item; ++i)
        PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_CHAR, L'\r', 0);
    return PumpUntil([&] { return CurrentApplet() == applet; }, 5000);
}

TEST_F(HostTest, SwitchingAppletsUnloadsTheOldOneAndRecordsTheNewOne)
{
    Start();
    EXPECT_EQ(L"About", CurrentApplet());
    ASSERT_TRUE(ChooseApplet(L"Probe"));
    EXPECT_EQ(L"Probe", CurrentApplet());
    EXPECT_EQ(1, log.Count(L"probe: create"));
    EXPECT_GT(log.Count(L"probe: msg 1267"), 0);
    ASSERT_TRUE(ChooseApplet(L"ProbeNarrow"));
    EXPECT_EQ(L"ProbeNarrow", CurrentApplet());
    EXPECT_EQ(1, log.Count(L"probe: msg 1266"));
    EXPECT_TRUE(BarIsOpen()) << "the choice opens the bar";
}

// The bar keeps its applet list between commands: a registration made or
// reordered while it runs must still reach the next command, else the
// command's position names another applet.
TEST_F(HostTest, MenuCommandsFollowRegistrationsChangedWhileTheBarRuns)
{
    Start();
    ASSERT_TRUE(ChooseApplet(L"Probe"));
    ASSERT_EQ(L"Probe", CurrentApplet());
    {
        TemporaryApplet late(L"ProbeLate", std::wstring(kInstallFolder) + L"ProbeNarrow.dll", L"Tests", 0);
        ASSERT_TRUE(ChooseApplet(L"ProbeNarrow"));  // every position behind the newcomer moved
        EXPECT_EQ(L"ProbeNarrow", CurrentApplet());
        ASSERT_TRUE(ChooseApplet(L"ProbeLate"));
        EXPECT_EQ(L"ProbeLate", CurrentApplet());
    }
    ASSERT_TRUE(ChooseApplet(L"Probe"));
    EXPECT_EQ(L"Probe", CurrentApplet()) << "after the newcomer went again";
}

TEST_F(HostTest, ChoosingTheCurrentAppletAgainReloadsOnlyWhenAsked)
{
    Start();
    ChooseApplet(L"Probe");
    ChooseApplet(L"Probe");
    EXPECT_EQ(1, log.Count(L"probe: create"));
    SendToBar(WM_KETRA_SHOWAPPLET, 0, 1);
    EXPECT_EQ(2, log.Count(L"probe: create"));
}

TEST_F(HostTest, NamePointerFromAnotherProcessIsNotRead)
{
    Start();
    // A foreign address: the host must take CurrentApplet instead.
    WriteText(KETRA_OPTIONS_KEY, L"CurrentApplet", L"Probe");
    EXPECT_EQ(1, SendToBar(WM_KETRA_SHOWAPPLET, 0x12345678, 0));
    EXPECT_EQ(L"Probe", CurrentApplet());
    EXPECT_GT(log.Count(L"probe: create"), 0);
}

TEST_F(HostTest, KeysRelayAndSizeReachTheApplet)
{
    Start();
    ChooseApplet(L"Probe");
    SendToBar(WM_KEYDOWN, 65, 7);
    EXPECT_EQ(1, log.Count(L"probe: msg 256 65 7"));
    SendToBar(WM_KETRA_RELAY, 11, 22);
    EXPECT_EQ(1, log.Count(L"probe: msg 1032 11 22"));
    const int sized = log.Count(L"probe: msg 1127");
    SendToBar(WM_SIZE, 0, 0);
    EXPECT_EQ(sized + 1, log.Count(L"probe: msg 1127"));
}

// The picture setting goes back with the registry even when a check fails.
TEST_F(HostTest, MissingBackgroundPictureFillsLightBlue)
{
    WriteDword(KETRA_OPTIONS_KEY, L"BackOn", 1);
    WriteText(KETRA_OPTIONS_KEY, L"BkImage", L"\\Windows\\no-such-picture.gif");
    Start();
    ChooseApplet(L"Probe");
    // The probe is a child of the bar: it asks for its background itself.
    HWND probe = AppletWindowOnBar(kProbeClass);
    ASSERT_NE(nullptr, probe);
    const int before = log.Count(L"probe: background ffc0c0");
    // The second request must not try the picture again: it still fills.
    SendMessageW(probe, kProbeRequest, WM_KETRA_APPLETSHOWN, 0);
    SendMessageW(probe, kProbeRequest, WM_KETRA_APPLETSHOWN, 0);
    EXPECT_EQ(before + 2, log.Count(L"probe: background ffc0c0"));
}

TEST_F(HostTest, SecondInstanceTogglesAndAnswersMessages)
{
    Start();
    const bool open = BarIsOpen();
    ASSERT_TRUE(Execute(kBarProgram));
    EXPECT_TRUE(PumpUntil([&] { return BarIsOpen() != open; }, 10000));
    EXPECT_EQ(0xD8E9EC, SendToBar(WM_KETRA_COLOR, 7));
}

// Probe is in "Tests", ProbeNarrow in "Default" (not listed); two more
// applets: one in "Tests", one in a group of its own.
TEST_F(HostTest, GroupMenuListsEachGroupWithItsApplets)
{
    const std::wstring narrow = std::wstring(kInstallFolder) + L"ProbeNarrow.dll";
    TemporaryApplet zeta(L"ProbeZeta", narrow, L"Zeta");
    TemporaryApplet second(L"ProbeTests2", narrow, L"Tests");
    Start();
    int group = 0, item = 0;
    ASSERT_TRUE(GroupMenuPosition(L"ProbeTests2", &group, &item));
    EXPECT_EQ(1, item) << "after Probe in its group";
    EXPECT_TRUE(ChooseFromGroupMenu(L"ProbeTests2")) << CurrentApplet();
    EXPECT_TRUE(ChooseFromGroupMenu(L"ProbeZeta")) << CurrentApplet();
    EXPECT_FALSE(GroupMenuPosition(L"ProbeNarrow", &group, &item));
}

TEST_F(HostTest, AutoCloseClosesTheBarFromTheTaskBarCorner)
{
    Start();
    EXPECT_EQ(1, SendToBar(WM_KETRA_WINDOW, KETRA_WINDOW_AUTO_CLOSE));
    EXPECT_TRUE(BarIsOpen()) << "auto-close off: the hook's request changes nothing";
    TearDown();

    WriteDword(KETRA_OPTIONS_KEY, L"AutoClose", 1);
    Start();
    EXPECT_EQ(1, SendToBar(WM_KETRA_CONTROL, KETRA_CONTROL_IS_HOOKED)) << "the task-bar hook is in place";
    ASSERT_TRUE(BarIsOpen());
    Tap(230, 12);  // the task bar's right-hand corner
    EXPECT_TRUE(PumpUntil([] { return !BarIsOpen(); }, 5000));
}

// The probe's failure setting goes back with the registry even when a
// check fails; the settings program the failure starts is ended outright
// (closed, it would start the bar again).
TEST_F(HostTest, FailedLoadStartsTheSettingsProgramAndShowsAbout)
{
    WriteDword(kProbeKey, L"Fail240", 1);
    Start();
    ChooseApplet(L"Probe");
    EXPECT_EQ(L"About", CurrentApplet());
    EXPECT_TRUE(log.Contains(L"option.exe"));
    EndSettingsPrograms(15000);
}

// Every 4 seconds the bar returns above the other top-most windows, but not
// over one the user is working in (the device's Start menu takes the
// foreground the same way).
TEST_F(HostTest, ItsReturnToTheTopLeavesATopMostWindowInFrontAlone)
{
    Start();
    HWND bar = KetraFindBar();
    TestWindow front(L"HostTestFront", {0, 40, 240, 200});
    SetWindowPos(front.hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(front.hwnd());
    ASSERT_TRUE(IsAbove(front.hwnd(), bar));
    PumpMessages(5000);
    EXPECT_TRUE(IsAbove(front.hwnd(), bar)) << "the bar came over the window in front";

    // Once the foreground has gone elsewhere, the bar comes back on top.
    SetForegroundWindow(TodayScreen());
    EXPECT_TRUE(PumpUntil([&] { return IsAbove(bar, front.hwnd()); }, 6000)) << "the bar stayed below";
}

TEST_F(HostTest, StoredTopOutOfRangeStartsAt50)
{
    // Compared unsigned: a "negative" top is out of range as well.
    WriteDword(KETRA_OPTIONS_KEY, L"ypos", 0xFFFFFFF0);
    Start();
    TearDown();
    EXPECT_EQ(50u, ReadDword(KETRA_OPTIONS_KEY, L"ypos"));
}

}  // namespace
