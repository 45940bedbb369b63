// The side bar and the Today screen against requests that once brought them
// down or led them astray: addresses from other programs, an applet asking
// for another applet from its own code, and a skin that does not load.
#include <ketra_host.h>

#include "ketra_testkit.h"
#include "todaycmn.h"

namespace {

using namespace testkit;

using HostRobustnessTest = BarTest;

const wchar_t kProgramLog[] = L"\\My Documents\\ZARQLOG.txt";

bool BarAnswers()
{
    DWORD_PTR answer = 0;
    HWND bar = KetraFindBar();
    return bar && SendMessageTimeoutW(bar, WM_KETRA_WINDOW, KETRA_WINDOW_IS_OPEN, 0, SMTO_NORMAL, 5000, &answer);
}

// Regression: the bar and the Today screen read whatever record address
// another program sent with 1125.  Besides one that is nowhere, an address
// that is valid in every program (the code of a system library loaded at
// the same place) is tried.
TEST_F(HostRobustnessTest, BackgroundRequestsFromOtherProgramsAreIgnored)
{
    Start(L"Probe");
    const LPARAM everywhere =
        reinterpret_cast<LPARAM>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SendMessageW"));
    for (LPARAM address : {LPARAM(0x10), everywhere}) {
        SendToBar(TODAYM_DRAWWATERMARK, 0, address);
        ASSERT_TRUE(BarAnswers()) << "the bar did not survive 1125 with address " << address;
    }
    // The applet's own request still gets the picture, not the plain fill.
    PostMessageW(AppletWindowOnBar(kProbeClass), kProbeRequest, TODAYM_DRAWWATERMARK, 0);
    ASSERT_TRUE(log.WaitFor(L"probe: background ", 5000));
    EXPECT_EQ(0, log.Count(L"probe: background ffc0c0")) << "the background picture was given up";

    HWND today = FindWindowW(L"DesktopExplorerWindow", nullptr);
    ASSERT_NE(nullptr, today);
    for (LPARAM address : {LPARAM(0x10), everywhere}) {
        DWORD_PTR answer = 1;
        EXPECT_TRUE(SendMessageTimeoutW(today, TODAYM_DRAWWATERMARK, 0, address, SMTO_NORMAL, 5000, &answer));
        EXPECT_EQ(0u, answer) << "the Today screen took address " << address;
    }
}

// Regression: an applet that asked for another applet from its own code had
// its library freed under that code and took the bar down with it.
TEST_F(HostRobustnessTest, AnAppletAskingForAnotherFromItsOwnCodeRunsOnUntilItReturns)
{
    Start(L"Probe");
    HWND probe = AppletWindowOnBar(kProbeClass);
    ASSERT_NE(nullptr, probe);
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutW(probe, kProbeRequest, WM_KETRA_SHOWAPPLET, 0, SMTO_NORMAL, 5000, &answer));
    EXPECT_EQ(1u, answer);
    EXPECT_TRUE(PumpUntil([] { return CurrentApplet() == L"ProbeNarrow"; }, 5000)) << "the switch was not made";
    EXPECT_TRUE(BarAnswers()) << "the bar went down";
    EXPECT_EQ(1, log.Count(L"probe: switch returned 1")) << "the applet's code did not run on";
    RECT rect = {};
    GetWindowRect(AppletWindowOnBar(kProbeClass), &rect);
    EXPECT_EQ(100, rect.right - rect.left) << "the narrow probe is not the one shown";
}

// Regression: closing the bar while the applet's own dialog was open freed
// the applet's library under that dialog, and the bar crashed as the
// dialog's loop returned into it.  The bar now closes once the dialog is
// answered.
TEST_F(HostRobustnessTest, AnExitDuringTheAppletsOwnDialogWaitsUntilTheDialogIsAnswered)
{
    WriteDword(kProbeKey, L"OptionsStay", 1);
    Start(L"Probe");
    HWND bar = KetraFindBar();
    DWORD barProcessId = 0;
    GetWindowThreadProcessId(bar, &barProcessId);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, barProcessId);
    ASSERT_NE(nullptr, process);
    PostMessageW(AppletWindowOnBar(kProbeClass), kProbeRequest, IDD_TODAY_CUSTOM, 0);
    HWND dialog = WaitForWindow(L"#32770", 5000);
    ASSERT_NE(nullptr, dialog) << "the probe's dialog did not open";
    WaitUntilIdle(dialog);

    const struct {
        UINT message;
        WPARAM wParam;
    } exits[] = {{WM_COMMAND, IDM_KETRA_EXIT}, {WM_CLOSE, 0}};
    for (const auto& exit : exits) {
        const UINT message = exit.message;
        DWORD_PTR ignored = 0;
        EXPECT_TRUE(SendMessageTimeoutW(bar, message, exit.wParam, 0, SMTO_NORMAL, 5000, &ignored));
        PumpMessages(300);
        EXPECT_TRUE(IsWindow(dialog)) << "message " << message << " took the dialog away";
        EXPECT_TRUE(BarAnswers()) << "message " << message << " took the bar away under the dialog";
    }
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(log.WaitFor(L"probe: dialog returned 2", 5000)) << "the applet's code did not run on";
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(process, 10000)) << "the bar did not close";
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process, &exitCode);
    EXPECT_EQ(0u, exitCode) << "the bar did not end cleanly";
    CloseHandle(process);
}

// Regression: a skin that could not be loaded ended the bar, leaving the
// user without one.
TEST_F(HostRobustnessTest, ASkinThatDoesNotLoadGivesWayToDefault)
{
    const std::wstring broken = std::wstring(kInstallFolder) + L"Skins\\Broken";
    CreateDirectoryW(broken.c_str(), nullptr);
    ASSERT_TRUE(WriteBytes(broken + L"\\skin.xml", "<skins><skin><window x='0' y='26' w='240'"));  // cut short
    for (const wchar_t* skin : {L"NoSuchSkin", L"Broken"}) {
        DeleteFileW(kProgramLog);
        ASSERT_TRUE(WriteText(L"Software\\ZARQ\\Ketra", L"Skin", skin));
        Start();
        EXPECT_TRUE(BarAnswers()) << "no bar with skin " << ToUtf8(skin);
        const std::string expected = "Skin [" + ToUtf8(skin) + "] could not be loaded; trying the Default skin";
        EXPECT_NE(std::string::npos, ReadBytes(kProgramLog).find(expected)) << ReadBytes(kProgramLog);
        CloseBar();
    }
    RemoveTree(broken);
}

}  // namespace
