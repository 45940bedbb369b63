// The settings-shortcut applet under a stand-in bar: its pages and the
// Today screen from its cells, the name line following the pen, its
// attention query; and on the real bar, reached from the bar's menu.
#include <string>

#include "ketra_testkit.h"

using namespace testkit;

namespace {

// The middle of cell i's box.
POINT Cell(int index)
{
    return POINT{22 * (index % 10) + 16, 1 + 21 * (index / 10) + 12};
}

const RECT kNameLine = {0, 47, 150, 67};

class SettingsApplet : public testing::Test {
protected:
    void SetUp() override
    {
        host_ = std::make_unique<AppletHost>(std::wstring(kInstallFolder) + L"Setlane.dll", 230, 67);
        ASSERT_NE(nullptr, host_->Create());
        host_->Show();
        EXPECT_EQ(L"UTILRA1", ClassOf(host_->Window()));
    }
    void TearDown() override
    {
        host_.reset();
        EndProcesses(L"ctlpnl.exe");
    }
    // The name line's pixels that are not the host's background.
    std::vector<COLORREF> NameLine() const
    {
        std::vector<COLORREF> pixels;
        for (int y = kNameLine.top; y < kNameLine.bottom; ++y)
            for (int x = kNameLine.left; x < kNameLine.right; ++x)
                pixels.push_back(ScreenPixel(host_->Window(), x, y));
        return pixels;
    }

    DeviceState state_;
    std::unique_ptr<AppletHost> host_;
};

}  // namespace

TEST_F(SettingsApplet, CellsOpenTheirPages)
{
    struct Case {
        int cell;
        const wchar_t* page;
    } cases[] = {
        {13, L"cplmain.cpl 3,0"},  // Battery Settings
        {11, L"cplmain.cpl 6,2"},  // Backlight
        {1, L"cplmain.cpl 1,0"},   // Password
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell);
        DeviceLog log;
        host_->Tap(Cell(c.cell).x, Cell(c.cell).y);
        EXPECT_TRUE(log.WaitFor(std::wstring(L"launch: ctlpnl.exe ") + c.page, 5000));
        EXPECT_EQ(1u, log.Lines(L"launch: ").size());
        // Running, so that it can be ended: a control panel this process
        // started must not outlive it.
        EXPECT_TRUE(log.WaitFor(std::wstring(L"ctlpnl: ") + c.page, 10000));
    }
}

TEST_F(SettingsApplet, TheNameLineFollowsThePenBeforeItLifts)
{
    PumpMessages(300);
    const std::vector<COLORREF> empty = NameLine();
    host_->Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(Cell(2).x, Cell(2).y));
    host_->Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(Cell(3).x, Cell(3).y));
    PumpMessages(200);
    const std::vector<COLORREF> owner = NameLine();
    EXPECT_NE(empty, owner) << "no name shown while the pen moves";
    host_->Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(Cell(15).x, Cell(15).y));
    PumpMessages(200);
    EXPECT_NE(owner, NameLine()) << "the name line kept the first cell";
    DeviceLog log;
    host_->Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 60));
    PumpMessages(300);
    EXPECT_TRUE(log.Lines(L"launch: ").empty()) << "moving the pen opened a page";
}

TEST_F(SettingsApplet, AsksForAttentionBelowThirtyPercent)
{
    state_.Set(L"BatteryFlag", 1);
    state_.Set(L"BatteryLifePercent", 29);
    EXPECT_EQ(1, host_->CheckNotify());
    state_.Set(L"BatteryLifePercent", 30);
    EXPECT_EQ(0, host_->CheckNotify());
    state_.Set(L"BatteryLifePercent", 5);
    state_.Set(L"BatteryFlag", 0);
    EXPECT_EQ(0, host_->CheckNotify());
    state_.Set(L"BatteryFlag", 1);
    state_.Set(L"BatteryLifePercent", 80);
}

// Installed in the system group under the name the pack's trays send.
TEST(SettingsAppletOnBar, OpensFromTheBarsMenu)
{
    ASSERT_NE(0u, AppletMenuCommand(L"Settings"));
    AppletOnBar applet(L"Settings");
    ASSERT_TRUE(applet.Shown());
    EXPECT_EQ(L"UTILRA1", ClassOf(applet.Window()));
    DeviceLog log;
    ASSERT_TRUE(applet.Tap(Cell(13).x, Cell(13).y));
    EXPECT_TRUE(log.WaitFor(L"ctlpnl: cplmain.cpl 3,0", 10000));
    EndProcesses(L"ctlpnl.exe");

    // "Today" brings the Today screen over the program in front.
    ASSERT_TRUE(Execute(L"\\Windows\\Start Menu\\Calendar.lnk"));
    HWND calendar = WaitForWindow(L"Calendar", 10000);
    ASSERT_NE(nullptr, calendar);
    ASSERT_TRUE(BringToFront(calendar));
    log.Restart();
    ASSERT_TRUE(applet.Tap(Cell(0).x, Cell(0).y));
    EXPECT_TRUE(PumpUntil([] { return GetForegroundWindow() == TodayScreen(); }, 5000));
    EXPECT_TRUE(log.Lines(L"launch: ").empty()) << "Today opened a page";
    EndProcesses(L"calendar.exe");
    applet.Close();
}
