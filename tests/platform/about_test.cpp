// The About applet loaded by a small test host: its window, its drawing
// over the host's background and its taps.
#include <gtest/gtest.h>

#include "applet.h"
#include "ketra_testkit.h"
#include "shell.h"

namespace {

using namespace testkit;

const DWORD kLogWaitMs = 10000;

class AboutTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Loaded()); }
    AppletHost host{TestFolder() + L"About.dll"};
};

TEST_F(AboutTest, DisabledRecordGivesNoWindow)
{
    EXPECT_EQ(nullptr, host.Create(false));
}

TEST_F(AboutTest, CreatesAHiddenChildOfItsOwnSizeAndGivesTheInstanceBack)
{
    HINSTANCE before = CorGetInstance();
    HWND wnd = host.Create();
    ASSERT_NE(nullptr, wnd);
    EXPECT_EQ(before, CorGetInstance());
    EXPECT_EQ(host.Host(), GetParent(wnd));
    EXPECT_FALSE(IsWindowVisible(wnd));
    EXPECT_EQ(L"ABOUT", ClassOf(wnd));
    EXPECT_EQ(240, Width(WindowRect(wnd)));
    EXPECT_EQ(56, Height(WindowRect(wnd)));

    // It keeps its own height: refresh answers 1 and leaves cyp alone.
    EXPECT_EQ(1, host.QueryRefresh());
    EXPECT_EQ(0u, host.Item().cyp);
    EXPECT_EQ(0, host.Send(TODAYM_DRAWWATERMARK));  // "shown" is no background request
    EXPECT_EQ(0, host.Send(WM_TODAYCUSTOM_CLEARCACHE, (WPARAM)&host.Item()));
}

TEST_F(AboutTest, DrawsTextAndIconOverTheHostBackground)
{
    ASSERT_NE(nullptr, host.Create());
    const auto painted = host.Paint();
    EXPECT_EQ(AppletHost::kBackground, painted->At(2, 2));  // outside text and icon
    EXPECT_EQ(AppletHost::kBackground, painted->At(230, 50));
    EXPECT_GT(painted->Count({8, 6, 180, 50}, RGB(255, 255, 255)), 50);  // three lines of white text
    EXPECT_GT(painted->Count({8, 6, 180, 50}, RGB(0, 0, 0)), 50);        // with their shadows
    EXPECT_GT(32 * 32 - painted->Count({186, 20, 218, 52}, AppletHost::kBackground), 200)
        << "the icon covers most of its square";
}

TEST_F(AboutTest, TapsOpenTheWebSiteAndHelpAndLogTheOemInformation)
{
    ASSERT_NE(nullptr, host.Create());
    DeviceLog log;
    host.Tap(50, 20);
    host.Tap(200, 30);
    host.Tap(100, 50);  // outside every area

    ASSERT_TRUE(log.WaitFor(L"launch: iexplore.exe http://www.zarq.example/ketra", kLogWaitMs));
    Sleep(500);
    std::vector<std::wstring> launches = log.Lines(L"launch: ");
    ASSERT_EQ(2u, launches.size());
    EXPECT_NE(std::wstring::npos, launches[1].find(L"iexplore.exe"));
    EXPECT_NE(std::wstring::npos, launches[1].find(L"\\help\\ketra.htm"));
    // The help page reaches the browser's view (one browser takes both starts).
    EXPECT_TRUE(PumpUntil([&] {
        for (const std::wstring& line : log.Lines(L"htmlview: navigate "))
            if (line.find(L"\\help\\ketra.htm") != std::wstring::npos)
                return true;
        return false;
    }, kLogWaitMs));
    // The browsers started must not outlive the test.
    log.WaitFor(L"iexplore: http://www.zarq.example/ketra", kLogWaitMs);
    Sleep(500);
    for (int i = 0; i < 4 && CSH::KillApp(L"iexplore.exe"); ++i) {
    }

    DeleteFileW(L"\\My Documents\\ZARQLOG.txt");
    host.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(230, 5));
    const std::string line = ReadBytes(L"\\My Documents\\ZARQLOG.txt");
    ASSERT_FALSE(line.empty());
    EXPECT_EQ('[', line[0]);
    EXPECT_NE(std::string::npos, line.find("] ["));
}

// The same applet shown by the real bar, tapped through the device's input.
TEST(AboutOnTheBar, ShowsItsTextAndLogsTheOemInformationFromItsCorner)
{
    AppletOnBar about(L"About");
    ASSERT_TRUE(about.Shown());
    EXPECT_EQ(56, Height(about.Rect()));
    EXPECT_GT(about.Capture()->Count({8, 6, 180, 50}, RGB(255, 255, 255)), 50);

    DeleteFileW(L"\\My Documents\\ZARQLOG.txt");
    ASSERT_TRUE(about.Tap(230, 5));
    EXPECT_TRUE(PumpUntil([] { return ReadBytes(L"\\My Documents\\ZARQLOG.txt").rfind("[", 0) == 0; }, 5000));
}

}  // namespace
