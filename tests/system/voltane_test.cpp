// The system watch: its levels from a device state the test sets, the
// taps of its icons and columns, the volume slider, and on the real bar
// the power menu's warnings and the screen switched off and on.
#include <string>

#include <corvane.h>

#include "ketra_testkit.h"
#include "system_fixtures.h"

using namespace testkit;
using systemtest::SetCardSpace;
using systemtest::StorageCards;

namespace {

// The level meters: battery, memory and card columns start at x = 3, 66
// and 127; each column's two meters run from 18 right of its left edge to
// its right edge, 8 high at y = 3 and 9 lower.
RECT Level(int columnLeft, int which)
{
    const int top = 3 + 9 * which;
    return RECT{columnLeft + 18, top, columnLeft + 54, top + 8};
}

const int kBattery = 3;
const int kMemory = 66;
const int kCards = 127;

class SystemWatchInProcess : public testing::Test {
protected:
    void SetUp() override
    {
        host_ = std::make_unique<AppletHost>(TestFolder() + L"Voltane.dll");
        ASSERT_NE(nullptr, host_->Create());
        host_->Show();
    }
    void TearDown() override
    {
        host_.reset();
        EndProcesses(L"ctlpnl.exe");
    }
    int Count(const RECT& area, COLORREF colour) const { return host_->Paint()->Count(area, colour); }
    // Redrawn with the state as it is now.
    void Redraw() const { host_->Send(WM_KETRA_APPLETSHOWN); }

    DeviceState state_;
    std::unique_ptr<AppletHost> host_;
};

}  // namespace

TEST_F(SystemWatchInProcess, MetersShowBatteryMemoryAndStoreLevels)
{
    state_.Set(L"ACLineStatus", 0);
    state_.Set(L"BatteryFlag", 1);
    state_.Set(L"BatteryLifePercent", 44);
    state_.Set(L"BackupBatteryLifePercent", 80);
    state_.Set(L"MemoryTotal", 100 * 1024 * 1024);
    state_.Set(L"MemoryAvailable", 20 * 1024 * 1024);
    // A store of no size at all shows an empty meter.
    state_.Set(L"StoreSize", 0);
    state_.Set(L"StoreFree", 0);
    Redraw();
    EXPECT_GT(Count(Level(kBattery, 0), MeterColour::kAmber), 20);
    EXPECT_GT(Count(Level(kBattery, 1), MeterColour::kGreen), 20);
    EXPECT_GT(Count(Level(kMemory, 0), MeterColour::kRed), 5);
    for (COLORREF colour : {MeterColour::kRed, MeterColour::kAmber, MeterColour::kGreen})
        EXPECT_EQ(0, Count(Level(kMemory, 1), colour));
}

// With two cards both show; with a third the first is taken for the
// device's own and the second and third show.
TEST_F(SystemWatchInProcess, CardMetersFollowTheTwoAndThreeCardRules)
{
    StorageCards cards({L"Card A", L"Card B", L"Card C"});
    SetCardSpace(L"Card A", 80, 100);
    SetCardSpace(L"Card B", 50, 100);
    SetCardSpace(L"Card C", 10, 100);
    state_.Set(L"StorageCards", L"Card A;Card B");
    Redraw();
    EXPECT_GT(Count(Level(kCards, 0), MeterColour::kGreen), 20);
    EXPECT_GT(Count(Level(kCards, 1), MeterColour::kAmber), 10);

    state_.Set(L"StorageCards", L"Card A;Card B;Card C");
    Redraw();
    EXPECT_GT(Count(Level(kCards, 0), MeterColour::kAmber), 10);
    EXPECT_GT(Count(Level(kCards, 1), MeterColour::kRed), 0);
    EXPECT_EQ(0, Count(Level(kCards, 0), MeterColour::kGreen));

    state_.Set(L"StorageCards", L"");
    Redraw();
    for (int which : {0, 1})
        for (COLORREF colour : {MeterColour::kRed, MeterColour::kAmber, MeterColour::kGreen})
            EXPECT_EQ(0, Count(Level(kCards, which), colour));
}

// Icons open their control-panel pages, the battery column the summary;
// the stylus acts as it goes down.
TEST_F(SystemWatchInProcess, TapsOpenTheirPages)
{
    struct Case {
        POINT at;
        const wchar_t* launched;
    } cases[] = {
        {{10, 10}, L"launch: ctlpnl.exe cplmain.cpl 3,0"},
        {{30, 10}, L"Summary.exe System Watch"},
        {{70, 10}, L"launch: ctlpnl.exe cplmain.cpl 4,0"},
        {{130, 10}, L"launch: ctlpnl.exe cplmain.cpl 4,1"},
        {{192, 10}, L"launch: ctlpnl.exe cplmain.cpl 9,0"},
        {{224, 10}, L"launch: ctlpnl.exe cplmain.cpl 6,2"},
    };
    for (const Case& c : cases) {
        DeviceLog log;
        host_->Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(c.at.x, c.at.y));
        // One start each (a failed start is logged as well).
        EXPECT_EQ(1u, log.Lines(L"launch: ").size() - log.Lines(L"launch: failed").size()) << ToUtf8(c.launched);
        EXPECT_TRUE(log.Contains(c.launched)) << ToUtf8(c.launched);
        host_->Send(WM_LBUTTONUP, 0, MAKELPARAM(c.at.x, c.at.y));
    }
    // The summary stays open until closed: it must not outlive the test,
    // nor stand in front of the next one.
    EndProcesses(L"Summary.exe");
}

TEST_F(SystemWatchInProcess, DraggingTheVolumeMeterSetsTheVolume)
{
    state_.Set(L"Volume", 0x80008000);
    host_->Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(204, 31));
    EXPECT_EQ(0, CSI::GetVolume());
    host_->Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(204, 2));
    EXPECT_EQ(10, CSI::GetVolume());
    host_->Send(WM_LBUTTONUP, 0, MAKELPARAM(204, 2));
    // Moving after the stylus is up sets nothing.
    host_->Send(WM_MOUSEMOVE, 0, MAKELPARAM(204, 31));
    EXPECT_EQ(10, CSI::GetVolume());
}

// The hard reset happens only after Yes to both warnings.
TEST(SystemWatchOnTheBar, HardResetNeedsBothConfirmations)
{
    AppletOnBar watch(L"System Bar");
    ASSERT_TRUE(watch.Shown());
    const wchar_t first[] =
        L"WARNING: Hard Reset (Cold Boot) erases all data and programs. Are you sure to clean your main memory?";
    const wchar_t second[] = L"FINAL WARNING: Are you sure to continue Cold Boot?";
    struct Case {
        int firstAnswer;
        int secondAnswer;  // 0: no second box
        bool reboots;
    } cases[] = {{IDNO, 0, false}, {IDYES, IDNO, false}, {IDYES, IDYES, true}};
    for (const Case& c : cases) {
        DeviceLog log;
        PostMessageW(watch.Window(), WM_COMMAND, 1004, 0);
        ASSERT_EQ(first, MessageBoxes::WaitFor(L"Hard Reset Warning"));
        ASSERT_TRUE(MessageBoxes::Answer(c.firstAnswer, L"Hard Reset Warning"));
        if (c.secondAnswer) {
            // The second box, once the first has gone.
            ASSERT_TRUE(PumpUntil(
                [&] {
                    const auto boxes = MessageBoxes::Open();
                    return boxes.size() == 1 && boxes[0].text == second;
                },
                5000));
            ASSERT_TRUE(MessageBoxes::Answer(c.secondAnswer, L"Hard Reset Warning"));
        }
        ASSERT_TRUE(MessageBoxes::WaitNone());
        PumpMessages(300);
        EXPECT_EQ(c.reboots, log.HasLine(L"coredll: reboot (clean)"));
        EXPECT_EQ(c.reboots, log.HasLine(L"coredll: clean reboot flag set"));
        EXPECT_FALSE(log.HasLine(L"coredll: reboot"));
    }
}

// After "Screen Off" the first tap only wakes the display; the second acts.
TEST(SystemWatchOnTheBar, TheTapAfterScreenOffOnlyWakesTheDisplay)
{
    DeviceState state;
    struct EndPanel {
        ~EndPanel() { EndProcesses(L"ctlpnl.exe"); }
    } endPanel;
    AppletOnBar watch(L"System Bar");
    ASSERT_TRUE(watch.Shown());
    DeviceLog log;
    PostMessageW(watch.Window(), WM_COMMAND, 1002, 0);
    EXPECT_TRUE(log.WaitFor(L"coredll: display off", 5000));
    ASSERT_TRUE(watch.Tap(10, 10));
    EXPECT_TRUE(log.WaitFor(L"coredll: display on", 5000));
    PumpMessages(500);
    EXPECT_TRUE(log.Lines(L"launch: ").empty());
    ASSERT_TRUE(watch.Tap(10, 10));
    EXPECT_TRUE(log.WaitFor(L"launch: ctlpnl.exe cplmain.cpl 3,0", 5000));
}

// The strip's right-hand buttons switch the bar to the other applets.
TEST(SystemWatchOnTheBar, StripButtonsSwitchApplets)
{
    AppletOnBar watch(L"System Bar");
    ASSERT_TRUE(watch.Shown());
    ASSERT_TRUE(watch.Tap(153 + 20 + 10, 45));
    EXPECT_TRUE(PumpUntil([] { return CurrentApplet() == L"TaskBar"; }, 5000));
}
