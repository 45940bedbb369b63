// The side bar on the device, driven from outside as other programs and the
// user drive it: devctl (messages, keys, the device log) and the registry.
// The probe applets log every message they receive to the device log.
#include "host_fixture.h"

#include <tlhelp32.h>

namespace {

// The settings program a failed load starts would stay (holding the test
// run's output open) and restart the bar when closed: it is ended outright.
// Ends every running option.exe; returns how many were found.
int TerminateSettingsPrograms()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    int found = 0;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
        if (_wcsicmp(entry.szExeFile, L"option.exe") != 0)
            continue;
        ++found;
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
        if (process) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
    CloseHandle(snapshot);
    return found;
}

void EndSettingsProgram()
{
    // On a loaded machine the program may still be starting: wait for its
    // window, then end it until none is left.
    PumpUntil([] { return FindWindowW(L"KETRA_OPTION_CLASS", nullptr) != nullptr; }, 15000);
    PumpUntil([] { return TerminateSettingsPrograms() == 0; }, 15000);
}

// Opens the group menu with its command and walks it with keys: down to
// the group, right into its sub-menu, down to the applet, Enter. The
// menu's own loop reads them from the bar's message queue.
bool ChooseFromGroupMenu(int group, int item)
{
    PostMessageW(FindBar(), WM_COMMAND, 1302, 0);
    HWND menu = nullptr;
    if (!PumpUntil([&] { return (menu = FindWindowW(L"#32768", nullptr)) && IsWindowVisible(menu); }, 5000))
        return false;
    for (int i = 0; i <= group; ++i)
        PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RIGHT, 0);
    for (int i = 0; i < item; ++i)
        PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(menu, WM_CHAR, L'\r', 0);
    return true;
}

// Applet list order: About 0, Probe 1, ProbeNarrow 2 (test registrations).
TEST_F(HostTest, SwitchingAppletsUnloadsTheOldOneAndRecordsTheNewOne)
{
    Start();
    EXPECT_EQ(L"About", CurrentApplet());
    const int created = LogCount(L"probe: create");
    const int cleared = LogCount(L"probe: msg 1266");
    Send(WM_COMMAND, 1201, 0);
    EXPECT_EQ(L"Probe", CurrentApplet());
    EXPECT_EQ(created + 1, LogCount(L"probe: create"));
    EXPECT_GT(LogCount(L"probe: msg 1267"), 0);
    Send(WM_COMMAND, 1202, 0);
    EXPECT_EQ(L"ProbeNarrow", CurrentApplet());
    EXPECT_EQ(cleared + 1, LogCount(L"probe: msg 1266"));
    EXPECT_EQ(L"1", Send(1029, 4, 0));  // the choice opened the bar
}

TEST_F(HostTest, ChoosingTheCurrentAppletAgainReloadsOnlyWhenAsked)
{
    Start();
    Send(WM_COMMAND, 1201, 0);
    const int created = LogCount(L"probe: create");
    Send(WM_COMMAND, 1201, 0);
    EXPECT_EQ(created, LogCount(L"probe: create"));
    Send(1030, 0, 1);
    EXPECT_EQ(created + 1, LogCount(L"probe: create"));
}

TEST_F(HostTest, NamePointerFromAnotherProcessIsNotRead)
{
    Start();
    // A foreign address: the host must take CurrentApplet instead.
    RunDevctl({L"reg", L"set", kOptions, L"CurrentApplet", L"sz", L"Probe"});
    EXPECT_EQ(L"1", Send(1030, 0x12345678, 0));
    EXPECT_EQ(L"Probe", CurrentApplet());
    EXPECT_GT(LogCount(L"probe: create"), 0);
}

TEST_F(HostTest, KeysRelayAndSizeReachTheApplet)
{
    Start();
    Send(WM_COMMAND, 1201, 0);
    Send(WM_KEYDOWN, 65, 7);
    EXPECT_GT(LogCount(L"probe: msg 256 65 7"), 0);
    Send(1032, 11, 22);
    EXPECT_GT(LogCount(L"probe: msg 1032 11 22"), 0);
    const int sized = LogCount(L"probe: msg 1127");
    Send(WM_SIZE, 0, 0);
    EXPECT_EQ(sized + 1, LogCount(L"probe: msg 1127"));
}

TEST_F(HostTest, MissingBackgroundPictureFillsLightBlue)
{
    RunDevctl({L"reg", L"set", kOptions, L"BackOn", L"dword", L"1"});
    RunDevctl({L"reg", L"set", kOptions, L"BkImage", L"sz", L"\\Windows\\no-such-picture.gif"});
    Start();
    Send(WM_COMMAND, 1201, 0);
    const int before = LogCount(L"probe: background ffc0c0");
    // The probe is a child of the bar, which devctl does not reach.
    HWND probe = FindWindowExW(FindWindowW(L"KETRA_CLASS", nullptr), nullptr, L"KETRA_PROBE", nullptr);
    ASSERT_NE(nullptr, probe);
    // The second request must not try the picture again: it still fills.
    SendMessageW(probe, WM_APP + 1, 1125, 0);
    SendMessageW(probe, WM_APP + 1, 1125, 0);
    EXPECT_EQ(before + 2, LogCount(L"probe: background ffc0c0"));
    RunDevctl({L"reg", L"set", kOptions, L"BkImage", L"sz", L"\\Windows\\StWater.gif"});
}

TEST_F(HostTest, SecondInstanceTogglesAndAnswersMessages)
{
    Start();
    const std::wstring before = Send(1029, 4, 0);
    ASSERT_EQ(0u, RunDevctl({L"exec", kHost}).exitCode);
    PumpUntil([&] { return Send(1029, 4, 0) != before; }, 10000);
    EXPECT_NE(before, Send(1029, 4, 0));
    EXPECT_EQ(Num(0xD8E9EC), Send(1034, 7, 0));
}

// Installed: About and ProbeNarrow in "Default" (not listed), Probe in
// "Tests". Sub-menus come in the order their groups are first met.
TEST_F(HostTest, GroupMenuListsEachGroupWithItsApplets)
{
    const std::wstring narrow = L"\\Program Files\\ZARQ\\Ketra\\ProbeNarrow.dll";
    TemporaryApplet zeta(L"ProbeZeta", narrow, 20, L"Zeta");
    TemporaryApplet second(L"ProbeTests2", narrow, 21, L"Tests");
    Start();
    ASSERT_TRUE(ChooseFromGroupMenu(0, 1));  // "Tests": Probe, ProbeTests2
    EXPECT_TRUE(PumpUntil([] { return CurrentApplet() == L"ProbeTests2"; }, 5000)) << CurrentApplet();
    ASSERT_TRUE(ChooseFromGroupMenu(1, 0));  // "Zeta": ProbeZeta
    EXPECT_TRUE(PumpUntil([] { return CurrentApplet() == L"ProbeZeta"; }, 5000)) << CurrentApplet();
}

TEST_F(HostTest, AutoCloseClosesTheBarFromTheTaskBarCorner)
{
    Start();
    EXPECT_EQ(L"1", Send(1029, 2, 0));
    EXPECT_EQ(L"1", Send(1029, 4, 0));  // auto-close off: the hook's request changes nothing
    TearDown();

    RunDevctl({L"reg", L"set", kOptions, L"AutoClose", L"dword", L"1"});
    Start();
    EXPECT_EQ(L"1", Send(1028, 3, 0));  // the task-bar hook is in place
    ASSERT_EQ(L"1", Send(1029, 4, 0));
    RunDevctl({L"tap", L"230", L"12"});  // the task bar's right-hand corner
    EXPECT_TRUE(PumpUntil([] { return Send(1029, 4, 0) == L"0"; }, 5000));
}

TEST_F(HostTest, FailedLoadStartsTheSettingsProgramAndShowsAbout)
{
    RunDevctl({L"reg", L"set", L"HKLM\\SOFTWARE\\ZARQ\\PROBE", L"Fail240", L"dword", L"1"});
    Start();
    const int started = LogCount(L"option.exe");
    Send(WM_COMMAND, 1201, 0);
    RunDevctl({L"reg", L"del", L"HKLM\\SOFTWARE\\ZARQ\\PROBE", L"Fail240"});
    EXPECT_EQ(L"About", CurrentApplet());
    EXPECT_GT(LogCount(L"option.exe"), started);
    EndSettingsProgram();
}

TEST_F(HostTest, StoredTopOutOfRangeStartsAt50)
{
    // Compared unsigned: a "negative" top is out of range as well.
    RunDevctl({L"reg", L"set", kOptions, L"ypos", L"dword", L"0xFFFFFFF0"});
    Start();
    TearDown();
    std::wstring ypos = RunDevctl({L"reg", L"get", kOptions, L"ypos"}).out;
    EXPECT_EQ(0u, ypos.find(L"50")) << ypos;
}

}  // namespace
