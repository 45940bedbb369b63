// The sliding window: its two skins, the "SLIDE" button, its messages, and
// closing through the device's task bar.
#include <gtest/gtest.h>

#include "skin_window_support.h"

#include <memory>

#include "ketra_testkit.h"

namespace {

using namespace testkit;

const CRect kMaxRect(20, 60, 80, 160), kTabRect(20, 60, 40, 80);

class SlideWndTest : public ::testing::Test {
protected:
    void Load(bool minimised)
    {
        dir_.reset();  // the same folder again: the old one goes first
        dir_ = std::make_unique<ScratchFolder>(L"skin_slide");
        BarSkin skin;
        skin.minimised = minimised;
        ASSERT_TRUE(wnd_.Create(nullptr, nullptr, TRUE));
        ASSERT_TRUE(wnd_.LoadSkin(WriteBarSkin(dir_->Path(), skin).c_str()));
    }
    void SetUp() override { Load(true); }
    CRect Placed() const { return CRect(WindowRect(wnd_)); }

    // A press and release on "SLIDE" held for about ms; the time it really
    // took (100 ns units) is returned, for a loaded machine may sleep longer.
    ULONGLONG TapSlide(POINT at, DWORD ms)
    {
        FILETIME before, after;
        GetSystemTimeAsFileTime(&before);
        Press(wnd_, at.x, at.y);
        Sleep(ms);
        Release(wnd_, at.x, at.y);
        GetSystemTimeAsFileTime(&after);
        auto value = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
        return value(after) - value(before);
    }

    std::unique_ptr<ScratchFolder> dir_;
    TestSlideWnd wnd_;
};

} // namespace

TEST_F(SlideWndTest, TheSecondSkinIsTheMinimisedLookAndTheMessagesSwitch)
{
    wnd_.SetSlide(0);
    EXPECT_TRUE(wnd_.IsMaxWin());
    EXPECT_TRUE(wnd_.HasMinSkin());
    EXPECT_EQ(kMaxRect, wnd_.GetMaxRect());
    EXPECT_EQ(kTabRect, wnd_.GetMinRect());

    EXPECT_EQ(0, wnd_.SendMessageW(WM_SKIN_MINIMIZE));
    EXPECT_FALSE(wnd_.IsMaxWin());
    EXPECT_EQ(kTabRect, Placed());
    EXPECT_EQ(wnd_.GetMinSkinInfo(), wnd_.GetSkinInfo());
    EXPECT_STREQ(L"SLIDE", wnd_.GetBtnList()->GetButton(CPoint(kTabSlideAt))->GetCommand());

    EXPECT_EQ(0, wnd_.SendMessageW(WM_SKIN_TOGGLE));
    EXPECT_TRUE(wnd_.IsMaxWin());
    EXPECT_EQ(kMaxRect, Placed());
    EXPECT_EQ(0, wnd_.SendMessageW(WM_SKIN_MAXIMIZE));
    EXPECT_TRUE(wnd_.IsMaxWin());
    EXPECT_TRUE(wnd_.prepared.empty()) << "no slide without the animation";
}

TEST_F(SlideWndTest, AQuickTapOnSlideTogglesALongOneDoesNotAndADragMoves)
{
    wnd_.SetSlide(0);
    ULONGLONG took = TapSlide(kSlideAt, 150);
    if (took >= CMMSkinWnd::kTapTime)
        GTEST_SKIP() << "the machine slept " << took / 10000 << " ms for 150";
    EXPECT_FALSE(wnd_.IsMaxWin()) << "a tap of 0.15 s toggles";

    TapSlide(kTabSlideAt, 300);
    EXPECT_FALSE(wnd_.IsMaxWin()) << "a press of 0.3 s does not";

    Press(wnd_, kTabSlideAt.x, kTabSlideAt.y);
    Drag(wnd_, kTabSlideAt.x + 10, kTabSlideAt.y + 20);
    Release(wnd_, kTabSlideAt.x + 10, kTabSlideAt.y + 20);
    EXPECT_FALSE(wnd_.IsMaxWin());
    EXPECT_EQ(CRect(30, 80, 50, 100), Placed());
    EXPECT_FALSE(wnd_.IsSliding());
}

TEST_F(SlideWndTest, APositionTheUserMovedTheWindowToStaysAcrossMinimiseAndMaximise)
{
    Press(wnd_, kMoveAt.x, kMoveAt.y);
    Drag(wnd_, kMoveAt.x + 30, kMoveAt.y + 40);
    Release(wnd_, kMoveAt.x + 30, kMoveAt.y + 40);
    ASSERT_EQ(CRect(50, 100, 110, 200), Placed());

    ULONGLONG start = GetTickCount64();
    wnd_.SendMessageW(WM_SKIN_MINIMIZE);
    EXPECT_GE(GetTickCount64() - start, 8u * CMMSkinWnd::kSlideDelayMs) << "eight frames of the outline";
    EXPECT_EQ(kTabRect, Placed());
    wnd_.SendMessageW(WM_SKIN_MAXIMIZE);
    EXPECT_EQ(CRect(50, 100, 110, 200), Placed());
    ASSERT_EQ(2u, wnd_.prepared.size());
    EXPECT_EQ(CRect(50, 100, 110, 200), wnd_.prepared[0]);
    EXPECT_EQ(kTabRect, wnd_.prepared[1]);

    EXPECT_EQ(1, wnd_.SetSlide(0));
    EXPECT_EQ(0, wnd_.SetSlide(0));
    EXPECT_EQ(1, wnd_.TransitTrack(kMaxRect, kTabRect, 0, 20)) << "no steps: nothing drawn";
    EXPECT_EQ(1, wnd_.TransitTrack(kMaxRect, kTabRect, -5, 20));
}

TEST_F(SlideWndTest, WithoutASecondSkinMinimisingLeavesTheBarUsable)
{
    wnd_.DestroyWindow();
    Load(false);
    EXPECT_FALSE(wnd_.HasMinSkin());
    wnd_.SendMessageW(WM_SKIN_MINIMIZE);
    EXPECT_TRUE(wnd_.IsMaxWin());
    EXPECT_EQ(kMaxRect, Placed());
    EXPECT_TRUE(IsWindowVisible(wnd_));
}

// Real stylus input through the device: a tap toggles, a drag moves.
TEST_F(SlideWndTest, StylusTapsAndDragsOnSlide)
{
    wnd_.SetSlide(0);
    const int x = kMaxRect.left + kSlideAt.x, y = kMaxRect.top + kSlideAt.y;
    ASSERT_TRUE(Tap(x, y));
    PumpUntil([&] { return !wnd_.IsMaxWin(); }, 2000);
    EXPECT_FALSE(wnd_.IsMaxWin());

    const int tx = kTabRect.left + kTabSlideAt.x, ty = kTabRect.top + kTabSlideAt.y;
    ASSERT_TRUE(Drag(tx, ty, tx + 40, ty + 50));
    PumpUntil([&] { return Placed().left != kTabRect.left; }, 2000);
    EXPECT_EQ(CRect(60, 110, 80, 130), Placed());
    EXPECT_FALSE(wnd_.IsMaxWin());

    // With another program in front the window, which never takes the
    // foreground, still follows the stylus out of itself and is put down
    // where it is lifted.
    ASSERT_TRUE(Tap(200, 280));
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == TodayScreen(); }, 2000));
    ASSERT_TRUE(Drag(60 + kTabSlideAt.x, 110 + kTabSlideAt.y, 90 + kTabSlideAt.x, 150 + kTabSlideAt.y));
    PumpUntil([&] { return Placed().left != 60; }, 2000);
    EXPECT_EQ(CRect(90, 150, 110, 170), Placed());
    EXPECT_EQ(TodayScreen(), GetForegroundWindow());
}

TEST_F(SlideWndTest, WithAutoCloseATapRightOfColumn215OnTheTaskBarClosesTheBar)
{
    wnd_.SetSlide(0);
    ASSERT_EQ(1, wnd_.SetAutoClose(1));
    ASSERT_TRUE(wnd_.IsHooked()) << "the device's task bar took the hook";
    wnd_.SetHook(1);
    EXPECT_TRUE(wnd_.IsHooked());

    ASSERT_TRUE(Tap(215, 10));
    PumpMessages(300);
    EXPECT_EQ(0, wnd_.cornerTaps);
    EXPECT_TRUE(wnd_.IsMaxWin());

    ASSERT_TRUE(Tap(216, 10));
    PumpUntil([&] { return !wnd_.IsMaxWin(); }, 3000);
    EXPECT_EQ(1, wnd_.cornerTaps);
    EXPECT_FALSE(wnd_.IsMaxWin());
    EXPECT_TRUE(IsWindowVisible(wnd_)) << "hidden only while the task bar handled the tap";
    EXPECT_EQ(kTabRect, Placed());
    EXPECT_FALSE(wnd_.IsHooked()) << "minimising unhooks";

    // Maximising hooks again; the task bar's message 1024 with wParam 4
    // closes the bar too.
    wnd_.SendMessageW(WM_SKIN_MAXIMIZE);
    ASSERT_TRUE(wnd_.IsHooked());
    // From this thread, which answers the hook's message while it waits.
    EXPECT_TRUE(SendMessageTimeoutW(FindWindowW(L"HHTaskBar", nullptr), 1024, 4, 0, SMTO_NORMAL, 5000, nullptr));
    PumpUntil([&] { return !wnd_.IsMaxWin(); }, 3000);
    EXPECT_EQ(2, wnd_.cornerTaps);

    wnd_.SendMessageW(WM_SKIN_MAXIMIZE);
    wnd_.SetAutoClose(0);
    EXPECT_FALSE(wnd_.IsHooked());
}
