// The settings program's Applets page on the device, driven from outside:
// taps on its rows, its buttons' commands, message boxes answered as the
// user answers them, and the registry it reads and writes.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "settings_fixture.h"

namespace {

using namespace testkit;

const wchar_t kToday[] = L"SOFTWARE\\Microsoft\\Today\\Items";

enum { kList = 1001, kMoveUp = 1002, kMoveDown = 1003, kOptions = 1005, kDelete = 1020, kDeleteAll = 1021,
       kImport = 1023 };

std::wstring Applet(LPCWSTR name) { return std::wstring(kAppletsKey) + L"\\" + name; }

// Names of the keys under the applet branch that carry a Type.
std::vector<std::wstring> Registrations()
{
    std::vector<std::wstring> names;
    for (const std::wstring& name : SubkeyNames(kAppletsKey))
        if (HasValue(Applet(name.c_str()), L"Type"))
            names.push_back(name);
    return names;
}

void Register(LPCWSTR name, DWORD type, DWORD order, DWORD enabled, DWORD options, LPCWSTR group, LPCWSTR dll)
{
    const std::wstring key = Applet(name);
    WriteDword(key, L"Type", type);
    WriteDword(key, L"Order", order);
    WriteDword(key, L"Enabled", enabled);
    WriteDword(key, L"Options", options);
    WriteDword(key, L"Notify", 0);
    WriteText(key, L"Group", group);
    WriteText(key, L"DLL", dll);
}

// Registrations as the fixture leaves them, by order: About (hidden),
// ProbeNarrow, Clock (off, with a subkey), Probe; Launcher is an applet's
// settings section without Type.  The Today items are put back as well.
class AppletPageTest : public SettingsTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(today_.Saved());
        SettingsTest::SetUp();
        DeleteKey(kAppletsKey);
        DeleteKey(kProbeKey);
        const std::wstring folder = kInstallFolder;
        Register(L"About", 1, 0, 1, 0, L"Tests", (folder + L"About.dll").c_str());
        Register(L"Probe", 0, 7, 1, 1, L"Tests", (folder + L"Probe.dll").c_str());
        Register(L"ProbeNarrow", 0, 3, 1, 0, L"Default", (folder + L"ProbeNarrow.dll").c_str());
        Register(L"Clock", 0, 5, 0, 0, L"Time", L"\\Windows\\Clock.dll");
        WriteDword(Applet(L"Clock") + L"\\Cache", L"Size", 1);
        WriteDword(Applet(L"Launcher"), L"Colour", 3);
        WriteText(KETRA_OPTIONS_KEY, L"CurrentApplet", L"About");
    }

    void Open()
    {
        SettingsTest::Open(kAppletsPage);
        list_ = settings_->List(kList);
        ASSERT_TRUE(list_->Ready());
    }

    void TapRow(int row) { ASSERT_TRUE(list_->TapRow(row)) << "row " << row; }
    bool Enabled(int id) const { return settings_->Enabled(id); }
    void Command(int id) { settings_->Command(id); }
    void PostCommand(int id) { settings_->PostCommand(id); }

    RegistrySandbox today_{{kToday}};
    std::unique_ptr<RemoteListView> list_;
};

typedef std::vector<std::wstring> Names;

TEST_F(AppletPageTest, ShowsVisibleRegistrationsByOrderAndSavesThemWhole)
{
    Open();
    EXPECT_EQ(Names({L"ProbeNarrow", L"Clock", L"Probe"}), list_->Texts());
    EXPECT_EQ(std::vector<bool>({true, false, true}), list_->CheckMarks());
    RECT client;
    GetClientRect(list_->Handle(), &client);
    EXPECT_EQ(client.right, list_->ColumnWidth());
    DWORD exStyle = (DWORD)SendMessageW(list_->Handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    EXPECT_EQ(0u, exStyle & 0x10000000) << "the device-only style resizes columns on the desktop";

    // Move the first row down, uncheck the (now) last one, close with OK.
    TapRow(0);
    Command(kMoveDown);
    EXPECT_EQ(Names({L"Clock", L"ProbeNarrow", L"Probe"}), list_->Texts());
    EXPECT_EQ(1, list_->Selected());
    ASSERT_TRUE(list_->SetChecked(2, false));
    Close(IDOK);

    EXPECT_EQ(L"0", ValueText(Applet(L"About"), L"Order"));
    EXPECT_EQ(L"1", ValueText(Applet(L"About"), L"Type"));  // hidden, yet written back
    EXPECT_EQ(L"1", ValueText(Applet(L"Clock"), L"Order"));
    EXPECT_EQ(L"2", ValueText(Applet(L"ProbeNarrow"), L"Order"));
    EXPECT_EQ(L"3", ValueText(Applet(L"Probe"), L"Order"));
    EXPECT_EQ(L"0", ValueText(Applet(L"Probe"), L"Enabled"));
    EXPECT_EQ(L"1", ValueText(Applet(L"ProbeNarrow"), L"Enabled"));
    // A settings section is no registration and must not become one.
    EXPECT_EQ(L"-", ValueText(Applet(L"Launcher"), L"Type"));
    EXPECT_EQ(L"-", ValueText(Applet(L"Launcher"), L"DLL"));
}

TEST_F(AppletPageTest, ButtonsFollowTheSelectedRow)
{
    Open();
    TapRow(0);  // first row, an applet without options
    EXPECT_FALSE(Enabled(kMoveUp));
    EXPECT_TRUE(Enabled(kMoveDown));
    EXPECT_FALSE(Enabled(kOptions));
    EXPECT_TRUE(Enabled(kDelete));
    TapRow(2);  // last row, with options
    EXPECT_TRUE(Enabled(kMoveUp));
    EXPECT_FALSE(Enabled(kMoveDown));
    EXPECT_TRUE(Enabled(kOptions));
    TapRow(1);
    EXPECT_TRUE(Enabled(kMoveUp));
    EXPECT_TRUE(Enabled(kMoveDown));
    EXPECT_FALSE(Enabled(kOptions));
    // The last row cannot go further down.
    TapRow(2);
    Command(kMoveDown);
    EXPECT_EQ(Names({L"ProbeNarrow", L"Clock", L"Probe"}), list_->Texts());
}

TEST_F(AppletPageTest, CommandsWithoutSelectionDoNothing)
{
    Open();
    ASSERT_EQ(-1, list_->Selected());
    for (int id : {kMoveUp, kMoveDown, kOptions, kDelete})
        Command(id);
    EXPECT_EQ(Names({L"ProbeNarrow", L"Clock", L"Probe"}), list_->Texts());
    EXPECT_EQ(Names({L"About", L"Clock", L"Probe", L"ProbeNarrow"}), Registrations());
    EXPECT_EQ(L"-", ValueText(kProbeKey, L"OptionsItem"));
}

TEST_F(AppletPageTest, DeleteRemovesTheRegistrationWithItsSubkeys)
{
    Open();
    TapRow(1);
    Command(kDelete);
    EXPECT_EQ(Names({L"ProbeNarrow", L"Probe"}), list_->Texts());
    EXPECT_FALSE(HasKey(Applet(L"Clock")));
    Close(IDOK);
    EXPECT_FALSE(HasKey(Applet(L"Clock")));  // saving does not bring it back
    EXPECT_EQ(Names({L"About", L"Probe", L"ProbeNarrow"}), Registrations());
}

TEST_F(AppletPageTest, DeleteAllLeavesOnlyAFreshHiddenAbout)
{
    Open();
    PostCommand(kDeleteAll);
    EXPECT_EQ(L"Are you sure to delete all applets? You need to reinstall applets.",
              MessageBoxes::WaitFor(L"Delete All Applets"));
    EXPECT_TRUE(MessageBoxes::Answer(IDCANCEL));
    MessageBoxes::WaitNone();
    EXPECT_EQ(3, list_->Count());
    EXPECT_EQ(4u, Registrations().size());

    PostCommand(kDeleteAll);
    MessageBoxes::WaitFor(L"Delete All Applets");
    EXPECT_TRUE(MessageBoxes::Answer(IDOK));
    EXPECT_TRUE(PumpUntil([&] { return list_->Count() == 0; }, 5000));
    Close(IDOK);  // saving must not put the old About back
    EXPECT_EQ(Names({L"About"}), Registrations());
    const std::wstring about = Applet(L"About");
    EXPECT_EQ(L"1", ValueText(about, L"Type"));
    EXPECT_EQ(L"1", ValueText(about, L"Enabled"));
    EXPECT_EQ(L"0", ValueText(about, L"Order"));
    EXPECT_EQ(L"0", ValueText(about, L"Options"));
    EXPECT_EQ(L"0", ValueText(about, L"Notify"));
    EXPECT_EQ(L"Default", ValueText(about, L"Group"));
    const std::wstring dll = ValueText(about, L"DLL");
    const std::wstring tail = std::wstring(kInstallFolder) + L"About.dll";
    ASSERT_GE(dll.size(), tail.size());
    EXPECT_EQ(0, _wcsicmp(tail.c_str(), dll.c_str() + dll.size() - tail.size())) << dll;
    EXPECT_EQ(L"3", ValueText(Applet(L"Launcher"), L"Colour"));  // not an applet: kept
}

TEST_F(AppletPageTest, ImportRegistersNewLibraryTodayItemsOnce)
{
    // Today items: two libraries and one that is not a library. "Old Today"
    // was imported once; its item is gone.
    DeleteKey(kToday);
    const std::wstring probeItem = std::wstring(kToday) + L"\\Probe Today";
    WriteDword(probeItem, L"Type", 4);
    WriteDword(probeItem, L"Options", 1);
    WriteText(probeItem, L"DLL", std::wstring(kInstallFolder) + L"Probe.dll");
    WriteDword(std::wstring(kToday) + L"\\Owner Info", L"Type", 0);
    WriteDword(std::wstring(kToday) + L"\\Date Item", L"Type", 4);
    WriteText(std::wstring(kToday) + L"\\Date Item", L"DLL", L"\\Windows\\ownerdate.dll");
    Register(L"Old Today", 0, 9, 1, 0, L"Today Applet", L"\\Windows\\old.dll");
    Open();
    ASSERT_TRUE(list_->SetChecked(0, false));  // not saved yet: must survive the import

    PostCommand(kImport);
    EXPECT_EQ(L"Going to import all Today items. Some of Today applets may not working "
              L"properly on Ketra. If you're in this case, please delete them from the list.",
              MessageBoxes::WaitFor(L"Import Today Items"));
    EXPECT_TRUE(MessageBoxes::Answer(IDOK));
    EXPECT_EQ(L"Imported 2 Today Applets.", MessageBoxes::WaitFor(L"Today Applet"));
    EXPECT_TRUE(MessageBoxes::Answer(IDOK));
    EXPECT_TRUE(PumpUntil([&] { return list_->Count() == 5; }, 5000));
    const Names rows = list_->Texts();
    EXPECT_EQ(Names({L"ProbeNarrow", L"Clock", L"Probe"}), Names(rows.begin(), rows.begin() + 3));
    EXPECT_EQ(std::vector<bool>({false, false, true, false, false}), list_->CheckMarks());
    EXPECT_EQ(L"0", ValueText(Applet(L"ProbeNarrow"), L"Enabled"));

    EXPECT_FALSE(HasKey(Applet(L"Old Today")));
    EXPECT_FALSE(HasKey(Applet(L"Owner Info")));
    EXPECT_TRUE(HasKey(Applet(L"Clock")));  // another group, kept
    for (LPCWSTR name : {L"Date Item", L"Probe Today"}) {
        const std::wstring key = Applet(name);
        EXPECT_EQ(L"0", ValueText(key, L"Type")) << name;
        EXPECT_EQ(L"0", ValueText(key, L"Enabled")) << name;
        EXPECT_EQ(L"Today Applet", ValueText(key, L"Group")) << name;
    }
    // After all five registrations there were: 10000 + 5, one per item.
    EXPECT_EQ(10005u + 10006u, std::stoul(ValueText(Applet(L"Date Item"), L"Order")) +
                                   std::stoul(ValueText(Applet(L"Probe Today"), L"Order")));
    EXPECT_EQ(L"1", ValueText(Applet(L"Probe Today"), L"Options"));
    EXPECT_EQ(std::wstring(kInstallFolder) + L"Probe.dll", ValueText(Applet(L"Probe Today"), L"DLL"));

    PostCommand(kImport);
    MessageBoxes::WaitFor(L"Import Today Items");
    EXPECT_TRUE(MessageBoxes::Answer(IDOK));
    EXPECT_EQ(L"Couldn't find New Today Applet.", MessageBoxes::WaitFor(L"Today Applet"));
    EXPECT_TRUE(MessageBoxes::Answer(IDCANCEL));
}

TEST_F(AppletPageTest, OptionsRunsTheAppletsDialogAndFreesItsLibrary)
{
    WriteDword(kProbeKey, L"OptionsStay", 1);
    Open();
    TapRow(2);
    PostCommand(kOptions);
    HWND dialog = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (dialog = FindWindowW(L"#32770", L"Probe Options")) != nullptr; }, 10000));
    WaitUntilIdle(dialog);  // found before it has recorded what it was given
    EXPECT_EQ(settings_->Main(), GetWindow(dialog, GW_OWNER));
    EXPECT_TRUE(ModuleLoadedIn(settings_->ProcessId(), L"Probe.dll"));
    // The name holds 31 characters of the path and its terminator.
    EXPECT_EQ(L"\\Program Files\\ZARQ\\Ketra\\Probe", ValueText(kProbeKey, L"OptionsName"));
    EXPECT_EQ(std::wstring(kInstallFolder) + L"Probe.dll", ValueText(kProbeKey, L"OptionsDLL"));
    EXPECT_EQ(L"type=0 order=0 cyp=0 enabled=1 options=1 flags=0 module=probe window=0 data=0/0",
              ValueText(kProbeKey, L"OptionsItem"));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, 5000));
    EXPECT_TRUE(PumpUntil([&] { return !ModuleLoadedIn(settings_->ProcessId(), L"Probe.dll"); }, 5000));

    // The narrow probe has the procedure but no template: nothing opens, and
    // its library does not stay either.
    DeleteValue(kProbeKey, L"OptionsItem");
    TapRow(0);
    Command(kOptions);
    EXPECT_EQ(L"-", ValueText(kProbeKey, L"OptionsItem"));
    EXPECT_FALSE(ModuleLoadedIn(settings_->ProcessId(), L"ProbeNarrow.dll"));
}

}  // namespace
