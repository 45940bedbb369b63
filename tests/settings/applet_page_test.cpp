// The settings program's Applets page on the device, driven from outside:
// taps on its rows, its buttons' commands, message boxes answered through
// devctl, and the registry it reads and writes.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <memory>
#include <string>
#include <vector>

#include "devctl_runner.h"
#include "option_device.h"
#include "remote_list_view.h"

namespace {

const wchar_t kOption[] = L"\\Program Files\\ZARQ\\Ketra\\Option.exe";
const wchar_t kFolder[] = L"\\Program Files\\ZARQ\\Ketra\\";
const wchar_t kZarq[] = L"SOFTWARE\\ZARQ";
const wchar_t kApplets[] = L"SOFTWARE\\ZARQ\\APPLETS";
const wchar_t kToday[] = L"SOFTWARE\\Microsoft\\Today\\Items";
const wchar_t kProbeState[] = L"SOFTWARE\\ZARQ\\PROBE";
const wchar_t kBackup[] = L"SOFTWARE\\Applet Page Test Backup";

enum { kMoveUp = 1002, kMoveDown = 1003, kOptions = 1005, kDelete = 1020, kDeleteAll = 1021, kImport = 1023 };

void SetNumber(const std::wstring& key, LPCWSTR name, DWORD value)
{
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, REG_DWORD, &value, sizeof(value));
}

void SetText(const std::wstring& key, LPCWSTR name, const std::wstring& text)
{
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, REG_SZ, text.c_str(),
                    (DWORD)((text.size() + 1) * sizeof(wchar_t)));
}

// A value as text ("-" when absent), numbers in decimal.
std::wstring Value(const std::wstring& key, LPCWSTR name)
{
    wchar_t buffer[300] = {};
    DWORD size = sizeof(buffer) - sizeof(wchar_t), type = 0;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &type, buffer,
                     &size) != ERROR_SUCCESS)
        return L"-";
    if (type != REG_DWORD)
        return std::wstring(buffer);
    DWORD number = 0;
    memcpy(&number, buffer, sizeof(number));
    return std::to_wstring(number);
}

std::wstring Applet(LPCWSTR name) { return std::wstring(kApplets) + L"\\" + name; }

bool HasKey(const std::wstring& key)
{
    HKEY handle = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

// Names of the keys under the applet branch that carry a Type.
std::vector<std::wstring> Registrations()
{
    std::vector<std::wstring> names;
    HKEY branch = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kApplets, 0, KEY_READ, &branch) != ERROR_SUCCESS)
        return names;
    wchar_t name[256];
    for (DWORD i = 0, size = 256; RegEnumKeyExW(branch, i, name, &size, nullptr, nullptr, nullptr, nullptr) ==
                                  ERROR_SUCCESS; ++i, size = 256)
        if (Value(Applet(name), L"Type") != L"-")
            names.push_back(name);
    RegCloseKey(branch);
    return names;
}

void Register(LPCWSTR name, DWORD type, DWORD order, DWORD enabled, DWORD options, LPCWSTR group, LPCWSTR dll)
{
    const std::wstring key = Applet(name);
    SetNumber(key, L"Type", type);
    SetNumber(key, L"Order", order);
    SetNumber(key, L"Enabled", enabled);
    SetNumber(key, L"Options", options);
    SetNumber(key, L"Notify", 0);
    SetText(key, L"Group", group);
    SetText(key, L"DLL", dll);
}

bool ModuleLoadedIn(DWORD processId, LPCWSTR module)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    MODULEENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    bool found = false;
    for (BOOL more = Module32FirstW(snapshot, &entry); more && !found; more = Module32NextW(snapshot, &entry))
        found = _wcsicmp(entry.szModule, module) == 0;
    CloseHandle(snapshot);
    return found;
}

std::wstring Trimmed(std::wstring text)
{
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r'))
        text.pop_back();
    return text;
}

BOOL CALLBACK FindAppletList(HWND child, LPARAM found)
{
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (GetDlgCtrlID(child) != 1001 || wcscmp(name, L"SysListView32") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

// Registrations as the fixture leaves them, by order: About (hidden),
// ProbeNarrow, Clock (off, with a subkey), Probe; Launcher is an applet's
// settings section without Type.
class AppletPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kBackup);
        ASSERT_TRUE(CopyRegistryTree(kZarq, (std::wstring(kBackup) + L"\\ZARQ").c_str()));
        ASSERT_TRUE(CopyRegistryTree(kToday, (std::wstring(kBackup) + L"\\Today").c_str()));
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kApplets);
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kProbeState);
        const std::wstring folder = kFolder;
        Register(L"About", 1, 0, 1, 0, L"Tests", (folder + L"About.dll").c_str());
        Register(L"Probe", 0, 7, 1, 1, L"Tests", (folder + L"Probe.dll").c_str());
        Register(L"ProbeNarrow", 0, 3, 1, 0, L"Default", (folder + L"ProbeNarrow.dll").c_str());
        Register(L"Clock", 0, 5, 0, 0, L"Time", L"\\Windows\\Clock.dll");
        SetNumber(Applet(L"Clock") + L"\\Cache", L"Size", 1);
        SetNumber(Applet(L"Launcher"), L"Colour", 3);
        SetText(std::wstring(kZarq) + L"\\KETRA\\OPTIONS", L"CurrentApplet", L"About");
    }

    void TearDown() override
    {
        if (frame_)
            Close(IDCANCEL);
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kZarq);
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kToday);
        CopyRegistryTree((std::wstring(kBackup) + L"\\ZARQ").c_str(), kZarq);
        CopyRegistryTree((std::wstring(kBackup) + L"\\Today").c_str(), kToday);
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kBackup);
    }

    void Open()
    {
        ASSERT_EQ(0u, RunDevctl({L"exec", kOption}).exitCode);
        ASSERT_TRUE(PumpUntil([&] { return (frame_ = FindWindowW(L"KETRA_OPTION_CLASS", nullptr)) != nullptr; },
                              15000));
        HWND list = nullptr;
        PumpUntil([&] { return !EnumChildWindows(frame_, FindAppletList, (LPARAM)&list) && list; }, 5000);
        ASSERT_NE(nullptr, list);
        DWORD_PTR idle = 0;  // answered once the program waits for input
        SendMessageTimeoutW(frame_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &idle);
        GetWindowThreadProcessId(frame_, &processId_);
        page_ = GetParent(list);
        list_.reset(new RemoteListView(list));
        ASSERT_TRUE(list_->Ready());
    }

    // Closes the program (which saves) and the side bar it starts again.
    void Close(WPARAM command)
    {
        PostMessageW(frame_, WM_COMMAND, command, 0);
        EXPECT_TRUE(PumpUntil([] { return !FindWindowW(L"KETRA_OPTION_CLASS", nullptr); }, 15000));
        frame_ = nullptr;
        if (PumpUntil([] { return FindWindowW(L"KETRA_CLASS", nullptr) != nullptr; }, 10000))
            PostMessageW(FindWindowW(L"KETRA_CLASS", nullptr), WM_COMMAND, 1, 0);
        PumpUntil([] { return !FindWindowW(L"KETRA_CLASS", nullptr); }, 10000);
    }

    // A button's command, as the button sends it; returns once handled.
    void Command(int id)
    {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(page_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(page_, id), SMTO_NORMAL,
                            10000, &result);
    }
    // For commands that ask first: the answer comes through devctl.
    void PostCommand(int id)
    {
        PostMessageW(page_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)GetDlgItem(page_, id));
    }

    void TapRow(int row)
    {
        RECT rect = list_->RowOnScreen(row);
        ASSERT_LT(rect.left, rect.right) << "no row " << row;
        // Beside the check box, which a tap would toggle.
        int x = rect.left + 40, y = (rect.top + rect.bottom) / 2;
        ASSERT_EQ(0u, RunDevctl({L"tap", std::to_wstring(x), std::to_wstring(y)}).exitCode);
        ASSERT_TRUE(PumpUntil([&] { return list_->Selected() == row; }, 5000)) << "row " << row;
        PumpMessages(100);
    }

    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(page_, id)) != FALSE; }

    // The first message box whose line (`"caption" "text"`) starts with the
    // caption, once it shows; empty when none does.
    std::wstring WaitForBox(const std::wstring& caption)
    {
        std::wstring line;
        PumpUntil(
            [&] {
                line = Trimmed(RunDevctl({L"boxes"}).out);
                return line.rfind(L"\"" + caption + L"\"", 0) == 0;
            },
            10000);
        return line;
    }
    void Answer(LPCWSTR button) { EXPECT_EQ(0u, RunDevctl({L"dismiss", button}).exitCode); }

    HWND frame_ = nullptr;
    HWND page_ = nullptr;
    DWORD processId_ = 0;
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

    EXPECT_EQ(L"0", Value(Applet(L"About"), L"Order"));
    EXPECT_EQ(L"1", Value(Applet(L"About"), L"Type"));  // hidden, yet written back
    EXPECT_EQ(L"1", Value(Applet(L"Clock"), L"Order"));
    EXPECT_EQ(L"2", Value(Applet(L"ProbeNarrow"), L"Order"));
    EXPECT_EQ(L"3", Value(Applet(L"Probe"), L"Order"));
    EXPECT_EQ(L"0", Value(Applet(L"Probe"), L"Enabled"));
    EXPECT_EQ(L"1", Value(Applet(L"ProbeNarrow"), L"Enabled"));
    // A settings section is no registration and must not become one.
    EXPECT_EQ(L"-", Value(Applet(L"Launcher"), L"Type"));
    EXPECT_EQ(L"-", Value(Applet(L"Launcher"), L"DLL"));
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
    EXPECT_EQ(L"-", Value(kProbeState, L"OptionsItem"));
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
    EXPECT_EQ(L"\"Delete All Applets\" \"Are you sure to delete all applets? You need to reinstall applets.\"",
              WaitForBox(L"Delete All Applets"));
    Answer(L"cancel");
    PumpUntil([&] { return Trimmed(RunDevctl({L"boxes"}).out).empty(); }, 5000);
    EXPECT_EQ(3, list_->Count());
    EXPECT_EQ(4u, Registrations().size());

    PostCommand(kDeleteAll);
    WaitForBox(L"Delete All Applets");
    Answer(L"ok");
    EXPECT_TRUE(PumpUntil([&] { return list_->Count() == 0; }, 5000));
    Close(IDOK);  // saving must not put the old About back
    EXPECT_EQ(Names({L"About"}), Registrations());
    const std::wstring about = Applet(L"About");
    EXPECT_EQ(L"1", Value(about, L"Type"));
    EXPECT_EQ(L"1", Value(about, L"Enabled"));
    EXPECT_EQ(L"0", Value(about, L"Order"));
    EXPECT_EQ(L"0", Value(about, L"Options"));
    EXPECT_EQ(L"0", Value(about, L"Notify"));
    EXPECT_EQ(L"Default", Value(about, L"Group"));
    const std::wstring dll = Value(about, L"DLL");
    const std::wstring tail = std::wstring(kFolder) + L"About.dll";
    ASSERT_GE(dll.size(), tail.size());
    EXPECT_EQ(0, _wcsicmp(tail.c_str(), dll.c_str() + dll.size() - tail.size())) << dll;
    EXPECT_EQ(L"3", Value(Applet(L"Launcher"), L"Colour"));  // not an applet: kept
}

TEST_F(AppletPageTest, ImportRegistersNewLibraryTodayItemsOnce)
{
    // Today items: two libraries and one that is not a library. "Old Today"
    // was imported once; its item is gone.
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kToday);
    const std::wstring probeItem = std::wstring(kToday) + L"\\Probe Today";
    SetNumber(probeItem, L"Type", 4);
    SetNumber(probeItem, L"Options", 1);
    SetText(probeItem, L"DLL", std::wstring(kFolder) + L"Probe.dll");
    SetNumber(std::wstring(kToday) + L"\\Owner Info", L"Type", 0);
    SetNumber(std::wstring(kToday) + L"\\Date Item", L"Type", 4);
    SetText(std::wstring(kToday) + L"\\Date Item", L"DLL", L"\\Windows\\ownerdate.dll");
    Register(L"Old Today", 0, 9, 1, 0, L"Today Applet", L"\\Windows\\old.dll");
    Open();
    ASSERT_TRUE(list_->SetChecked(0, false));  // not saved yet: must survive the import

    PostCommand(kImport);
    EXPECT_EQ(L"\"Import Today Items\" \"Going to import all Today items. Some of Today applets may not working "
              L"properly on Ketra. If you're in this case, please delete them from the list.\"",
              WaitForBox(L"Import Today Items"));
    Answer(L"ok");
    EXPECT_EQ(L"\"Today Applet\" \"Imported 2 Today Applets.\"", WaitForBox(L"Today Applet"));
    Answer(L"ok");
    EXPECT_TRUE(PumpUntil([&] { return list_->Count() == 5; }, 5000));
    const Names rows = list_->Texts();
    EXPECT_EQ(Names({L"ProbeNarrow", L"Clock", L"Probe"}), Names(rows.begin(), rows.begin() + 3));
    EXPECT_EQ(std::vector<bool>({false, false, true, false, false}), list_->CheckMarks());
    EXPECT_EQ(L"0", Value(Applet(L"ProbeNarrow"), L"Enabled"));

    EXPECT_FALSE(HasKey(Applet(L"Old Today")));
    EXPECT_FALSE(HasKey(Applet(L"Owner Info")));
    EXPECT_TRUE(HasKey(Applet(L"Clock")));  // another group, kept
    for (LPCWSTR name : {L"Date Item", L"Probe Today"}) {
        const std::wstring key = Applet(name);
        EXPECT_EQ(L"0", Value(key, L"Type")) << name;
        EXPECT_EQ(L"0", Value(key, L"Enabled")) << name;
        EXPECT_EQ(L"Today Applet", Value(key, L"Group")) << name;
    }
    // After all five registrations there were: 10000 + 5, one per item.
    EXPECT_EQ(10005u + 10006u, std::stoul(Value(Applet(L"Date Item"), L"Order")) +
                                   std::stoul(Value(Applet(L"Probe Today"), L"Order")));
    EXPECT_EQ(L"1", Value(Applet(L"Probe Today"), L"Options"));
    EXPECT_EQ(std::wstring(kFolder) + L"Probe.dll", Value(Applet(L"Probe Today"), L"DLL"));

    PostCommand(kImport);
    WaitForBox(L"Import Today Items");
    Answer(L"ok");
    EXPECT_EQ(L"\"Today Applet\" \"Couldn't find New Today Applet.\"", WaitForBox(L"Today Applet"));
    Answer(L"cancel");
}

TEST_F(AppletPageTest, OptionsRunsTheAppletsDialogAndFreesItsLibrary)
{
    SetNumber(kProbeState, L"OptionsStay", 1);
    Open();
    TapRow(2);
    PostCommand(kOptions);
    HWND dialog = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (dialog = FindWindowW(L"#32770", L"Probe Options")) != nullptr; }, 10000));
    EXPECT_EQ(frame_, GetWindow(dialog, GW_OWNER));
    EXPECT_TRUE(ModuleLoadedIn(processId_, L"Probe.dll"));
    // The name holds 31 characters of the path and its terminator.
    EXPECT_EQ(L"\\Program Files\\ZARQ\\Ketra\\Probe", Value(kProbeState, L"OptionsName"));
    EXPECT_EQ(std::wstring(kFolder) + L"Probe.dll", Value(kProbeState, L"OptionsDLL"));
    EXPECT_EQ(L"type=0 order=0 cyp=0 enabled=1 options=1 flags=0 module=probe window=0 data=0/0",
              Value(kProbeState, L"OptionsItem"));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, 5000));
    EXPECT_TRUE(PumpUntil([&] { return !ModuleLoadedIn(processId_, L"Probe.dll"); }, 5000));

    // The narrow probe has the procedure but no template: nothing opens, and
    // its library does not stay either.
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kProbeState, L"OptionsItem");
    TapRow(0);
    Command(kOptions);
    EXPECT_EQ(L"-", Value(kProbeState, L"OptionsItem"));
    EXPECT_FALSE(ModuleLoadedIn(processId_, L"ProbeNarrow.dll"));
}

}  // namespace
