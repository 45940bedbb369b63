// The launcher applet: in the test's own process from a folder of its own
// (its launch file and icon cache made by the test), and on the real bar
// from the installed folder, as a new user first opens it.
#include <string>
#include <vector>

#include "ketra_testkit.h"
#include "launch_list.h"
#include "system_fixtures.h"

using namespace testkit;
using namespace systemtest;

namespace {

// The grid's first cell sits at (4, 4): the icon area starts one pixel
// down and the grid 4 right, 3 down in it.
RECT IconOf(int index)
{
    const int x = 4 + 22 * (index % 10) + (index % 10 >= 5 ? 3 : 0) + 2;
    const int y = 4 + 21 * (index / 10) + 2;
    return RECT{x, y, x + 16, y + 16};
}

POINT CentreOf(int index)
{
    const RECT icon = IconOf(index);
    return POINT{icon.left + 8, icon.top + 8};
}

const COLORREF kCellColours[] = {RGB(250, 0, 0), RGB(0, 0, 250), RGB(0, 250, 0)};

// An icon cache whose first three cells are plain colours.
bool WriteMarkedCache(const std::wstring& path)
{
    return WriteBmp(path, 160, 160, [](int x, int y) {
        const int cell = (y / 16) * 10 + x / 16;
        return cell < 3 ? kCellColours[cell] : CLaunchList::kTransparent;
    });
}

// The launcher loaded from a folder of its own under a stand-in bar.
class LauncherInProcess : public testing::Test {
protected:
    LauncherInProcess() : folder_(L"startra"), settings_({kLauncherKey}) {}

    void SetUp() override
    {
        ASSERT_TRUE(settings_.Saved());
        WriteDword(kLauncherKey, L"Lines", 2);
        ASSERT_TRUE(CopyFileW((TestFolder() + L"Startra.dll").c_str(), (folder_ / L"Startra.dll").c_str(), FALSE));
        ASSERT_TRUE(CopyFileW(Installed(L"sp.bmp").c_str(), (folder_ / L"sp.bmp").c_str(), FALSE));
    }
    void TearDown() override
    {
        host_.reset();
        EndProcesses(L"tasks.exe");
    }

    AppletHost& Open()
    {
        host_ = std::make_unique<AppletHost>(folder_ / L"Startra.dll");
        EXPECT_NE(nullptr, host_->Create());
        host_->Show();
        return *host_;
    }
    // A hover, then the command (the highlight is the entry under the stylus).
    void Highlight(int index) const
    {
        const POINT at = CentreOf(index);
        host_->Send(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    }
    int Count(const RECT& area, COLORREF colour) const { return host_->Paint()->Count(area, colour); }

    ScratchFolder folder_;
    RegistrySandbox settings_;
    std::unique_ptr<AppletHost> host_;
};

}  // namespace

TEST_F(LauncherInProcess, ShowsTheLinesAndAsksForTheTallerHeightWhenExpanded)
{
    ASSERT_TRUE(WriteLaunchFile(folder_ / L"launch.txt", DevicePrograms(23)));
    ASSERT_TRUE(WriteMarkedCache(folder_ / L"icons.bmp"));
    AppletHost& host = Open();
    EXPECT_EQ(2 * 21 + 4 + 21, Height(WindowRect(host.Window())));
    host.QueryRefresh();
    EXPECT_EQ(67u, host.Item().cyp);
    EXPECT_EQ(kCellColours[1], host.Paint()->At(IconOf(1).left + 8, IconOf(1).top + 8));

    // "Expand" is the tray's fourth item, in the strip under the icons.
    ForceNextGesture(2);
    host.Tap(130 + 3 * 20 + 3 + 10, 46 + 3 + 10);
    ASSERT_FALSE(host.heightRequests.empty());
    EXPECT_EQ(88, host.heightRequests.back());
    EXPECT_EQ(88, Height(WindowRect(host.Window())));
    ForceNextGesture(2);
    host.Tap(130 + 3 * 20 + 3 + 10, 67 + 3 + 10);
    EXPECT_EQ(67, host.heightRequests.back());
}

TEST_F(LauncherInProcess, StartsTheOptionsProgramOnlyWithoutAnIconCache)
{
    ASSERT_TRUE(WriteLaunchFile(folder_ / L"launch.txt", DevicePrograms(3)));
    {
        DeviceLog log;
        Open();
        EXPECT_TRUE(log.Contains(L"Runvel.exe"));
        host_.reset();
    }
    ASSERT_TRUE(WriteMarkedCache(folder_ / L"icons.bmp"));
    DeviceLog log;
    Open();
    EXPECT_FALSE(log.Contains(L"Runvel.exe"));
}

// After a removal the cache's cells belong to other programs: the applet
// draws the programs' own icons until the cache is written again.
TEST_F(LauncherInProcess, NeverShowsAnotherProgramsCachedIcon)
{
    ASSERT_TRUE(WriteLaunchFile(folder_ / L"launch.txt", DevicePrograms(3)));
    ASSERT_TRUE(WriteMarkedCache(folder_ / L"icons.bmp"));
    const std::string launchFile = ReadBytes(folder_ / L"launch.txt");
    Open();
    EXPECT_EQ(256, Count(IconOf(0), kCellColours[0]));

    Highlight(0);
    host_->Send(WM_COMMAND, 101);
    for (int cell = 0; cell < 3; ++cell)
        for (COLORREF colour : kCellColours)
            EXPECT_EQ(0, Count(IconOf(cell), colour)) << "cell " << cell;
    EXPECT_GT(256 - Count(IconOf(0), host_->colours[1]), 16) << "no icon drawn for the new first entry";
    // Removing changes the list in memory only.
    EXPECT_EQ(launchFile, ReadBytes(folder_ / L"launch.txt"));
}

TEST_F(LauncherInProcess, ImportingRewritesTheListAndItsCache)
{
    ASSERT_TRUE(WriteLaunchFile(folder_ / L"launch.txt", {L"\\Windows\\clock.exe"}));
    ASSERT_TRUE(WriteMarkedCache(folder_ / L"icons.bmp"));
    Open();
    CLaunchList defaults;
    defaults.ImportDefault(TRUE);
    ASSERT_GT(defaults.GetCount(), 1);

    {
        BoxAnswerer no(L"Import Default Folders", IDNO);
        host_->Send(WM_COMMAND, 104);
        EXPECT_EQ(L"Do you want to import all installed program in default folders?", no.Text());
    }
    EXPECT_EQ(std::vector<std::wstring>{L"\\Windows\\clock.exe"}, ReadLaunchFile(folder_ / L"launch.txt"));
    {
        BoxAnswerer yes(L"Import Default Folders", IDYES);
        host_->Send(WM_COMMAND, 104);
        yes.Text();
    }
    std::vector<std::wstring> imported;
    for (int i = 0; i < defaults.GetCount(); ++i)
        imported.push_back(defaults.GetPath(i));
    EXPECT_EQ(imported, ReadLaunchFile(folder_ / L"launch.txt"));
    // The cache was drawn again for the new list: no marked cell is left.
    EXPECT_EQ(0, Count(IconOf(0), kCellColours[0]));
    EXPECT_NE(ReadBytes(folder_ / L"icons.bmp").substr(54, 48), std::string(48, '\0'));

    // "Import New Apps" over a complete list changes nothing, twice.
    const std::string full = ReadBytes(folder_ / L"launch.txt");
    for (int i = 0; i < 2; ++i) {
        BoxAnswerer yes(L"Import New Apps", IDYES);
        host_->Send(WM_COMMAND, 105);
        EXPECT_EQ(L"Do you want to import Only New program in default folders?", yes.Text());
        EXPECT_EQ(full, ReadBytes(folder_ / L"launch.txt"));
    }
}

TEST_F(LauncherInProcess, ATapStartsTheProgramUnderTheStylus)
{
    ASSERT_TRUE(WriteLaunchFile(folder_ / L"launch.txt", {L"\\Windows\\calendar.lnk", L"\\Windows\\tasks.lnk"}));
    ASSERT_TRUE(WriteMarkedCache(folder_ / L"icons.bmp"));
    Open();
    DeviceLog log;
    ForceNextGesture(2);
    host_->Tap(CentreOf(1).x, CentreOf(1).y);
    EXPECT_TRUE(log.WaitFor(L"tasks: started", 10000));
    EXPECT_TRUE(log.HasLine(L"launch: \\Windows\\tasks.lnk"));
    EXPECT_FALSE(log.Contains(L"calendar"));
    // Cells past the list start nothing.
    ForceNextGesture(2);
    host_->Tap(CentreOf(12).x, CentreOf(12).y);
    EXPECT_EQ(1u, log.Lines(L"launch: ").size());
}

// A new user's first "Launcher": no list and no cache yet.  The list comes
// from the Start menu, the options program opens and its OK writes the
// cache, and the bar shows the launcher again.
TEST(LauncherOnTheBar, FirstUseImportsTheStartMenuAndBuildsTheCache)
{
    SavedFiles saved({L"launch.txt", L"icons.bmp"});
    DeleteFileW(Installed(L"launch.txt").c_str());
    DeleteFileW(Installed(L"icons.bmp").c_str());
    struct EndPrograms {
        ~EndPrograms()
        {
            EndProcesses(L"Runvel.exe");
            EndProcesses(L"calendar.exe");
        }
    } endPrograms;
    DeviceLog log;
    AppletOnBar launcher(L"Launcher");
    ASSERT_NE(nullptr, launcher.Window());
    CLaunchList defaults;
    defaults.ImportDefault(TRUE);
    EXPECT_EQ(static_cast<size_t>(defaults.GetCount()), ReadLaunchFile(Installed(L"launch.txt")).size());
    EXPECT_EQ(L"\\Windows\\Start Menu\\Calendar.lnk", ReadLaunchFile(Installed(L"launch.txt"))[0]);

    HWND options = WaitForWindow(L"RUNVEL", 10000);
    ASSERT_NE(nullptr, options);
    EXPECT_TRUE(PumpUntil([&] { return launcher.SendToBar(WM_KETRA_WINDOW, KETRA_WINDOW_IS_OPEN) == 0; }, 5000));
    WaitUntilIdle(options);
    PostMessageW(options, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitNoWindow(L"RUNVEL", 10000));
    const std::string cache = ReadBytes(Installed(L"icons.bmp"));
    ASSERT_EQ(54u + 160 * 160 * 3, cache.size());
    EXPECT_EQ("BM", cache.substr(0, 2));
    EXPECT_TRUE(PumpUntil([&] { return launcher.SendToBar(WM_KETRA_WINDOW, KETRA_WINDOW_IS_OPEN) == 1; }, 10000));
    ASSERT_TRUE(launcher.Shown());

    // The first icon is the calendar's shortcut.
    ASSERT_TRUE(launcher.Tap(CentreOf(0).x, CentreOf(0).y));
    EXPECT_TRUE(log.WaitFor(L"calendar: started", 10000));
    EXPECT_TRUE(log.HasLine(L"launch: \\Windows\\Start Menu\\Calendar.lnk"));
}

TEST(LauncherOnTheBar, ExpandMakesTheBarOneRowTaller)
{
    SavedFiles saved({L"launch.txt", L"icons.bmp"});
    ASSERT_TRUE(WriteLaunchFile(Installed(L"launch.txt"), DevicePrograms(23)));
    CLaunchList list;
    list.Load(Installed(L"launch.txt").c_str());
    ASSERT_TRUE(list.WriteIconCache(Installed(L"icons.bmp").c_str()));
    RegistrySandbox settings({kLauncherKey});
    WriteDword(kLauncherKey, L"Lines", 2);

    AppletOnBar launcher(L"Launcher");
    ASSERT_TRUE(launcher.Shown());
    const int bar = Height(WindowRect(launcher.Bar()));
    EXPECT_EQ(67, Height(launcher.Rect()));
    ASSERT_TRUE(launcher.Tap(130 + 3 * 20 + 3 + 10, 46 + 3 + 10));
    EXPECT_TRUE(PumpUntil([&] { return Height(WindowRect(launcher.Bar())) == bar + 21; }, 5000));
    EXPECT_EQ(88, Height(launcher.Rect()));
}
