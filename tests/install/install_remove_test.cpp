// Installing and removing packs on the device: the installer program with
// its log lines and message boxes, Remove Programs, shared files, a failure
// taken back, and the side bar letting go of a removed applet.
#include "ketra_testkit.h"

#include "app_manager.h"
#include "remove_programs_page.h"

#include <algorithm>

using namespace testkit;

namespace {

const wchar_t kTestRecord[] = L"ZARQ Ketra Install Test";
const wchar_t kSharedRecord[] = L"ZARQ Ketra Shared Test";
const wchar_t kFolder[] = L"\\Program Files\\ZARQ\\InstallTest";
const wchar_t kValuesKey[] = L"SOFTWARE\\ZARQ\\InstallTest";
const wchar_t kInstallProbeKey[] = L"SOFTWARE\\ZARQ\\APPLETS\\Install Probe";
const wchar_t kStartMenuLink[] = L"\\Windows\\Start Menu\\Programs\\Install Test.lnk";
const wchar_t kStartUpLink[] = L"\\Windows\\StartUp\\Install Test.lnk";

std::wstring InFolder(const std::wstring& name)
{
    return std::wstring(kFolder) + L"\\" + name;
}

bool OnDevice(const std::wstring& path)
{
    return FileExists(DeviceFilePath(path));
}

class InstallTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        std::wstring why;
        RemoveApplication(kTestRecord, &why);
        RemoveApplication(kSharedRecord, &why);
        DeleteFileW(DeviceFilePath(L"\\Temp\\testpack.cab").c_str());
    }

    // The fixture copied where the installer may delete it.
    std::wstring CabinetCopy()
    {
        const std::wstring path = L"\\Temp\\testpack.cab";
        EXPECT_TRUE(CopyFileW(FixturePath(L"install\\testpack.cab").c_str(), DeviceFilePath(path).c_str(), FALSE));
        return path;
    }

    DWORD RunInstaller(const std::wstring& args)
    {
        DeviceProgram installer(L"D:\\Windows\\wceload.exe", args);
        DWORD code = 99;
        EXPECT_TRUE(installer.WaitExit(30000, &code)) << MessageBoxes::Describe();
        return code;
    }

    static bool InstallInProcess(const wchar_t* fixture, std::wstring* why)
    {
        SetupCabinet cabinet;
        InstallPlan plan;
        return LoadSetupCabinet(FixturePath(fixture), &cabinet, why) &&
               PlanInstallation(cabinet, kDefaultProgramFiles, &plan, why) && CarryOutInstallation(plan, why);
    }
};

} // namespace

TEST_F(InstallTest, InstallsAPackAndRemovesItWhole)
{
    DeviceLog log;
    const std::wstring cabinet = CabinetCopy();
    EXPECT_EQ(0u, RunInstaller(L"/noaskdest \"" + cabinet + L"\""));
    EXPECT_TRUE(log.HasLine(L"install: Ketra Install Test")) << ToUtf8(log.First(L"install"));
    EXPECT_FALSE(OnDevice(cabinet)) << "an installed cabinet is deleted";

    for (const wchar_t* name : {L"InstallProbe.dll", L"readme.txt", L"Data\\one.txt", L"Data\\Sub\\two.txt"})
        EXPECT_TRUE(OnDevice(InFolder(name))) << ToUtf8(name);
    EXPECT_TRUE(OnDevice(L"\\My Documents\\InstallTest.txt"));
    const std::string readme = "\"\\Program Files\\ZARQ\\InstallTest\\readme.txt\"";
    EXPECT_EQ(std::to_string(readme.size()) + "#" + readme, ReadBytes(DeviceFilePath(kStartMenuLink)));
    const std::string withArgs = readme + " /quiet";
    EXPECT_EQ(std::to_string(withArgs.size()) + "#" + withArgs, ReadBytes(DeviceFilePath(kStartUpLink)));
    EXPECT_EQ(InFolder(L"readme.txt"), ReadText(kValuesKey, L"Greeting"));
    EXPECT_EQ(7u, ReadDword(kValuesKey, L"Count"));
    EXPECT_EQ(InFolder(L"InstallProbe.dll"), ReadText(kInstallProbeKey, L"DLL"));
    EXPECT_NE(0u, AppletMenuCommand(L"Install Probe")) << "the bar's menu lists the new applet";

    // Remove Programs lists it; Remove, confirmed, takes it off.
    {
        ProgramDriver page(L"D:\\Windows\\ctlpnl.exe", L"DeviceRemovePrograms", L"cplmain.cpl 10,0");
        ASSERT_TRUE(page.Started());
        HWND list = page.Control(IDC_REMOVE_LIST);
        LRESULT row = SendMessageW(list, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)kTestRecord);
        ASSERT_GE(row, 0) << "Remove Programs lists the application";
        SendMessageW(list, LB_SETCURSEL, row, 0);
        SendMessageW(page.Main(), WM_COMMAND, MAKEWPARAM(IDC_REMOVE_LIST, LBN_SELCHANGE), (LPARAM)list);
        EXPECT_TRUE(page.Enabled(IDC_REMOVE_BUTTON));
        page.PostCommand(IDC_REMOVE_BUTTON);
        EXPECT_NE(L"<no box>", MessageBoxes::WaitFor(L"Remove Programs"));
        EXPECT_TRUE(MessageBoxes::Answer(IDYES, L"Remove Programs"));
        EXPECT_TRUE(log.WaitFor(L"uninstall: Ketra Install Test", 10000));
        EXPECT_TRUE(PumpUntil([&] { return SendMessageW(list, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)kTestRecord) < 0; },
                              5000));
        EXPECT_TRUE(page.CloseByOkCorner());
    }
    for (const wchar_t* name : {L"InstallProbe.dll", L"readme.txt", L"Data\\Sub\\two.txt"})
        EXPECT_FALSE(OnDevice(InFolder(name))) << ToUtf8(name);
    EXPECT_FALSE(OnDevice(kFolder)) << "the folder the installation made goes with it";
    EXPECT_FALSE(OnDevice(kStartMenuLink));
    EXPECT_FALSE(OnDevice(kStartUpLink));
    EXPECT_FALSE(OnDevice(L"\\My Documents\\InstallTest.txt"));
    EXPECT_FALSE(HasKey(kValuesKey));
    EXPECT_FALSE(HasKey(kInstallProbeKey));
    EXPECT_EQ(0u, AppletMenuCommand(L"Install Probe"));
    AppRecord record;
    EXPECT_FALSE(ReadAppRecord(kTestRecord, &record));

    // And it installs again.
    EXPECT_EQ(0u, RunInstaller(L"/noaskdest \"" + CabinetCopy() + L"\""));
    EXPECT_TRUE(OnDevice(InFolder(L"InstallProbe.dll")));
    EXPECT_NE(0u, AppletMenuCommand(L"Install Probe"));
}

TEST_F(InstallTest, AsksWhereToInstallWhenACardIsIn)
{
    DeviceLog log;
    // A tap on the cabinet in the file explorer: the shell hands it to the installer.
    ASSERT_TRUE(Execute(CabinetCopy()));
    EXPECT_EQ(L"Install Ketra Install Test\nto the default location?", MessageBoxes::WaitFor(L"Ketra Install Test"));
    ASSERT_TRUE(MessageBoxes::Answer(IDNO, L"Ketra Install Test"));
    ASSERT_TRUE(WaitProcessCount(L"wceload.exe", 0, 30000));
    EXPECT_TRUE(log.HasLine(L"install: Ketra Install Test"));
    const std::wstring card = L"\\Storage Card\\Program Files\\ZARQ\\InstallTest\\InstallProbe.dll";
    EXPECT_TRUE(OnDevice(card));
    EXPECT_FALSE(OnDevice(InFolder(L"InstallProbe.dll")));
    EXPECT_EQ(card, ReadText(kInstallProbeKey, L"DLL"));
    std::wstring why;
    ASSERT_TRUE(RemoveApplication(kTestRecord, &why));
    EXPECT_FALSE(OnDevice(L"\\Storage Card\\Program Files")) << "folders the installation made go with it";
}

TEST_F(InstallTest, RemovalKeepsWhatAnotherApplicationInstalled)
{
    std::wstring why;
    ASSERT_TRUE(InstallInProcess(L"install\\testpack.cab", &why)) << ToUtf8(why);
    ASSERT_TRUE(InstallInProcess(L"install\\sharedpack.cab", &why)) << ToUtf8(why);
    ASSERT_TRUE(RemoveApplication(kTestRecord, &why));
    EXPECT_TRUE(OnDevice(InFolder(L"readme.txt"))) << "the other application's file stays";
    EXPECT_FALSE(OnDevice(InFolder(L"InstallProbe.dll")));
    EXPECT_EQ(1u, ReadDword(L"SOFTWARE\\ZARQ\\SharedTest", L"Shared"));
    ASSERT_TRUE(RemoveApplication(kSharedRecord, &why));
    EXPECT_FALSE(OnDevice(InFolder(L"readme.txt")));
    EXPECT_FALSE(HasKey(L"SOFTWARE\\ZARQ\\SharedTest"));
    EXPECT_FALSE(RemoveApplication(kSharedRecord, &why)) << "a second removal finds no record";
}

TEST_F(InstallTest, AFailureMidwayTakesEverythingBack)
{
    RegistrySandbox saved({kValuesKey});
    ASSERT_TRUE(saved.Saved());
    ASSERT_TRUE(WriteDword(kValuesKey, L"Count", 99));
    // The Start menu's shortcut, held open by another program, cannot be
    // replaced: the last step fails after files and values were written.
    ASSERT_TRUE(WriteBytes(DeviceFilePath(kStartMenuLink), "5#mine"));
    HANDLE held = CreateFileW(DeviceFilePath(kStartMenuLink).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    std::wstring why;
    EXPECT_FALSE(InstallInProcess(L"install\\testpack.cab", &why));
    EXPECT_FALSE(why.empty());
    CloseHandle(held);

    EXPECT_EQ("5#mine", ReadBytes(DeviceFilePath(kStartMenuLink)));
    EXPECT_FALSE(OnDevice(InFolder(L"InstallProbe.dll")));
    EXPECT_FALSE(OnDevice(kFolder));
    EXPECT_FALSE(OnDevice(kStartUpLink));
    EXPECT_EQ(99u, ReadDword(kValuesKey, L"Count")) << "a value the device had comes back";
    EXPECT_FALSE(HasValue(kValuesKey, L"Greeting"));
    EXPECT_FALSE(HasKey(kInstallProbeKey));
    AppRecord record;
    EXPECT_FALSE(ReadAppRecord(kTestRecord, &record));
    DeleteFileW(DeviceFilePath(kStartMenuLink).c_str());
}

TEST_F(InstallTest, ADamagedCabinetIsRefusedWithAMessage)
{
    DeviceLog log;
    std::string bytes = ReadBytes(FixturePath(L"install\\testpack.cab"));
    ASSERT_GT(bytes.size(), 100u);
    bytes.resize(bytes.size() - 100);
    const std::wstring cabinet = L"\\Temp\\testpack.cab";
    ASSERT_TRUE(WriteBytes(DeviceFilePath(cabinet), bytes));
    DeviceProgram installer(L"D:\\Windows\\wceload.exe", L"\"" + cabinet + L"\"");
    std::wstring text = MessageBoxes::WaitFor(L"Installation");
    EXPECT_NE(std::wstring::npos, text.find(L"Installation of testpack.cab\nwas unsuccessful.")) << ToUtf8(text);
    MessageBoxes::Answer(IDOK, L"Installation");
    DWORD code = 0;
    ASSERT_TRUE(installer.WaitExit(30000, &code));
    EXPECT_EQ(1u, code);
    EXPECT_TRUE(log.Contains(L"install: testpack.cab: "));
    EXPECT_TRUE(OnDevice(cabinet)) << "a refused cabinet is kept";
    EXPECT_FALSE(OnDevice(kFolder));
    AppRecord record;
    EXPECT_FALSE(ReadAppRecord(kTestRecord, &record));
}

TEST_F(InstallTest, TheBarLetsGoOfARemovedApplet)
{
    RegistrySandbox bar({KETRA_KEY});
    ASSERT_TRUE(bar.Saved());
    std::wstring why;
    ASSERT_TRUE(InstallInProcess(L"install\\testpack.cab", &why)) << ToUtf8(why);
    ASSERT_TRUE(StartBar(L"Install Probe"));
    ASSERT_TRUE(PumpUntil([] { return CurrentApplet() == L"Install Probe"; }, 10000));
    ASSERT_TRUE(RemoveApplication(kTestRecord, &why));
    EXPECT_TRUE(BarIsOpen() || KetraFindBar()) << "the bar keeps running";
    EXPECT_EQ(L"About", CurrentApplet());
    EXPECT_FALSE(OnDevice(InFolder(L"InstallProbe.dll"))) << "the applet's library was let go and deleted";
    EXPECT_EQ(0u, AppletMenuCommand(L"Install Probe"));
    CloseBar();
}

TEST_F(InstallTest, ASampleTheDeviceHasStaysTheUsers)
{
    const std::wstring sample = DeviceFilePath(L"\\My Documents\\InstallTest.txt");
    ASSERT_TRUE(WriteBytes(sample, "mine"));
    std::wstring why;
    ASSERT_TRUE(InstallInProcess(L"install\\testpack.cab", &why)) << ToUtf8(why);
    EXPECT_EQ("mine", ReadBytes(sample)) << "a sample never replaces the user's copy";
    AppRecord record;
    ASSERT_TRUE(ReadAppRecord(kTestRecord, &record));
    EXPECT_EQ(record.files.end(),
              std::find(record.files.begin(), record.files.end(), L"\\My Documents\\InstallTest.txt"));
    // A second installation over the first keeps one record of both.
    ASSERT_TRUE(InstallInProcess(L"install\\testpack.cab", &why)) << ToUtf8(why);
    AppRecord again;
    ASSERT_TRUE(ReadAppRecord(kTestRecord, &again));
    EXPECT_EQ(record.files.size(), again.files.size());
    EXPECT_EQ(record.folders, again.folders) << "the folders the first one made are still its";
    ASSERT_TRUE(RemoveApplication(kTestRecord, &why));
    EXPECT_EQ("mine", ReadBytes(sample));
    EXPECT_FALSE(OnDevice(kFolder));
    DeleteFileW(sample.c_str());
}

TEST_F(InstallTest, TheShellHandsTheDesktopsCabinetsToTheInstaller)
{
    DeviceLog log;
    const std::wstring inbox = L"D:\\Windows\\AppMgr\\Install\\";
    CreateDirectoryW(L"D:\\Windows\\AppMgr", nullptr);
    CreateDirectoryW(inbox.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(FixturePath(L"install\\testpack.cab").c_str(), (inbox + L"testpack.cab").c_str(), FALSE));
    EXPECT_NE(L"<no box>", MessageBoxes::WaitFor(L"Ketra Install Test"));
    ASSERT_TRUE(MessageBoxes::Answer(IDYES, L"Ketra Install Test"));
    EXPECT_TRUE(log.WaitFor(L"install: Ketra Install Test", 20000));
    EXPECT_TRUE(log.HasLine(L"desktop: install \\Windows\\AppMgr\\Install\\testpack.cab"));
    EXPECT_TRUE(PumpUntil([&] { return !FileExists(inbox + L"testpack.cab"); }, 10000));
    EXPECT_TRUE(OnDevice(InFolder(L"InstallProbe.dll")));

    // A damaged one is refused on the device and leaves the inbox too.
    std::string cut = ReadBytes(FixturePath(L"install\\testpack.cab"));
    cut.resize(cut.size() / 2);
    ASSERT_TRUE(WriteBytes(inbox + L"broken.cab", cut));
    EXPECT_NE(L"<no box>", MessageBoxes::WaitFor(L"Installation"));
    MessageBoxes::Answer(IDOK, L"Installation");
    EXPECT_TRUE(PumpUntil([&] { return !FileExists(inbox + L"broken.cab"); }, 10000));
    EXPECT_TRUE(log.Contains(L"install: broken.cab: "));
}
