// The schedule editor driven as its user drives it (its list, buttons and
// lists, its schedule buttons, closing), and its control-panel entry.
#include <gtest/gtest.h>

#include <algorithm>

#include <cplext.h>
#include <htmlctrl.h>

#include "theme_programs.h"

using testkit::DeviceLog;
using testkit::ProgramDriver;
using testkit::PumpUntil;

namespace {

const wchar_t kEditorClass[] = L"ULMIRA_CLASS";
enum {
    kList = 1001, kUp = 1002, kDown = 1003, kAll = 1013, kRandom = 1009, kSequential = 1010,
    kDays = 1011, kHours = 1007, kMinutes = 1008,
};
const UINT kSwitchMessage = 2308;
const UINT kScheduleButton1 = 7001;
const DWORD kWait = 10000;
const COLORREF kAuroraMark = RGB(0xF0, 0xF0, 0x60);  // the static mark of Aurora's movie
// The theme files the test device holds: two in ROM, eight seeded
// documents, one on the card.
const size_t kDeviceThemes = 11;

class EditorTest : public ThemeProgramsTest {
protected:
    std::unique_ptr<ProgramDriver> Open(const std::wstring& args)
    {
        std::unique_ptr<ProgramDriver> editor(new ProgramDriver(kEditorPath, kEditorClass, args));
        return editor;
    }
};

std::vector<std::wstring> Checked(ProgramDriver& editor)
{
    std::vector<std::wstring> checked;
    auto list = editor.List(kList);
    for (int row = 0; row < list->Count(); ++row)
        if (list->Checked(row))
            checked.push_back(list->Text(row));
    return checked;
}

} // namespace

TEST_F(EditorTest, ListsTheThemeFoldersWithTheScheduleFirst)
{
    ASSERT_TRUE(WriteSchedule(1, 1505, CSchedule::kSequential,
                              {L"\\My Documents\\Sunset.tsk", L"\\Windows\\Glacier.tsk"}));
    auto editor = Open(L"1");
    ASSERT_TRUE(editor->Started());
    EXPECT_EQ(L"Settings", testkit::TextOf(editor->Main()));
    auto list = editor->List(kList);
    ASSERT_EQ(kDeviceThemes, static_cast<size_t>(list->Count()));
    EXPECT_EQ(L"Sunset", list->Text(0));
    EXPECT_EQ(L"Glacier", list->Text(1));
    EXPECT_EQ((std::vector<std::wstring>{L"Sunset", L"Glacier"}), Checked(*editor));
    EXPECT_NE(-1, list->Find(L"Harvest")) << "the card's documents are a theme folder";
    // 1505 minutes: 1 day, 1 hour, 5 minutes.
    EXPECT_EQ(L"1", editor->Combo(kDays).SelectedText());
    EXPECT_EQ(L"1", editor->Combo(kHours).SelectedText());
    EXPECT_EQ(L"5", editor->Combo(kMinutes).SelectedText());
    EXPECT_TRUE(editor->Checked(kSequential));
    EXPECT_FALSE(editor->Checked(kRandom));
    EXPECT_EQ((std::vector<std::wstring>{L"0", L"1", L"2", L"3", L"4", L"6", L"7"}), editor->Combo(kDays).Texts())
        << "there is no 5";
    EXPECT_EQ(8, editor->Combo(kMinutes).Count());
    EXPECT_EQ(9, editor->Combo(kHours).Count());
}

TEST_F(EditorTest, FiveDaysFromAFileLeaveTheDaysList)
{
    ASSERT_TRUE(WriteSchedule(0, 5 * 1440 + 10, CSchedule::kRandom, {}));
    auto editor = Open(L"0");
    ASSERT_TRUE(editor->Started());
    EXPECT_EQ(L"0", editor->Combo(kDays).SelectedText());
    EXPECT_EQ(L"0", editor->Combo(kHours).SelectedText());
    EXPECT_EQ(L"10", editor->Combo(kMinutes).SelectedText());
    EXPECT_TRUE(editor->Checked(kRandom));
    EXPECT_TRUE(Checked(*editor).empty());
}

TEST_F(EditorTest, AllClearsFirstThenSets)
{
    ASSERT_TRUE(WriteSchedule(0, 5, CSchedule::kSequential, {L"\\My Documents\\Ocean.tsk"}));
    auto editor = Open(L"0");
    ASSERT_TRUE(editor->Started());
    ASSERT_EQ(1u, Checked(*editor).size());
    editor->Command(kAll);
    EXPECT_TRUE(Checked(*editor).empty());
    editor->Command(kAll);
    EXPECT_EQ(kDeviceThemes, Checked(*editor).size());
    editor->Command(kAll);
    EXPECT_TRUE(Checked(*editor).empty());
}

TEST_F(EditorTest, UpAndDownMoveTheSelectedRow)
{
    ASSERT_TRUE(WriteSchedule(0, 5, CSchedule::kSequential, {L"\\My Documents\\Night.tsk"}));
    auto editor = Open(L"0");
    ASSERT_TRUE(editor->Started());
    auto list = editor->List(kList);
    EXPECT_FALSE(editor->Enabled(kUp));
    EXPECT_FALSE(editor->Enabled(kDown));

    ASSERT_TRUE(list->TapRow(0));
    EXPECT_FALSE(editor->Enabled(kUp));
    EXPECT_TRUE(editor->Enabled(kDown));
    const std::wstring second = list->Text(1);
    editor->Command(kDown);
    EXPECT_EQ(second, list->Text(0));
    EXPECT_EQ(L"Night", list->Text(1));
    EXPECT_TRUE(list->Checked(1)) << "the check mark moves with its row";
    EXPECT_FALSE(list->Checked(0));
    EXPECT_EQ(1, list->Selected());
    EXPECT_TRUE(editor->Enabled(kUp));

    const int last = list->Count() - 1;
    ASSERT_TRUE(list->TapRow(last));
    EXPECT_TRUE(editor->Enabled(kUp));
    EXPECT_FALSE(editor->Enabled(kDown));
    const std::wstring lastText = list->Text(last);
    editor->Command(kDown);
    EXPECT_EQ(lastText, list->Text(last)) << "past the end nothing moves";
    editor->Command(kUp);
    EXPECT_EQ(lastText, list->Text(last - 1));
}

// Closing writes the schedule as the rows stand and the schedule in use,
// and starts the rotator on it.
TEST_F(EditorTest, ClosingSavesAndStartsTheRotator)
{
    ASSERT_TRUE(WriteSchedule(1, 30, CSchedule::kSequential, {L"\\My Documents\\Amber.tsk"}));
    auto editor = Open(L"1");
    ASSERT_TRUE(editor->Started());
    auto list = editor->List(kList);
    ASSERT_TRUE(list->SetChecked(list->Find(L"Meadow"), true));
    ASSERT_TRUE(editor->Combo(kHours).Choose(L"2"));
    ASSERT_TRUE(editor->Combo(kMinutes).Choose(L"3"));
    ASSERT_TRUE(editor->Tap(kRandom));
    DeviceLog log;
    ASSERT_TRUE(editor->CloseByOkCorner());

    EXPECT_EQ(L"123\r\nrandom\r\n2\r\n\\My Documents\\Amber.tsk\r\n\\My Documents\\Meadow.tsk\r\n", ScheduleText(1));
    EXPECT_EQ(1u, testkit::ReadDword(kRotatorKey, L"CurrentSchedule"));
    EXPECT_TRUE(log.WaitFor(L"rotator.exe 1", kWait)) << testkit::ToUtf8(log.First(L"launch: "));
    EXPECT_NE(nullptr, testkit::WaitForWindow(L"Rotator", kWait));
}

TEST_F(EditorTest, SwitchingSchedulesSavesTheOneLeft)
{
    ASSERT_TRUE(WriteSchedule(0, 5, CSchedule::kSequential, {L"\\My Documents\\Ocean.tsk"}));
    ASSERT_TRUE(WriteSchedule(2, 45, CSchedule::kRandom, {L"\\Windows\\Graphite.tsk"}));
    auto editor = Open(L"0");
    ASSERT_TRUE(editor->Started());
    auto list = editor->List(kList);
    ASSERT_TRUE(list->SetChecked(list->Find(L"Sunset"), true));

    editor->MenuCommand(kScheduleButton1 + 2);
    EXPECT_EQ(L"5\r\nsequential\r\n2\r\n\\My Documents\\Ocean.tsk\r\n\\My Documents\\Sunset.tsk\r\n", ScheduleText(0));
    EXPECT_EQ((std::vector<std::wstring>{L"Graphite"}), Checked(*editor));
    EXPECT_EQ(L"45", editor->Combo(kMinutes).SelectedText());

    // Message 2308 switches too; numbers that are no schedule do nothing.
    DWORD_PTR ignored;
    SendMessageTimeoutW(editor->Main(), kSwitchMessage, 9, 0, SMTO_NORMAL, kWait, &ignored);
    EXPECT_EQ((std::vector<std::wstring>{L"Graphite"}), Checked(*editor));
    SendMessageTimeoutW(editor->Main(), kSwitchMessage, 0, 0, SMTO_NORMAL, kWait, &ignored);
    EXPECT_EQ((std::vector<std::wstring>{L"Ocean", L"Sunset"}), Checked(*editor));
    EXPECT_EQ(L"<missing>", ScheduleText(1)) << "only schedules left are written";
}

// A scheduled theme outside the theme folders keeps its place (at the end,
// checked) and survives the next save.
TEST_F(EditorTest, KeepsScheduledThemesOutsideTheFolders)
{
    std::vector<std::wstring> outside = Themes(1);
    ASSERT_TRUE(WriteSchedule(0, 5, CSchedule::kSequential,
                              {L"\\My Documents\\Ocean.tsk", outside[0], L"\\Temp\\gone.tsk"}));
    auto editor = Open(L"0");
    ASSERT_TRUE(editor->Started());
    auto list = editor->List(kList);
    EXPECT_EQ(kDeviceThemes + 1, static_cast<size_t>(list->Count())) << "a row for the theme outside";
    EXPECT_EQ((std::vector<std::wstring>{L"Ocean", L"T0"}), Checked(*editor)) << "a missing file gets no row";
    ASSERT_TRUE(editor->CloseByOkCorner());
    EXPECT_EQ(L"5\r\nsequential\r\n2\r\n\\My Documents\\Ocean.tsk\r\n" + outside[0] + L"\r\n", ScheduleText(0));
}

// The control panel's entry: its record, and opening the editor through
// the shell and the shortcut beside it.
TEST_F(EditorTest, ControlPanelEntryOpensTheEditor)
{
    HMODULE entry = LoadLibraryW(L"\\Windows\\Rotapan.cpl");
    ASSERT_NE(nullptr, entry);
    auto applet = reinterpret_cast<APPLET_PROC>(reinterpret_cast<void*>(GetProcAddress(entry, "CPlApplet")));
    ASSERT_NE(nullptr, applet);
    EXPECT_EQ(1, applet(nullptr, CPL_INIT, 0, 0));
    EXPECT_EQ(1, applet(nullptr, CPL_GETCOUNT, 0, 0));
    NEWCPLINFO info = {};
    EXPECT_EQ(0, applet(nullptr, CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(sizeof(NEWCPLINFO), info.dwSize);
    EXPECT_EQ(1u, info.dwFlags);
    EXPECT_EQ(102, info.lData);
    EXPECT_NE(nullptr, info.hIcon);
    EXPECT_STREQ(L"Vexilo Rotator", info.szName);
    EXPECT_STREQ(L"ZARQ Vexilo Rotator Settings", info.szInfo);
    EXPECT_EQ(0, applet(nullptr, 42, 0, 0)) << "anything else answers 0";

    DeviceLog log;
    EXPECT_EQ(0, applet(nullptr, CPL_DBLCLK, 0, info.lData));
    EXPECT_TRUE(log.WaitFor(L"launch: \\Windows\\Turnsel.lnk", kWait));
    HWND editor = testkit::WaitForWindow(kEditorClass, kWait);
    EXPECT_NE(nullptr, editor);
    applet(nullptr, CPL_STOP, 0, info.lData);
    applet(nullptr, CPL_EXIT, 0, 0);
    FreeLibrary(entry);
    testkit::EndProcesses(L"Turnsel.exe");

    // The device's control panel lists it and opens it.
    log.Restart();
    testkit::DeviceProgram panel(L"\\Windows\\ctlpnl.exe", L"Rotapan.cpl");
    EXPECT_TRUE(log.WaitFor(L"launch: \\Windows\\Turnsel.lnk", kWait));
    EXPECT_NE(nullptr, testkit::WaitForWindow(kEditorClass, kWait));
    testkit::EndProcesses(L"Turnsel.exe");
    panel.Kill();
}

// The theme library's animated preview finds the device's HTML view and
// plays the theme's movie there, from a page it writes beside the movie
// (here a folder named with its drive, as a program's own folder is).
TEST_F(EditorTest, ShowAniTskPlaysTheMovieInAViewOfItsOwn)
{
    TempSlots slots(m_folder, L"Ani.");
    CTskInfo theme;
    ASSERT_TRUE(ReadTheme(L"\\My Documents\\Aurora.tsk", &theme, slots.Paths()));
    testkit::TestWindow parent(L"AnimatedPreviewParent", RECT{0, 40, 240, 140});
    const RECT box = {0, 10, 240, 70};
    DeviceLog log;
    HWND view = ShowAniTsk(GetModuleHandleW(nullptr), parent.hwnd(), &theme, &box);
    ASSERT_NE(nullptr, view);
    EXPECT_EQ(std::wstring(DISPLAYCLASS), testkit::ClassOf(view));
    EXPECT_TRUE(IsWindowVisible(view));
    EXPECT_TRUE(testkit::FileExists(m_folder / L"Preview.htm"));
    EXPECT_TRUE(log.WaitFor(L"240x60, 24 frames at 12 fps", kWait));
    EXPECT_TRUE(PumpUntil([&] { return testkit::ScreenPixel(view, 10, 10) == kAuroraMark; }, kWait));
    DestroyWindow(view);
    EXPECT_TRUE(log.WaitFor(L"flash: stop", kWait));
}

// The editor's preview plays a chosen animated theme in its view and hides
// the view, stopping the movie, for a still one.
TEST_F(EditorTest, PreviewPlaysAnAnimatedThemeAndHidesForAStillOne)
{
    ASSERT_TRUE(WriteSchedule(0, 5, CSchedule::kSequential, {}));
    auto editor = Open(L"0");
    ASSERT_TRUE(editor->Started());
    auto list = editor->List(kList);
    const int aurora = list->Find(L"Aurora"), ocean = list->Find(L"Ocean");
    ASSERT_GE(aurora, 0);
    ASSERT_GE(ocean, 0);
    DeviceLog log;
    ASSERT_TRUE(list->TapRow(aurora));
    EXPECT_TRUE(log.WaitFor(L"RoTmp.003\" 240x60, 24 frames at 12 fps", kWait));
    HWND view = testkit::FindChild(editor->Main(), DISPLAYCLASS);
    ASSERT_NE(nullptr, view);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(view) != FALSE; }, kWait));
    // The movie's mark, somewhere in the page the stage is scaled into.
    auto markShown = [&] {
        const RECT area = testkit::WindowRect(view);
        for (int y = area.top; y < area.bottom; ++y) {
            const std::vector<COLORREF> row = testkit::ScreenRow(y, area.left, area.right);
            if (std::find(row.begin(), row.end(), kAuroraMark) != row.end())
                return true;
        }
        return false;
    };
    EXPECT_TRUE(PumpUntil(markShown, kWait));

    log.Restart();
    ASSERT_TRUE(list->TapRow(ocean));
    EXPECT_TRUE(log.WaitFor(L"flash: stop", kWait));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(view); }, kWait));
}
