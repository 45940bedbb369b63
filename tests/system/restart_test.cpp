// The power panel on the device, driven by pen down and up pairs on its
// areas: lock both ways, power off, soft reset, resident mode on and off
// with its shortcut and notification icon, and releases that do nothing.
#include <string>

#include "ketra_testkit.h"

using namespace testkit;

namespace {

const wchar_t kPanelClass[] = L"MRESTART_CLASS";
const wchar_t kStartupShortcut[] = L"\\Windows\\StartUp\\Restart.lnk";
const wchar_t kOwnerKey[] = L"ControlPanel\\Owner";

const POINT kLock = {55, 90};
const POINT kPowerOff = {125, 90};
const POINT kReset = {195, 90};
const POINT kClose = {205, 150};
const POINT kResident = {100, 150};
const POINT kControlPanel = {17, 150};

std::wstring Program()
{
    return std::wstring(kInstallFolder) + L"Restart.exe";
}

class PowerPanel : public testing::Test {
protected:
    void SetUp() override
    {
        DeleteFileW(kStartupShortcut);
        password_.Delete();
        Start();
    }
    void TearDown() override
    {
        EndProcesses(L"Restart.exe");
        EndProcesses(L"ctlpnl.exe");
        DeleteFileW(kStartupShortcut);
    }
    void Start()
    {
        panel_ = std::make_unique<DeviceProgram>(Program());
        window_ = WaitForWindow(kPanelClass, 10000);
        ASSERT_NE(nullptr, window_);
        WaitUntilIdle(window_);
    }
    // A pen pair as the window receives it (client points).
    void Pen(POINT down, POINT up) const
    {
        PostMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
        PostMessageW(window_, WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
        WaitUntilIdle(window_);
    }
    void Tap(POINT at) const { Pen(at, at); }
    bool Ends() { return panel_->WaitExit(5000); }

    SavedRegistryValue password_{HKEY_CURRENT_USER, kOwnerKey, L"PowrPass"};
    DeviceState state_;
    std::unique_ptr<DeviceProgram> panel_;
    HWND window_ = nullptr;
};

}  // namespace

TEST_F(PowerPanel, IsATopmostToolWindowOverTheScreensMiddle)
{
    EXPECT_TRUE(IsWindowVisible(window_));
    EXPECT_EQ((RECT{0, 80, 240, 250}), WindowRect(window_));
    const LONG_PTR exStyle = GetWindowLongPtrW(window_, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(exStyle & WS_EX_NOACTIVATE);
    // The panel's picture, not a plain background.
    const std::vector<COLORREF> row = ScreenRow(80 + 90, 0, 240);
    int changes = 0;
    for (size_t i = 1; i < row.size(); ++i)
        changes += row[i] != row[i - 1];
    EXPECT_GT(changes, 6);
}

TEST_F(PowerPanel, ResetAndPowerOffReachTheDevice)
{
    DeviceLog log;
    Tap(kReset);
    EXPECT_TRUE(log.WaitFor(L"coredll: reboot", 3000));
    Tap(kPowerOff);
    EXPECT_TRUE(log.WaitFor(L"power off", 3000));
    EXPECT_EQ(1, log.Count(L"power off")) << "the key's release powered off again";
    EXPECT_TRUE(Ends());
}

TEST_F(PowerPanel, LockPromptsForThePasswordWhenThereIsOne)
{
    // Kept as the settings keep it: a binary whose first word is the flag.
    password_.SetBinary({1, 0, 0, 0, 0x55, 0x66});
    DeviceLog log;
    Tap(kLock);
    EXPECT_TRUE(log.WaitFor(L"PromptForPasswd 1", 3000));
    EXPECT_FALSE(log.Contains(L"ctlpnl"));
    EXPECT_TRUE(Ends());
}

TEST_F(PowerPanel, LockOpensThePasswordPageWithoutOne)
{
    password_.SetDword(0);
    DeviceLog log;
    Tap(kLock);
    EXPECT_TRUE(log.WaitFor(L"ctlpnl.exe cplmain.cpl 6,0", 3000));
    EXPECT_TRUE(Ends());
    EXPECT_EQ(1, log.Count(L"launch: ctlpnl.exe")) << "more than the password page opened";
    EXPECT_FALSE(log.Contains(L"PromptForPasswd"));

    // The older platform's page.
    state_.Set(L"VersionMajor", 3);
    Start();
    log.Restart();
    Tap(kLock);
    EXPECT_TRUE(log.WaitFor(L"ctlpnl.exe cplmain.cpl 1,0", 3000));
    state_.Delete(L"VersionMajor");
}

TEST_F(PowerPanel, ControlPanelAreaOpensTheControlPanelOnce)
{
    DeviceLog log;
    Tap(kControlPanel);
    EXPECT_TRUE(Ends());
    EXPECT_TRUE(log.WaitFor(L"launch: ctlpnl.exe", 3000));
    PumpMessages(500);
    EXPECT_EQ(1, log.Count(L"launch: ctlpnl.exe"));
    EXPECT_FALSE(log.Contains(L"launch: ctlpnl.exe cplmain.cpl")) << "a page rather than the control panel";
}

TEST_F(PowerPanel, ReleasesElsewhereOrWithoutAPressDoNothing)
{
    DeviceLog log;
    Pen(kLock, kPowerOff);
    Pen(kReset, POINT{120, 20});
    PostMessageW(window_, WM_LBUTTONUP, 0, MAKELPARAM(kReset.x, kReset.y));
    WaitUntilIdle(window_);
    PumpMessages(500);
    for (const wchar_t* action : {L"launch:", L"reboot", L"power off", L"PromptForPasswd", L"notification icon"})
        EXPECT_FALSE(log.Contains(action)) << ToUtf8(action);
    EXPECT_TRUE(panel_->Running());
    Tap(kClose);
    EXPECT_TRUE(Ends());
}

TEST_F(PowerPanel, ResidentModeKeepsAnIconAndAShortcutUntilTurnedOff)
{
    DeviceLog log;
    Tap(kResident);
    EXPECT_TRUE(log.WaitFor(L"notification icon 13 of MRESTART_CLASS added", 3000));
    ASSERT_TRUE(PumpUntil([] { return FileExists(kStartupShortcut); }, 3000));
    EXPECT_NE(std::string::npos, ReadBytes(kStartupShortcut).find("\"\\Program Files\\ZARQ\\Ketra\\Restart.exe\""))
        << ReadBytes(kStartupShortcut);

    // Closing hides it; a second start or its icon shows it again.
    Tap(kClose);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(window_); }, 3000));
    EXPECT_TRUE(panel_->Running());
    DeviceProgram second(Program());
    EXPECT_TRUE(second.WaitExit(10000));
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(window_) != FALSE; }, 3000));
    EXPECT_EQ(1, CountWindows(kPanelClass));
    Tap(kClose);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(window_); }, 3000));
    PostMessageW(window_, 1004, 13, WM_LBUTTONDOWN);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(window_) != FALSE; }, 3000));

    // Off again: both go, once.
    log.Restart();
    Tap(kResident);
    EXPECT_TRUE(log.WaitFor(L"notification icon 13 of MRESTART_CLASS removed", 3000));
    EXPECT_TRUE(PumpUntil([] { return !FileExists(kStartupShortcut); }, 3000));
    Tap(kClose);
    EXPECT_TRUE(Ends());
    EXPECT_EQ(1, log.Count(L"notification icon 13")) << "the icon was removed twice";
}

// A start with the shortcut in place comes up resident, in the
// notification area only.
TEST_F(PowerPanel, StartsHiddenWhenResident)
{
    Tap(kResident);
    ASSERT_TRUE(PumpUntil([] { return FileExists(kStartupShortcut); }, 3000));
    PostMessageW(window_, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(Ends());

    DeviceLog log;
    Start();
    EXPECT_TRUE(log.WaitFor(L"notification icon 13 of MRESTART_CLASS added", 3000));
    EXPECT_FALSE(IsWindowVisible(window_));
}
