// The theme browser on the side bar, driven as a user drives it: taps on
// its thumbnails and hot areas, its menus compared with the screen, its
// message boxes answered, and what it did read from the registry, the
// theme folder and the device log.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../../bench/footprint.h"
#include "theme_test_support.h"

namespace {

using namespace testkit;

const wchar_t kName[] = L"Theme Browser";
const wchar_t kFavouritesKey[] = L"SOFTWARE\\ZARQ\\Vexilo";
const wchar_t kTodayKey[] = L"Software\\Microsoft\\Today";
const wchar_t kColourKey[] = L"SOFTWARE\\Microsoft\\Color";
const DWORD kLoadMs = 20000;
// The bar's colours as the browser reads them when none are set.
const COLORREF kBackground = 0x00FEFCFC;
const COLORREF kPanel = 0x00D8E9EC;
const COLORREF kText = 0x00000000;

// The thumbnails: 36 x 48 at (8,22), 4 apart, five to a page.
POINT ThumbCentre(int position)
{
    return {8 + 40 * position + 18, 22 + 24};
}

// The device path ("\Temp\...") of a scratch folder ("D:\Temp\...").
std::wstring DevicePath(const ScratchFolder& folder)
{
    return folder.Path().substr(2);
}

// Copies a fixture folder's themes into the scratch folder, their names
// after the prefix.
void CopyFixtureFolder(const wchar_t* name, const ScratchFolder& into, const std::wstring& prefix = L"")
{
    const std::wstring from = ThemeFixture((std::wstring(L"folders\\") + name).c_str());
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((from + L"\\*.tsk").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search) << "no fixture folder " << ToUtf8(from);
    do
        ASSERT_TRUE(
            CopyFileW((from + L"\\" + found.cFileName).c_str(), (into / (prefix + found.cFileName)).c_str(), FALSE));
    while (FindNextFileW(search, &found));
    FindClose(search);
}

class VistaroTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(system_.Saved());
        ASSERT_TRUE(themeSettings_.Saved());
        ASSERT_TRUE(colours_.Saved());
        MessageBoxes::DismissAll();
    }
    void TearDown() override
    {
        MessageBoxes::DismissAll();
        bar_.reset();
    }

    // The favourites are this one folder, which the browser shows first.
    void UseFolder(const std::wstring& folder)
    {
        DeleteKey(kFavouritesKey);
        WriteDword(kFavouritesKey, L"count", 1);
        WriteText(kFavouritesKey, L"folder00", folder);
        WriteText(kFavouritesKey, L"lastfolder", folder);
    }
    void Show()
    {
        ShowLoading();
        ASSERT_TRUE(WaitLoaded()) << "the previews were not all made";
    }
    void ShowLoading()
    {
        bar_ = std::make_unique<AppletOnBar>(kName);
        ASSERT_TRUE(bar_->Shown()) << "the bar does not show the theme browser";
    }
    // "Folder: ..." is written once every preview is made.
    bool Loaded() const
    {
        for (int y = 4; y < 14; ++y)
            for (int x = 8; x < 40; ++x)
                if (bar_->Pixel(x, y) == kText)
                    return true;
        return false;
    }
    bool WaitLoaded() { return PumpUntil([&] { return Loaded(); }, kLoadMs); }

    // Pixels of a thumbnail position that are not the panel's colour.
    int ThumbPixels(int position) const
    {
        const POINT c = ThumbCentre(position);
        int shown = 0;
        for (int y = c.y - 20; y < c.y + 20; y += 4)
            for (int x = c.x - 14; x < c.x + 14; x += 4)
                shown += bar_->Pixel(x, y) != kPanel;
        return shown;
    }
    // The page counter as written at x = 216 in the arrow column.
    bool CounterReads(const wchar_t* text) const
    {
        LOGFONTW face = {};
        face.lfHeight = 12;
        face.lfWeight = FW_NORMAL;
        face.lfCharSet = DEFAULT_CHARSET;
        wcscpy_s(face.lfFaceName, L"Tahoma");
        HFONT font = CreateFontIndirectW(&face);
        const int differ = TextDifference(bar_->Window(), {216, 40}, text, font, kText, kPanel);
        DeleteObject(font);
        return differ == 0;
    }
    void OpenThemeMenu(int position)
    {
        const POINT c = ThumbCentre(position);
        ASSERT_TRUE(bar_->Tap(c.x, c.y));
        ASSERT_NE(nullptr, WaitForPopupMenu(5000)) << "no theme menu";
    }
    // Chooses the item `downs` steps down the open menu.
    // The keys go to the menu itself: a tap on the bar does not make it the
    // foreground window, so the keyboard may belong to another program.
    void ChooseItem(int downs)
    {
        HWND menu = WaitForPopupMenu(5000);
        ASSERT_NE(nullptr, menu) << "no menu to choose from";
        for (int i = 0; i < downs; ++i)
            PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
        PumpMessages(300);
    }

    RegistrySandbox system_{{kSystemKey}};
    RegistrySandbox themeSettings_{{kTodayKey}, HKEY_CURRENT_USER};
    RegistrySandbox colours_{{kColourKey}};
    ScratchFolder folder_{L"vistaro"};
    std::unique_ptr<AppletOnBar> bar_;
};

typedef std::vector<MenuItem> Menu;

}  // namespace

TEST_F(VistaroTest, SixThemesMakeTwoPagesThatStopAtTheirEnds)
{
    CopyFixtureFolder(L"six", folder_);
    UseFolder(DevicePath(folder_));
    Show();
    EXPECT_TRUE(CounterReads(L"1/2"));
    for (int i = 0; i < 5; ++i)
        EXPECT_GT(ThumbPixels(i), 20) << "thumbnail " << i;

    ASSERT_TRUE(bar_->Tap(222, 30));  // before the first page: nothing
    PumpMessages(300);
    EXPECT_TRUE(CounterReads(L"1/2"));
    ASSERT_TRUE(bar_->Tap(222, 60));
    PumpUntil([&] { return CounterReads(L"2/2"); }, 3000);
    EXPECT_TRUE(CounterReads(L"2/2"));
    EXPECT_GT(ThumbPixels(0), 20);
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(0, ThumbPixels(i)) << "page 2 shows a thumbnail at " << i;
    ASSERT_TRUE(bar_->Tap(222, 60));  // past the last page: nothing
    PumpMessages(300);
    EXPECT_TRUE(CounterReads(L"2/2"));
    ASSERT_TRUE(bar_->Tap(222, 30));
    PumpUntil([&] { return CounterReads(L"1/2"); }, 3000);
    EXPECT_TRUE(CounterReads(L"1/2"));

    bar_->Close();
    EXPECT_EQ(DevicePath(folder_), ReadText(kFavouritesKey, L"lastfolder"));
}

TEST_F(VistaroTest, TheThemeMenuFitsTheTheme)
{
    CopyFixtureFolder(L"six", folder_);  // Amber, Aurora (animated), Meadow, Night, Ocean, Sunset
    UseFolder(DevicePath(folder_));
    Show();
    std::string why;
    OpenThemeMenu(0);
    EXPECT_TRUE(PopupMenuShows(
        Menu{{L"Apply"}, {L"Design..."}, {L"Delete"}, {L""}, {L"Send via IR..."}, {L"Theme Info"}}, &why))
        << why;
    OpenThemeMenu(1);
    EXPECT_TRUE(PopupMenuShows(Menu{{L"Apply"}, {L"Delete"}, {L""}, {L"Send via IR..."}, {L"Theme Info"}}, &why))
        << "an animated theme cannot be designed: " << why;
    bar_.reset();

    UseFolder(L"\\Windows");  // the built-in themes, kept in ROM
    Show();
    OpenThemeMenu(0);
    EXPECT_TRUE(PopupMenuShows(
        Menu{{L"Apply"}, {L"Design..."}, {L"Delete", true}, {L""}, {L"Send via IR..."}, {L"Theme Info"}}, &why))
        << "a theme in ROM cannot be deleted: " << why;
}

TEST_F(VistaroTest, WhileLoadingOnlyApplyIsOffered)
{
    for (const wchar_t* prefix : {L"A", L"B", L"C"})
        CopyFixtureFolder(L"twenty", folder_, prefix);
    UseFolder(DevicePath(folder_));
    ShowLoading();
    ASSERT_TRUE(PumpUntil([&] { return ThumbPixels(0) > 20; }, kLoadMs)) << "no first preview";
    if (Loaded())
        GTEST_SKIP() << "all sixty previews were made before the menu could be opened: nothing to see while loading";
    OpenThemeMenu(0);  // ATheme01: still
    std::string why;
    EXPECT_TRUE(PopupMenuShows(Menu{{L"Apply"},
                                    {L"Design...", true},
                                    {L"Delete", true},
                                    {L""},
                                    {L"Send via IR...", true},
                                    {L"Theme Info", true}},
                               &why))
        << why;
    EXPECT_TRUE(WaitLoaded());
}

TEST_F(VistaroTest, ApplyBeamAndDeleteActOnTheTappedTheme)
{
    CopyFixtureFolder(L"six", folder_);
    UseFolder(DevicePath(folder_));
    Show();
    DeviceLog log;
    const std::wstring amber = DevicePath(folder_) + L"\\Amber.tsk";

    OpenThemeMenu(0);
    ChooseItem(1);  // Apply
    EXPECT_TRUE(PumpUntil([&] { return ReadText(kTodayKey, L"Skin", HKEY_CURRENT_USER) == amber; }, 10000));
    EXPECT_TRUE(log.WaitFor(L"today: theme \"" + amber + L"\"", 10000)) << ToUtf8(log.First(L"today"));

    OpenThemeMenu(0);
    ChooseItem(4);  // Send via IR...
    EXPECT_TRUE(log.WaitFor(L"beam: " + amber, 5000)) << ToUtf8(log.First(L"beam"));

    // Delete on page 2's only theme: the file goes, and so does page 2.
    ASSERT_TRUE(bar_->Tap(222, 60));
    PumpUntil([&] { return CounterReads(L"2/2"); }, 3000);
    OpenThemeMenu(0);
    ChooseItem(3);  // Delete
    EXPECT_EQ(L"Are you sure to delete this skin file?", MessageBoxes::WaitFor(L"Delete"));
    ASSERT_TRUE(MessageBoxes::Answer(IDYES, L"Delete"));
    EXPECT_TRUE(PumpUntil([&] { return !FileExists(folder_ / L"Sunset.tsk"); }, 5000));
    EXPECT_TRUE(PumpUntil([&] { return CounterReads(L"1/1"); }, 3000)) << "the page is not kept within the pages";
    EXPECT_GT(ThumbPixels(4), 20);
}

TEST_F(VistaroTest, DesignClosesThePanelAndStartsTheDesignerOnTheTheme)
{
    CopyFixtureFolder(L"six", folder_);
    UseFolder(DevicePath(folder_));
    Show();
    DeviceLog log;
    OpenThemeMenu(0);
    ChooseItem(2);  // Design...
    EXPECT_TRUE(PumpUntil([] { return !BarIsOpen(); }, 5000)) << "the panel stays open";
    const std::wstring amber = DevicePath(folder_) + L"\\Amber.tsk";
    EXPECT_TRUE(log.WaitFor(L"Ketra\\Pallido.exe \"" + amber + L"\"", 5000))
        << ToUtf8(log.First(L"launch"));
    EXPECT_NE(nullptr, WaitForWindow(L"Theme Designer", 10000));
    EndProcesses(L"Pallido.exe");
}

TEST_F(VistaroTest, AForcedReloadOfAnEmptiedFolderShowsTheEmptyList)
{
    CopyFixtureFolder(L"one", folder_);
    UseFolder(DevicePath(folder_));
    Show();
    EXPECT_GT(ThumbPixels(0), 20);
    ASSERT_TRUE(DeleteFileW((folder_ / L"Ocean.tsk").c_str()));
    ASSERT_TRUE(bar_->Tap(225, 10));  // reload
    EXPECT_EQ(L"There is no themes in the folder.", MessageBoxes::WaitFor(L"Message"));
    ASSERT_TRUE(MessageBoxes::Answer(IDOK, L"Message"));
    EXPECT_TRUE(PumpUntil([&] { return ThumbPixels(0) > 0 && ThumbPixels(1) > 0; }, 3000))
        << "\"No theme in the folder.\" is not written";
    EXPECT_TRUE(PumpUntil([&] { return ThumbPixels(4) == 0; }, 3000));
}

TEST_F(VistaroTest, ASeventeenthFavouriteIsRefused)
{
    CopyFixtureFolder(L"one", folder_);
    UseFolder(DevicePath(folder_));
    WriteDword(kFavouritesKey, L"count", 16);
    for (int i = 1; i < 16; ++i) {
        wchar_t name[16];
        swprintf(name, 16, L"folder%02d", i);
        WriteText(kFavouritesKey, name, L"\\Folder" + std::to_wstring(i));
    }
    Show();
    ASSERT_TRUE(bar_->Tap(207, 10));  // browse
    HWND browse = PumpUntil([] { return FindWindowW(nullptr, L"Browse") != nullptr; }, 5000)
                      ? FindWindowW(nullptr, L"Browse")
                      : nullptr;
    ASSERT_NE(nullptr, browse) << "no folder dialog";
    PostMessageW(browse, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(L"Do you want to add this foder to favorites?", MessageBoxes::WaitFor(L"Add Favorite"));
    ASSERT_TRUE(MessageBoxes::Answer(IDYES, L"Add Favorite"));
    EXPECT_EQ(L"Favorite List reached its maximum(16). Remove folders, then Try Again.",
              MessageBoxes::WaitFor(L"Message"));
    ASSERT_TRUE(MessageBoxes::Answer(IDOK, L"Message"));
    EXPECT_EQ(16u, ReadDword(kFavouritesKey, L"count"));
    EXPECT_FALSE(HasValue(kFavouritesKey, L"folder16"));
}

// The bar frees the browser's library right after its window goes: a
// loader still making previews must neither take the bar down nor leave
// drawing objects behind.
TEST_F(VistaroTest, SwitchingAwayWhileLoadingLeavesTheBarWellAndTidy)
{
    CopyFixtureFolder(L"twenty", folder_);
    UseFolder(DevicePath(folder_));
    Show();
    DWORD barProcessId = 0;
    GetWindowThreadProcessId(bar_->Bar(), &barProcessId);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, barProcessId);
    ASSERT_NE(nullptr, process);
    const ObjectCounts before = CountObjects(process, barProcessId);

    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(ChooseApplet(L"About")) << "round " << i;
        ASSERT_TRUE(ChooseApplet(kName)) << "round " << i;
        PumpUntil([&] { return bar_->Window() != nullptr; }, 3000);
        PumpMessages(50 + 20 * (i % 5));  // part way into the loading
        bar_->Tap(225, 10);                // a reload, ignored while loading
        ASSERT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(process, 0)) << "the bar ended, round " << i;
    }
    ASSERT_TRUE(WaitLoaded());
    const ObjectCounts after = CountObjects(process, barProcessId);
    CloseHandle(process);
    EXPECT_TRUE(IsWindow(bar_->Bar()));
    EXPECT_LE(after.gdi, before.gdi + 10) << before.gdiSource;
    EXPECT_LE(after.user, before.user + 5) << before.userSource;
}

TEST_F(VistaroTest, TheFavouritesDialogDeletesARowAndStoresTheRestOnOk)
{
    CopyFixtureFolder(L"one", folder_);
    UseFolder(DevicePath(folder_));
    WriteDword(kFavouritesKey, L"count", 3);
    WriteText(kFavouritesKey, L"folder01", L"\\Windows");
    WriteText(kFavouritesKey, L"folder02", L"\\My Documents");
    Show();
    ASSERT_TRUE(bar_->Tap(190, 10));  // the folder menu
    ASSERT_NE(nullptr, WaitForPopupMenu(5000));
    for (int i = 0; i < 4; ++i)  // three folders, then "Organize Favorites..."
        PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    HWND favourites = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (favourites = FindWindowW(L"#32770", L"Favorites")) != nullptr; }, 5000));
    WaitUntilIdle(favourites);  // the window is found before its rows are filled
    RemoteListView rows(GetDlgItem(favourites, 1007));
    EXPECT_EQ((std::vector<std::wstring>{DevicePath(folder_), L"\\Windows", L"\\My Documents"}), rows.Texts());
    ASSERT_TRUE(rows.TapRow(1));
    SendMessageW(favourites, WM_COMMAND, 4, 0);  // Delete
    EXPECT_EQ((std::vector<std::wstring>{DevicePath(folder_), L"\\My Documents"}), rows.Texts());
    PostMessageW(favourites, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(favourites); }, 5000));
    EXPECT_EQ(2u, ReadDword(kFavouritesKey, L"count"));
    EXPECT_EQ(L"\\My Documents", ReadText(kFavouritesKey, L"folder01"));
}
