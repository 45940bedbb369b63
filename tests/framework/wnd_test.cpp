// CWnd: the framework window procedure's dispatch, the default-processing
// rule, tap and hold, window lifetime and the style and placement helpers.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "wndframe.h"

#include "devlog.h"
#include "ketra_testkit.h"

namespace {

using namespace testkit;

// A class with its own procedure: CreateEx keeps it as the previous
// procedure, so what it sees is exactly what default processing passed on.
const wchar_t kRecordingClass[] = L"CorTestRecordingClass";
const UINT kAnsweredMessage = WM_APP + 50;  // the class procedure answers 1234
std::vector<UINT> g_classSaw;

LRESULT CALLBACK RecordingClassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    g_classSaw.push_back(message);
    if (message == kAnsweredMessage)
        return 1234;
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

bool ClassSaw(UINT message)
{
    return std::find(g_classSaw.begin(), g_classSaw.end(), message) != g_classSaw.end();
}

bool ForcedGesturePending()
{
    return HasValue(DEVICE_STATE_KEY, L"ForceGesture");
}

// Records the handlers that ran; callBase decides whether they ask for
// default processing.
class ProbeWnd : public CWnd {
public:
    std::vector<std::string> calls;
    bool callBase = false;
    bool consumePaint = false;
    CPoint lastPoint{0, 0};
    UINT lastId = 0, lastCode = 0;

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PAINT && consumePaint)
            return 0;
        return CWnd::OnMessage(message, wParam, lParam);
    }
    void OnCreate() override { calls.push_back("OnCreate"); }
    void OnDestroy() override
    {
        calls.push_back("OnDestroy");
        CWnd::OnDestroy();
    }
    void OnPaint() override
    {
        calls.push_back("OnPaint");
        if (callBase)
            CWnd::OnPaint();
    }
    void OnLButtonDown(CPoint point) override
    {
        Record("OnLButtonDown", point);
        if (callBase)
            CWnd::OnLButtonDown(point);
    }
    void OnRButtonDown(CPoint point) override
    {
        Record("OnRButtonDown", point);
        if (callBase)
            CWnd::OnRButtonDown(point);
    }
    void OnLButtonUp(CPoint point) override
    {
        Record("OnLButtonUp", point);
        if (callBase)
            CWnd::OnLButtonUp(point);
    }
    LRESULT OnCommand(UINT id, UINT code) override
    {
        calls.push_back("OnCommand");
        lastId = id;
        lastCode = code;
        return callBase ? CWnd::OnCommand(id, code) : 0;
    }

private:
    void Record(const char* name, CPoint point)
    {
        calls.push_back(name);
        lastPoint = point;
    }
};

class WndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetCorInstance(GetModuleHandleW(nullptr));
        WNDCLASSW wc = {};
        wc.lpfnWndProc = RecordingClassProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kRecordingClass;
        RegisterClassW(&wc);  // fails harmlessly after the first test
        ASSERT_TRUE(wnd.CreateEx(0, kRecordingClass, L"probe", 0, 10, 20, 100, 50, nullptr, nullptr));
        wnd.calls.clear();
        g_classSaw.clear();
    }

    ProbeWnd wnd;
};

TEST_F(WndTest, CreationBindsTheObjectAndMakesTopLevelWindowsPopUps)
{
    HWND hWnd = wnd.GetHWnd();
    ASSERT_NE(nullptr, hWnd);
    EXPECT_EQ((LONG_PTR)&wnd, GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    EXPECT_EQ((LONG_PTR)CWnd::GetWndProc(), GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    // Neither child nor pop-up would get a caption on the desktop.
    EXPECT_TRUE(wnd.GetStyle() & WS_POPUP);
    EXPECT_FALSE(wnd.GetStyle() & WS_CAPTION);
}

TEST_F(WndTest, OnMessageResultDecidesWhetherDispatchContinues)
{
    wnd.consumePaint = true;
    EXPECT_EQ(0, SendMessageW(wnd.GetHWnd(), WM_PAINT, 0, 0));
    EXPECT_TRUE(wnd.calls.empty());
    EXPECT_FALSE(ClassSaw(WM_PAINT));

    wnd.consumePaint = false;
    wnd.callBase = true;
    SendMessageW(wnd.GetHWnd(), WM_PAINT, 0, 0);
    EXPECT_EQ(std::vector<std::string>{"OnPaint"}, wnd.calls);
    EXPECT_TRUE(ClassSaw(WM_PAINT));
}

TEST_F(WndTest, CallingTheBaseHandlerRequestsDefaultProcessing)
{
    HWND hWnd = wnd.GetHWnd();
    wnd.callBase = false;
    SendMessageW(hWnd, WM_LBUTTONDOWN, 0, MAKELPARAM(-5, 7));
    EXPECT_EQ(std::vector<std::string>{"OnLButtonDown"}, wnd.calls);
    EXPECT_FALSE(ClassSaw(WM_LBUTTONDOWN));
    // Points are sign-extended from the low and high words.
    EXPECT_EQ(CPoint(-5, 7), wnd.lastPoint);

    wnd.callBase = true;
    SendMessageW(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(3, -9));
    EXPECT_TRUE(ClassSaw(WM_LBUTTONUP));
    EXPECT_EQ(CPoint(3, -9), wnd.lastPoint);
}

TEST_F(WndTest, CommandsAndUnhandledMessages)
{
    HWND hWnd = wnd.GetHWnd();
    SendMessageW(hWnd, WM_COMMAND, MAKEWPARAM(40001, 3), 0);
    EXPECT_EQ(40001u, wnd.lastId);
    EXPECT_EQ(3u, wnd.lastCode);
    EXPECT_FALSE(ClassSaw(WM_COMMAND));

    // Messages without a handler go to the class's own procedure, whose
    // answer comes back unchanged.
    EXPECT_EQ(1234, SendMessageW(hWnd, kAnsweredMessage, 0, 0));
}

TEST_F(WndTest, TapAndHoldFlagOffGivesLeftButtonDown)
{
    wnd.SetHold(FALSE);
    ForceNextGesture(1);
    SendMessageW(wnd.GetHWnd(), WM_LBUTTONDOWN, 0, MAKELPARAM(30, 20));
    EXPECT_EQ(std::vector<std::string>{"OnLButtonDown"}, wnd.calls);
    EXPECT_TRUE(ForcedGesturePending()) << "the recogniser must not run without the flag";
    DeleteValue(DEVICE_STATE_KEY, L"ForceGesture");
}

TEST_F(WndTest, RecognisedHoldGivesRightButtonDownOnly)
{
    wnd.SetHold(TRUE);
    ForceNextGesture(1);
    SendMessageW(wnd.GetHWnd(), WM_LBUTTONDOWN, 0, MAKELPARAM(30, 20));
    EXPECT_EQ(std::vector<std::string>{"OnRButtonDown"}, wnd.calls);
    EXPECT_EQ(CPoint(30, 20), wnd.lastPoint);
    EXPECT_TRUE(wnd.IsTapHold());
    EXPECT_FALSE(ForcedGesturePending());

    wnd.calls.clear();
    ForceNextGesture(2);
    SendMessageW(wnd.GetHWnd(), WM_LBUTTONDOWN, 0, MAKELPARAM(30, 20));
    EXPECT_EQ(std::vector<std::string>{"OnLButtonDown"}, wnd.calls);
    DeleteValue(DEVICE_STATE_KEY, L"ForceGesture");
}

TEST_F(WndTest, DestroyedWindowIsForgottenByItsObject)
{
    DestroyWindow(wnd.GetHWnd());
    EXPECT_EQ(std::vector<std::string>{"OnDestroy"}, wnd.calls);
    EXPECT_EQ(nullptr, wnd.GetSafeHwnd());

    // The object outliving its window must not destroy a later window, even
    // one the system gave the old handle value.
    ProbeWnd* early = new ProbeWnd;
    ASSERT_TRUE(early->CreateEx(0, kRecordingClass, L"early", 0, 0, 0, 10, 10, nullptr, nullptr));
    DestroyWindow(early->GetHWnd());
    ProbeWnd later;
    ASSERT_TRUE(later.CreateEx(0, kRecordingClass, L"later", 0, 0, 0, 10, 10, nullptr, nullptr));
    delete early;
    EXPECT_TRUE(IsWindow(later.GetHWnd()));
}

// An object that deletes itself in OnDestroy unbinds its window in its
// destructor; the window still goes away and nothing reaches the object.
class SelfDeletingWnd : public ProbeWnd {
public:
    static int s_deleted;
    ~SelfDeletingWnd() override { ++s_deleted; }
    void OnDestroy() override
    {
        CWnd::OnDestroy();
        delete this;
    }
};
int SelfDeletingWnd::s_deleted = 0;

TEST_F(WndTest, ObjectDeletedDuringItsOwnDestroyIsUnboundFirst)
{
    SelfDeletingWnd* self = new SelfDeletingWnd;
    ASSERT_TRUE(self->CreateEx(0, kRecordingClass, L"self", 0, 0, 0, 10, 10, nullptr, nullptr));
    HWND hWnd = self->GetHWnd();
    g_classSaw.clear();
    EXPECT_TRUE(DestroyWindow(hWnd));
    EXPECT_EQ(1, SelfDeletingWnd::s_deleted);
    EXPECT_FALSE(IsWindow(hWnd));
    // The rest of the window's messages went to its class procedure.
    EXPECT_TRUE(ClassSaw(WM_NCDESTROY));
}

TEST_F(WndTest, DetachUnbindsAndRestoresTheClassProcedure)
{
    HWND hWnd = wnd.Detach();
    EXPECT_EQ(0, GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    EXPECT_EQ((LONG_PTR)RecordingClassProc, GetWindowLongPtrW(hWnd, GWLP_WNDPROC));
    SendMessageW(hWnd, WM_LBUTTONDOWN, 0, 0);
    EXPECT_TRUE(wnd.calls.empty());
    DestroyWindow(hWnd);
}

TEST_F(WndTest, ModifyStyleReportsWhetherAnythingChanged)
{
    EXPECT_TRUE(wnd.ModifyStyle(0, WS_BORDER, SWP_FRAMECHANGED));
    EXPECT_TRUE(wnd.GetStyle() & WS_BORDER);
    EXPECT_FALSE(wnd.ModifyStyle(0, WS_BORDER));
    EXPECT_TRUE(CWnd::ModifyStyleEx(wnd.GetHWnd(), 0, WS_EX_TOOLWINDOW, 0));
    EXPECT_TRUE(wnd.GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(CWnd::WindowModifyStyle(wnd.GetHWnd(), GWL_STYLE, WS_BORDER, 0, 0));
    EXPECT_FALSE(wnd.GetStyle() & WS_BORDER);
}

TEST_F(WndTest, CenterWindowLeavesTheTaskBarOut)
{
    wnd.CenterWindow();
    RECT rc;
    GetWindowRect(wnd.GetHWnd(), &rc);
    int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(screenWidth / 2 - 50, rc.left);
    EXPECT_EQ((screenHeight - 26) / 2 - 25, rc.top);
    EXPECT_EQ(100, rc.right - rc.left);
    EXPECT_EQ(50, rc.bottom - rc.top);
}

// A class the framework registers itself: creation must succeed although
// the object is bound only afterwards.
TEST(WndOwnClassTest, FrameworkRegisteredClassCreatesAndCallsOnCreateOnce)
{
    SetCorInstance(GetModuleHandleW(nullptr));
    ProbeWnd wnd;
    RECT rc = {0, 0, 60, 40};
    ASSERT_TRUE(wnd.CreateFloatWindow(L"CorTestOwnClass", 0, rc));
    WNDCLASSW wc;
    ASSERT_TRUE(GetClassInfoW(GetModuleHandleW(nullptr), L"CorTestOwnClass", &wc));
    EXPECT_EQ(CWnd::GetWndProc(), wc.lpfnWndProc);
    EXPECT_EQ(std::vector<std::string>{"OnCreate"}, wnd.calls);
    EXPECT_EQ(DWORD(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW),
              wnd.GetExStyle() & (WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW));
    EXPECT_TRUE(wnd.GetStyle() & WS_VISIBLE);
}

// The desktop would cascade such a window; the device fills the screen
// below its task bar.
TEST(WndOwnClassTest, TopLevelWindowPlacedByDefaultFillsTheWorkArea)
{
    SetCorInstance(GetModuleHandleW(nullptr));
    ProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, L"CorTestOwnClass", L"", WS_BORDER, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, nullptr, nullptr));
    RECT rc;
    GetWindowRect(wnd.GetHWnd(), &rc);
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(26, rc.top);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), rc.right);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), rc.bottom);
}

TEST(WndOwnClassTest, CreateWithoutClassNameFails)
{
    ProbeWnd wnd;
    EXPECT_FALSE(wnd.CreateEx(0, nullptr, L"", 0, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(nullptr, wnd.GetSafeHwnd());
    EXPECT_TRUE(wnd.calls.empty());
}

}  // namespace
