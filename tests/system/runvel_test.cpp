// The launcher's options program, driven as its user drives it: one
// instance, the bar closed while it runs, rows and arrange mode chosen,
// programs dragged and deleted, and everything written when it closes.
#include <string>
#include <vector>

#include <aygshell.h>

#include "ketra_testkit.h"
#include "system_fixtures.h"

using namespace testkit;
using namespace systemtest;

namespace {

const wchar_t kProgram[] = L"\\Program Files\\ZARQ\\Ketra\\Runvel.exe";
const int kLines = 1006;
const int kArrange = 1007;
const UINT kDeleteAll = 40019;

// The options program over a known list, its files and settings put back.
class LauncherOptions : public testing::Test {
protected:
    LauncherOptions() : files_({L"launch.txt", L"icons.bmp"}), settings_({kLauncherKey}) {}

    void SetUp() override
    {
        ASSERT_TRUE(settings_.Saved());
        ASSERT_TRUE(WriteLaunchFile(Installed(L"launch.txt"), Programs()));
    }
    void TearDown() override { EndProcesses(L"Runvel.exe"); }

    static std::vector<std::wstring> Programs()
    {
        return {L"\\Windows\\calendar.exe", L"\\Windows\\tasks.exe", L"\\Windows\\poutlook.exe",
                L"\\Windows\\calc.exe", L"\\Windows\\solitare.exe"};
    }
    static std::vector<std::wstring> InOrder(std::initializer_list<int> order)
    {
        std::vector<std::wstring> entries;
        for (int index : order)
            entries.push_back(Programs()[index]);
        return entries;
    }
    // The middle of entry index of the grid, on the screen.
    static POINT OnScreen(HWND grid, int index)
    {
        const RECT rect = WindowRect(grid);
        const int x = 4 + 22 * (index % 10) + (index % 10 >= 5 ? 3 : 0) + 11;
        const int y = 3 + 21 * (index / 10) + 10;
        return POINT{rect.left + x, rect.top + y};
    }

    SavedFiles files_;
    RegistrySandbox settings_;
};

}  // namespace

TEST_F(LauncherOptions, ClosesTheBarRunsOnceAndWritesEverythingOnOk)
{
    AppletOnBar about(L"About");
    ASSERT_TRUE(about.Shown());
    WriteDword(kLauncherKey, L"ArrangeType", 1);
    DeleteFileW(Installed(L"icons.bmp").c_str());

    ProgramDriver options(kProgram, L"RUNVEL");
    ASSERT_TRUE(options.Started());
    EXPECT_EQ(L"Settings", TextOf(options.Main()));
    // Its input-panel button is hidden, so its menu bar spans the screen.
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), Width(WindowRect(SHFindMenuBar(options.Main()))));
    EXPECT_TRUE(PumpUntil([&] { return about.SendToBar(WM_KETRA_WINDOW, KETRA_WINDOW_IS_OPEN) == 0; }, 5000));
    // Started in the arrange mode saved last.
    EXPECT_EQ(L"Swap", options.Combo(kArrange).SelectedText());
    EXPECT_EQ(L"2", options.Combo(kLines).SelectedText());

    // A second start only brings the first forward.
    DeviceProgram second(kProgram);
    EXPECT_TRUE(second.WaitExit(10000));
    EXPECT_EQ(1, CountWindows(L"RUNVEL"));

    ASSERT_TRUE(options.Combo(kLines).Choose(L"4"));
    ASSERT_TRUE(options.Combo(kArrange).Choose(L"Insert"));
    ASSERT_TRUE(options.CloseByOkCorner());
    EXPECT_EQ(4u, ReadDword(kLauncherKey, L"Lines"));
    EXPECT_EQ(0u, ReadDword(kLauncherKey, L"ArrangeType"));
    EXPECT_EQ(Programs(), ReadLaunchFile(Installed(L"launch.txt")));
    const std::string cache = ReadBytes(Installed(L"icons.bmp"));
    ASSERT_EQ(54u + 160 * 160 * 3, cache.size());
    EXPECT_EQ(24, cache[28]);
    // The bar shows its applet again.
    EXPECT_TRUE(PumpUntil([&] { return about.Shown(); }, 10000));
}

TEST_F(LauncherOptions, DraggingInsertsOrSwapsByTheArrangeMode)
{
    struct Case {
        const wchar_t* mode;
        std::vector<std::wstring> expected;
    } cases[] = {
        {L"Insert", InOrder({1, 2, 0, 3, 4})},
        {L"Swap", InOrder({3, 1, 2, 0, 4})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ToUtf8(c.mode));
        ASSERT_TRUE(WriteLaunchFile(Installed(L"launch.txt"), Programs()));
        ProgramDriver options(kProgram, L"RUNVEL");
        ASSERT_TRUE(options.Started());
        ASSERT_TRUE(options.Combo(kArrange).Choose(c.mode));
        HWND grid = FindChild(options.Main(), L"LANCHER_OPTION");
        ASSERT_NE(nullptr, grid);
        const POINT from = OnScreen(grid, 0);
        const POINT to = OnScreen(grid, 3);
        ASSERT_TRUE(Drag(from.x, from.y, to.x, to.y));
        PumpMessages(200);
        ASSERT_TRUE(options.CloseWindow());
        EXPECT_EQ(c.expected, ReadLaunchFile(Installed(L"launch.txt")));
    }
}

TEST_F(LauncherOptions, DeleteAllAsksFirst)
{
    ProgramDriver options(kProgram, L"RUNVEL");
    ASSERT_TRUE(options.Started());
    PostMessageW(options.Main(), WM_COMMAND, kDeleteAll, 0);
    EXPECT_EQ(L"Do you want to delete all program icons?", MessageBoxes::WaitFor(L"Delete All"));
    ASSERT_TRUE(MessageBoxes::Answer(IDNO, L"Delete All"));
    ASSERT_TRUE(MessageBoxes::WaitNone());
    PostMessageW(options.Main(), WM_COMMAND, kDeleteAll, 0);
    ASSERT_NE(L"<no box>", MessageBoxes::WaitFor(L"Delete All"));
    ASSERT_TRUE(MessageBoxes::Answer(IDYES, L"Delete All"));
    ASSERT_TRUE(MessageBoxes::WaitNone());
    ASSERT_TRUE(options.CloseWindow());
    EXPECT_EQ(std::string("<\0/\0L\0I\0S\0T\0>\0\r\0", 16), ReadBytes(Installed(L"launch.txt")));
}

TEST_F(LauncherOptions, ACacheThatCannotBeWrittenIsReportedAndTheListStillSaved)
{
    ASSERT_TRUE(WriteBytes(Installed(L"icons.bmp"), "old"));
    SetFileAttributesW(Installed(L"icons.bmp").c_str(), FILE_ATTRIBUTE_READONLY);
    ProgramDriver options(kProgram, L"RUNVEL");
    ASSERT_TRUE(options.Started());
    ASSERT_TRUE(options.Combo(kArrange).Choose(L"Insert"));
    HWND grid = FindChild(options.Main(), L"LANCHER_OPTION");
    const POINT from = OnScreen(grid, 4);
    const POINT to = OnScreen(grid, 0);
    ASSERT_TRUE(Drag(from.x, from.y, to.x, to.y));
    PostMessageW(options.Main(), WM_COMMAND, IDOK, 0);
    // The box's caption is the file's full path.
    EXPECT_EQ(L"Can't open file", MessageBoxes::WaitFor(L"D:" + Installed(L"icons.bmp")));
    ASSERT_TRUE(MessageBoxes::Answer(IDOK));
    ASSERT_TRUE(options.WaitEnded(10000));
    EXPECT_EQ("old", ReadBytes(Installed(L"icons.bmp")));
    EXPECT_EQ(InOrder({4, 0, 1, 2, 3}), ReadLaunchFile(Installed(L"launch.txt")));
}
