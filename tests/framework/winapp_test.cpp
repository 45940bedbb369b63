// CWinApp and CorWinMain: program start, the message loop's idle rule, the
// end of the program when the main window goes, and the module instance.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "wndframe.h"

namespace {

const wchar_t kMainClass[] = L"CorTestMainWindow";

class MainProbe : public CWnd {
public:
    static int s_destroyed;
    static int s_deleted;
    static int s_timers;
    ~MainProbe() override { ++s_deleted; }
    void OnDestroy() override
    {
        ++s_destroyed;
        CWnd::OnDestroy();
    }
    void OnTimer(UINT_PTR timerId) override
    {
        ++s_timers;
        KillTimer(timerId);
    }
};
int MainProbe::s_destroyed = 0;
int MainProbe::s_deleted = 0;
int MainProbe::s_timers = 0;

// Creates a hidden main window, which it closes at once (closeAtStart) or
// from its second round of idle calls. Idle calls stop after count 2; the
// first round ends by starting a timer, whose message restarts them.
class ProbeApp : public CWinApp {
public:
    BOOL initResult = TRUE;
    bool closeAtStart = true;
    bool ran = false;
    int exitCalls = 0;
    std::vector<LONG> idleCounts;
    HWND mainWindow = nullptr;

    BOOL InitInstance() override
    {
        if (!initResult)
            return FALSE;
        m_pMainWnd = new MainProbe;
        if (!m_pMainWnd->CreateEx(0, kMainClass, L"main", 0, 0, 0, 50, 50, nullptr, nullptr))
            return FALSE;
        mainWindow = m_pMainWnd->GetHWnd();
        if (closeAtStart)
            PostMessageW(mainWindow, WM_CLOSE, 0, 0);
        return TRUE;
    }
    int Run() override
    {
        ran = true;
        return CWinApp::Run();
    }
    int ExitInstance() override
    {
        ++exitCalls;
        return 42;
    }
    BOOL OnIdle(LONG idleCount) override
    {
        idleCounts.push_back(idleCount);
        if (idleCount < 2)
            return TRUE;
        if (idleCounts.size() == 3)
            ::SetTimer(mainWindow, 1, 10, nullptr);
        else
            PostMessageW(mainWindow, WM_CLOSE, 0, 0);
        return FALSE;
    }
};

class WinAppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MainProbe::s_destroyed = MainProbe::s_deleted = MainProbe::s_timers = 0;
    }
};

TEST_F(WinAppTest, MainWindowDestructionEndsTheLoopWithExitInstance)
{
    ProbeApp app;
    EXPECT_EQ(&app, CorGetApp());
    wchar_t cmdLine[] = L"-x";
    HINSTANCE self = GetModuleHandleW(nullptr);
    EXPECT_EQ(42, CorWinMain(self, nullptr, cmdLine, SW_SHOWNORMAL));
    EXPECT_EQ(1, app.exitCalls);
    EXPECT_EQ(1, MainProbe::s_destroyed);
    EXPECT_EQ(1, MainProbe::s_deleted);
    EXPECT_EQ(nullptr, CorGetMainWnd());
    EXPECT_FALSE(IsWindow(app.mainWindow));
    EXPECT_EQ(self, app.GetInstance());
    EXPECT_EQ(self, CorGetInstance());
    EXPECT_EQ(cmdLine, app.m_lpCmdLine);
}

TEST_F(WinAppTest, IdleCallsRestartOnlyAfterAnIdleMessage)
{
    ProbeApp app;
    app.closeAtStart = false;
    EXPECT_EQ(42, CorWinMain(GetModuleHandleW(nullptr), nullptr, nullptr, SW_SHOWNORMAL));
    EXPECT_EQ(1, MainProbe::s_timers);
    EXPECT_EQ((std::vector<LONG>{0, 1, 2, 0, 1, 2}), app.idleCounts);

    MSG paint = {};
    paint.message = WM_PAINT;
    MSG caretBlink = {};
    caretBlink.message = 0x0118;
    MSG timer = {};
    timer.message = WM_TIMER;
    EXPECT_FALSE(app.IsIdleMessage(&paint));
    EXPECT_FALSE(app.IsIdleMessage(&caretBlink));
    EXPECT_TRUE(app.IsIdleMessage(&timer));
}

TEST_F(WinAppTest, InitInstanceFailureEndsWithZeroWithoutTheLoop)
{
    ProbeApp app;
    app.initResult = FALSE;
    EXPECT_EQ(0, CorWinMain(GetModuleHandleW(nullptr), nullptr, nullptr, SW_SHOWNORMAL));
    EXPECT_FALSE(app.ran);
    EXPECT_EQ(0, app.exitCalls);
}

TEST_F(WinAppTest, AppObjectUnregistersWhenDestroyed)
{
    {
        ProbeApp app;
        EXPECT_EQ(&app, CorGetApp());
    }
    EXPECT_EQ(nullptr, CorGetApp());
    EXPECT_EQ(nullptr, CorGetMainWnd());
}

// A library that sets its own module changes it for the whole process; the
// host puts its own back with the scope guard.
TEST(CorInstanceTest, ScopeRestoresTheInstanceItFound)
{
    HINSTANCE host = GetModuleHandleW(nullptr);
    HINSTANCE library = GetModuleHandleW(L"kernel32.dll");
    SetCorInstance(host);
    {
        CorInstanceScope keep;
        EXPECT_EQ(host, SetCorInstance(library));
        EXPECT_EQ(library, CorGetInstance());
    }
    EXPECT_EQ(host, CorGetInstance());
    {
        CorInstanceScope use(library);
        EXPECT_EQ(library, CorGetInstance());
    }
    EXPECT_EQ(host, CorGetInstance());
}

}  // namespace
