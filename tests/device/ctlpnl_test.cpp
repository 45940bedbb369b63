// The control panel (ctlpnl.exe): the device's own pages, other control-panel
// libraries driven through CPlApplet (the test library testcpl.cpl records
// each message it gets), and the panel window listing every entry.
#include <gtest/gtest.h>


#include <algorithm>

#include "ketra_testkit.h"

namespace {

using namespace testkit;

const wchar_t kCtlPnl[] = L"\\Windows\\ctlpnl.exe";
const DWORD kWait = 15000;

using Lines = std::vector<std::wstring>;

} // namespace

TEST(ControlPanelPage, LogsItsArgumentsAndStaysUntilKilled)
{
    DeviceLog log;
    DeviceProgram panel(kCtlPnl, L"cplmain.cpl 5,0");
    ASSERT_TRUE(panel.Started());
    EXPECT_TRUE(log.WaitFor(L"ctlpnl: cplmain.cpl 5,0", kWait));
    HWND page = panel.WaitWindow(L"Settings: About", kWait);
    ASSERT_NE(nullptr, page);
    // The navigation bar's OK button works on pages.
    EXPECT_EQ(0x80000000u, (DWORD)GetWindowLongW(page, GWL_EXSTYLE) & 0x80000000u);

    EXPECT_FALSE(panel.WaitExit(1000)) << "a page runs until it is closed";
    panel.Kill();
    EXPECT_FALSE(IsWindow(page));
}

TEST(ControlPanelPage, IsTitledAfterThePageAndClosesWithOk)
{
    const struct {
        const wchar_t* args;
        const wchar_t* title;
    } cases[] = {
        {L"cplmain.cpl 2,0", L"Settings: Owner Information"},
        {L"cplmain.cpl 4,1", L"Settings: Storage Card"},
        {L"cplmain.cpl 6,2", L"Settings: Backlight"},
        {L"cplmain.cpl 4,3", L"Settings: Memory"},  // an unknown tab opens the page's first
        {L"mycpl.cpl 5,0", L"Settings: Battery Settings"},
        {L"cplmain.cpl 14,0", L"Control Panel page 14"},
        {L"CPLMAIN.CPL,16", L"Settings: Clock"},
        {L"\"cplmain.cpl 9,0\"", L"Settings: Sound/Notification"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        DeviceProgram panel(kCtlPnl, c.args);
        HWND page = panel.WaitWindow(c.title, kWait);
        ASSERT_NE(nullptr, page);
        PostMessageW(page, WM_COMMAND, IDOK, 0);
        DWORD exitCode = 99;
        EXPECT_TRUE(panel.WaitExit(kWait, &exitCode));
        EXPECT_EQ(0u, exitCode);
    }
}

TEST(ControlPanelLibrary, IsDrivenThroughTheWholeCPlAppletSequence)
{
    DeviceLog log;
    DeviceProgram panel(kCtlPnl, L"testcpl.cpl");
    DWORD exitCode = 99;
    ASSERT_TRUE(panel.WaitExit(kWait, &exitCode));
    EXPECT_EQ(0u, exitCode);
    // Entry 0 by default; every entry is stopped, then the library exits.
    Lines expected = {L"testcpl: init",         L"testcpl: getcount",    L"testcpl: newinquire 0",
                      L"testcpl: newinquire 1", L"testcpl: dblclk 0 41", L"testcpl: stop 0 41",
                      L"testcpl: stop 1 42",    L"testcpl: exit"};
    EXPECT_EQ(expected, log.Lines(L"testcpl: "));
    EXPECT_TRUE(log.HasLine(L"ctlpnl: testcpl.cpl"));
}

TEST(ControlPanelLibrary, StaysLoadedWhileTheEntryWindowIsOpen)
{
    DeviceLog log;
    // Entry 1 describes itself with the 32-bit device's record size and
    // opens a window of its own.
    DeviceProgram panel(kCtlPnl, L"\\Windows\\testcpl.cpl 1");
    HWND window = panel.WaitWindow(L"Test Cpl Window", kWait);
    ASSERT_NE(nullptr, window);
    Lines opened = {L"testcpl: init", L"testcpl: getcount", L"testcpl: newinquire 0", L"testcpl: newinquire 1",
                    L"testcpl: dblclk 1 42"};
    EXPECT_EQ(opened, log.Lines(L"testcpl: "));
    EXPECT_TRUE(panel.Running());

    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(panel.WaitExit(kWait));
    Lines closed = opened;
    closed.insert(closed.end(), {L"testcpl: stop 0 41", L"testcpl: stop 1 42", L"testcpl: exit"});
    EXPECT_EQ(closed, log.Lines(L"testcpl: "));
}

TEST(ControlPanelLibrary, FailsClearlyForAMissingEntryOrLibrary)
{
    {
        DeviceLog log;
        DeviceProgram panel(kCtlPnl, L"testcpl.cpl 7");
        DWORD exitCode = 0;
        ASSERT_TRUE(panel.WaitExit(kWait, &exitCode));
        EXPECT_EQ(1u, exitCode);
        EXPECT_TRUE(log.HasLine(L"ctlpnl: \\Windows\\testcpl.cpl has no entry 7"));
        // The library is still shut down properly.
        Lines tail = log.Lines(L"testcpl: ");
        ASSERT_GE(tail.size(), 1u);
        EXPECT_EQ(L"testcpl: exit", tail.back());
    }
    {
        DeviceLog log;
        DeviceProgram panel(kCtlPnl, L"nosuch.cpl 0,0");
        DWORD exitCode = 0;
        ASSERT_TRUE(panel.WaitExit(kWait, &exitCode));
        EXPECT_EQ(1u, exitCode);
        EXPECT_FALSE(log.Lines(L"ctlpnl: cannot load \\Windows\\nosuch.cpl").empty());
    }
    {
        DeviceProgram panel(kCtlPnl, L"testcpl.cpl 1,x");
        DWORD exitCode = 0;
        ASSERT_TRUE(panel.WaitExit(kWait, &exitCode));
        EXPECT_NE(0u, exitCode);
    }
}

TEST(ControlPanelWindow, ListsEveryLibraryAndOpensTheChosenEntry)
{
    DeviceLog log;
    DeviceProgram panel(kCtlPnl, L"");
    HWND window = panel.WaitWindow(L"Settings", kWait);
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(log.WaitFor(L"ctlpnl: listed testcpl.cpl: 2 entries", kWait));
    EXPECT_TRUE(log.HasLine(L"ctlpnl: listed cplmain.cpl: 19 entries"));

    // A double tap on the first icon (entries are sorted by name) opens it.
    HWND list = FindWindowExW(window, nullptr, L"SysListView32", nullptr);
    ASSERT_NE(nullptr, list);
    const LPARAM firstIcon = MAKELPARAM(37, 20);
    PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, firstIcon);
    PostMessageW(list, WM_LBUTTONUP, 0, firstIcon);
    PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, firstIcon);
    PostMessageW(list, WM_LBUTTONUP, 0, firstIcon);
    EXPECT_TRUE(log.WaitFor(L"testcpl: dblclk 0 41", kWait));
    EXPECT_TRUE(panel.Running());

    // Closing the panel shuts every library down.
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(panel.WaitExit(kWait));
    Lines tail = log.Lines(L"testcpl: ");
    EXPECT_EQ(1, std::count(tail.begin(), tail.end(), L"testcpl: dblclk 0 41")) << "one tap, one opening";
    ASSERT_GE(tail.size(), 3u);
    EXPECT_EQ((Lines{L"testcpl: stop 0 41", L"testcpl: stop 1 42", L"testcpl: exit"}),
              Lines(tail.end() - 3, tail.end()));
}
