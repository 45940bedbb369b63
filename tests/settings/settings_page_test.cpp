// The Options page of the settings program on the device, driven as the user
// drives it (taps on its controls, the button list as its drop-down sends
// it) and checked in the registry, the start-up folder and the device log.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "settings_fixture.h"

namespace {

using namespace testkit;

const wchar_t kKetraKey[] = L"SOFTWARE\\ZARQ\\KETRA";
const wchar_t kButtonsKey[] = L"Software\\Microsoft\\Shell\\Keys";
const wchar_t kShortcut[] = L"\\Windows\\StartUp\\Ketra.lnk";
// Ketra.exe beside Option.exe, as the program names its own folder.
const wchar_t kAssignedCommand[] = L"\"D:\\Program Files\\ZARQ\\Ketra\\Ketra.exe\"";
constexpr WPARAM kButtonsChanged = 228;

// Control ids of the page.
constexpr int kSoundOn = 1009, kBkPick = 1011, kBkImage = 1012, kBkStretch = 1014, kBackOn = 1016;
constexpr int kSndOpenPick = 1017, kOpenSoundPlay = 1018, kAutoStart = 1020, kMinimize = 1022, kButtonList = 1027;

std::wstring ButtonKey(int n)
{
    wchar_t name[8];
    swprintf(name, 8, L"%x", 0x40C0 + n);
    return std::wstring(kButtonsKey) + L"\\" + name;
}

// The hardware buttons' keys and the start-up shortcut are put back too.
class OptionsPageTest : public SettingsTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(buttons_.Saved());
        SettingsTest::SetUp();
        DeleteFileW(kShortcut);
    }
    void TearDown() override
    {
        SettingsTest::TearDown();
        DeleteFileW(kShortcut);
        buttons_.Restore();
        BroadcastSettingChange(kButtonsChanged);
    }

    void Open() { SettingsTest::Open(kOptionsPage); }
    bool Checked(int id) const { return settings_->Checked(id); }
    bool Enabled(int id) const { return settings_->Enabled(id); }
    void Tap(int id) { ASSERT_TRUE(settings_->Tap(id)); PumpMessages(200); }
    RemoteComboBox ButtonList() const { return settings_->Combo(kButtonList); }
    // Buttons 1, 2 and 4 have their own command; 3 has none, so only two count.
    void SeedButtons()
    {
        for (int n = 1; n <= 4; ++n) {
            DeleteKey(ButtonKey(n));
            std::wstring own = L"\"\\Windows\\own" + std::to_wstring(n) + L".exe\"";
            WriteText(ButtonKey(n), nullptr, own);
            if (n != 3)
                WriteText(ButtonKey(n), L"ResetCmd", own);
        }
    }

    RegistrySandbox buttons_{{kButtonsKey}};
};

TEST_F(OptionsPageTest, MissingOptionsGetTheirDefaults)
{
    DeleteKey(KETRA_OPTIONS_KEY);
    Open();
    EXPECT_TRUE(Checked(kMinimize));
    EXPECT_TRUE(Checked(kBackOn));
    EXPECT_TRUE(Checked(kSoundOn));
    EXPECT_EQ(L"StWater.gif", settings_->Text(kBkImage));
    Close();

    EXPECT_EQ(L"About", ReadText(KETRA_OPTIONS_KEY, L"DefaultApplet"));
    EXPECT_EQ(L"About", ReadText(KETRA_OPTIONS_KEY, L"CurrentApplet"));
    EXPECT_EQ(50u, ReadDword(KETRA_OPTIONS_KEY, L"xpos"));
    EXPECT_EQ(50u, ReadDword(KETRA_OPTIONS_KEY, L"ypos"));
    EXPECT_EQ(1u, ReadDword(KETRA_OPTIONS_KEY, L"SoundOn"));
    EXPECT_EQ(L"\\Windows\\lowbatt.wav", ReadText(KETRA_OPTIONS_KEY, L"SndOpen"));
    EXPECT_EQ(L"\\Windows\\lowbatt.wav", ReadText(KETRA_OPTIONS_KEY, L"SndClose"));
    EXPECT_EQ(0u, ReadDword(KETRA_OPTIONS_KEY, L"AutoClose"));
    EXPECT_EQ(6u, ReadDword(KETRA_OPTIONS_KEY, L"WinMode"));
    EXPECT_EQ(1u, ReadDword(KETRA_OPTIONS_KEY, L"BackOn"));
    EXPECT_EQ(L"\\Windows\\StWater.gif", ReadText(KETRA_OPTIONS_KEY, L"BkImage"));
    EXPECT_EQ(0u, ReadDword(KETRA_OPTIONS_KEY, L"BkStretch"));
}

TEST_F(OptionsPageTest, PositionsAreClampedAndTappedBoxesSaved)
{
    WriteDword(KETRA_OPTIONS_KEY, L"xpos", 241);
    WriteDword(KETRA_OPTIONS_KEY, L"ypos", 320);
    WriteDword(KETRA_OPTIONS_KEY, L"WinMode", 6);
    WriteDword(KETRA_OPTIONS_KEY, L"BackOn", 1);
    WriteDword(KETRA_OPTIONS_KEY, L"BkStretch", 1);
    Open();
    EXPECT_TRUE(Enabled(kBkStretch));
    Tap(kMinimize);
    EXPECT_FALSE(Checked(kMinimize));
    // Without a background, its options are out of reach.
    Tap(kBackOn);
    EXPECT_FALSE(Enabled(kBkStretch));
    EXPECT_FALSE(Enabled(kBkPick));
    Close();

    EXPECT_EQ(50u, ReadDword(KETRA_OPTIONS_KEY, L"xpos"));
    EXPECT_EQ(320u, ReadDword(KETRA_OPTIONS_KEY, L"ypos"));
    EXPECT_EQ(12u, ReadDword(KETRA_OPTIONS_KEY, L"WinMode"));
    EXPECT_EQ(0u, ReadDword(KETRA_OPTIONS_KEY, L"BackOn"));
    EXPECT_EQ(1u, ReadDword(KETRA_OPTIONS_KEY, L"BkStretch"));
}

TEST_F(OptionsPageTest, AutoStartCreatesAndDeletesTheStartUpShortcut)
{
    Open();
    EXPECT_FALSE(Checked(kAutoStart));
    Tap(kAutoStart);
    Close();
    const std::string target = "\"\\Program Files\\ZARQ\\Ketra\\Ketra.exe\"";
    EXPECT_EQ(std::to_string(target.size()) + "#" + target, ReadBytes(kShortcut));

    // A shortcut made read-only goes as well.
    SetFileAttributesW(kShortcut, FILE_ATTRIBUTE_READONLY);
    Open();
    EXPECT_TRUE(Checked(kAutoStart));
    Tap(kAutoStart);
    Close();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(kShortcut));

    // Without an install folder there is nothing to start.
    ASSERT_TRUE(DeleteValue(kKetraKey, L"path"));
    Open();
    Tap(kAutoStart);
    Close();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(kShortcut));
}

TEST_F(OptionsPageTest, ButtonsCountUpToTheFirstWithoutItsOwnCommand)
{
    SeedButtons();
    Open();
    EXPECT_EQ((std::vector<std::wstring>{L"None", L"Button1", L"Button2"}), ButtonList().Texts());
    EXPECT_EQ(0, ButtonList().Selected());
    ButtonList().Choose(2);
    Close();
    EXPECT_EQ(kAssignedCommand, ReadText(ButtonKey(2), nullptr));
    EXPECT_EQ(L"", ReadText(ButtonKey(2), L"WndCls"));
    EXPECT_TRUE(HasValue(ButtonKey(2), L"WndCls"));
    EXPECT_EQ(0u, ReadDword(ButtonKey(2), L"BtnWnd"));
    EXPECT_EQ(L"\"\\Windows\\own1.exe\"", ReadText(ButtonKey(1), nullptr));

    // The assigned button shows as chosen; "None" gives it its own command back.
    Open();
    EXPECT_EQ(2, ButtonList().Selected());
    ButtonList().Choose(0);
    Close();
    EXPECT_EQ(L"\"\\Windows\\own2.exe\"", ReadText(ButtonKey(2), nullptr));
}

TEST_F(OptionsPageTest, AButtonStartingKetraElsewhereIsChosenAndMovedWithoutLosingCommands)
{
    SeedButtons();
    WriteText(ButtonKey(1), nullptr, L"\"\\x\\Ketra.exe\"");
    Open();
    EXPECT_EQ(1, ButtonList().Selected());
    ButtonList().Choose(2);
    Close();
    EXPECT_EQ(L"\"\\Windows\\own1.exe\"", ReadText(ButtonKey(1), nullptr));
    EXPECT_EQ(kAssignedCommand, ReadText(ButtonKey(2), nullptr));

    // A button whose own command went missing keeps what it has.
    Open();
    EXPECT_EQ(2, ButtonList().Selected());
    ASSERT_TRUE(DeleteValue(ButtonKey(2), L"ResetCmd"));
    ButtonList().Choose(0);
    Close();
    EXPECT_EQ(kAssignedCommand, ReadText(ButtonKey(2), nullptr));
}

TEST_F(OptionsPageTest, TheAssignedButtonStartsTheSideBar)
{
    Open();
    ButtonList().Choose(2);
    Close();
    CloseBar();
    ASSERT_EQ(nullptr, KetraFindBar());
    ASSERT_TRUE(PressKey(0xC2));
    EXPECT_NE(nullptr, WaitForWindow(KETRA_CLASS, 15000));
    CloseBar();

    Open();
    ButtonList().Choose(0);
    Close();
    EXPECT_EQ(ReadText(ButtonKey(2), L"ResetCmd"), ReadText(ButtonKey(2), nullptr));
}

TEST_F(OptionsPageTest, OpenSoundPlaysTheChosenSound)
{
    WriteText(KETRA_OPTIONS_KEY, L"SndOpen", L"\\Windows\\lowbatt.wav");
    Open();
    DeviceLog log;
    Tap(kOpenSoundPlay);
    EXPECT_TRUE(log.WaitFor(L"sound: \\Windows\\lowbatt.wav", 5000));
}

// The sound "..." picks a file from the device's file tree, starting where the
// current sound is; only sounds are offered.
TEST_F(OptionsPageTest, PickedSoundIsStored)
{
    const wchar_t folder[] = L"\\My Documents\\0pick";
    const wchar_t picked[] = L"\\My Documents\\0pick\\new.wav";
    CreateDirectoryW(folder, nullptr);
    ASSERT_TRUE(CopyFileW(L"\\Windows\\lowbatt.wav", picked, FALSE));
    ASSERT_TRUE(CopyFileW(L"\\Windows\\StWater.gif", L"\\My Documents\\0pick\\a.gif", FALSE));
    WriteText(KETRA_OPTIONS_KEY, L"SndOpen", L"\\My Documents\\0pick\\old.wav");
    Open();
    Tap(kSndOpenPick);
    HWND browse = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (browse = FindWindowW(L"#32770", L"Browse")) != nullptr; }, 5000));
    WaitUntilIdle(browse);  // found before its tree is filled
    RemoteTreeView tree(GetDlgItem(browse, 17788));
    ASSERT_TRUE(tree.Ready());
    HTREEITEM pick = tree.Find({tree.Text(tree.Root()), L"My Documents", L"0pick"});
    ASSERT_NE(nullptr, pick) << "the tree opens where the current sound is";
    ASSERT_EQ(1u, tree.ChildTexts(pick).size()) << "only sounds are offered";
    ASSERT_TRUE(tree.TapItem(tree.Child(pick)));
    PressKey(VK_RETURN);
    EXPECT_TRUE(PumpUntil([] { return FindWindowW(L"#32770", L"Browse") == nullptr; }, 5000));
    Close();
    EXPECT_EQ(picked, ReadText(KETRA_OPTIONS_KEY, L"SndOpen"));
    DeleteFileW(picked);
    DeleteFileW(L"\\My Documents\\0pick\\a.gif");
    RemoveDirectoryW(folder);
}

// The side bar reads the whole path the settings program stores (it once
// read 127 characters and fell back to its default picture, which exists).
TEST_F(OptionsPageTest, TheSideBarReadsALongBackgroundPath)
{
    const std::wstring missing = L"\\My Documents\\" + std::wstring(200, L'p') + L".gif";
    WriteText(KETRA_OPTIONS_KEY, L"BkImage", missing);
    WriteDword(KETRA_OPTIONS_KEY, L"BackOn", 1);
    WriteDword(KETRA_OPTIONS_KEY, L"WinMode", 0);
    WriteText(KETRA_OPTIONS_KEY, L"CurrentApplet", L"About");
    ASSERT_NE(nullptr, StartBar());
    ASSERT_TRUE(ChooseApplet(L"Probe"));
    HWND probe = AppletWindowOnBar(kProbeClass);
    ASSERT_NE(nullptr, probe);
    DeviceLog log;
    SendMessageW(probe, kProbeRequest, WM_KETRA_APPLETSHOWN, 0);  // the probe asks for its background
    EXPECT_TRUE(log.WaitFor(L"probe: background ffc0c0", 5000)) << "the picture was not the one stored";
}

}  // namespace
