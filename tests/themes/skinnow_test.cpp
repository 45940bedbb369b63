// Skinnow, the media player's skin browser, in the test's process under a
// stand-in host (its thumbnails and their order, Apply with and without a
// running player, Delete where it is allowed, and skins it must skip), and
// on the bar while it loads.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../../bench/footprint.h"
#include "theme_test_support.h"

namespace {

using namespace testkit;

const wchar_t kLibrary[] = L"\\Program Files\\ZARQ\\Ketra\\Skinnow.dll";
const wchar_t kFolder[] = L"\\Program Files\\Windows Media Player";
const wchar_t kCurrentSkinFile[] = L"\\Program Files\\Windows Media Player\\default.skn";
const wchar_t kParameters[] = L"SOFTWARE\\Microsoft\\Windows Media Player 8\\Parameters";

std::wstring Skin(const wchar_t* name)
{
    return std::wstring(kFolder) + L"\\" + name + L"\\" + name + L".skn";
}

// The thumbnail at position i of the page: 36 x 40 from (8, 5), 4 apart.
POINT Thumb(int i)
{
    return {8 + 40 * i + 18, 5 + 20};
}

class SkinnowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parameters_.Saved());
        DWORD attributes = GetFileAttributesW(kCurrentSkinFile);
        inRom_ = attributes != INVALID_FILE_ATTRIBUTES && (attributes & 0x40);
        if (!inRom_)
            ramCopy_ = ReadBytes(kCurrentSkinFile);
        MessageBoxes::DismissAll();
    }
    void TearDown() override
    {
        host_.reset();
        EndProcesses(L"Player.exe");
        if (inRom_)
            DeleteFileW(kCurrentSkinFile);
        else
            WriteBytes(kCurrentSkinFile, ramCopy_);
        for (const std::wstring& folder : made_)
            RemoveTree(folder);
    }
    // A skin folder of the player's own: name.skn naming a picture (a copy
    // of Marine's face unless told otherwise).
    void MakeSkin(const wchar_t* name, const char* skn, bool picture = true)
    {
        std::wstring folder = std::wstring(L"D:") + kFolder + L"\\" + name;
        CreateDirectoryW(folder.c_str(), nullptr);
        made_.push_back(folder);
        if (skn)
            ASSERT_TRUE(WriteBytes(folder + L"\\" + name + L".skn", skn));
        if (picture)
            ASSERT_TRUE(CopyFileW((std::wstring(kFolder) + L"\\Marine\\Marine.bmp").c_str(),
                                  (folder + L"\\Face.bmp").c_str(), FALSE));
    }
    void Start()
    {
        host_ = std::make_unique<AppletHost>(kLibrary, 236, 50);
        ASSERT_TRUE(host_->Loaded());
        ASSERT_NE(nullptr, host_->Create());
        EXPECT_EQ(L"WMP Skin Browser", TextOf(host_->Window()));
        // Every preview made: the thumbnails are framed in black.
        ASSERT_TRUE(PumpUntil([&] {
            std::unique_ptr<PixelSurface> shown = host_->Paint();
            return shown->At(8, 5) == RGB(0, 0, 0);
        }, 10000));
        PumpMessages(300);
    }
    // The skin menu of the thumbnail at position i (tapped).
    std::vector<MenuReader::Item> Menu(int i)
    {
        MenuReader reader;
        POINT p = Thumb(i);
        host_->Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        host_->Send(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        return reader.Items();
    }
    std::vector<std::wstring> Names()
    {
        std::vector<std::wstring> names;
        for (int i = 0; i < 5; ++i) {
            std::vector<MenuReader::Item> items = Menu(i);
            if (items.empty())
                break;
            names.push_back(items[0].text);
        }
        return names;
    }

    RegistrySandbox parameters_{{kParameters}};
    bool inRom_ = false;
    std::string ramCopy_;
    std::vector<std::wstring> made_;
    std::unique_ptr<AppletHost> host_;
};

}  // namespace

// The current skin first, then each folder's skin in directory order; a
// skin without its picture and a folder without a skin file get none.
TEST_F(SkinnowTest, ThumbnailsInLoaderOrder)
{
    MakeSkin(L"Broken", "; its picture is gone\r\nBackground Missing.bmp\r\n", false);
    MakeSkin(L"Empty", nullptr);
    Start();
    // Classic, the current skin, lies in ROM, whose folders a listing of
    // the player's folder does not show.
    EXPECT_EQ((std::vector<std::wstring>{L"Classic", L"Ember", L"Marine", L"Slate"}), Names());
    std::unique_ptr<PixelSurface> shown = host_->Paint();
    EXPECT_EQ(COLORREF(0x00FEFCFC), shown->At(1, 25)) << "the back colour";
    std::vector<MenuReader::Item> rom = Menu(0);
    ASSERT_EQ(4u, rom.size());
    EXPECT_TRUE(rom[3].grayed) << "Delete for a skin in ROM";
}

TEST_F(SkinnowTest, MenuGreysDeleteForForeignSkins)
{
    ScratchFolder outside(L"skinnow-outside");
    ASSERT_TRUE(CopyFileW(Skin(L"Ember").c_str(), (outside / L"Ember.skn").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW((std::wstring(kFolder) + L"\\Ember\\Ember.gif").c_str(), (outside / L"Ember.gif").c_str(),
                          FALSE));
    ASSERT_TRUE(WriteBytes(std::wstring(L"D:") + kCurrentSkinFile,
                           "40#" + ToUtf8(outside.Path().substr(2)) + "\\Ember.skn\r\n"));
    Start();
    std::vector<MenuReader::Item> foreign = Menu(0), ram = Menu(1);
    ASSERT_EQ(4u, foreign.size());
    EXPECT_EQ(L"Ember", foreign[0].text);
    EXPECT_TRUE(foreign[0].grayed);
    EXPECT_EQ(L"Apply", foreign[2].text);
    EXPECT_TRUE(foreign[3].grayed) << "outside the player's folder";
    ASSERT_EQ(4u, ram.size());
    EXPECT_FALSE(ram[3].grayed) << ToUtf8(ram[0].text);

    // The command sent without the menu deletes nothing outside either.
    Menu(0);
    {
        BoxAnswerer yes(L"Delete", IDYES, 2000);
        host_->Send(WM_COMMAND, 1002);
        EXPECT_EQ(L"<no box>", yes.Text());
    }
    EXPECT_TRUE(FileExists(outside / L"Ember.skn"));
    EXPECT_TRUE(FileExists(outside / L"Ember.gif"));
}

// Without a player: the settings are written and the player starts with
// them, no question asked.
TEST_F(SkinnowTest, ApplyWithoutThePlayerStartsIt)
{
    Start();
    EXPECT_EQ(L"Marine", Menu(2)[0].text);
    DeviceLog log;
    host_->Send(WM_COMMAND, 1001);
    EXPECT_EQ(std::wstring(kFolder) + L"\\Marine", ReadText(kParameters, L"SkinDir"));
    EXPECT_EQ(L"Marine.skn", ReadText(kParameters, L"SkinFile"));
    EXPECT_TRUE(log.WaitFor(L"player: skin \"" + Skin(L"Marine") + L"\"", 10000));
    EXPECT_TRUE(MessageBoxes::Open().empty());
}

// With the player running: No keeps it (the settings wait for its next
// start); Yes ends it and starts it again with the new skin.
TEST_F(SkinnowTest, ApplyWithThePlayerAsksBeforeRestartingIt)
{
    DeviceLog log;
    ASSERT_TRUE(Execute(L"\\Windows\\Player.exe"));
    ASSERT_TRUE(log.WaitFor(L"player: skin", 10000));
    Start();
    Menu(1);  // Ember
    {
        BoxAnswerer no(L"Apply", IDNO);
        host_->Send(WM_COMMAND, 1001);
        EXPECT_EQ(L"To apply the skin, Need to restart the Player. Do you want to restart it?", no.Text());
    }
    EXPECT_EQ(L"Ember.skn", ReadText(kParameters, L"SkinFile"));
    EXPECT_EQ(1, CountProcesses(L"Player.exe"));
    EXPECT_EQ(1, log.Count(L"player: skin"));

    Menu(3);  // Slate
    log.Restart();
    {
        BoxAnswerer yes(L"Apply", IDYES);
        host_->Send(WM_COMMAND, 1001);
        EXPECT_NE(L"<no box>", yes.Text());
    }
    EXPECT_TRUE(log.WaitFor(L"player: skin \"" + Skin(L"Slate") + L"\"", 10000));
    EXPECT_TRUE(WaitProcessCount(L"Player.exe", 1, 5000));
    EXPECT_NE(nullptr, WaitForWindow(L"WMPSkinWindow", 5000)) << "the new player did not leave";
}

// Delete removes a skin folder of the player's (its plain files only) and
// its thumbnail.
TEST_F(SkinnowTest, DeleteRemovesTheSkinsFolder)
{
    MakeSkin(L"Doomed", "; to be deleted\r\nBackground Face.bmp\r\n");
    std::wstring folder = made_.back();
    Start();
    std::vector<MenuReader::Item> items = Menu(1);
    ASSERT_EQ(L"Doomed", items[0].text);
    ASSERT_FALSE(items[3].grayed);
    {
        BoxAnswerer yes(L"Delete", IDYES);
        host_->Send(WM_COMMAND, 1002);
        EXPECT_EQ(L"Are you sure to delete this skin file?", yes.Text());
    }
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder.c_str()));
    EXPECT_EQ(L"Ember", Menu(1)[0].text) << "the next one moved up";
}

// The bar frees the browser's library right after its window goes: twenty
// switches away while the loader is making previews must neither take the
// bar down nor leave drawing objects behind, and the last load completes.
TEST_F(SkinnowTest, SwitchingAwayWhileLoadingLeavesTheBarWellAndTidy)
{
    for (int i = 0; i < 16; ++i) {
        const std::wstring name = L"Extra" + std::to_wstring(i);
        MakeSkin(name.c_str(), "; a copy\r\nBackground Face.bmp\r\n");
    }
    AppletOnBar bar(L"WMP Skin Browser");
    ASSERT_TRUE(bar.Shown());
    DWORD barProcessId = 0;
    GetWindowThreadProcessId(bar.Bar(), &barProcessId);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, barProcessId);
    ASSERT_NE(nullptr, process);
    auto loaded = [&] { return bar.Window() && bar.Pixel(8, 5) == RGB(0, 0, 0); };
    ASSERT_TRUE(PumpUntil(loaded, 10000));
    const ObjectCounts before = CountObjects(process, barProcessId);

    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(ChooseApplet(L"About")) << "round " << i;
        ASSERT_TRUE(ChooseApplet(L"WMP Skin Browser")) << "round " << i;
        PumpMessages(20 + 15 * (i % 5));  // part way into the loading
        ASSERT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(process, 0)) << "the bar ended, round " << i;
    }
    EXPECT_TRUE(PumpUntil(loaded, 10000));
    PumpMessages(500);
    const ObjectCounts after = CountObjects(process, barProcessId);
    CloseHandle(process);
    EXPECT_TRUE(IsWindow(bar.Bar()));
    EXPECT_LE(after.gdi, before.gdi + 10) << before.gdiSource;
    EXPECT_LE(after.user, before.user + 5) << before.userSource;
}
