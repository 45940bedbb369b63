// The Skin page: which skin names may be deleted, then the page of the real settings
// program on the device, driven as the user drives it (lists opened and
// chosen from, buttons pressed, message boxes answered) and checked through
// the screen, the registry and the skins folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "settings_fixture.h"
#include "skin_folder.h"

namespace {

using namespace testkit;

// ---- Names ------------------------------------------------------------------------

TEST(SkinFolderNames, OnlyNamesInsideTheSkinsFolderArePlain)
{
    EXPECT_TRUE(IsPlainSkinName(L"Meadow"));
    EXPECT_TRUE(IsPlainSkinName(L"my.skin"));
    for (const wchar_t* bad : {L"", L".", L"..", L"..\\Windows", L"a/b", L"C:", L"\\Windows"})
        EXPECT_FALSE(IsPlainSkinName(bad)) << bad;
    EXPECT_FALSE(IsDeletableSkin(L"", L"Meadow"));
}

// ---- The page on the device ------------------------------------------------------

const wchar_t kSkins[] = L"\\Program Files\\ZARQ\\Ketra\\Skins\\";
const wchar_t kKetraKey[] = L"SOFTWARE\\ZARQ\\KETRA";
const wchar_t kColoursKey[] = L"SOFTWARE\\ZARQ\\KETRA\\Colors";
const COLORREF kQuad[4] = {0x0000C0, 0x00C000, 0xC00000, 0x00C0C0};  // TL, TR, BL, BR
const COLORREF kWhite = 0xFFFFFF;
enum { kSkinList = 1027, kColourList = 1028, kDescription = 1012, kDelete = 1032, kSwatch1 = 1033 };

// A skin of the test: its folder, optionally with a skin file and a picture
// of four quarters in the colours of kQuad.
void MakeSkin(const std::wstring& name, const char* xml, int width = 0, int height = 0)
{
    std::wstring folder = kSkins + name;
    CreateDirectoryW(folder.c_str(), nullptr);
    if (xml)
        WriteBytes(folder + L"\\Skin.xml", xml);
    if (width)
        WriteBmp(folder + L"\\back.bmp", width, height, Quarters(width, height, kQuad[0], kQuad[1], kQuad[2], kQuad[3]));
}

bool WaitForBox(const wchar_t* caption, const wchar_t* text)
{
    return MessageBoxes::WaitFor(caption, text) == text;
}

// The skins of the test are removed again, whatever it checked.
class SkinPageTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        MakeSkin(L"Quad", "<skins><skin><description>Four corners</description>"
                          "<background>back.bmp</background></skin></skins>", 240, 60);
        MakeSkin(L"Tiny", "<skins><skin><background>back.bmp</background></skin></skins>", 60, 20);
        MakeSkin(L"NoBack", "<skins><skin/></skins>");
        MakeSkin(L"NoFile", nullptr);
        WriteText(kKetraKey, L"Skin", L"Default");
    }
    void TearDown() override
    {
        SettingsTest::TearDown();
        for (const wchar_t* name : {L"Quad", L"Tiny", L"NoBack", L"NoFile", L"Doomed"})
            RemoveTree(kSkins + std::wstring(name));
    }

    // Starts the settings program and shows the Skin page, answering the
    // box the page shows while it opens, when one is expected.
    void Start(const wchar_t* openingBox = nullptr)
    {
        CloseBar();
        settings_ = std::make_unique<ProgramDriver>(kSettingsProgram, kSettingsClass);
        if (openingBox) {
            // The page shows it while it is made, in the frame's first wait for input.
            ASSERT_TRUE(WaitForBox(L"Error", openingBox)) << MessageBoxes::Describe();
            MessageBoxes::Answer(IDOK);
            MessageBoxes::WaitNone();
            WaitUntilIdle(settings_->Main());
        }
        ASSERT_TRUE(settings_->Started());
        settings_->MenuCommand(kSkinPage);
        PumpUntil([&] { return IsWindowVisible(settings_->Control(kDelete)) != FALSE; }, 3000);
        PumpMessages(300);
    }
    HWND Item(int id) const { return settings_->Control(id); }
    RemoteComboBox List(int id) const { return settings_->Combo(id); }
    void Press(int buttonId) { PostMessageW(Item(buttonId), BM_CLICK, 0, 0); }
    // True when the preview's four quarters show the given colours.
    bool PreviewShows(const COLORREF (&quarters)[4]) const
    {
        const POINT probes[4] = {{2, 2}, {218, 2}, {2, 47}, {218, 47}};
        for (int i = 0; i < 4; ++i)
            if (ScreenPixel(settings_->PageOf(kSkinList), 9 + probes[i].x, 55 + probes[i].y) != quarters[i])
                return false;
        return true;
    }
    COLORREF PagePixel(int x, int y) const { return ScreenPixel(settings_->PageOf(kSkinList), x, y); }
    COLORREF SwatchColour(int id) const
    {
        RECT r;
        GetClientRect(Item(id), &r);
        return ScreenPixel(Item(id), r.right / 2, r.bottom / 2);
    }
};

TEST_F(SkinPageTest, ListsTheInstalledSkinsAndSelectsTheCurrentOneIgnoringCase)
{
    WriteText(kKetraKey, L"Skin", L"meadow");
    Start();
    std::vector<std::wstring> skins = List(kSkinList).Texts();
    for (const wchar_t* name : {L"Default", L"Graphite", L"Meadow", L"Quad"})
        EXPECT_NE(skins.end(), std::find(skins.begin(), skins.end(), name)) << name;
    for (const wchar_t* dots : {L".", L".."})
        EXPECT_EQ(skins.end(), std::find(skins.begin(), skins.end(), dots));
    EXPECT_EQ(L"Meadow", List(kSkinList).SelectedText());
    EXPECT_EQ(5u, List(kColourList).Texts().size());
    EXPECT_TRUE(IsWindowEnabled(Item(kDelete)));
}

TEST_F(SkinPageTest, ChoosingASkinShowsItsFourCornersAndDescriptionAndIsSaved)
{
    Start();
    ASSERT_TRUE(List(kSkinList).Choose(L"Quad"));
    EXPECT_TRUE(PumpUntil([&] { return PreviewShows(kQuad); }, 3000));
    EXPECT_EQ(L"Four corners", settings_->Text(kDescription));
    Close(IDOK);
    EXPECT_EQ(L"Quad", ReadText(kKetraKey, L"Skin"));
}

// Regression: corners were copied from outside a picture smaller than a
// corner, and the preview started with whatever the new bitmap held.
TEST_F(SkinPageTest, SmallPictureLandsWholeInEachQuarterOverWhite)
{
    Start();
    ASSERT_TRUE(List(kSkinList).Choose(L"Tiny"));
    // The 60 x 20 picture at the top-left of each 110 x 25 quarter, white beside and below it.
    EXPECT_TRUE(PumpUntil([&] { return PagePixel(9 + 2, 55 + 2) == kQuad[0]; }, 3000));
    for (POINT q : {POINT{9, 55}, POINT{9 + 110, 55}, POINT{9, 55 + 25}, POINT{9 + 110, 55 + 25}}) {
        EXPECT_EQ(kQuad[0], PagePixel(q.x + 2, q.y + 2));
        EXPECT_EQ(kQuad[3], PagePixel(q.x + 57, q.y + 17));
        EXPECT_EQ(kWhite, PagePixel(q.x + 70, q.y + 5));
        EXPECT_EQ(kWhite, PagePixel(q.x + 5, q.y + 22));
    }
    EXPECT_EQ(L"Author information is not provided.", settings_->Text(kDescription));
}

TEST_F(SkinPageTest, MissingSkinFileOrBackgroundEntryIsReported)
{
    Start();
    ASSERT_TRUE(List(kSkinList).Choose(L"NoFile", true));
    EXPECT_TRUE(WaitForBox(L"Error", L"Couldn't find Skin file.")) << MessageBoxes::Describe();
    MessageBoxes::Answer(IDOK);
    ASSERT_TRUE(List(kSkinList).Choose(L"NoBack", true));
    EXPECT_TRUE(WaitForBox(L"Error", L"Couldnn't find background info.")) << MessageBoxes::Describe();
    MessageBoxes::Answer(IDOK);
}

TEST_F(SkinPageTest, ColourSetFillsTheSwatchesAndIsSavedWithTheSkin)
{
    Start();
    ASSERT_TRUE(List(kColourList).TapChoose(L"Blue"));
    const COLORREF blue[3] = {0xFFFBFF, 0xFFC0C0, 0xFF0000};
    EXPECT_TRUE(PumpUntil([&] { return SwatchColour(kSwatch1) == blue[0]; }, 3000));
    EXPECT_EQ(blue[1], SwatchColour(1034));
    EXPECT_EQ(blue[2], SwatchColour(1035));
    Close(IDOK);
    EXPECT_EQ(L"Default", ReadText(kKetraKey, L"Skin"));
    EXPECT_EQ(blue[0], ReadDword(kColoursKey, L"1"));
    EXPECT_EQ(blue[1], ReadDword(kColoursKey, L"2"));
    EXPECT_EQ(blue[2], ReadDword(kColoursKey, L"3"));
}

TEST_F(SkinPageTest, DefaultSkinCannotBeDeletedWhateverItsCase)
{
    WriteText(kKetraKey, L"Skin", L"default");
    Start();
    Press(kDelete);
    EXPECT_TRUE(WaitForBox(L"Erorr", L"Default skin cannot be deleted.")) << MessageBoxes::Describe();
    MessageBoxes::Answer(IDOK);
    EXPECT_TRUE(FileExists(std::wstring(kSkins) + L"Default\\skin.xml"));
}

TEST_F(SkinPageTest, DeletingASkinAfterYesRemovesItsFolderAndSelectsDefault)
{
    MakeSkin(L"Doomed", "<skins><skin><background>back.bmp</background></skin></skins>", 240, 60);
    WriteText(kKetraKey, L"Skin", L"Doomed");
    Start();
    Press(kDelete);
    ASSERT_TRUE(WaitForBox(L"Delete", L"Do you want to delete skin files?")) << MessageBoxes::Describe();
    MessageBoxes::Answer(IDNO);
    PumpMessages(300);
    EXPECT_TRUE(FileExists(std::wstring(kSkins) + L"Doomed\\back.bmp"));
    Press(kDelete);
    ASSERT_TRUE(WaitForBox(L"Delete", L"Do you want to delete skin files?")) << MessageBoxes::Describe();
    MessageBoxes::Answer(IDYES);
    EXPECT_TRUE(PumpUntil([] { return !FileExists(std::wstring(kSkins) + L"Doomed"); }, 5000));
    EXPECT_TRUE(PumpUntil([&] { return List(kSkinList).SelectedText() == L"Default"; }, 3000));
    std::vector<std::wstring> skins = List(kSkinList).Texts();
    EXPECT_EQ(skins.end(), std::find(skins.begin(), skins.end(), L"Doomed"));
}

// Regression: ".." from the registry (or a desktop listing) deleted every
// file of the installation folder.
TEST_F(SkinPageTest, SkinNamedDotDotIsNeverDeleted)
{
    WriteText(kKetraKey, L"Skin", L"..");
    Start(L"Couldn't find Skin file.");
    Press(kDelete);
    PumpMessages(1500);
    EXPECT_TRUE(MessageBoxes::Open().empty()) << MessageBoxes::Describe();
    EXPECT_TRUE(FileExists(L"\\Program Files\\ZARQ\\Ketra\\Option.exe"));
    EXPECT_TRUE(FileExists(std::wstring(kSkins) + L"Default\\skin.xml"));
}

// Regression: without the install folder the skins folder was never set.
TEST_F(SkinPageTest, UnknownInstallFolderLeavesAnEmptyListAndNoDelete)
{
    const std::wstring install = ReadText(kKetraKey, L"Path");
    DeleteValue(kKetraKey, L"Path");
    Start();
    WriteText(kKetraKey, L"Path", install);  // before the side bar starts again
    EXPECT_EQ(0, List(kSkinList).Count());
    EXPECT_FALSE(IsWindowEnabled(Item(kDelete)));
}

}  // namespace
