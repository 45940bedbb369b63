// `devctl tap/hold/drag/key`: injected input reaches the window under the
// point, at the exact pixel asked for.
#include <gtest/gtest.h>


#include <windowsx.h>

#include "ketra_testkit.h"

namespace {

using namespace testkit;

// The target covers (60,120)-(180,220) of the screen.
const RECT kTarget = {60, 120, 180, 220};

class StylusInput : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window_.hwnd());
        SetForegroundWindow(window_.hwnd());
        PumpMessages(50);
        window_.ClearMessages();
    }

    // Runs devctl and waits until the window has seen `count` messages of a kind.
    void Run(std::initializer_list<std::wstring> args, UINT until, size_t count = 1)
    {
        DevctlResult r = RunDevctl(args);
        ASSERT_EQ(0u, r.exitCode) << r.err;
        EXPECT_TRUE(PumpUntil([&] { return window_.Messages(until).size() >= count; }, 5000))
            << "message " << until << " did not arrive";
    }

    static POINT ClientPoint(const RecordedMessage& m) { return {GET_X_LPARAM(m.lParam), GET_Y_LPARAM(m.lParam)}; }

    TestWindow window_{L"DevctlInputWindow", kTarget, RGB(0x40, 0x40, 0x40)};
};

} // namespace

TEST_F(StylusInput, TapLandsOnTheExactPixel)
{
    // The middle, and both extreme corners of the window.
    const struct {
        POINT screen;
        POINT client;
    } cases[] = {{{120, 170}, {60, 50}}, {{60, 120}, {0, 0}}, {{179, 219}, {119, 99}}};
    for (const auto& c : cases) {
        window_.ClearMessages();
        Run({L"tap", std::to_wstring(c.screen.x), std::to_wstring(c.screen.y)}, WM_LBUTTONUP);
        auto downs = window_.Messages(WM_LBUTTONDOWN);
        auto ups = window_.Messages(WM_LBUTTONUP);
        ASSERT_EQ(1u, downs.size()) << "tap at " << c.screen.x << "," << c.screen.y;
        ASSERT_EQ(1u, ups.size());
        EXPECT_EQ(c.client, ClientPoint(downs[0]));
        EXPECT_EQ(c.client, ClientPoint(ups[0]));
    }
}

TEST_F(StylusInput, HoldKeepsTheStylusDown)
{
    Run({L"hold", L"100", L"150", L"400"}, WM_LBUTTONUP);
    auto downs = window_.Messages(WM_LBUTTONDOWN);
    auto ups = window_.Messages(WM_LBUTTONUP);
    ASSERT_EQ(1u, downs.size());
    ASSERT_EQ(1u, ups.size());
    EXPECT_EQ((POINT{40, 30}), ClientPoint(downs[0]));
    EXPECT_GE(ups[0].time - downs[0].time, 350);
}

TEST_F(StylusInput, DragMovesInStepsWithTheStylusDown)
{
    Run({L"drag", L"70", L"130", L"170", L"210"}, WM_LBUTTONUP);
    auto downs = window_.Messages(WM_LBUTTONDOWN);
    auto ups = window_.Messages(WM_LBUTTONUP);
    ASSERT_EQ(1u, downs.size());
    ASSERT_EQ(1u, ups.size());
    EXPECT_EQ((POINT{10, 10}), ClientPoint(downs[0]));
    EXPECT_EQ((POINT{110, 90}), ClientPoint(ups[0]));
    size_t pressedMoves = 0;
    for (const RecordedMessage& m : window_.Messages(WM_MOUSEMOVE))
        if (m.wParam & MK_LBUTTON)
            ++pressedMoves;
    EXPECT_GE(pressedMoves, 3u);
}

TEST_F(StylusInput, PointsOffTheScreenAreRefused)
{
    EXPECT_EQ(2u, RunDevctl({L"tap", L"240", L"10"}).exitCode);
    EXPECT_EQ(2u, RunDevctl({L"tap", L"-1", L"10"}).exitCode);
    EXPECT_EQ(2u, RunDevctl({L"drag", L"10", L"10", L"10", L"320"}).exitCode);
    EXPECT_EQ(2u, RunDevctl({L"tap", L"10"}).exitCode);
    PumpMessages(100);
    EXPECT_TRUE(window_.Messages(WM_LBUTTONDOWN).empty());
}

TEST_F(StylusInput, KeysReachTheFocusedWindow)
{
    SetFocus(window_.hwnd());
    ASSERT_EQ(window_.hwnd(), GetFocus());

    Run({L"key", L"0x41"}, WM_KEYUP);
    auto downs = window_.Messages(WM_KEYDOWN);
    auto ups = window_.Messages(WM_KEYUP);
    ASSERT_EQ(1u, downs.size());
    ASSERT_EQ(1u, ups.size());
    EXPECT_EQ((WPARAM)'A', downs[0].wParam);
    EXPECT_EQ((WPARAM)'A', ups[0].wParam);

    // Down and up on their own; an arrow key carries the extended-key bit.
    window_.ClearMessages();
    Run({L"key", L"37", L"down"}, WM_KEYDOWN);
    PumpMessages(100);
    EXPECT_TRUE(window_.Messages(WM_KEYUP).empty());
    Run({L"key", L"37", L"up"}, WM_KEYUP);
    downs = window_.Messages(WM_KEYDOWN);
    ASSERT_EQ(1u, downs.size());
    EXPECT_EQ((WPARAM)VK_LEFT, downs[0].wParam);
    EXPECT_TRUE(downs[0].lParam & (1 << 24)) << "extended-key bit";

    EXPECT_EQ(2u, RunDevctl({L"key", L"65", L"sideways"}).exitCode);
}
