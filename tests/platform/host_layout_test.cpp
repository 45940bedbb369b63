// Where the side bar puts its applet and how tall it makes itself: the
// skin's alignment for narrow applets, the least height, and height changes
// the applet asks for, reports to the poll, or asks for while the bar is
// closed.
#include "host_fixture.h"

#include <fstream>
#include <iterator>

namespace {

// The Default skin: the applet area starts 24 pixels down and is 240 wide,
// and the bar ends 8 pixels below it; the probe is 40 high.
const int kAreaTop = 24;
const int kAreaWidth = 240;
const int kBottomMargin = 8;
const int kProbeHeight = 40;
const UINT kProbeRequest = WM_APP + 1;  // the probe sends its parent the message in wParam
const wchar_t kInstallFolder[] = L"D:\\Program Files\\ZARQ\\Ketra\\";
const wchar_t kSkinKey[] = L"Software\\ZARQ\\Ketra";

int Height(const RECT& rect)
{
    return rect.bottom - rect.top;
}

RECT WindowRect(HWND window)
{
    RECT rect = {};
    if (window)
        GetWindowRect(window, &rect);
    return rect;
}

std::wstring TestFolder()
{
    std::wstring devctl = DevctlPath();
    return devctl.substr(0, devctl.find_last_of(L"\\/") + 1);
}

// A copy of the Default skin whose applet area has the given alignment.
bool InstallAlignedSkin(const std::wstring& name, const std::string& alignment)
{
    const std::wstring from = std::wstring(kInstallFolder) + L"Skins\\Default\\";
    const std::wstring to = std::wstring(kInstallFolder) + L"Skins\\" + name + L"\\";
    CreateDirectoryW(to.c_str(), nullptr);
    for (const wchar_t* file : {L"back.bmp", L"enable.bmp", L"mask.bmp", L"pushed.bmp", L"tab.bmp"})
        if (!CopyFileW((from + file).c_str(), (to + file).c_str(), FALSE))
            return false;
    std::ifstream in((from + L"skin.xml").c_str(), std::ios::binary);
    std::string xml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string applet = "type=\"applet\"";
    const size_t at = xml.find(applet);
    if (at == std::string::npos)
        return false;
    xml.insert(at + applet.size(), " align=\"" + alignment + "\"");
    std::ofstream out((to + L"skin.xml").c_str(), std::ios::binary | std::ios::trunc);
    out << xml;
    return static_cast<bool>(out);
}

// Puts the skin value back whatever the test's outcome.
struct SkinChoice {
    explicit SkinChoice(LPCWSTR skin) { SetMachineText(kSkinKey, L"Skin", skin); }
    ~SkinChoice() { SetMachineText(kSkinKey, L"Skin", L"Default"); }
};

using HostLayoutTest = HostTest;

TEST_F(HostLayoutTest, NarrowAppletFollowsTheAreaAlignment)
{
    Start();
    Send(WM_COMMAND, 1202, 0);  // ProbeNarrow, 100 wide
    RECT bar = BarRect();
    RECT probe = WindowRect(FindAppletWindow(L"KETRA_PROBE"));
    EXPECT_EQ(bar.left, probe.left);  // no alignment given: left
    EXPECT_EQ(100, probe.right - probe.left);
    TearDown();

    ASSERT_TRUE(InstallAlignedSkin(L"RightAligned", "right"));
    SkinChoice skin(L"RightAligned");
    Start();
    Send(WM_COMMAND, 1202, 0);
    bar = BarRect();
    probe = WindowRect(FindAppletWindow(L"KETRA_PROBE"));
    EXPECT_EQ(bar.left + kAreaWidth, probe.right);
    EXPECT_EQ(bar.left + kAreaWidth - 100, probe.left);
    EXPECT_EQ(bar.top + kAreaTop, probe.top);
}

TEST_F(HostLayoutTest, AppletWithoutAnyHeightGetsTwoPixels)
{
    const std::wstring dll = std::wstring(kInstallFolder) + L"ZeroProbe.dll";
    ASSERT_TRUE(CopyFileW((TestFolder() + L"ZeroProbe.dll").c_str(), dll.c_str(), FALSE));
    TemporaryApplet zero(L"ZeroProbe", dll, 90);
    Start();
    RunDevctl({L"reg", L"set", kOptions, L"CurrentApplet", L"sz", L"ZeroProbe"});
    Send(1030, 0, 0);
    EXPECT_EQ(L"ZeroProbe", CurrentApplet());  // loaded, not replaced by About
    HWND applet = FindAppletWindow(L"KETRA_ZERO_PROBE");
    ASSERT_NE(nullptr, applet);
    EXPECT_EQ(2, Height(WindowRect(applet)));
    EXPECT_EQ(kAreaTop + 2 + kBottomMargin, Height(BarRect()));
}

TEST_F(HostLayoutTest, HeightRequestResizesBarAndApplet)
{
    Start();
    Send(WM_COMMAND, 1201, 0);
    HWND probe = FindAppletWindow(L"KETRA_PROBE");
    ASSERT_NE(nullptr, probe);
    EXPECT_EQ(kAreaTop + kProbeHeight + kBottomMargin, Height(BarRect()));

    const std::wstring sizeMessage = L"probe: msg 1127 0 " + Num(MAKELPARAM(kAreaWidth, 60));
    const int sized = LogCount(sizeMessage);
    EXPECT_EQ(1, SendMessageW(probe, kProbeRequest, 1031, 60));
    EXPECT_EQ(kAreaTop + 60 + kBottomMargin, Height(BarRect()));
    EXPECT_EQ(60, Height(WindowRect(probe)));
    EXPECT_EQ(sized + 1, LogCount(sizeMessage));

    Send(1031, 0, 0);  // no height: not a request
    EXPECT_EQ(kAreaTop + 60 + kBottomMargin, Height(BarRect()));
}

TEST_F(HostLayoutTest, HeightAskedForWhileClosedIsTakenWhenOpening)
{
    Start();
    Send(WM_COMMAND, 1201, 0);
    HWND probe = FindAppletWindow(L"KETRA_PROBE");
    ASSERT_NE(nullptr, probe);
    Send(1027, 0, 0);
    ASSERT_EQ(L"0", Send(1029, 4, 0));
    const int closedHeight = Height(BarRect());
    SendMessageW(probe, kProbeRequest, 1031, 50);
    EXPECT_EQ(closedHeight, Height(BarRect()));  // stays closed
    EXPECT_EQ(L"0", Send(1029, 4, 0));
    Send(1026, 0, 0);
    EXPECT_EQ(kAreaTop + 50 + kBottomMargin, Height(BarRect()));
    EXPECT_EQ(50, Height(WindowRect(probe)));
}

TEST_F(HostLayoutTest, PollTakesTheHeightTheAppletReports)
{
    Start();
    Send(WM_COMMAND, 1201, 0);
    SetMachineDword(kProbeState, L"Height", 70);
    // The poll runs every 4 seconds.
    EXPECT_TRUE(PumpUntil([] { return Height(BarRect()) == kAreaTop + 70 + kBottomMargin; }, 10000))
        << Height(BarRect());
    DeleteMachineValue(kProbeState, L"Height");
}

}  // namespace
