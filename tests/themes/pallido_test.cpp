// The theme designer on the device, driven as its user drives it: themes
// opened from the command line and by a second start, colours changed
// through the colour chooser, pictures through the image dialog, saving,
// applying, and the theme browser started from its button.
#include <gtest/gtest.h>

#include <ketra_host.h>

#include <memory>
#include <string>

#include "theme_test_support.h"

namespace {

using namespace testkit;

const wchar_t kDesigner[] = L"\\Program Files\\ZARQ\\Ketra\\Pallido.exe";
const wchar_t kClass[] = L"Theme Designer";
const wchar_t kFavouritesKey[] = L"SOFTWARE\\ZARQ\\Vexilo";
const wchar_t kTodayKey[] = L"Software\\Microsoft\\Today";
const wchar_t kColourKey[] = L"SOFTWARE\\Microsoft\\Color";
const wchar_t kStartFile[] = L"D:\\Windows\\stwater.gif";
// The Today mock-up: DrawToday at (10,20) of the mock-up area, which lies
// 60 pixels down the window.
const POINT kTodayAt = {10, 80};
const SIZE kTodaySize = {135, 180};
// Controls and commands.
const int kCommandBarSwatch = 406;
const int kTodayImageButton = 401;
const int kApplyButton = 1102;
const UINT kSave = 40006;
const UINT kLaunchBrowser = 40031;
// The colour chooser's red, green and blue boxes.
const int kRedBox = 706, kGreenBox = 707, kBlueBox = 708;

bool Near(COLORREF a, COLORREF b, int tolerance = 8)
{
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

HWND WaitTitled(const wchar_t* title, DWORD ms = 10000)
{
    HWND found = nullptr;
    PumpUntil([&] { return (found = FindWindowW(L"#32770", title)) != nullptr && IsWindowVisible(found); }, ms);
    return found;
}

std::wstring Quoted(const std::wstring& path)
{
    return L"\"" + path + L"\"";
}

class PallidoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(system_.Saved());
        ASSERT_TRUE(themeSettings_.Saved());
        ASSERT_TRUE(colours_.Saved());
        MessageBoxes::DismissAll();
        EndProcesses(L"Pallido.exe");
        // The theme folders: the first as on the device, the second ours.
        DeleteKey(kFavouritesKey);
        WriteDword(kFavouritesKey, L"count", 2);
        WriteText(kFavouritesKey, L"folder00", L"\\Windows");
        WriteText(kFavouritesKey, L"folder01", Folder());
        for (const wchar_t* name : {L"Ocean.tsk", L"Sunset.tsk"})
            ASSERT_TRUE(CopyFileW(ThemeFixture(name).c_str(), (folder_ / name).c_str(), FALSE));
    }
    void TearDown() override
    {
        MessageBoxes::DismissAll();
        designer_.reset();
        EndProcesses(L"Pallido.exe");
    }

    std::wstring Folder() const { return folder_.Path().substr(2); }
    std::wstring Theme(const wchar_t* name) const { return Folder() + L"\\" + name; }

    void Start(const std::wstring& args = L"")
    {
        designer_ = std::make_unique<ProgramDriver>(kDesigner, kClass, args);
        ASSERT_TRUE(designer_->Started()) << "the designer did not come up";
        WaitUntilIdle(designer_->Main());
        PumpMessages(300);
    }
    COLORREF Pixel(int x, int y) const { return ScreenPixel(designer_->Main(), x, y); }
    // The caption's left end in the Today mock-up: theme colour 2.
    COLORREF CaptionColour() const { return Pixel(kTodayAt.x + 2, kTodayAt.y + 1); }
    // The command bar at the mock-up's foot: theme colour 5.
    COLORREF CommandBarColour() const { return Pixel(kTodayAt.x + 60, kTodayAt.y + kTodaySize.cy - 3); }

    // Picks the colour in the chooser the designer shows.
    void ChooseColour(int swatch, COLORREF colour)
    {
        designer_->PostCommand(swatch);
        HWND chooser = WaitTitled(L"Color");
        ASSERT_NE(nullptr, chooser) << "no colour chooser";
        if (colour != CLR_INVALID) {
            SetDlgItemInt(chooser, kRedBox, GetRValue(colour), FALSE);
            SetDlgItemInt(chooser, kGreenBox, GetGValue(colour), FALSE);
            SetDlgItemInt(chooser, kBlueBox, GetBValue(colour), FALSE);
            PumpMessages(200);
        }
        PostMessageW(chooser, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(PumpUntil([&] { return !IsWindow(chooser); }, 5000));
        PumpMessages(300);
    }
    void SelectCommandBar() { ASSERT_TRUE(TapClient(designer_->Main(), 50, 250)); PumpMessages(200); }

    RegistrySandbox system_{{kSystemKey}};
    RegistrySandbox themeSettings_{{kTodayKey}, HKEY_CURRENT_USER};
    RegistrySandbox colours_{{kColourKey}};
    ScratchFolder folder_{L"pallido"};
    std::unique_ptr<ProgramDriver> designer_;
};

}  // namespace

TEST_F(PallidoTest, DrawsTheOpenedThemesTodayMockup)
{
    Start(Quoted(Theme(L"Ocean.tsk")));
    EXPECT_EQ(kClass, TextOf(designer_->Main()));

    // The same theme drawn by the test with the library's drawing.
    ScratchFolder temp(L"pallido_read");
    TempSlots slots(temp, L"Read.");
    CTskInfo ocean;
    ASSERT_TRUE(ReadTheme((folder_ / L"Ocean.tsk").c_str(), &ocean, slots.Paths()));
    PixelSurface expected(kTodaySize.cx, kTodaySize.cy, RGB(0xFF, 0xFF, 0xFF));
    DrawToday(expected.dc(), POINT{0, 0}, kTodaySize, &ocean);
    auto shown = CaptureClient(designer_->Main(),
                               {kTodayAt.x, kTodayAt.y, kTodayAt.x + kTodaySize.cx, kTodayAt.y + kTodaySize.cy});
    int differ = 0, compared = 0;
    auto compare = [&](int x0, int y0, int x1, int y1) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x, ++compared)
                differ += !Near(shown->At(x, y), expected.At(x, y));
    };
    compare(1, 1, kTodaySize.cx - 1, 2);                                       // the caption's gradient
    compare(1, kTodaySize.cy - 8, kTodaySize.cx - 1, kTodaySize.cy - 1);       // the command bar
    compare(20, 90, kTodaySize.cx - 10, 150);                                  // the Today picture
    EXPECT_EQ(0, differ) << "of " << compared;
    EXPECT_TRUE(Near(ocean.m_color[2], CaptionColour()));
}

TEST_F(PallidoTest, ASecondStartHandsItsPathToTheRunningDesigner)
{
    Start(Quoted(Theme(L"Ocean.tsk")));
    CTskColor sunset;
    ASSERT_TRUE(FixtureColours(L"Sunset.tsk", &sunset));
    ASSERT_FALSE(Near(sunset.m_color[2], CaptionColour()));

    DeviceProgram second(kDesigner, Quoted(Theme(L"Sunset.tsk")));
    ASSERT_TRUE(second.Started());
    EXPECT_TRUE(second.WaitExit(10000)) << "a second designer stays";
    EXPECT_TRUE(PumpUntil([&] { return Near(sunset.m_color[2], CaptionColour()); }, 5000))
        << "the running designer did not open the second theme";
    EXPECT_EQ(1, CountProcesses(L"Pallido.exe"));
}

TEST_F(PallidoTest, AChosenColourMarksTheThemeChangedAndTheSameColourDoesNot)
{
    Start(Quoted(Theme(L"Ocean.tsk")));
    SelectCommandBar();
    ASSERT_TRUE(IsWindowVisible(designer_->Control(kCommandBarSwatch)));
    ChooseColour(kCommandBarSwatch, CLR_INVALID);  // confirmed as it was
    ASSERT_TRUE(designer_->CloseByOkCorner(5000)) << "an unchanged theme asks " << ToUtf8(MessageBoxes::Describe());

    Start(Quoted(Theme(L"Ocean.tsk")));
    SelectCommandBar();
    ChooseColour(kCommandBarSwatch, RGB(0x12, 0xC4, 0x38));
    EXPECT_TRUE(Near(RGB(0x12, 0xC4, 0x38), CommandBarColour()));
    PostMessageW(designer_->Main(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(L"Do you want to save the changes?", MessageBoxes::WaitFor(L"Close"));
    ASSERT_TRUE(MessageBoxes::Answer(IDNO, L"Close"));
    EXPECT_TRUE(designer_->WaitEnded(5000));
    CTskInfo unchanged;
    ScratchFolder temp(L"pallido_read");
    TempSlots slots(temp, L"Read.");
    ASSERT_TRUE(ReadTheme((folder_ / L"Ocean.tsk").c_str(), &unchanged, slots.Paths()));
    CTskColor ocean;
    ASSERT_TRUE(FixtureColours(L"Ocean.tsk", &ocean));
    EXPECT_EQ(ocean.m_color[5], unchanged.m_color[5]) << "No saved the file";
}

TEST_F(PallidoTest, SavingTheCurrentThemeAsksForANameAndWritesIt)
{
    CTskColor current;
    ASSERT_TRUE(GetThemeColors(&current));
    Start();  // "<current>"
    SelectCommandBar();
    const COLORREF chosen = RGB(0xA0, 0x20, 0x60);
    ChooseColour(kCommandBarSwatch, chosen);
    PostMessageW(designer_->Main(), WM_COMMAND, kSave, 0);
    EXPECT_EQ(L"This tsk file is read only. Do you want to save as another skin name?",
              MessageBoxes::WaitFor(L"Save"));
    ASSERT_TRUE(MessageBoxes::Answer(IDYES, L"Save"));
    HWND saveAs = WaitTitled(L"Save As");
    ASSERT_NE(nullptr, saveAs) << "no file dialog";
    ASSERT_TRUE(SetDlgItemTextW(saveAs, 1006, L"Designed"));
    PostMessageW(saveAs, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PumpUntil([&] { return FileExists(folder_ / L"Designed.tsk") && !IsWindow(saveAs); }, 10000));

    ScratchFolder temp(L"pallido_read");
    TempSlots slots(temp, L"Read.");
    CTskInfo saved;
    ASSERT_TRUE(ReadTheme((folder_ / L"Designed.tsk").c_str(), &saved, slots.Paths()));
    for (int i = 0; i < CTskColor::kCount; ++i)
        EXPECT_EQ(i == 5 ? chosen : current.m_color[i], saved.m_color[i]) << "colour " << i;
    // Saved under its name: closing asks nothing.
    EXPECT_TRUE(designer_->CloseByOkCorner(5000)) << ToUtf8(MessageBoxes::Describe());
}

TEST_F(PallidoTest, ApplyDressesTheTodayScreenAndComesBack)
{
    Start(Quoted(Theme(L"Sunset.tsk")));
    DeviceLog log;
    designer_->PostCommand(kApplyButton);
    const std::wstring sunset = Theme(L"Sunset.tsk");
    EXPECT_TRUE(log.WaitFor(L"today: theme \"" + sunset + L"\"", 10000));
    EXPECT_EQ(sunset, ReadText(kTodayKey, L"Skin", HKEY_CURRENT_USER));
    CTskColor colours;
    ASSERT_TRUE(FixtureColours(L"Sunset.tsk", &colours));
    CTskColor applied;
    ASSERT_TRUE(GetThemeColors(&applied));
    EXPECT_EQ(colours.m_color[5], applied.m_color[5]);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == designer_->Main(); }, 5000))
        << "the designer is not in front again";
}

TEST_F(PallidoTest, TheBrowserButtonShowsTheThemeBrowser)
{
    CloseSettingsAndBar();
    Start();
    PostMessageW(designer_->Main(), WM_COMMAND, kLaunchBrowser, 0);
    ASSERT_TRUE(PumpUntil([] { return KetraFindBar() != nullptr; }, 15000)) << "the bar was not started";
    EXPECT_TRUE(PumpUntil([] { return CurrentApplet() == L"Theme Browser"; }, 10000));
    CloseBar();

    ASSERT_NE(nullptr, StartBar(L"About"));
    PostMessageW(designer_->Main(), WM_COMMAND, kLaunchBrowser, 0);
    EXPECT_TRUE(PumpUntil([] { return CurrentApplet() == L"Theme Browser"; }, 10000));
    EXPECT_TRUE(PumpUntil([] { return AppletWindowOnBar() && ClassOf(AppletWindowOnBar()) == L"VISTARO"; }, 10000));
    CloseBar();
}

namespace {

// Pictures in the user's documents folder, where the image dialog opens,
// for one test.
struct DocumentPictures {
    DocumentPictures()
    {
        ok = WriteBmp(narrow, 239, 268, Plain(RGB(0x20, 0x80, 0x20))) &&
             WriteBmp(wide, 240, 268, Plain(RGB(0x80, 0x20, 0x20)));
    }
    ~DocumentPictures()
    {
        DeleteFileW(narrow.c_str());
        DeleteFileW(wide.c_str());
    }
    const std::wstring narrow = L"D:\\My Documents\\Narrow.bmp";
    const std::wstring wide = L"D:\\My Documents\\Wide.bmp";
    bool ok = false;
};

// Taps a picture of the documents folder in the image dialog's tree.
bool TapPicture(HWND dialog, const wchar_t* name)
{
    RemoteTreeView tree(GetDlgItem(dialog, 17788));
    HTREEITEM item = tree.Find({L"\\", L"My Documents", name});
    return item && tree.TapItem(item);
}

}  // namespace

// The image dialog refuses a Today picture one pixel too narrow; a large
// enough one changes the Today picture alone, though the theme in force
// used one file for both.
TEST_F(PallidoTest, TodayPicturesAreCheckedAndGetAFileOfTheirOwn)
{
    DocumentPictures pictures;
    ASSERT_TRUE(pictures.ok);
    WriteDword(kTodayKey, L"UseStartImage", 1, HKEY_CURRENT_USER);
    const std::string startBefore = ReadBytes(kStartFile);
    ASSERT_FALSE(startBefore.empty());
    Start();  // "<current>": its Start picture serves the Today screen too

    ASSERT_TRUE(TapClient(designer_->Main(), 50, 200));  // the Today background
    designer_->PostCommand(kTodayImageButton);
    HWND dialog = WaitTitled(L"Image");
    ASSERT_NE(nullptr, dialog) << "no image dialog";
    ASSERT_TRUE(TapPicture(dialog, L"Narrow.bmp"));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(L"The image should be bigger than (240X268). Try bigger one.", MessageBoxes::WaitFor(L"Warning"));
    ASSERT_TRUE(MessageBoxes::Answer(IDOK, L"Warning"));
    PumpMessages(300);
    ASSERT_TRUE(IsWindow(dialog)) << "a refused picture closes the dialog";

    ASSERT_TRUE(TapPicture(dialog, L"Wide.bmp"));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, 5000)) << ToUtf8(MessageBoxes::Describe());

    designer_->PostCommand(kApplyButton);
    EXPECT_TRUE(PumpUntil([] { return !HasValue(kTodayKey, L"UseStartImage", HKEY_CURRENT_USER); }, 10000))
        << "the Start and Today pictures are still one file";
    EXPECT_EQ(ReadBytes(pictures.wide), ReadBytes(L"D:\\Windows\\tdywater.gif"));
    EXPECT_EQ(startBefore, ReadBytes(kStartFile)) << "the Start picture changed with the Today one";
}

TEST_F(PallidoTest, ANewThemeHasNoInformationAndIsSavedUnderAName)
{
    Start(Quoted(Theme(L"Ocean.tsk")));
    PostMessageW(designer_->Main(), WM_COMMAND, 40017, 0);  // New Skin > Blue Color Set
    CTskColor blue;
    ASSERT_TRUE(GetColorSet(1, &blue));
    EXPECT_TRUE(PumpUntil([&] { return Near(blue.m_color[2], CaptionColour()); }, 5000));

    PostMessageW(designer_->Main(), WM_COMMAND, 40022, 0);  // File Info
    EXPECT_EQ(L"This is a new tsk file which doesn't have any info", MessageBoxes::WaitFor(L"Info"));
    ASSERT_TRUE(MessageBoxes::Answer(IDOK, L"Info"));

    PostMessageW(designer_->Main(), WM_COMMAND, kSave, 0);
    HWND saveAs = WaitTitled(L"Save As");
    ASSERT_NE(nullptr, saveAs) << "a new theme is saved under a name";
    PostMessageW(saveAs, WM_COMMAND, IDOK, 0);  // no name: the dialog stays
    PumpMessages(500);
    EXPECT_TRUE(IsWindow(saveAs));
    ASSERT_TRUE(SetDlgItemTextW(saveAs, 1006, L"Ocean"));
    PostMessageW(saveAs, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(L"The file already exists. Do you want to replace it?", MessageBoxes::WaitFor(L"Save As"));
    ASSERT_TRUE(MessageBoxes::Answer(IDNO, L"Save As"));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(saveAs); }, 5000));
    CTskColor ocean;
    ASSERT_TRUE(FixtureColours(L"Ocean.tsk", &ocean));
    ScratchFolder temp(L"pallido_read");
    TempSlots slots(temp, L"Read.");
    CTskInfo kept;
    ASSERT_TRUE(ReadTheme((folder_ / L"Ocean.tsk").c_str(), &kept, slots.Paths()));
    EXPECT_EQ(ocean.m_color[2], kept.m_color[2]) << "No replaced the file";
}

// The theme file dialog: every theme folder when opening, "<default>" and
// "<current>" only in the first, the first left out when saving, and a
// preview with the file's size and date for a tapped row.
TEST_F(PallidoTest, TheFileDialogListsTheThemeFoldersForOpeningAndSaving)
{
    Start(Quoted(Theme(L"Ocean.tsk")));
    PostMessageW(designer_->Main(), WM_COMMAND, 40005, 0);  // Open...
    HWND open = WaitTitled(L"Open");
    ASSERT_NE(nullptr, open);
    RemoteComboBox folders(GetDlgItem(open, 1005));
    EXPECT_EQ((std::vector<std::wstring>{L"\\Windows", Folder()}), folders.Texts());
    RemoteListView rows(GetDlgItem(open, 1007));
    EXPECT_EQ((std::vector<std::wstring>{L"Ocean", L"Sunset"}), rows.Texts()) << "the second folder first";
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(open, 1000)));
    ASSERT_TRUE(rows.TapRow(1));
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(GetDlgItem(open, 1000)) != FALSE; }, 5000)) << "no preview";
    EXPECT_EQ(L"Sunset", ControlText(GetDlgItem(open, 1006)));
    EXPECT_NE(std::wstring::npos, ControlText(GetDlgItem(open, 1001)).find(L" KB"));

    SendMessageW(GetDlgItem(open, 1005), CB_SETCURSEL, 0, 0);
    SendMessageW(open, WM_COMMAND, MAKEWPARAM(1005, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(open, 1005)));
    std::vector<std::wstring> first = rows.Texts();
    ASSERT_GE(first.size(), 2u);
    EXPECT_EQ(L"<default>", first[0]);
    EXPECT_EQ(L"<current>", first[1]);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(open, 1000))) << "another folder hides the preview";
    PostMessageW(open, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(open); }, 5000));

    PostMessageW(designer_->Main(), WM_COMMAND, 40007, 0);  // Save As...
    HWND save = WaitTitled(L"Save As");
    ASSERT_NE(nullptr, save);
    EXPECT_EQ((std::vector<std::wstring>{Folder()}), RemoteComboBox(GetDlgItem(save, 1005)).Texts());
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(save, 1006)));
    PostMessageW(save, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(save); }, 5000));
}
