// Closing, hiding and killing other programs' windows: CloseAllApps and
// CloseWindow by window class, the navigation bar's corner tap, and the
// control panel's programs ended by name.
#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>
#include <memory>
#include <string>
#include <vector>

#include "shell.h"

#include "ketra_testkit.h"

namespace {

using namespace testkit;

const wchar_t kAppClass[] = L"SvcTestApp";
const wchar_t kExplorerClass[] = L"Explore";
const DWORD kCaptionOkButton = 0x80000000;
const DWORD kWaitMs = 10000;

// What a test window heard.
struct Probe {
    int closes = 0;
    int oks = 0;
};

LRESULT CALLBACK ProbeProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* probe = reinterpret_cast<Probe*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (probe && msg == WM_CLOSE)
        ++probe->closes;
    if (probe && msg == WM_COMMAND && LOWORD(wp) == IDOK) {
        ++probe->oks;
        return 0;
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

class ShellWindowsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ProbeProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kAppClass;
        RegisterClassW(&wc);
        wc.lpfnWndProc = DefWindowProcW;
        wc.lpszClassName = kExplorerClass;
        RegisterClassW(&wc);
    }

    void TearDown() override
    {
        for (HWND wnd : windows_)
            if (IsWindow(wnd))
                DestroyWindow(wnd);
        EndProcesses(L"ctlpnl.exe");
        EndProcesses(L"backlight.exe");
        EndProcesses(L"clock.exe");
    }

    HWND MakeWindow(const wchar_t* cls, const wchar_t* title, DWORD exStyle = 0, Probe* probe = nullptr)
    {
        HWND wnd = CreateWindowExW(exStyle, cls, title, WS_POPUP | WS_VISIBLE, 10, 40, 120, 60, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        if (wnd && probe)
            SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(probe));
        windows_.push_back(wnd);
        return wnd;
    }

    // A titled top-level window of the platform's dialog class.
    HWND MakeDialog()
    {
#pragma pack(push, 2)
        struct Template {
            DLGTEMPLATE base;
            WORD menu, windowClass;
            wchar_t title[12];
        };
#pragma pack(pop)
        alignas(4) Template tpl = {};
        tpl.base.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
        tpl.base.cx = 80;
        tpl.base.cy = 40;
        wcsncpy(tpl.title, L"Svc Dialog", 11);
        HWND wnd = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &tpl.base, nullptr, QuietDialogProc, 0);
        windows_.push_back(wnd);
        return wnd;
    }

    std::vector<HWND> windows_;
};

TEST_F(ShellWindowsTest, CloseAllAppsClosesAtMost50AndSparesTodayExplorerAndDialogs)
{
    HWND today = FindWindowW(L"DesktopExplorerWindow", nullptr);
    ASSERT_NE(nullptr, today);
    Probe untitled, ok, own;
    HWND untitledWnd = MakeWindow(kAppClass, L"", 0, &untitled);
    HWND explorer = MakeWindow(kExplorerClass, L"Files");
    HWND dialog = MakeDialog();
    HWND okWnd = MakeWindow(kAppClass, L"Svc Settings", kCaptionOkButton, &ok);
    HWND ownWnd = MakeWindow(kAppClass, L"Svc Own", 0, &own);
    ASSERT_TRUE(untitledWnd && explorer && dialog && okWnd && ownWnd);
    std::vector<std::unique_ptr<Probe>> apps;
    for (int i = 0; i < 55; ++i) {
        apps.push_back(std::make_unique<Probe>());
        ASSERT_NE(nullptr, MakeWindow(kAppClass, (L"Svc App " + std::to_wstring(i)).c_str(), 0, apps.back().get()));
    }

    EXPECT_TRUE(CSH::CloseAllApps(ownWnd));

    int closed = 0;
    for (const auto& probe : apps)
        closed += probe->closes;
    EXPECT_EQ(50, closed);
    EXPECT_EQ(1, ok.oks);
    EXPECT_EQ(0, ok.closes);
    EXPECT_TRUE(IsWindowVisible(okWnd));
    EXPECT_EQ(0, own.closes);
    EXPECT_EQ(0, untitled.closes);
    EXPECT_TRUE(IsWindowVisible(untitledWnd));
    EXPECT_TRUE(IsWindow(explorer) && !IsWindowVisible(explorer));
    EXPECT_TRUE(IsWindow(dialog) && !IsWindowVisible(dialog));
    EXPECT_TRUE(IsWindow(today) && IsWindowVisible(today));
}

TEST_F(ShellWindowsTest, CloseWindowActsByClass)
{
    Probe plain, ok;
    HWND plainWnd = MakeWindow(kAppClass, L"Svc Plain", 0, &plain);
    HWND okWnd = MakeWindow(kAppClass, L"Svc OK", kCaptionOkButton, &ok);
    HWND explorer = MakeWindow(kExplorerClass, L"Files");

    EXPECT_FALSE(CSH::CloseWindow(okWnd));
    EXPECT_EQ(1, ok.oks);
    EXPECT_TRUE(IsWindow(okWnd));
    EXPECT_TRUE(CSH::CloseWindow(explorer));
    EXPECT_TRUE(IsWindow(explorer) && !IsWindowVisible(explorer));
    EXPECT_FALSE(CSH::CloseWindow(plainWnd));
    EXPECT_EQ(1, plain.closes);
    EXPECT_FALSE(IsWindow(plainWnd));
    EXPECT_FALSE(CSH::CloseWindow(nullptr));
}

// Puts wnd in front and waits until it has stayed there a moment: the shell
// may still be bringing the Today screen up after an earlier test's windows
// went, and the corner answers for whatever is in front when it is tapped.
bool SettledInFront(HWND wnd)
{
    const DWORD kSettleMs = 300;
    for (int attempt = 0; attempt < 5; ++attempt) {
        SetForegroundWindow(wnd);
        if (!PumpUntil([&] { return GetForegroundWindow() == wnd; }, kWaitMs))
            return false;
        PumpMessages(kSettleMs);
        if (GetForegroundWindow() == wnd)
            return true;
    }
    return false;
}

// The corner tap reaches the task bar's OK / minimise button.
TEST_F(ShellWindowsTest, CornerTapPressesOkOrMinimisesTheFrontWindow)
{
    Probe ok;
    HWND okWnd = MakeWindow(kAppClass, L"Svc OK", kCaptionOkButton, &ok);
    ASSERT_TRUE(SettledInFront(okWnd)) << "in front: " << ClassOf(GetForegroundWindow());
    EXPECT_TRUE(CSH::MinimizeForeWindow());
    EXPECT_TRUE(PumpUntil([&] { return ok.oks == 1; }, kWaitMs))
        << "in front: " << ClassOf(GetForegroundWindow()) << "\n" << MessageBoxes::Describe();

    Probe plain;
    HWND plainWnd = MakeWindow(kAppClass, L"Svc Plain", 0, &plain);
    ASSERT_TRUE(SettledInFront(plainWnd)) << "in front: " << ClassOf(GetForegroundWindow());
    EXPECT_TRUE(CSH::MinimizeForeWindow());
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() != plainWnd; }, kWaitMs));
    EXPECT_EQ(0, plain.closes);
    EXPECT_TRUE(IsWindow(plainWnd));
}

TEST_F(ShellWindowsTest, KillAllCplEndsTheControlPanelAndTheModelsPagePrograms)
{
    DeviceState state;
    state.Set(L"OEMInfo", L"Maker Pocket PC");
    EndProcesses(L"ctlpnl.exe");
    CSH::Execute(L"ctlpnl.exe");
    CSH::Execute(L"backlight.exe");
    ASSERT_TRUE(WaitProcessCount(L"ctlpnl.exe", 1, kWaitMs));
    ASSERT_TRUE(WaitProcessCount(L"backlight.exe", 1, kWaitMs));
    EXPECT_TRUE(CSH::KillAllCpl());
    EXPECT_TRUE(WaitProcessCount(L"ctlpnl.exe", 0, kWaitMs));
    EXPECT_EQ(1, CountProcesses(L"backlight.exe"));  // a program of its own on this model

    state.Set(L"OEMInfo", L"Maker Pocket H3800");
    CSH::Execute(L"ctlpnl.exe", L"cplmain.cpl 3,0");
    ASSERT_TRUE(WaitProcessCount(L"ctlpnl.exe", 1, kWaitMs));
    EXPECT_TRUE(CSH::KillAllCpl());
    EXPECT_TRUE(WaitProcessCount(L"ctlpnl.exe", 0, kWaitMs));
    EXPECT_TRUE(WaitProcessCount(L"backlight.exe", 0, kWaitMs));
}

TEST_F(ShellWindowsTest, KillForeAppKillsTheFrontProgram)
{
    EndProcesses(L"clock.exe");
    DeviceProgram clock(L"\\Windows\\clock.exe", L"");
    ASSERT_TRUE(clock.Started());
    HWND page = clock.WaitWindow(nullptr, kWaitMs);
    ASSERT_NE(nullptr, page);
    SetForegroundWindow(page);
    ASSERT_TRUE(PumpUntil([&] { return CSH::GetForeApp(nullptr) == page; }, kWaitMs));
    EXPECT_FALSE(CSH::KillForeApp(nullptr));
    EXPECT_TRUE(clock.WaitExit(kWaitMs));
}

} // namespace
