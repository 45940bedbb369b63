// The device shell's task bar: the right-hand corner ("ok" or smart
// minimise) and the hook chain by which programs see its taps first.
#include <gtest/gtest.h>

#include "shellproto.h"

#include <memory>

#include "ketra_testkit.h"

namespace {

using namespace testkit;

constexpr LONG_PTR kCaptionOkButton = 0x80000000;
const RECT kAppRect = {0, 26, 240, 320};

bool GotIdOk(const TestWindow& w)
{
    for (const RecordedMessage& m : w.Messages(WM_COMMAND))
        if (LOWORD(m.wParam) == IDOK)
            return true;
    return false;
}

// Position of wnd in the z-order of the top-level windows (0 = top).
int ZIndex(HWND wnd)
{
    int i = 0;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT), ++i)
        if (w == wnd)
            return i;
    return -1;
}

} // namespace

TEST(TaskBarCorner, SendsOkToAWindowWithTheOkButton)
{
    TestWindow dialog(L"ShellOkWindow", kAppRect, RGB(0xFF, 0xFF, 0xFF), L"Ok Window");
    SetWindowLongPtrW(dialog.hwnd(), GWL_EXSTYLE, GetWindowLongPtrW(dialog.hwnd(), GWL_EXSTYLE) | kCaptionOkButton);
    ASSERT_TRUE(BringToFront(dialog.hwnd()));
    dialog.ClearMessages();

    ASSERT_TRUE(Tap(230, 10));
    EXPECT_TRUE(PumpUntil([&] { return GotIdOk(dialog); }, 5000));
    // "ok" closes nothing by itself: the window decides.
    EXPECT_TRUE(IsWindowVisible(dialog.hwnd()));
}

TEST(TaskBarCorner, MinimisesAPlainWindowToTheTodayScreen)
{
    TestWindow app(L"ShellPlainWindow", kAppRect, RGB(0xFF, 0xFF, 0xFF), L"Plain Window");
    ASSERT_TRUE(BringToFront(app.hwnd()));
    app.ClearMessages();

    ASSERT_TRUE(Tap(230, 10));
    HWND today = TodayScreen();
    ASSERT_TRUE(today);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == today; }, 5000));
    EXPECT_TRUE(GetWindowLongPtrW(app.hwnd(), GWL_STYLE) & WS_VISIBLE);
    EXPECT_GT(ZIndex(app.hwnd()), ZIndex(today)) << "the window did not go below the Today screen";
    EXPECT_FALSE(GotIdOk(app));
}

TEST(TaskBarCorner, MinimisingBringsTheNextApplicationUp)
{
    TestWindow first(L"ShellFirstApp", kAppRect, RGB(0xC0, 0xC0, 0xC0), L"First App");
    TestWindow second(L"ShellSecondApp", kAppRect, RGB(0xFF, 0xFF, 0xFF), L"Second App");
    ASSERT_TRUE(BringToFront(second.hwnd()));

    ASSERT_TRUE(Tap(230, 10));
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == first.hwnd(); }, 5000));
}

namespace {

// A window that subscribes to the task bar's hooks and records what it hears
// (in one sequence shared by all subscribers, to see who was asked first).
struct Heard {
    HWND who;
    bool before;  // the notify message; false: the "done" message
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Heard> g_heard;

class HookSubscriber {
public:
    explicit HookSubscriber(LPARAM flags = SHELL_HOOK_BEFORE)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ShellHookSubscriber";
        RegisterClassW(&wc);
        hwnd_ = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                wc.hInstance, nullptr);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        subscribed_ = Subscribe(hwnd_, flags);
    }
    ~HookSubscriber()
    {
        if (IsWindow(hwnd_)) {
            Subscribe(hwnd_, SHELL_HOOK_OFF);
            DestroyWindow(hwnd_);
        }
    }
    HookSubscriber(const HookSubscriber&) = delete;
    HookSubscriber& operator=(const HookSubscriber&) = delete;

    static LRESULT Subscribe(HWND wnd, LPARAM flags)
    {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(TaskBar(), RegisterWindowMessageW(SHELL_HOOK_MESSAGE_NAME), (WPARAM)wnd, flags,
                            SMTO_ABORTIFHUNG, 3000, &answer);
        return (LRESULT)answer;
    }

    HWND hwnd() const { return hwnd_; }
    bool subscribed() const { return subscribed_ != 0; }
    void Answer(LRESULT answer) { answer_ = answer; }
    size_t HeardCount() const
    {
        size_t n = 0;
        for (const Heard& h : g_heard)
            n += h.who == hwnd_;
        return n;
    }

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        static const UINT notify = RegisterWindowMessageW(SHELL_HOOK_NOTIFY_NAME);
        static const UINT done = RegisterWindowMessageW(SHELL_HOOK_DONE_NAME);
        auto* self = reinterpret_cast<HookSubscriber*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
        if (self && (msg == notify || msg == done)) {
            g_heard.push_back({wnd, msg == notify, SHELL_HOOK_MSG(wp), SHELL_HOOK_WPARAM(wp), lp});
            return msg == notify ? self->answer_ : 0;
        }
        return DefWindowProcW(wnd, msg, wp, lp);
    }

    HWND hwnd_ = nullptr;
    LRESULT subscribed_ = 0;
    LRESULT answer_ = 0;
};

void PostToTaskBar(UINT msg, WPARAM wp, LPARAM lp)
{
    ASSERT_TRUE(PostMessageW(TaskBar(), msg, wp, lp));
}

class TaskBarHooks : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TaskBar());
        g_heard.clear();
    }
};

} // namespace

TEST_F(TaskBarHooks, LastSubscriberIsAskedFirstAndAHandledTapStopsTheChain)
{
    HookSubscriber first, second;
    ASSERT_TRUE(first.subscribed());
    ASSERT_TRUE(second.subscribed());

    // A release in the middle of the bar reaches both, the later one first,
    // with the message, its wParam and its point.
    PostToTaskBar(WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(100, 12));
    ASSERT_TRUE(PumpUntil([&] { return g_heard.size() >= 2; }, 5000));
    EXPECT_EQ(second.hwnd(), g_heard[0].who);
    EXPECT_EQ(first.hwnd(), g_heard[1].who);
    for (const Heard& h : g_heard) {
        EXPECT_TRUE(h.before);
        EXPECT_EQ((UINT)WM_LBUTTONUP, h.msg);
        EXPECT_EQ((WPARAM)MK_SHIFT, h.wParam);
        EXPECT_EQ(MAKELPARAM(100, 12), h.lParam);
    }

    // Handled by the later one: the earlier one is not asked.
    g_heard.clear();
    second.Answer(1);
    PostToTaskBar(WM_LBUTTONUP, 0, MAKELPARAM(100, 12));
    ASSERT_TRUE(PumpUntil([&] { return second.HeardCount() == 1; }, 5000));
    PumpMessages(500);
    EXPECT_EQ(0u, first.HeardCount());
}

TEST_F(TaskBarHooks, AHandledCornerTapSkipsTheTaskBarsOwnHandling)
{
    TestWindow dialog(L"ShellHookOkWindow", kAppRect, RGB(0xFF, 0xFF, 0xFF), L"Hook Ok Window");
    SetWindowLongPtrW(dialog.hwnd(), GWL_EXSTYLE, GetWindowLongPtrW(dialog.hwnd(), GWL_EXSTYLE) | kCaptionOkButton);
    ASSERT_TRUE(BringToFront(dialog.hwnd()));
    HookSubscriber after(SHELL_HOOK_AFTER);
    HookSubscriber hook;
    hook.Answer(1);
    dialog.ClearMessages();

    ASSERT_TRUE(Tap(230, 10));
    ASSERT_TRUE(PumpUntil([&] { return hook.HeardCount() >= 1; }, 5000));
    PumpMessages(700);
    EXPECT_FALSE(GotIdOk(dialog)) << "the task bar acted on a tap its hook handled";
    EXPECT_EQ(0u, after.HeardCount()) << "a handled tap was reported as done";

    // Not handled: the task bar acts, then tells the "after" subscriber.
    g_heard.clear();
    hook.Answer(0);
    ASSERT_TRUE(Tap(230, 10));
    EXPECT_TRUE(PumpUntil([&] { return GotIdOk(dialog); }, 5000));
    ASSERT_TRUE(PumpUntil([&] { return after.HeardCount() >= 1; }, 5000));
    bool releaseDone = false;
    for (const Heard& h : g_heard)
        releaseDone = releaseDone || (h.who == after.hwnd() && !h.before && h.msg == WM_LBUTTONUP);
    EXPECT_TRUE(releaseDone);
}

TEST_F(TaskBarHooks, HearsMessage1024WithWParam4AndPressesOnlyWhenAsked)
{
    HookSubscriber releases;
    HookSubscriber presses(SHELL_HOOK_BEFORE | SHELL_HOOK_PRESSES);

    PostToTaskBar(WM_USER, 5, 0);  // not one the hooks hear
    PostToTaskBar(WM_USER, 4, 77);
    ASSERT_TRUE(PumpUntil([&] { return g_heard.size() >= 2; }, 5000));
    for (const Heard& h : g_heard) {
        EXPECT_EQ((UINT)WM_USER, h.msg);
        EXPECT_EQ(4u, h.wParam);
        EXPECT_EQ(77, h.lParam);
    }

    g_heard.clear();
    PostToTaskBar(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 5));
    PostToTaskBar(WM_LBUTTONUP, 0, MAKELPARAM(50, 5));
    ASSERT_TRUE(PumpUntil([&] { return g_heard.size() >= 3; }, 5000));
    PumpMessages(300);
    EXPECT_EQ(2u, presses.HeardCount());
    EXPECT_EQ(1u, releases.HeardCount());
}

TEST_F(TaskBarHooks, DestroyedSubscribersDropOut)
{
    HookSubscriber first;
    auto doomed = std::make_unique<HookSubscriber>();
    HWND doomedWindow = doomed->hwnd();
    HookSubscriber last;
    // Gone without unsubscribing, as a crashed program would go.
    DestroyWindow(doomedWindow);

    DeviceLog log;
    ULONGLONG start = GetTickCount64();
    PostToTaskBar(WM_LBUTTONUP, 0, MAKELPARAM(100, 12));
    ASSERT_TRUE(PumpUntil([&] { return g_heard.size() >= 2; }, 5000));
    EXPECT_LT(GetTickCount64() - start, 2000u) << "the task bar waited on a dead subscriber";
    EXPECT_EQ(last.hwnd(), g_heard[0].who);
    EXPECT_EQ(first.hwnd(), g_heard[1].who);
    EXPECT_TRUE(log.WaitFor(L"dropped (window gone)", 3000));
}

TEST_F(TaskBarHooks, SubscriptionAnswers)
{
    HookSubscriber hook;
    ASSERT_TRUE(hook.subscribed());
    EXPECT_EQ(1, HookSubscriber::Subscribe(hook.hwnd(), SHELL_HOOK_OFF));
    EXPECT_EQ(0, HookSubscriber::Subscribe(hook.hwnd(), SHELL_HOOK_OFF)) << "unsubscribed twice";
    EXPECT_EQ(0, HookSubscriber::Subscribe(hook.hwnd(), 0x100)) << "unknown flags taken";
    EXPECT_EQ(0, HookSubscriber::Subscribe(reinterpret_cast<HWND>(0x7FFF0), SHELL_HOOK_BEFORE))
        << "a handle that is no window taken";

    // Unsubscribed: it hears nothing more.
    PostToTaskBar(WM_LBUTTONUP, 0, MAKELPARAM(100, 12));
    PumpMessages(700);
    EXPECT_EQ(0u, hook.HeardCount());
}

// Another program making a window the foreground window (as CSH::Home does
// for the Today screen) brings it to the top of the window order, and the
// topmost windows stay drawn over it.
TEST(ForegroundWindow, ComesToTheTopWhenAnotherProgramMakesIt)
{
    // An ordinary application window (the kit's windows are topmost) and a
    // topmost one over it.
    TestWindow app(L"ShellForegroundApp", kAppRect, RGB(0xFF, 0xFF, 0xFF), L"Foreground App");
    SetWindowPos(app.hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TestWindow topmost(L"ShellForegroundTopmost", {0, 200, 60, 240}, RGB(0xFF, 0x00, 0xFF));
    ASSERT_TRUE(BringToFront(app.hwnd()));
    HWND today = TodayScreen();
    ASSERT_TRUE(today);

    ASSERT_TRUE(SetForegroundWindow(today));
    EXPECT_TRUE(PumpUntil([&] { return ZIndex(today) >= 0 && ZIndex(today) < ZIndex(app.hwnd()); }, 3000))
        << "the foreground window stayed below the window it replaced";
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(30, 220) == RGB(0xFF, 0x00, 0xFF); }, 3000))
        << "a topmost window vanished under the new foreground window";
}
