// The hardware-button applet: the buttons it reads, a program assigned
// through its list pop-up and started by the button, the pop-up's closing,
// and the battery attention.
#include <string>

#include "hardware_buttons.h"
#include "ketra_testkit.h"
#include "launch_list.h"
#include "system_fixtures.h"

using namespace testkit;
using namespace systemtest;

namespace {

std::wstring ButtonKey(int button)
{
    wchar_t key[64];
    HardwareButtons::KeyPath(button, key, 64);
    return key;
}

std::wstring ProgramOf(const wchar_t* command)
{
    wchar_t program[HardwareButtons::kProgramChars];
    HardwareButtons::ProgramOfCommand(command, program, HardwareButtons::kProgramChars);
    return program;
}

// Button i's cell is (6 + 45 i, 4) to (46 + 45 i, 26).
POINT ButtonCentre(int index)
{
    return POINT{6 + 45 * index + 20, 15};
}

// The applet under a stand-in bar with its own launch list, the button
// keys and launcher files put back afterwards.
class ButtonApplet : public testing::Test {
protected:
    ButtonApplet() : keys_({kButtonKeys}), files_({L"launch.txt", L"icons.bmp"}) {}

    void SetUp() override
    {
        ASSERT_TRUE(keys_.Saved());
        ASSERT_TRUE(WriteLaunchFile(Installed(L"launch.txt"),
                                    {L"\\Windows\\calendar.exe", L"\\Windows\\Start Menu\\Programs\\Calculator.lnk"}));
        ASSERT_TRUE(CopyFileW((TestFolder() + L"Keyvast.dll").c_str(), Installed(L"KeyvastTest.dll").c_str(),
                              FALSE));
    }
    void TearDown() override
    {
        host_.reset();
        DeleteFileW(Installed(L"KeyvastTest.dll").c_str());
        EndProcesses(L"calc.exe");
        EndProcesses(L"calendar.exe");
    }
    // Loaded from the installed folder, beside the launcher's files.
    AppletHost& Open()
    {
        host_ = std::make_unique<AppletHost>(Installed(L"KeyvastTest.dll"));
        EXPECT_NE(nullptr, host_->Create());
        host_->Show();
        return *host_;
    }
    HWND OpenListOf(int button) const
    {
        const POINT at = ButtonCentre(button);
        host_->Tap(at.x, at.y);
        return VisibleWindow(L"WNDMENU");
    }
    // A stylus up in the pop-up at a point of its own.
    static void ReleaseIn(HWND popup, int x, int y) { SendMessageW(popup, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }

    RegistrySandbox keys_;
    SavedFiles files_;
    std::unique_ptr<AppletHost> host_;
};

}  // namespace

TEST(HardwareButtons, ReadTheProgramOfEveryFormOfCommand)
{
    EXPECT_EQ(L"\\Windows\\a.exe", ProgramOf(L"\"\\Windows\\a.exe\""));
    EXPECT_EQ(L"\\Windows\\a.exe", ProgramOf(L"\"\\Windows\\a.exe\" -x \"y\""));
    EXPECT_EQ(L"\\Windows\\a.exe", ProgramOf(L"\\Windows\\a.exe"));  // unquoted: nothing lost
    EXPECT_EQ(L"\\Windows\\a.exe", ProgramOf(L"\\Windows\\a.exe \"y\""));
    EXPECT_EQ(L"", ProgramOf(L""));
    EXPECT_EQ(L"", ProgramOf(L"\""));
    EXPECT_EQ(L"", ProgramOf(nullptr));
    EXPECT_EQ(std::wstring(95, L'p'), ProgramOf((L"\"" + std::wstring(300, L'p') + L"\"").c_str()));
}

TEST_F(ButtonApplet, ShowsTheButtonsUpToTheFirstWithoutResetCommand)
{
    DeleteValue(ButtonKey(3), L"ResetCmd");
    AppletHost& host = Open();
    EXPECT_EQ(50, Height(WindowRect(host.Window())));
    auto painted = host.Paint();
    for (int button = 0; button < 4; ++button) {
        const POINT centre = ButtonCentre(button);
        const RECT inside = {centre.x - 15, centre.y - 8, centre.x + 15, centre.y + 8};
        EXPECT_EQ(button < 2, painted->Count(inside, host.colours[1]) > 100) << "button " << button;
    }
    // A tap on a missing button, or between two, opens nothing.
    for (int x : {static_cast<int>(ButtonCentre(2).x), 48, 228}) {
        host.Tap(x, 15);
        EXPECT_EQ(nullptr, VisibleWindow(L"WNDMENU")) << x;
    }
}

// Two taps assign: the button, then a program of the list.  The key gets
// the quoted path, the shell hears of it twice, and the button starts it.
TEST_F(ButtonApplet, AssignsAProgramThatTheButtonThenStarts)
{
    TestWindow listener(L"ButtonChangeListener", RECT{0, 300, 10, 310});
    Open();
    HWND popup = OpenListOf(0);
    ASSERT_NE(nullptr, popup);
    const RECT shown = WindowRect(popup);
    EXPECT_EQ(230, Width(shown));
    EXPECT_EQ(21 + 8, Height(shown));
    EXPECT_EQ(WS_EX_TOPMOST | WS_EX_NOACTIVATE,
              GetWindowLongPtrW(popup, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_NOACTIVATE));
    EXPECT_EQ(popup, GetCapture());

    listener.ClearMessages();
    ReleaseIn(popup, 4 + 22 + 10, 10);  // the calculator's shortcut
    EXPECT_FALSE(IsWindowVisible(popup));
    EXPECT_EQ(L"\"\\Windows\\Start Menu\\Programs\\Calculator.lnk\"", ReadText(ButtonKey(1), nullptr));
    EXPECT_TRUE(HasValue(ButtonKey(1), L"WndCls"));
    EXPECT_EQ(L"", ReadText(ButtonKey(1), L"WndCls"));
    EXPECT_EQ(0u, ReadDword(ButtonKey(1), L"BtnWnd"));
    int announced = 0;
    for (const RecordedMessage& message : listener.Messages(WM_SETTINGCHANGE))
        announced += message.wParam == 228;
    EXPECT_EQ(2, announced);

    DeviceLog log;
    ASSERT_TRUE(PressKey(0xC1));
    EXPECT_TRUE(log.WaitFor(L"calc: started", 10000));

    // The second time the pop-up comes back at full size.
    popup = OpenListOf(1);
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(shown.right - shown.left, Width(WindowRect(popup)));
    EXPECT_EQ(shown.bottom - shown.top, Height(WindowRect(popup)));
    ReleaseIn(popup, 4 + 10, 10);
    EXPECT_EQ(L"\"\\Windows\\calendar.exe\"", ReadText(ButtonKey(2), nullptr));
}

TEST_F(ButtonApplet, ReleasingOutsideTheProgramsChangesNothing)
{
    Open();
    const std::wstring before = ReadText(ButtonKey(1), nullptr);
    HWND popup = OpenListOf(0);
    ASSERT_NE(nullptr, popup);
    ReleaseIn(popup, 4 + 2 * 22 + 10, 10);  // past the second program
    EXPECT_FALSE(IsWindowVisible(popup));
    ReleaseIn(popup, -50, -50);
    EXPECT_EQ(before, ReadText(ButtonKey(1), nullptr));
    EXPECT_TRUE(keys_.Differences().empty());
    // A notification that is not the pop-up's own choice is not read.
    host_->Send(WM_NOTIFY, 1, reinterpret_cast<LPARAM>(L"\\Windows\\evil.exe"));
    EXPECT_TRUE(keys_.Differences().empty());
}

TEST_F(ButtonApplet, AsksForAttentionOnlyBelowThirtyPercentOfABattery)
{
    DeviceState state;
    AppletHost& host = Open();
    struct Case {
        DWORD flag;
        DWORD percent;
        int attention;
    } cases[] = {{1, 29, 1}, {1, 30, 0}, {8, 5, 1}, {0, 10, 0}, {128, 255, 0}};
    for (const Case& c : cases) {
        state.Set(L"BatteryFlag", c.flag);
        state.Set(L"BatteryLifePercent", c.percent);
        EXPECT_EQ(c.attention, host.CheckNotify()) << c.flag << " " << c.percent;
    }
}
