// Webbia, the HTML viewer Today item: loaded in the test's process as a
// host loads it (addresses, no-cache flag, heights, the options dialog),
// then on the device's Today screen playing an animated theme, and driven
// through the device's "Today Settings".
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "theme_test_support.h"

namespace {

using namespace testkit;

const wchar_t kItem[] = L"\\Windows\\Webbia.dll";
const wchar_t kItemName[] = L"ZARQ HTML Viewer";
const wchar_t kSettings[] = L"Software\\Microsoft\\Today\\Items\\ZARQ HTML Viewer";
const wchar_t kTodayKey[] = L"Software\\Microsoft\\Today";
const wchar_t kAnimationPage[] = L"\\Windows\\at2k.htm";

// The item's settings, the theme in force and the animation page, put back
// after each test.
class WebbiaTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(settings_.Saved());
        ASSERT_TRUE(theme_.Saved());
        hadPage_ = ReadBytes(kAnimationPage, &page_);
    }
    void TearDown() override
    {
        host_.reset();
        if (hadPage_)
            WriteBytes(kAnimationPage, page_);
    }
    HWND Create()
    {
        host_ = std::make_unique<AppletHost>(kItem, 240, 320);
        return host_->Loaded() ? host_->Create() : nullptr;
    }
    int ItemHeight() const { return Height(WindowRect(host_->Window())); }
    void SetSkin(const std::wstring& skin) { WriteText(kTodayKey, L"Skin", skin, HKEY_CURRENT_USER); }

    RegistrySandbox settings_{{kSettings}};
    ThemeState theme_;
    ScratchFolder folder_{L"webbia"};
    std::unique_ptr<AppletHost> host_;
    bool hadPage_ = false;
    std::string page_;
};

}  // namespace

TEST_F(WebbiaTest, ADisabledRecordGetsNoWindow)
{
    host_ = std::make_unique<AppletHost>(kItem);
    ASSERT_TRUE(host_->Loaded());
    EXPECT_EQ(nullptr, host_->Create(false));
}

// Mode 0 with a still theme: the empty page, no cache, 0 high; the host
// hears of the new height once.
TEST_F(WebbiaTest, AStillThemeShowsTheEmptyPageAtHeightZero)
{
    for (const wchar_t* skin : {L"<default>", L"<DEFAULT>", L"\\My Documents\\missing.tsk", L"\\Windows\\Glacier.tsk"}) {
        SetSkin(skin);
        DeviceLog log;
        ASSERT_NE(nullptr, Create()) << ToUtf8(skin);
        EXPECT_TRUE(log.HasLine(L"htmlview: navigate \"file://\\Windows\\zarqdummy.htm\" flags 0x1000"))
            << ToUtf8(skin);
        EXPECT_EQ(0, ItemHeight());
        EXPECT_EQ(242, Width(WindowRect(host_->Window())));
        host_->Item().cyp = 80;
        EXPECT_EQ(1, host_->QueryRefresh());
        EXPECT_EQ(0u, host_->Item().cyp);
        EXPECT_EQ(0, host_->QueryRefresh());
    }
}

// Mode 0 with an animated theme: the animation page without the cache, as
// high as its last "height" plus 14; a page without one gives 14.
TEST_F(WebbiaTest, AnAnimatedThemeShowsItsPageAsHighAsItsLastHeightPlus14)
{
    std::wstring theme = folder_ / L"Aurora.tsk";
    ASSERT_TRUE(CopyFileW(ThemeFixture(L"Aurora.tsk").c_str(), theme.c_str(), FALSE));
    SetSkin(theme);
    ASSERT_TRUE(WriteBytes(kAnimationPage, ReadBytes(ThemeFixture(L"two_heights.htm"))));
    DeviceLog log;
    ASSERT_NE(nullptr, Create());
    EXPECT_TRUE(log.HasLine(L"htmlview: navigate \"file://\\Windows\\at2k.htm\" flags 0x1000"));
    EXPECT_EQ(74, ItemHeight()) << "52, then 60: the second";

    for (const auto& page : {std::make_pair("height_at_end.htm", 14), std::make_pair("", 14)}) {
        ASSERT_TRUE(WriteBytes(kAnimationPage, *page.first ? ReadBytes(ThemeFixture(FromUtf8(page.first).c_str())) : ""));
        host_->Send(WM_TODAYCUSTOM_CLEARCACHE, reinterpret_cast<WPARAM>(&host_->Item()));
        EXPECT_EQ(page.second, ItemHeight()) << page.first;
    }
    std::string huge = "<object height='99999999999999999999'>";
    ASSERT_TRUE(WriteBytes(kAnimationPage, huge));
    host_->Send(WM_TODAYCUSTOM_CLEARCACHE, reinterpret_cast<WPARAM>(&host_->Item()));
    EXPECT_EQ(320, ItemHeight()) << "kept on the screen";
}

// Modes 1 and 2 take their address and "Height"; any other mode is mode 0;
// long or broken values never overrun the item's fields.
TEST_F(WebbiaTest, FileAndWebSiteModesAndBadSettings)
{
    SetSkin(L"<default>");
    WriteDword(kSettings, L"Mode", 1);
    WriteDword(kSettings, L"Height", 50);
    WriteText(kSettings, L"File", L"\\My Documents\\page.htm");
    DeviceLog log;
    ASSERT_NE(nullptr, Create());
    EXPECT_TRUE(log.HasLine(L"htmlview: navigate \"file://\\My Documents\\page.htm\" flags 0x1000"));
    EXPECT_EQ(50, ItemHeight());

    WriteDword(kSettings, L"Mode", 2);
    WriteText(kSettings, L"Website", L"www.example.org");
    WriteDword(kSettings, L"Height", 4000);
    log.Restart();
    host_->Send(WM_TODAYCUSTOM_CLEARCACHE, reinterpret_cast<WPARAM>(&host_->Item()));
    EXPECT_TRUE(log.HasLine(L"htmlview: navigate \"http://www.example.org\" flags 0x0"));
    EXPECT_TRUE(log.Contains(L"htmlview: no network for \"http://www.example.org\""));
    EXPECT_EQ(320, ItemHeight());

    // A site longer than the field keeps the one before; mode 7 is mode 0.
    WriteText(kSettings, L"Website", std::wstring(300, L'w'));
    log.Restart();
    host_->Send(WM_TODAYCUSTOM_CLEARCACHE, reinterpret_cast<WPARAM>(&host_->Item()));
    EXPECT_TRUE(log.HasLine(L"htmlview: navigate \"http://www.example.org\" flags 0x0"));
    WriteDword(kSettings, L"Mode", 7);
    log.Restart();
    host_->Send(WM_TODAYCUSTOM_CLEARCACHE, reinterpret_cast<WPARAM>(&host_->Item()));
    EXPECT_TRUE(log.HasLine(L"htmlview: navigate \"file://\\Windows\\zarqdummy.htm\" flags 0x1000"));
    EXPECT_EQ(0, ItemHeight());
}

TEST_F(WebbiaTest, OptionsDialogEnablesEachModesControlsAndSavesOnOk)
{
    host_ = std::make_unique<AppletHost>(kItem);
    auto options = reinterpret_cast<DLGPROC>(reinterpret_cast<void*>(host_->Export(ORDINAL_OPTIONSDIALOGPROC)));
    ASSERT_NE(nullptr, options);
    auto open = [&] {
        return CreateDialogParamW(host_->Library(), MAKEINTRESOURCEW(IDD_TODAY_CUSTOM), host_->Host(), options,
                                  reinterpret_cast<LPARAM>(&host_->Item()));
    };
    HWND dialog = open();
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dialog, 1000)) << "mode 0 by default";
    wchar_t text[300];
    GetDlgItemTextW(dialog, 1006, text, 300);
    EXPECT_STREQ(L"80", text);
    GetDlgItemTextW(dialog, 1003, text, 300);
    EXPECT_STREQ(L"\\Windows\\at2k.htm", text);
    EXPECT_EQ((RECT{0, 26, 240, 320}), WindowRect(dialog)) << "full screen";

    const int controls[] = {1003, 1004, 1006, 1007, 1008, 1009, 1010};
    const char* enabled[] = {"0000001", "1011010", "0111100"};  // per mode, in the order above
    for (int mode = 2; mode >= 0; --mode) {
        SendDlgItemMessageW(dialog, 1000 + mode, BM_CLICK, 0, 0);
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(enabled[mode][i] == '1', IsWindowEnabled(GetDlgItem(dialog, controls[i])) != FALSE)
                << "mode " << mode << ", control " << controls[i];
    }

    SendDlgItemMessageW(dialog, 1001, BM_CLICK, 0, 0);
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, 1000));
    SetDlgItemTextW(dialog, 1003, L"\\My Documents\\news.htm");
    SetDlgItemTextW(dialog, 1006, L"9999");
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(1u, ReadDword(kSettings, L"Mode"));
    EXPECT_EQ(320u, ReadDword(kSettings, L"Height")) << "kept on the screen";
    EXPECT_EQ(L"\\My Documents\\news.htm", ReadText(kSettings, L"File"));
    EXPECT_EQ(L"zarq.example.com", ReadText(kSettings, L"Website"));
    DestroyWindow(dialog);

    // Cancel keeps the stored values; OK without the item's key writes nothing.
    dialog = open();
    SendDlgItemMessageW(dialog, 1002, BM_CLICK, 0, 0);
    SendMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(1u, ReadDword(kSettings, L"Mode"));
    DestroyWindow(dialog);
    dialog = open();
    DeleteKey(kSettings);
    SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_FALSE(HasKey(kSettings));
    DestroyWindow(dialog);
}

// On the Today screen: an applied animated sample makes the item the page's
// height plus 14 with its movie playing; the default theme takes it back.
TEST_F(WebbiaTest, TheTodayScreenPlaysTheAnimatedThemeInForce)
{
    std::wstring theme = folder_ / L"Aurora.tsk";
    ASSERT_TRUE(CopyFileW(ThemeFixture(L"Aurora.tsk").c_str(), theme.c_str(), FALSE));
    DeviceLog log;
    ASSERT_TRUE(ApplyTheme(theme.c_str()));
    EXPECT_TRUE(log.WaitFor(L"today: item \"ZARQ HTML Viewer\" loaded, 74 high", 10000));
    EXPECT_TRUE(log.Contains(L"htmlview: navigate \"file://\\Windows\\at2k.htm\" flags 0x1000"));
    EXPECT_TRUE(log.WaitFor(L"flash: play \"\\windows\\at2k.swf\" 240x60, 24 frames at 12 fps", 5000));
    HWND item = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (item = FindChild(TodayScreen(), L"Webbia")) && IsWindowVisible(item); }, 5000));
    EXPECT_EQ(74, Height(WindowRect(item)));
    // Found again at each look: the Today screen may load its items once more
    // while the theme settles, which makes the item a new window.
    auto itemPixel = [&](int x, int y) {
        HWND now = FindChild(TodayScreen(), L"Webbia");
        return now && IsWindowVisible(now) ? ScreenPixel(now, x, y) : CLR_INVALID;
    };
    EXPECT_TRUE(PumpUntil([&] { return itemPixel(10, 10) == RGB(0xF0, 0xF0, 0x60); }, 5000)) << "the movie's mark";
    EXPECT_TRUE(PumpUntil([&] { return itemPixel(120, 68) == RGB(0x10, 0x20, 0x40); }, 5000))
        << "the page's colour below the movie";

    log.Restart();
    SetSkin(L"<default>");
    BroadcastSettingChange(0xF2);
    EXPECT_TRUE(log.WaitFor(L"flash: stop \"\\windows\\at2k.swf\" after ", 10000));
    EXPECT_TRUE(log.WaitFor(L"today: item \"ZARQ HTML Viewer\" loaded, 0 high", 10000));
}

// "Today Settings" lists the items with their check marks, runs the item's
// options and, on OK, saves and makes the Today screen load its items again.
TEST_F(WebbiaTest, TodaySettingsRunsTheOptionsAndReloadsTheTodayScreen)
{
    SetSkin(L"<default>");
    RegistrySandbox items{{L"Software\\Microsoft\\Today\\Items"}};
    ASSERT_TRUE(items.Saved());
    ProgramDriver page(L"\\Windows\\ctlpnl.exe", L"DeviceTodayPage", L"cplmain.cpl 13,0");
    ASSERT_TRUE(page.Started());
    auto list = page.List(100);
    ASSERT_TRUE(list && list->Ready());
    int webbia = list->Find(kItemName), owner = list->Find(L"Owner and Date");
    ASSERT_GE(webbia, 0);
    ASSERT_GE(owner, 0);
    EXPECT_LT(owner, webbia) << "in Order";
    EXPECT_TRUE(list->Checked(webbia));
    ASSERT_TRUE(list->TapRow(owner));
    EXPECT_FALSE(page.Enabled(101)) << "Owner and Date has no options";
    ASSERT_TRUE(list->TapRow(webbia));
    EXPECT_TRUE(page.Enabled(101));

    page.PostCommand(101);
    HWND dialog = WaitForWindow(L"#32770", 5000);
    ASSERT_NE(nullptr, dialog);
    // Shown once initialised (its initialisation talks to the task bar, when
    // a click sent early would be undone).
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(dialog) != FALSE; }, 5000));
    WaitUntilIdle(dialog);
    SendMessageW(GetDlgItem(dialog, 1002), BM_CLICK, 0, 0);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 1004)));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 1003)));
    SendMessageW(GetDlgItem(dialog, 1004), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"news.example.net"));
    SendMessageW(GetDlgItem(dialog, 1006), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"60"));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitNoWindow(L"#32770", 5000));
    EXPECT_EQ(2u, ReadDword(kSettings, L"Mode"));
    EXPECT_EQ(L"news.example.net", ReadText(kSettings, L"Website"));

    ASSERT_TRUE(list->SetChecked(owner, false));
    DeviceLog log;
    ASSERT_TRUE(page.CloseByOkCorner());
    EXPECT_EQ(0u, ReadDword(L"Software\\Microsoft\\Today\\Items\\Owner and Date",
                            L"Enabled"));
    EXPECT_EQ(1u, ReadDword(kSettings, L"Enabled"));
    EXPECT_TRUE(log.Contains(L"today settings: saved"));
    EXPECT_TRUE(log.WaitFor(L"today: item \"ZARQ HTML Viewer\" loaded, 60 high", 10000));
    EXPECT_TRUE(log.Contains(L"htmlview: navigate \"http://news.example.net\" flags 0x0"));
    EXPECT_FALSE(log.Contains(L"today: item \"Owner and Date\" loaded"));
    items.Restore();
    BroadcastSettingChange(0);
    EXPECT_TRUE(log.WaitFor(L"today: item \"Owner and Date\" loaded", 10000));
}

// The settings program's "Import" registers the item as a side-bar applet
// (switched off); switched on, the bar loads it and it plays the animated
// theme in force at the page's height plus 14.
TEST_F(WebbiaTest, ImportedIntoTheBarItPlaysTheThemeThere)
{
    RegistrySandbox system{{kSystemKey}};
    ASSERT_TRUE(system.Saved());
    CloseSettingsAndBar();
    const std::wstring applet = std::wstring(kAppletsKey) + L"\\" + kItemName;
    DeleteKey(applet);
    std::wstring theme = folder_ / L"Aurora.tsk";
    ASSERT_TRUE(CopyFileW(ThemeFixture(L"Aurora.tsk").c_str(), theme.c_str(), FALSE));
    ASSERT_TRUE(ApplyTheme(theme.c_str()));
    {
        ProgramDriver settings(kSettingsProgram, kSettingsClass);
        ASSERT_TRUE(settings.Started());
        settings.MenuCommand(40040);  // the Applets page
        auto list = settings.List(1001);
        ASSERT_TRUE(list && list->Ready());
        settings.PostCommand(1023);  // Import
        EXPECT_NE(L"", MessageBoxes::WaitFor(L"Import Today Items"));
        ASSERT_TRUE(MessageBoxes::Answer(IDOK));
        const std::wstring said = MessageBoxes::WaitFor(L"Today Applet");
        EXPECT_EQ(0u, said.find(L"Imported ")) << ToUtf8(said);
        ASSERT_TRUE(MessageBoxes::Answer(IDOK));
        int row = -1;
        ASSERT_TRUE(PumpUntil([&] { return (row = list->Find(kItemName)) >= 0; }, 5000));
        EXPECT_FALSE(list->Checked(row)) << "imported switched off";
        ASSERT_TRUE(list->SetChecked(row, true));
        ASSERT_TRUE(settings.CloseWith(IDOK));
    }
    // The settings program starts the bar as it ends; the bar below is
    // started afresh once that one is up.
    if (HWND started = WaitForWindow(KETRA_CLASS, 5000))
        WaitUntilIdle(started);
    EXPECT_EQ(kItem, ReadText(applet, L"DLL"));
    EXPECT_EQ(L"Today Applet", ReadText(applet, L"Group"));
    EXPECT_EQ(1u, ReadDword(applet, L"Enabled"));
    EXPECT_EQ(1u, ReadDword(applet, L"Options"));

    DeviceLog log;
    AppletOnBar bar(kItemName);
    ASSERT_TRUE(bar.Shown());
    EXPECT_EQ(std::wstring(L"Webbia"), ClassOf(bar.Window()));
    EXPECT_TRUE(log.WaitFor(L"htmlview: navigate \"file://\\Windows\\at2k.htm\" flags 0x1000", 10000));
    EXPECT_TRUE(PumpUntil([&] { return Height(bar.Rect()) == 74; }, 5000));
    EXPECT_TRUE(PumpUntil([&] { return bar.Pixel(10, 10) == RGB(0xF0, 0xF0, 0x60); }, 5000)) << "the movie's mark";
}
