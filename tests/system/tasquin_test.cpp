// The task manager: its list of programs over windows the test makes and
// the device's own programs, the applet under a stand-in bar, and on the
// real bar activating and closing programs as a user does.
#include <memory>
#include <string>
#include <vector>

#include "ketra_testkit.h"
#include "task_list.h"

using namespace testkit;

namespace {

const COLORREF kActivateFrame = 0xC7985F;
const COLORREF kCloseFrame = 0xA080D7;

// Cell i of the applet: 20 x 20 from (4, 6), 22 apart.
POINT CellCorner(int index)
{
    return POINT{4 + 22 * index, 6};
}

POINT CellCentre(int index)
{
    return POINT{4 + 22 * index + 10, 16};
}

std::wstring Title(int number)
{
    return L"Program " + std::to_wstring(number);
}

// Ordinary application windows of the test (top-most pop-ups with titles).
class Programs {
public:
    void Add(const std::wstring& title, const wchar_t* className = L"TaskListProgram")
    {
        titles_.push_back(title);
        windows_.push_back(std::make_unique<TestWindow>(className, RECT{10, 200, 60, 220}, RGB(200, 200, 200),
                                                        titles_.back().c_str()));
    }
    HWND At(int index) const { return windows_[index]->hwnd(); }
    void Close(int index) { windows_[index].reset(); }

private:
    std::vector<std::wstring> titles_;
    std::vector<std::unique_ptr<TestWindow>> windows_;
};

int CountTitle(const CTaskList& list, const std::wstring& title)
{
    int count = 0;
    for (int i = 0; i < list.GetCount(); ++i)
        count += title == list.GetAt(i)->m_szTitle;
    return count;
}

const CTaskEntry* FindTitle(const CTaskList& list, const std::wstring& title)
{
    for (int i = 0; i < list.GetCount(); ++i)
        if (title == list.GetAt(i)->m_szTitle)
            return list.GetAt(i);
    return nullptr;
}

std::wstring PathOf(const CTaskList& list, const std::wstring& title)
{
    const CTaskEntry* entry = FindTitle(list, title);
    return entry ? entry->m_szPath : L"<not listed>";
}

// Device programs started by a test, ended when it ends however it ends.
class StartedPrograms {
public:
    explicit StartedPrograms(std::initializer_list<const wchar_t*> programs) : programs_(programs) {}
    ~StartedPrograms()
    {
        for (const wchar_t* program : programs_)
            EndProcesses(program);
    }
    // Started through the shell, its window shown.
    static bool Start(const wchar_t* path, const wchar_t* className)
    {
        return Execute(path) && PumpUntil([&] { return VisibleWindow(className) != nullptr; }, 10000);
    }

private:
    std::vector<const wchar_t*> programs_;
};

int IndexOf(const CTaskList& list, HWND window)
{
    for (int i = 0; i < list.GetCount(); ++i)
        if (list.GetAt(i)->m_hWnd == window)
            return i;
    return -1;
}

// The test's list as the applet under the stand-in bar has it. For a while
// after windows change the device's shell moves each top-most window out of
// its band and back, so a walk made meanwhile can list two top-most programs
// either way round: the applet lists again between two walks of the test
// until both walks agree.
void ListAsTheApplet(const AppletHost& host, CTaskList& list)
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        list.Refresh(host.Host(), TRUE);
        std::vector<HWND> before;
        for (int i = 0; i < list.GetCount(); ++i)
            before.push_back(list.GetAt(i)->m_hWnd);
        host.Send(WM_KETRA_APPLETSHOWN);
        list.Refresh(host.Host(), TRUE);
        bool same = static_cast<int>(before.size()) == list.GetCount();
        for (int i = 0; same && i < list.GetCount(); ++i)
            same = before[i] == list.GetAt(i)->m_hWnd;
        if (same)
            return;
        PumpMessages(50);
    }
    ADD_FAILURE() << "the window order never held still";
}

}  // namespace

TEST(TaskList, OneEntryPerTitleOfTheOrdinaryApplicationWindows)
{
    Programs programs;
    for (int i = 1; i <= 12; ++i)
        programs.Add(Title(i));
    programs.Add(Title(3), L"TaskListSecond");  // above the first "Program 3"
    TestWindow untitled(L"TaskListProgram", RECT{10, 230, 60, 240});
    HWND tool = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"Tool", WS_POPUP | WS_VISIBLE, 0, 250, 20, 20,
                                nullptr, nullptr, nullptr, nullptr);
    HWND owned = CreateWindowExW(0, L"STATIC", L"Owned", WS_POPUP | WS_VISIBLE, 0, 270, 20, 20, programs.At(0),
                                 nullptr, nullptr, nullptr);

    CTaskList list;
    EXPECT_TRUE(list.Refresh(nullptr, TRUE));
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(1, CountTitle(list, Title(i))) << i;
    EXPECT_EQ(0, CountTitle(list, L"Tool"));
    EXPECT_EQ(0, CountTitle(list, L"Owned"));
    EXPECT_EQ(0, CountTitle(list, L""));
    // The upper window of a title is listed, with the class of the last seen.
    const CTaskEntry* third = FindTitle(list, Title(3));
    ASSERT_NE(nullptr, third);
    EXPECT_EQ(programs.At(12), third->m_hWnd);
    EXPECT_STREQ(L"TaskListProgram", third->m_szClass);
    EXPECT_EQ(std::wstring::npos, std::wstring(third->m_szPath).find(L"\\Windows\\"));
    EXPECT_NE(nullptr, wcsstr(third->m_szPath, L".exe"));
    // The Today screen: its own picture, path "Today", and never closed.
    const CTaskEntry* today = FindTitle(list, L"Desktop");
    ASSERT_NE(nullptr, today);
    EXPECT_STREQ(L"Today", today->m_szPath);
    EXPECT_TRUE(today->HasOwnIcon());
    EXPECT_EQ(CTaskList::kTodayIcon, today->m_nOwnIcon);

    DestroyWindow(tool);
    DestroyWindow(owned);
}

TEST(TaskList, WalksAgainOnlyWhenTheForegroundChangedUnlessForced)
{
    Programs programs;
    programs.Add(Title(1));
    SetForegroundWindow(programs.At(0));
    PumpMessages(100);
    CTaskList list;
    list.Refresh(nullptr, TRUE);
    const int count = list.GetCount();
    programs.Add(Title(2));  // shown, not brought to the front
    PumpMessages(100);
    if (GetForegroundWindow() == list.GetRememberedForeground()) {
        EXPECT_FALSE(list.Refresh(nullptr, FALSE));
        EXPECT_EQ(count, list.GetCount());
    }
    EXPECT_TRUE(list.Refresh(nullptr, TRUE));
    EXPECT_EQ(count + 1, list.GetCount());
}

TEST(TaskList, KnowsTheDevicesProgramsByTheirClass)
{
    StartedPrograms started({L"tasks.exe", L"calendar.exe", L"fexplore.exe", L"poutlook.exe"});
    ASSERT_TRUE(StartedPrograms::Start(L"\\Windows\\tasks.exe", L"Tasks Application"));
    ASSERT_TRUE(StartedPrograms::Start(L"\\Windows\\calendar.exe", L"Calendar"));
    ASSERT_TRUE(StartedPrograms::Start(L"\\Windows\\fexplore.exe", L"Explore"));
    ASSERT_TRUE(StartedPrograms::Start(L"\\Windows\\poutlook.exe", L"Contacts"));

    CTaskList list;
    list.Refresh(nullptr, TRUE);
    EXPECT_EQ(L"\\Windows\\tasks.lnk", PathOf(list, L"Tasks"));
    EXPECT_EQ(L"\\Windows\\calendar.lnk", PathOf(list, L"Calendar"));
    EXPECT_EQ(L"\\Windows\\addrbook.lnk", PathOf(list, L"Contacts"));
    const CTaskEntry* explorer = FindTitle(list, L"File Explorer");
    ASSERT_NE(nullptr, explorer);
    EXPECT_EQ(CTaskList::kExploreIcon, explorer->m_nOwnIcon);
    EXPECT_NE(nullptr, wcsstr(explorer->m_szPath, L"fexplore.exe"));
}

TEST(TaskManagerInProcess, ShowsTenCellsAndRefreshesOnlyWhileShown)
{
    Programs programs;
    AppletHost host(TestFolder() + L"Tasquin.dll");
    ASSERT_NE(nullptr, host.Create());
    host.Show();
    EXPECT_EQ(55, Height(WindowRect(host.Window())));
    // The Today screen only (the host window is the applet's own bar).
    auto painted = host.Paint();
    EXPECT_EQ(kActivateFrame, painted->At(CellCorner(0).x, CellCorner(0).y));
    EXPECT_NE(kActivateFrame, painted->At(CellCorner(1).x, CellCorner(1).y));

    // Hidden, the list stays as it was however long the programs change.
    host.Send(WM_KETRA_APPLETHIDDEN);
    programs.Add(Title(1));
    SetForegroundWindow(programs.At(0));
    PumpMessages(2600);
    EXPECT_NE(kActivateFrame, host.Paint()->At(CellCorner(1).x, CellCorner(1).y));
    host.Send(WM_KETRA_APPLETSHOWN);
    EXPECT_EQ(kActivateFrame, host.Paint()->At(CellCorner(1).x, CellCorner(1).y));

    for (int i = 2; i <= 12; ++i)
        programs.Add(Title(i));
    SetForegroundWindow(programs.At(11));
    EXPECT_TRUE(PumpUntil([&] { return host.Paint()->At(CellCorner(9).x, CellCorner(9).y) == kActivateFrame; },
                          5000));
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(kActivateFrame, host.Paint()->At(CellCorner(i).x, CellCorner(i).y)) << "cell " << i;
}

// Commands on an entry whose window has gone, and the close command on the
// Today screen, do nothing (and ask nothing).
TEST(TaskManagerInProcess, LeavesGoneAndProtectedEntriesAlone)
{
    Programs programs;
    programs.Add(Title(1));
    programs.Add(Title(2));
    SetForegroundWindow(programs.At(1));
    AppletHost host(TestFolder() + L"Tasquin.dll");
    ASSERT_NE(nullptr, host.Create());
    host.Show();
    CTaskList list;
    ListAsTheApplet(host, list);
    const int first = IndexOf(list, programs.At(0));
    const int today = IndexOf(list, TodayScreen());
    ASSERT_GE(first, 0);
    ASSERT_GE(today, 0);

    host.Send(WM_MOUSEMOVE, 0, MAKELPARAM(CellCentre(first).x, CellCentre(first).y));
    programs.Close(0);
    host.Send(WM_COMMAND, 102);
    host.Send(WM_COMMAND, 101);
    EXPECT_TRUE(IsWindow(programs.At(1)));

    ListAsTheApplet(host, list);
    const int todayNow = IndexOf(list, TodayScreen());
    host.Send(WM_MOUSEMOVE, 0, MAKELPARAM(CellCentre(todayNow).x, CellCentre(todayNow).y));
    BoxAnswerer noBox(L"Warning", IDOK, 1000);
    host.Send(WM_COMMAND, 102);
    EXPECT_EQ(L"<no box>", noBox.Text());
    EXPECT_TRUE(IsWindowVisible(TodayScreen()));
}

// On the bar, over the device's programs: a tap activates; in close mode a
// tap really ends the program, and the Today screen refuses with a warning.
TEST(TaskManagerOnTheBar, ActivatesAndClosesRealPrograms)
{
    DeviceLog log;
    StartedPrograms started({L"tasks.exe", L"calendar.exe"});
    ASSERT_TRUE(StartedPrograms::Start(L"\\Windows\\calendar.exe", L"Calendar"));
    ASSERT_TRUE(StartedPrograms::Start(L"\\Windows\\tasks.exe", L"Tasks Application"));
    HWND tasks = VisibleWindow(L"Tasks Application");
    WaitUntilIdle(tasks);
    AppletOnBar taskBar(L"TaskBar");
    ASSERT_TRUE(taskBar.Shown());
    HWND calendar = FindWindowW(L"Calendar", nullptr);
    CTaskList list;
    list.Refresh(taskBar.Bar(), TRUE);
    const int calendarCell = IndexOf(list, calendar);
    ASSERT_GE(calendarCell, 0);

    ASSERT_TRUE(taskBar.Tap(CellCentre(calendarCell).x, CellCentre(calendarCell).y));
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == calendar; }, 5000));
    // The shell brings the new foreground window to the top of the window
    // order a moment later; the bar's list follows at its next refresh.
    EXPECT_TRUE(PumpUntil([&] { return IsAbove(calendar, tasks); }, 5000));
    PumpMessages(2500);  // the task manager refreshes every 2 s

    // "TaskBar" in the tray: close mode, the cells framed in its colour.
    ASSERT_TRUE(taskBar.Tap(150 + 20 + 3 + 10, 35 + 3 + 10));
    EXPECT_TRUE(PumpUntil([&] { return taskBar.Pixel(CellCorner(0).x, CellCorner(0).y) == kCloseFrame; }, 3000));
    list.Refresh(taskBar.Bar(), TRUE);
    const int tasksCell = IndexOf(list, tasks);
    ASSERT_GE(tasksCell, 0);
    ASSERT_TRUE(taskBar.Tap(CellCentre(tasksCell).x, CellCentre(tasksCell).y));
    EXPECT_TRUE(log.WaitFor(L"tasks: closed", 5000));
    EXPECT_TRUE(WaitProcessCount(L"tasks.exe", 0, 5000));

    PumpMessages(300);
    list.Refresh(taskBar.Bar(), TRUE);
    const int todayCell = IndexOf(list, TodayScreen());
    ASSERT_GE(todayCell, 0);
    ASSERT_TRUE(taskBar.Tap(CellCentre(todayCell).x, CellCentre(todayCell).y));
    EXPECT_EQ(L"This program can't be closed.", MessageBoxes::WaitFor(L"Warning"));
    EXPECT_TRUE(MessageBoxes::Answer(IDOK, L"Warning"));
    EXPECT_TRUE(IsWindowVisible(TodayScreen()));
    EXPECT_TRUE(IsWindow(calendar));
}
