// The device shell's task bar: the right-hand corner ("ok" or smart
// minimise) and the hook chain by which programs see its taps first.
#include <gtest/gtest.h>

#include "shellproto.h"

#include <aygshell.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

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
    EXPECT_TRUE(IsAbove(today, app.hwnd())) << "the window did not go below the Today screen";
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
    // Presses answered apart from the rest (as the rest when not set).
    void AnswerPresses(LRESULT answer) { pressAnswer_ = answer; }
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
            if (msg != notify)
                return 0;
            return SHELL_HOOK_MSG(wp) == WM_LBUTTONDOWN && self->pressAnswer_ >= 0 ? self->pressAnswer_
                                                                                  : self->answer_;
        }
        return DefWindowProcW(wnd, msg, wp, lp);
    }

    HWND hwnd_ = nullptr;
    LRESULT subscribed_ = 0;
    LRESULT answer_ = 0;
    LRESULT pressAnswer_ = -1;
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
    EXPECT_TRUE(PumpUntil([&] { return IsAbove(today, app.hwnd()); }, 3000))
        << "the foreground window stayed below the window it replaced";
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(30, 220) == RGB(0xFF, 0x00, 0xFF); }, 3000))
        << "a topmost window vanished under the new foreground window";
}

// A tap on the Today screen makes it the foreground window without changing
// which windows are shown: the side bar over it must stay drawn, and
// reachable by the stylus.
TEST(ForegroundWindow, ATapOnTheTodayScreenLeavesTopmostWindowsOverIt)
{
    HWND today = TodayScreen();
    ASSERT_TRUE(today);
    ASSERT_TRUE(BringToFront(today));
    // A non-activating tool window, as the side bar is.
    TestWindow topmost(L"ShellTodayTopmost", {0, 200, 60, 240}, RGB(0xFF, 0x00, 0xFF));
    SetWindowLongPtrW(topmost.hwnd(), GWL_EXSTYLE, WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW);
    ASSERT_TRUE(SetForegroundWindow(topmost.hwnd()));
    ASSERT_TRUE(PumpUntil([&] { return ScreenPixel(30, 220) == RGB(0xFF, 0x00, 0xFF); }, 3000));

    ASSERT_TRUE(Tap(150, 150));
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == today; }, 3000));
    PumpMessages(1000);
    EXPECT_EQ(RGB(0xFF, 0x00, 0xFF), ScreenPixel(30, 220)) << "the topmost window vanished under the Today screen";
}

TEST_F(TaskBarHooks, AReleaseWhosePressAHookTookLeavesTheCornerAlone)
{
    TestWindow app(L"ShellHookedPressApp", kAppRect, RGB(0xFF, 0xFF, 0xFF), L"Hooked Press App");
    ASSERT_TRUE(BringToFront(app.hwnd()));
    HookSubscriber after(SHELL_HOOK_AFTER);
    HookSubscriber hook(SHELL_HOOK_BEFORE | SHELL_HOOK_PRESSES);
    hook.AnswerPresses(1);

    // The hook took the press; the release still reaches the hooks and the
    // "after" subscribers, but the task bar does not minimise on it.
    ASSERT_TRUE(Tap(230, 10));
    ASSERT_TRUE(PumpUntil([&] { return after.HeardCount() >= 1; }, 5000));
    PumpMessages(500);
    EXPECT_EQ(app.hwnd(), GetForegroundWindow()) << "the task bar acted on a release whose press a hook took";
    EXPECT_EQ(2u, hook.HeardCount()) << "the hook did not hear both the press and the release";

    // A press nobody took: its release minimises as before.
    hook.AnswerPresses(0);
    ASSERT_TRUE(Tap(230, 10));
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() != app.hwnd(); }, 5000));
}

namespace {

// A hook in a thread of its own, as in another program: on each press it
// runs the shell's gesture recogniser for the task bar, as a tool that
// opens its menu on a held corner does, and records the answer.
class GestureHook {
public:
    GestureHook() : thread_([this] { Run(); })
    {
        PumpUntil([this] { return ready_.load(); }, 5000);
    }
    ~GestureHook()
    {
        PostMessageW(window_, WM_CLOSE, 0, 0);
        thread_.join();
    }
    GestureHook(const GestureHook&) = delete;
    GestureHook& operator=(const GestureHook&) = delete;

    bool Subscribed() const { return subscribed_; }
    // The recogniser's answers so far, and how long each took (ms).
    std::vector<std::pair<DWORD, ULONGLONG>> Answers()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return answers_;
    }

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        static const UINT notify = RegisterWindowMessageW(SHELL_HOOK_NOTIFY_NAME);
        auto* self = reinterpret_cast<GestureHook*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
        if (self && msg == notify && SHELL_HOOK_MSG(wp) == WM_LBUTTONDOWN) {
            SHRGINFO info = {sizeof(info), TaskBar(), {(short)LOWORD(lp), (short)HIWORD(lp)}, SHRG_RETURNCMD};
            ULONGLONG start = GetTickCount64();
            DWORD answer = SHRecognizeGesture(&info);
            std::lock_guard<std::mutex> lock(self->mutex_);
            self->answers_.push_back({answer, GetTickCount64() - start});
            return 0;
        }
        if (msg == WM_CLOSE) {
            HookSubscriber::Subscribe(wnd, SHELL_HOOK_OFF);
            DestroyWindow(wnd);
            PostQuitMessage(0);
            return 0;
        }
        return DefWindowProcW(wnd, msg, wp, lp);
    }

    void Run()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ShellGestureHook";
        RegisterClassW(&wc);
        window_ = CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  wc.hInstance, nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        subscribed_ = HookSubscriber::Subscribe(window_, SHELL_HOOK_BEFORE | SHELL_HOOK_PRESSES) != 0;
        ready_ = true;
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0)
            DispatchMessageW(&msg);
    }

    std::atomic<bool> ready_{false};
    bool subscribed_ = false;
    HWND window_ = nullptr;
    std::mutex mutex_;
    std::vector<std::pair<DWORD, ULONGLONG>> answers_;
    std::thread thread_;
};

} // namespace

// The press is the task bar's, so the hook's own queue never sees the pen
// lift: the recogniser must follow the pen itself.
TEST_F(TaskBarHooks, GestureOfAnotherProgramsPressFollowsThePen)
{
    GestureHook hook;
    ASSERT_TRUE(hook.Subscribed());

    ASSERT_TRUE(Tap(100, 12));
    ASSERT_TRUE(PumpUntil([&] { return hook.Answers().size() >= 1; }, 5000));
    EXPECT_EQ(0u, hook.Answers()[0].first) << "a tap on the task bar read as a hold";
    EXPECT_LT(hook.Answers()[0].second, 400u) << "the recogniser waited out the hold time after the pen lifted";

    ASSERT_TRUE(Hold(100, 12, 900));
    ASSERT_TRUE(PumpUntil([&] { return hook.Answers().size() >= 2; }, 5000));
    EXPECT_EQ((DWORD)GN_CONTEXTMENU, hook.Answers()[1].first) << "a held pen read as a tap";
}

namespace {

// A window of this program inside the task bar, as a tool puts its icon
// there, showing one colour through the task bar.
class TaskBarChild {
public:
    TaskBarChild(const RECT& rect, COLORREF fill)
    {
        WNDCLASSW wc = {};
        // It paints nothing, as a tool that hands its picture does: painting
        // here, in another program than the task bar's, would put back what
        // this program's copy of the area held when the window was made,
        // over the task bar's drawing of the picture (the task bar's every
        // repaint asks its children to paint too).
        wc.lpfnWndProc = [](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
            if (msg == WM_PAINT) {
                ValidateRect(hwnd, nullptr);
                return 0;
            }
            if (msg == WM_ERASEBKGND)
                return 1;
            return DefWindowProcW(hwnd, msg, wp, lp);
        };
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ShellTaskBarChild";
        RegisterClassW(&wc);
        window_ = CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                                  Width(rect), Height(rect), TaskBar(), nullptr, wc.hInstance, nullptr);
        picture_ = std::make_unique<PixelSurface>(Width(rect), Height(rect), fill);
    }
    ~TaskBarChild() { DestroyWindow(window_); }
    TaskBarChild(const TaskBarChild&) = delete;
    TaskBarChild& operator=(const TaskBarChild&) = delete;
    HWND hwnd() const { return window_; }
    BOOL SendPicture(int width, int height) const
    {
        return ShellSendChildPicture(window_, picture_->dc(), width, height);
    }

private:
    HWND window_ = nullptr;
    std::unique_ptr<PixelSurface> picture_;
};

bool IsLight(COLORREF c)
{
    return GetRValue(c) > 0xC0 && GetGValue(c) > 0xC0 && GetBValue(c) > 0xC0;
}

// The light (text) pixels of the task bar's right part, outside `skip`.
int LightPixels(const RECT& skip)
{
    int count = 0;
    for (int y = 0; y < 26; ++y) {
        std::vector<COLORREF> row = ScreenRow(y, 120, 216);
        for (int i = 0; i < (int)row.size(); ++i) {
            POINT p = {120 + i, y};
            count += !PtInRect(&skip, p) && IsLight(row[i]);
        }
    }
    return count;
}

} // namespace

TEST(TaskBarChildren, ShowTheirPicturesAndPushTheClockLeft)
{
    const COLORREF kFill = RGB(0xFF, 0x00, 0xFF);
    const RECT kChild = {209, 5, 217, 21};
    ASSERT_TRUE(TaskBar());
    ASSERT_TRUE(BringToFront(TodayScreen()));
    PumpMessages(600);
    const int clockBefore = LightPixels(RECT{});
    ASSERT_GT(clockBefore, 0) << "no clock found to compare";

    {
        TaskBarChild child(kChild, kFill);
        ASSERT_TRUE(child.hwnd());
        EXPECT_FALSE(child.SendPicture(65, 16)) << "a picture wider than the task bar takes";
        ASSERT_TRUE(child.SendPicture(8, 16));
        // Read twice a second: reading the screen is slow on the device.
        bool shown = false;
        for (int i = 0; i < 20 && !(shown = ScreenPixel(212, 12) == kFill); ++i)
            PumpMessages(500);
        EXPECT_TRUE(shown) << "the child's picture is not shown";
        // A whole repaint of the task bar (as on every clock minute) keeps it.
        InvalidateRect(TaskBar(), nullptr, FALSE);
        PumpMessages(600);
        EXPECT_EQ(kFill, ScreenPixel(209, 5));
        EXPECT_EQ(kFill, ScreenPixel(216, 20));
        // The clock moved left of the child whole rather than under it.
        EXPECT_EQ(clockBefore, LightPixels(kChild)) << "the clock is partly hidden under the child";
    }
    // Gone with its window.
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(212, 12) != kFill; }, 3000));
}

TEST(TaskBarChildren, OnlyTheTaskBarsOwnChildrenHandPictures)
{
    TestWindow stranger(L"ShellNotAChild", {0, 100, 8, 116});
    SHELL_CHILDPICTURE_DATA data = {};
    data.hwnd = stranger.hwnd();
    data.width = 8;
    data.height = 16;
    COPYDATASTRUCT copy = {SHELL_CHILDPICTURE, sizeof(data), &data};
    DWORD_PTR answer = 1;
    ASSERT_TRUE(SendMessageTimeoutW(TaskBar(), WM_COPYDATA, 0, (LPARAM)&copy, SMTO_ABORTIFHUNG, 3000, &answer));
    EXPECT_EQ(0u, answer) << "a window that is not the task bar's child handed a picture";
}
