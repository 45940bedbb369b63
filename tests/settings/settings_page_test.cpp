// The Options page of the settings program on the device, driven as the user
// drives it (taps on its controls, the button list as its drop-down sends
// it) and checked in the registry, the start-up folder and the device log.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "devctl_runner.h"
#include "option_device.h"
#include "shell_test_support.h"

namespace {

const wchar_t kKetraKey[] = L"SOFTWARE\\ZARQ\\KETRA";
const wchar_t kOptionsKey[] = L"SOFTWARE\\ZARQ\\KETRA\\OPTIONS";
const wchar_t kButtonsKey[] = L"Software\\Microsoft\\Shell\\Keys\\";
const wchar_t kShortcut[] = L"\\Windows\\StartUp\\Ketra.lnk";
// Ketra.exe beside Option.exe, as the program names its own folder.
const wchar_t kAssignedCommand[] = L"\"D:\\Program Files\\ZARQ\\Ketra\\Ketra.exe\"";
constexpr WPARAM kButtonsChanged = 228;

// Control ids of the page.
constexpr int kSoundOn = 1009, kBkPick = 1011, kBkImage = 1012, kBkStretch = 1014, kBackOn = 1016;
constexpr int kSndOpenPick = 1017, kOpenSoundPlay = 1018, kAutoStart = 1020, kMinimize = 1022, kButtonList = 1027;
constexpr UINT kShowOptionsPage = 40037;

std::wstring ButtonKey(int n)
{
    wchar_t name[8];
    swprintf(name, 8, L"%x", 0x40C0 + n);
    return std::wstring(kButtonsKey) + name;
}

DWORD ReadDword(const wchar_t* key, const wchar_t* name, DWORD fallback = 0xDEADBEEF)
{
    DWORD value = 0, cb = sizeof(value);
    return RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_DWORD, nullptr, &value, &cb) == ERROR_SUCCESS
               ? value
               : fallback;
}

std::wstring ReadText(const std::wstring& key, const wchar_t* name)
{
    return ReadRegistryString(HKEY_LOCAL_MACHINE, key, name);
}

bool HasValue(const std::wstring& key, const wchar_t* name)
{
    return RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, RRF_RT_ANY, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

// A whole key (values only) put back as it was, or removed, when the object
// dies.
class SavedKey {
public:
    explicit SavedKey(const std::wstring& path) : path_(path)
    {
        HKEY key;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return;
        existed_ = true;
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            DWORD cchName = 256, type = 0, cb = 0;
            if (RegEnumValueW(key, i, name, &cchName, nullptr, &type, nullptr, &cb) != ERROR_SUCCESS)
                break;
            Value value{name, type, std::vector<BYTE>(cb)};
            cchName = 256;
            RegEnumValueW(key, i, name, &cchName, nullptr, &type, value.data.data(), &cb);
            values_.push_back(value);
        }
        RegCloseKey(key);
    }
    ~SavedKey()
    {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, path_.c_str());
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, path_.c_str());
        if (!existed_)
            return;
        HKEY key;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr))
            return;
        for (const Value& value : values_)
            RegSetValueExW(key, value.name.empty() ? nullptr : value.name.c_str(), 0, value.type,
                           value.data.data(), (DWORD)value.data.size());
        RegCloseKey(key);
    }
    SavedKey(const SavedKey&) = delete;
    SavedKey& operator=(const SavedKey&) = delete;

private:
    struct Value {
        std::wstring name;
        DWORD type;
        std::vector<BYTE> data;
    };
    std::wstring path_;
    bool existed_ = false;
    std::vector<Value> values_;
};

BOOL CALLBACK FindPage(HWND child, LPARAM found)
{
    if (GetDlgItem(child, kMinimize)) {
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
    }
    return TRUE;
}

class OptionsPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CloseHost();
        for (int n = 1; n <= 6; ++n)
            buttons_.push_back(std::make_unique<SavedKey>(ButtonKey(n)));
        DeleteFileW(kShortcut);
    }
    void TearDown() override
    {
        if (frame_)
            CloseOption(IDCANCEL);
        CloseHost();
        DeleteFileW(kShortcut);
        buttons_.clear();
        BroadcastSettingChange(kButtonsChanged);
    }

    // Starts the settings program and shows the Options page.
    void Open()
    {
        CloseHost();
        ASSERT_EQ(0u, RunDevctl({L"exec", kOptionProgram}).exitCode);
        ASSERT_EQ(0u, RunDevctl({L"wait", L"KETRA_OPTION_CLASS", L"15000"}).exitCode);
        frame_ = FindWindowW(L"KETRA_OPTION_CLASS", nullptr);
        page_ = nullptr;
        // The frame's window comes first, its pages while it is created.
        PumpUntil([&] { EnumChildWindows(frame_, FindPage, reinterpret_cast<LPARAM>(&page_)); return page_; },
                  5000);
        ASSERT_NE(nullptr, page_);
        SendMessageW(frame_, WM_COMMAND, kShowOptionsPage, 0);
        PumpMessages(300);
    }
    // Closes it (OK saves, Cancel saves too) and waits for the side bar it
    // starts; that one writes its own position when it ends, so the values
    // are read while it runs.
    void CloseOption(WPARAM command = IDOK)
    {
        PostMessageW(frame_, WM_COMMAND, command, 0);
        EXPECT_TRUE(WaitNoWindowOf(kOptionClass, 10000));
        frame_ = page_ = nullptr;
        PumpUntil([] { return FindWindowW(L"KETRA_CLASS", nullptr) != nullptr; }, 5000);
    }

    HWND Control(int id) { return GetDlgItem(page_, id); }
    bool Checked(int id) { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    // A stylus tap in the middle of a control.
    void Tap(int id)
    {
        RECT rc;
        ASSERT_TRUE(GetWindowRect(Control(id), &rc));
        ASSERT_EQ(0u, RunDevctl({L"tap", std::to_wstring((rc.left + rc.right) / 2),
                                 std::to_wstring((rc.top + rc.bottom) / 2)})
                          .exitCode);
        PumpMessages(300);
    }
    std::vector<std::wstring> ButtonEntries()
    {
        std::vector<std::wstring> entries;
        LRESULT count = SendMessageW(Control(kButtonList), CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            wchar_t text[64] = {};
            SendMessageW(Control(kButtonList), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            entries.push_back(text);
        }
        return entries;
    }
    LRESULT ChosenButton() { return SendMessageW(Control(kButtonList), CB_GETCURSEL, 0, 0); }
    // A choice from the dropped list, with the notification the list sends.
    void ChooseButton(int index)
    {
        HWND list = Control(kButtonList);
        SendMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
        SendMessageW(list, CB_SETCURSEL, index, 0);
        SendMessageW(page_, WM_COMMAND, MAKEWPARAM(kButtonList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        SendMessageW(list, CB_SHOWDROPDOWN, FALSE, 0);
    }
    // Buttons 1, 2 and 4 have their own command; 3 has none, so only two count.
    void SeedButtons()
    {
        for (int n = 1; n <= 4; ++n) {
            RegDeleteTreeW(HKEY_LOCAL_MACHINE, ButtonKey(n).c_str());
            std::wstring own = L"\"\\Windows\\own" + std::to_wstring(n) + L".exe\"";
            SetRegistryString(HKEY_LOCAL_MACHINE, ButtonKey(n), nullptr, own);
            if (n != 3)
                SetRegistryString(HKEY_LOCAL_MACHINE, ButtonKey(n), L"ResetCmd", own);
        }
    }

    HWND frame_ = nullptr;
    HWND page_ = nullptr;
    std::vector<std::unique_ptr<SavedKey>> buttons_;  // all six, put back after each test
    SavedKey options_{kOptionsKey};
};

TEST_F(OptionsPageTest, MissingOptionsGetTheirDefaults)
{
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kOptionsKey);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kOptionsKey);
    Open();
    EXPECT_TRUE(Checked(kMinimize));
    EXPECT_TRUE(Checked(kBackOn));
    EXPECT_TRUE(Checked(kSoundOn));
    wchar_t shown[MAX_PATH] = {};
    SendMessageW(Control(kBkImage), WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(shown));
    EXPECT_STREQ(L"StWater.gif", shown);
    CloseOption();

    EXPECT_EQ(L"About", ReadText(kOptionsKey, L"DefaultApplet"));
    EXPECT_EQ(L"About", ReadText(kOptionsKey, L"CurrentApplet"));
    EXPECT_EQ(50u, ReadDword(kOptionsKey, L"xpos"));
    EXPECT_EQ(50u, ReadDword(kOptionsKey, L"ypos"));
    EXPECT_EQ(1u, ReadDword(kOptionsKey, L"SoundOn"));
    EXPECT_EQ(L"\\Windows\\lowbatt.wav", ReadText(kOptionsKey, L"SndOpen"));
    EXPECT_EQ(L"\\Windows\\lowbatt.wav", ReadText(kOptionsKey, L"SndClose"));
    EXPECT_EQ(0u, ReadDword(kOptionsKey, L"AutoClose"));
    EXPECT_EQ(6u, ReadDword(kOptionsKey, L"WinMode"));
    EXPECT_EQ(1u, ReadDword(kOptionsKey, L"BackOn"));
    EXPECT_EQ(L"\\Windows\\StWater.gif", ReadText(kOptionsKey, L"BkImage"));
    EXPECT_EQ(0u, ReadDword(kOptionsKey, L"BkStretch"));
}

TEST_F(OptionsPageTest, PositionsAreClampedAndTappedBoxesSaved)
{
    SetRegistryDword(HKEY_LOCAL_MACHINE, kOptionsKey, L"xpos", 241);
    SetRegistryDword(HKEY_LOCAL_MACHINE, kOptionsKey, L"ypos", 320);
    SetRegistryDword(HKEY_LOCAL_MACHINE, kOptionsKey, L"WinMode", 6);
    SetRegistryDword(HKEY_LOCAL_MACHINE, kOptionsKey, L"BackOn", 1);
    SetRegistryDword(HKEY_LOCAL_MACHINE, kOptionsKey, L"BkStretch", 1);
    Open();
    EXPECT_TRUE(IsWindowEnabled(Control(kBkStretch)));
    Tap(kMinimize);
    EXPECT_FALSE(Checked(kMinimize));
    // Without a background, its options are out of reach.
    Tap(kBackOn);
    EXPECT_FALSE(IsWindowEnabled(Control(kBkStretch)));
    EXPECT_FALSE(IsWindowEnabled(Control(kBkPick)));
    CloseOption();

    EXPECT_EQ(50u, ReadDword(kOptionsKey, L"xpos"));
    EXPECT_EQ(320u, ReadDword(kOptionsKey, L"ypos"));
    EXPECT_EQ(12u, ReadDword(kOptionsKey, L"WinMode"));
    EXPECT_EQ(0u, ReadDword(kOptionsKey, L"BackOn"));
    EXPECT_EQ(1u, ReadDword(kOptionsKey, L"BkStretch"));
}

TEST_F(OptionsPageTest, AutoStartCreatesAndDeletesTheStartUpShortcut)
{
    Open();
    EXPECT_FALSE(Checked(kAutoStart));
    Tap(kAutoStart);
    CloseOption();
    HANDLE file = CreateFileW(kShortcut, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    char text[256] = {};
    DWORD read = 0;
    ReadFile(file, text, sizeof(text) - 1, &read, nullptr);
    CloseHandle(file);
    const std::string target = "\"\\Program Files\\ZARQ\\Ketra\\Ketra.exe\"";
    EXPECT_EQ(std::to_string(target.size()) + "#" + target, text);

    // A shortcut made read-only goes as well.
    SetFileAttributesW(kShortcut, FILE_ATTRIBUTE_READONLY);
    Open();
    EXPECT_TRUE(Checked(kAutoStart));
    Tap(kAutoStart);
    CloseOption();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(kShortcut));

    // Without an install folder there is nothing to start.
    SavedRegistryValue path(HKEY_LOCAL_MACHINE, kKetraKey, L"path");
    HKEY ketra;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKetraKey, 0, KEY_SET_VALUE, &ketra));
    RegDeleteValueW(ketra, L"path");
    RegCloseKey(ketra);
    Open();
    Tap(kAutoStart);
    CloseOption();
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(kShortcut));
}

TEST_F(OptionsPageTest, ButtonsCountUpToTheFirstWithoutItsOwnCommand)
{
    SeedButtons();
    Open();
    EXPECT_EQ((std::vector<std::wstring>{L"None", L"Button1", L"Button2"}), ButtonEntries());
    EXPECT_EQ(0, ChosenButton());
    ChooseButton(2);
    CloseOption();
    EXPECT_EQ(kAssignedCommand, ReadText(ButtonKey(2), nullptr));
    EXPECT_EQ(L"", ReadText(ButtonKey(2), L"WndCls"));
    EXPECT_TRUE(HasValue(ButtonKey(2), L"WndCls"));
    EXPECT_EQ(0u, ReadDword(ButtonKey(2).c_str(), L"BtnWnd"));
    EXPECT_EQ(L"\"\\Windows\\own1.exe\"", ReadText(ButtonKey(1), nullptr));

    // The assigned button shows as chosen; "None" gives it its own command back.
    Open();
    EXPECT_EQ(2, ChosenButton());
    ChooseButton(0);
    CloseOption();
    EXPECT_EQ(L"\"\\Windows\\own2.exe\"", ReadText(ButtonKey(2), nullptr));
}

TEST_F(OptionsPageTest, AButtonStartingKetraElsewhereIsChosenAndMovedWithoutLosingCommands)
{
    SeedButtons();
    SetRegistryString(HKEY_LOCAL_MACHINE, ButtonKey(1), nullptr, L"\"\\x\\Ketra.exe\"");
    Open();
    EXPECT_EQ(1, ChosenButton());
    ChooseButton(2);
    CloseOption();
    EXPECT_EQ(L"\"\\Windows\\own1.exe\"", ReadText(ButtonKey(1), nullptr));
    EXPECT_EQ(kAssignedCommand, ReadText(ButtonKey(2), nullptr));

    // A button whose own command went missing keeps what it has.
    Open();
    EXPECT_EQ(2, ChosenButton());
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, ButtonKey(2).c_str(), 0, KEY_SET_VALUE, &key));
    RegDeleteValueW(key, L"ResetCmd");
    RegCloseKey(key);
    ChooseButton(0);
    CloseOption();
    EXPECT_EQ(kAssignedCommand, ReadText(ButtonKey(2), nullptr));
}

TEST_F(OptionsPageTest, TheAssignedButtonStartsTheSideBar)
{
    Open();
    ChooseButton(2);
    CloseOption();
    CloseHost();
    ASSERT_EQ(nullptr, FindWindowW(L"KETRA_CLASS", nullptr));
    ASSERT_EQ(0u, RunDevctl({L"key", L"0xC2"}).exitCode);
    EXPECT_TRUE(PumpUntil([] { return FindWindowW(L"KETRA_CLASS", nullptr) != nullptr; }, 15000));
    CloseHost();

    Open();
    ChooseButton(0);
    CloseOption();
    EXPECT_EQ(ReadText(ButtonKey(2), L"ResetCmd"), ReadText(ButtonKey(2), nullptr));
}

TEST_F(OptionsPageTest, OpenSoundPlaysTheChosenSound)
{
    SetRegistryString(HKEY_LOCAL_MACHINE, kOptionsKey, L"SndOpen", L"\\Windows\\lowbatt.wav");
    Open();
    size_t log = DeviceLogLength();
    Tap(kOpenSoundPlay);
    EXPECT_TRUE(WaitForLogLine(log, L"sound: \\Windows\\lowbatt.wav", 5000));
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
    SetRegistryString(HKEY_LOCAL_MACHINE, kOptionsKey, L"SndOpen", L"\\My Documents\\0pick\\old.wav");
    Open();
    Tap(kSndOpenPick);
    ASSERT_TRUE(PumpUntil([] { return FindWindowW(L"#32770", L"Browse") != nullptr; }, 5000));
    HWND tree = GetDlgItem(FindWindowW(L"#32770", L"Browse"), 17788);
    // Rows: "\", "My Documents", "0pick", then its one sound (not the picture).
    RECT rc;
    GetWindowRect(tree, &rc);
    const int row = (int)SendMessageW(tree, TVM_GETITEMHEIGHT, 0, 0);
    const int indent = (int)SendMessageW(tree, TVM_GETINDENT, 0, 0);
    const int x = rc.left + 2 + 4 * indent + 24, y = rc.top + 2 + row * 3 + row / 2;
    RunDevctl({L"tap", std::to_wstring(x), std::to_wstring(y)});
    PumpMessages(300);
    RunDevctl({L"key", L"0x0D"});
    EXPECT_TRUE(PumpUntil([] { return FindWindowW(L"#32770", L"Browse") == nullptr; }, 5000));
    CloseOption();
    EXPECT_EQ(picked, ReadText(kOptionsKey, L"SndOpen"));
    DeleteFileW(picked);
    DeleteFileW(L"\\My Documents\\0pick\\a.gif");
    RemoveDirectoryW(folder);
}

// The side bar reads the whole path the settings program stores (it once
// read 127 characters and fell back to its default picture, which exists).
TEST_F(OptionsPageTest, TheSideBarReadsALongBackgroundPath)
{
    const std::wstring missing = L"\\My Documents\\" + std::wstring(200, L'p') + L".gif";
    SetRegistryString(HKEY_LOCAL_MACHINE, kOptionsKey, L"BkImage", missing);
    SetRegistryDword(HKEY_LOCAL_MACHINE, kOptionsKey, L"BackOn", 1);
    SetRegistryDword(HKEY_LOCAL_MACHINE, kOptionsKey, L"WinMode", 0);
    SetRegistryString(HKEY_LOCAL_MACHINE, kOptionsKey, L"CurrentApplet", L"About");
    ASSERT_EQ(0u, RunDevctl({L"exec", kHostProgram}).exitCode);
    ASSERT_EQ(0u, RunDevctl({L"wait", L"KETRA_CLASS", L"15000"}).exitCode);
    RunDevctl({L"send", L"KETRA_CLASS", L"273", L"1201", L"0"});  // the probe applet
    HWND probe = FindWindowExW(FindWindowW(L"KETRA_CLASS", nullptr), nullptr, L"KETRA_PROBE", nullptr);
    ASSERT_NE(nullptr, probe);
    size_t log = DeviceLogLength();
    SendMessageW(probe, WM_APP + 1, 1125, 0);  // the probe asks for its background
    EXPECT_TRUE(WaitForLogLine(log, L"probe: background ffc0c0", 5000)) << "the picture was not the one stored";
}

}  // namespace
