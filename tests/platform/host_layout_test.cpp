// Where the side bar puts its applet and how tall it makes itself: the
// skin's alignment for narrow applets, the least height, and height changes
// the applet asks for, reports to the poll, or asks for while the bar is
// closed.
#include "ketra_testkit.h"

namespace {

using namespace testkit;

// The Default skin: the applet area starts 24 pixels down and is 240 wide,
// and the bar ends 8 pixels below it; the probe is 40 high.
const int kAreaTop = 24;
const int kAreaWidth = 240;
const int kBottomMargin = 8;
const int kProbeHeight = 40;

int BarHeight()
{
    return Height(BarRect());
}

// A copy of the Default skin whose applet area has the given alignment.
bool InstallAlignedSkin(const std::wstring& folder, const std::string& alignment)
{
    const std::wstring from = std::wstring(kInstallFolder) + L"Skins\\Default\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* file : {L"back.bmp", L"enable.bmp", L"mask.bmp", L"pushed.bmp", L"tab.bmp"})
        if (!CopyFileW((from + file).c_str(), (folder + L"\\" + file).c_str(), FALSE))
            return false;
    std::string xml = ReadBytes(from + L"skin.xml");
    const std::string applet = "type=\"applet\"";
    const size_t at = xml.find(applet);
    if (at == std::string::npos)
        return false;
    xml.insert(at + applet.size(), " align=\"" + alignment + "\"");
    return WriteBytes(folder + L"\\skin.xml", xml);
}

using HostLayoutTest = BarTest;

TEST_F(HostLayoutTest, NarrowAppletFollowsTheAreaAlignment)
{
    Start();
    ChooseApplet(L"ProbeNarrow");  // 100 wide
    RECT bar = BarRect();
    RECT probe = WindowRect(AppletWindowOnBar(kProbeClass));
    EXPECT_EQ(bar.left, probe.left);  // no alignment given: left
    EXPECT_EQ(100, Width(probe));
    TearDown();

    const std::wstring skin = std::wstring(kInstallFolder) + L"Skins\\RightAligned";
    ASSERT_TRUE(InstallAlignedSkin(skin, "right"));
    WriteText(L"Software\\ZARQ\\Ketra", L"Skin", L"RightAligned");
    Start();
    ChooseApplet(L"ProbeNarrow");
    bar = BarRect();
    probe = WindowRect(AppletWindowOnBar(kProbeClass));
    EXPECT_EQ(bar.left + kAreaWidth, probe.right);
    EXPECT_EQ(bar.left + kAreaWidth - 100, probe.left);
    EXPECT_EQ(bar.top + kAreaTop, probe.top);
    TearDown();
    RemoveTree(skin);
}

TEST_F(HostLayoutTest, AppletWithoutAnyHeightGetsTwoPixels)
{
    const std::wstring dll = std::wstring(kInstallFolder) + L"ZeroProbe.dll";
    ASSERT_TRUE(CopyFileW((TestFolder() + L"ZeroProbe.dll").c_str(), dll.c_str(), FALSE));
    TemporaryApplet zero(L"ZeroProbe", dll);
    Start();
    WriteText(KETRA_OPTIONS_KEY, L"CurrentApplet", L"ZeroProbe");
    SendToBar(WM_KETRA_SHOWAPPLET);
    EXPECT_EQ(L"ZeroProbe", CurrentApplet());  // loaded, not replaced by About
    HWND applet = AppletWindowOnBar(L"KETRA_ZERO_PROBE");
    ASSERT_NE(nullptr, applet);
    EXPECT_EQ(2, Height(WindowRect(applet)));
    EXPECT_EQ(kAreaTop + 2 + kBottomMargin, BarHeight());
}

TEST_F(HostLayoutTest, HeightRequestResizesBarAndApplet)
{
    Start();
    ChooseApplet(L"Probe");
    HWND probe = AppletWindowOnBar(kProbeClass);
    ASSERT_NE(nullptr, probe);
    EXPECT_EQ(kAreaTop + kProbeHeight + kBottomMargin, BarHeight());

    const std::wstring sizeMessage = L"probe: msg 1127 0 " + std::to_wstring(MAKELPARAM(kAreaWidth, 60));
    const int sized = log.Count(sizeMessage);
    EXPECT_EQ(1, SendMessageW(probe, kProbeRequest, WM_KETRA_SETHEIGHT, 60));
    EXPECT_EQ(kAreaTop + 60 + kBottomMargin, BarHeight());
    EXPECT_EQ(60, Height(WindowRect(probe)));
    EXPECT_EQ(sized + 1, log.Count(sizeMessage));

    SendToBar(WM_KETRA_SETHEIGHT, 0, 0);  // no height: not a request
    EXPECT_EQ(kAreaTop + 60 + kBottomMargin, BarHeight());

    // Heights beyond the screen, as another program may send them, stop at
    // the screen: the bar neither overflows its sum nor grows off it.
    const int screen = GetSystemMetrics(SM_CYSCREEN);
    for (LPARAM height : {LPARAM(100000), LPARAM(0x7FFFFFFF)}) {
        EXPECT_EQ(1, SendToBar(WM_KETRA_SETHEIGHT, 0, height));
        EXPECT_EQ(screen, BarHeight()) << height;
        EXPECT_EQ(screen - kAreaTop - kBottomMargin, Height(WindowRect(probe))) << height;
    }
}

TEST_F(HostLayoutTest, HeightAskedForWhileClosedIsTakenWhenOpening)
{
    Start();
    ChooseApplet(L"Probe");
    HWND probe = AppletWindowOnBar(kProbeClass);
    ASSERT_NE(nullptr, probe);
    SendToBar(WM_KETRA_CLOSE);
    ASSERT_FALSE(BarIsOpen());
    const int closedHeight = BarHeight();
    SendMessageW(probe, kProbeRequest, WM_KETRA_SETHEIGHT, 50);
    EXPECT_EQ(closedHeight, BarHeight());  // stays closed
    EXPECT_FALSE(BarIsOpen());
    SendToBar(WM_KETRA_OPEN);
    EXPECT_EQ(kAreaTop + 50 + kBottomMargin, BarHeight());
    EXPECT_EQ(50, Height(WindowRect(probe)));
}

TEST_F(HostLayoutTest, PollTakesTheHeightTheAppletReports)
{
    Start();
    ChooseApplet(L"Probe");
    WriteDword(kProbeKey, L"Height", 70);
    // The poll runs every 4 seconds.
    EXPECT_TRUE(PumpUntil([] { return BarHeight() == kAreaTop + 70 + kBottomMargin; }, 10000)) << BarHeight();
}

}  // namespace
