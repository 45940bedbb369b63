// The Skin page: which skin names may be deleted, then the page of the real settings
// program on the device, driven as the user drives it (lists opened and
// chosen from, buttons pressed, message boxes answered) and checked through
// the screen, the registry and the skins folder.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "devctl_runner.h"
#include "option_device.h"
#include "skin_folder.h"

namespace {

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

// A 24-bit picture whose four quarters have the colours of kQuad.
void WriteQuadBitmap(const std::wstring& path, int width, int height)
{
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + stride * height;
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;  // bottom-up
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::vector<unsigned char> pixels(stride * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            COLORREF c = kQuad[(y < height / 2 ? 0 : 2) + (x < width / 2 ? 0 : 1)];
            unsigned char* p = &pixels[(height - 1 - y) * stride + x * 3];
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
        }
    std::ofstream out(path.c_str(), std::ios::binary);
    out.write((const char*)&file, sizeof file);
    out.write((const char*)&info, sizeof info);
    out.write((const char*)pixels.data(), pixels.size());
}

// A skin of the test: its folder, optionally with a skin file and picture.
void MakeSkin(const std::wstring& name, const char* xml, int width = 0, int height = 0)
{
    std::wstring folder = kSkins + name;
    CreateDirectoryW(folder.c_str(), nullptr);
    if (xml)
        std::ofstream((folder + L"\\Skin.xml").c_str(), std::ios::binary) << xml;
    if (width)
        WriteQuadBitmap(folder + L"\\back.bmp", width, height);
}

void RemoveSkin(const std::wstring& name)
{
    std::wstring folder = kSkins + name;
    for (const wchar_t* file : {L"\\Skin.xml", L"\\back.bmp"})
        DeleteFileW((folder + file).c_str());
    RemoveDirectoryW(folder.c_str());
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void SetString(const wchar_t* key, const wchar_t* name, const std::wstring& text)
{
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, name, REG_SZ, text.c_str(), (DWORD)(text.size() + 1) * 2);
}

DWORD ReadDword(const wchar_t* key, const wchar_t* name)
{
    DWORD value = 0xDEADBEEF, size = sizeof value;
    RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
}

std::wstring ReadString(const wchar_t* key, const wchar_t* name)
{
    wchar_t text[300] = {};
    DWORD size = sizeof text;
    RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, nullptr, text, &size);
    return text;
}

// The colour of a point of a window's client area, read from the screen.
COLORREF ScreenPixel(HWND window, int x, int y)
{
    POINT p = {x, y};
    ClientToScreen(window, &p);
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return c;
}

// Boxes open on the device, as devctl lists them: "caption" "text".
std::wstring Boxes()
{
    return RunDevctl({L"boxes"}).out;
}

bool WaitForBox(const std::wstring& caption, const std::wstring& text)
{
    const std::wstring line = L"\"" + caption + L"\" \"" + text + L"\"";
    return PumpUntil([&] { return Boxes().find(line) != std::wstring::npos; }, 10000);
}

class SkinPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(backup_.Saved());
        CloseHost();
        MakeSkin(L"Quad", "<skins><skin><description>Four corners</description>"
                          "<background>back.bmp</background></skin></skins>", 240, 60);
        MakeSkin(L"Tiny", "<skins><skin><background>back.bmp</background></skin></skins>", 60, 20);
        MakeSkin(L"NoBack", "<skins><skin/></skins>");
        MakeSkin(L"NoFile", nullptr);
        SetString(kKetraKey, L"Skin", L"Default");
    }
    // The registry goes back when the backup ends, after this.
    void TearDown() override
    {
        for (int i = 0; i < 3 && !Boxes().empty(); ++i)
            if (RunDevctl({L"dismiss", L"no"}).exitCode != 0)
                RunDevctl({L"dismiss", L"ok"});
        if (HWND frame = FindWindowW(kOptionClass, nullptr))
            PostMessageW(frame, WM_COMMAND, IDCANCEL, 0);
        WaitNoWindowOf(kOptionClass, 10000);
        // Closing starts the side bar again.
        if (WaitForWindowOf(kHostClass, 3000))
            CloseHost();
        for (const wchar_t* name : {L"Quad", L"Tiny", L"NoBack", L"NoFile", L"Doomed"})
            RemoveSkin(name);
    }

    // Starts the settings program and shows the Skin page, answering the
    // box the page shows while it opens, when one is expected.
    void Start(const wchar_t* openingBox = nullptr)
    {
        ASSERT_EQ(0u, RunDevctl({L"exec", kOptionProgram}).exitCode);
        if (openingBox) {
            ASSERT_TRUE(WaitForBox(L"Error", openingBox)) << Boxes();
            RunDevctl({L"dismiss", L"ok"});
        }
        ASSERT_NE(nullptr, frame_ = WaitForWindowOf(kOptionClass, 15000));
        ASSERT_TRUE(PumpUntil([&] { return (page_ = FindPage()) != nullptr; }, 5000));
        SendMessageW(frame_, WM_COMMAND, 40038, 0);
        PumpUntil([&] { return IsWindowVisible(page_) != FALSE; }, 3000);
        PumpMessages(300);
    }
    HWND FindPage() const
    {
        for (HWND child = GetWindow(frame_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (GetDlgItem(child, 1033) && GetDlgItem(child, 1028))
                return child;
        return nullptr;
    }
    HWND Item(int id) const { return GetDlgItem(page_, id); }

    // Chooses an entry from an opened list, as a tap in the list does. With
    // a box to come, the notice is posted so this thread can answer it.
    void Choose(int listId, const std::wstring& entry, bool boxExpected = false)
    {
        HWND list = Item(listId);
        LRESULT index = SendMessageW(list, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)entry.c_str());
        ASSERT_NE(CB_ERR, index) << entry;
        // An opened list follows the pointer: keep it off both lists.
        SetCursorPos(235, 35);
        SendMessageW(list, CB_SHOWDROPDOWN, TRUE, 0);
        SendMessageW(list, CB_SETCURSEL, index, 0);
        WPARAM notice = MAKEWPARAM(listId, CBN_SELCHANGE);
        if (boxExpected)
            PostMessageW(page_, WM_COMMAND, notice, (LPARAM)list);
        else
            SendMessageW(page_, WM_COMMAND, notice, (LPARAM)list);
        if (!boxExpected)
            SendMessageW(list, CB_SHOWDROPDOWN, FALSE, 0);
    }
    // Chooses an entry with two stylus taps: one opens the list, one picks.
    void Tap(int listId, const std::wstring& entry)
    {
        RECT box, drop;
        GetWindowRect(Item(listId), &box);
        RunDevctl({L"tap", std::to_wstring((box.left + box.right) / 2), std::to_wstring((box.top + box.bottom) / 2)});
        HWND list = nullptr;
        ASSERT_TRUE(PumpUntil([&] {
            list = FindWindowW(L"ComboLBox", nullptr);
            while (list && !IsWindowVisible(list))
                list = FindWindowExW(nullptr, list, L"ComboLBox", nullptr);
            return list != nullptr;
        }, 3000));
        GetWindowRect(list, &drop);
        LRESULT index = SendMessageW(Item(listId), CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)entry.c_str());
        LRESULT height = SendMessageW(Item(listId), CB_GETITEMHEIGHT, 0, 0);
        RunDevctl({L"tap", std::to_wstring(drop.left + 20), std::to_wstring(drop.top + 1 + index * height + height / 2)});
    }
    std::wstring Entry(int listId, LRESULT index) const
    {
        wchar_t text[300] = {};
        SendMessageW(Item(listId), CB_GETLBTEXT, index, (LPARAM)text);
        return text;
    }
    std::wstring Selected(int listId) const { return Entry(listId, SendMessageW(Item(listId), CB_GETCURSEL, 0, 0)); }
    std::vector<std::wstring> Entries(int listId) const
    {
        std::vector<std::wstring> entries;
        for (LRESULT i = 0; i < SendMessageW(Item(listId), CB_GETCOUNT, 0, 0); ++i)
            entries.push_back(Entry(listId, i));
        return entries;
    }
    std::wstring Description() const
    {
        wchar_t text[100] = {};
        SendMessageW(Item(1012), WM_GETTEXT, 100, (LPARAM)text);
        return text;
    }
    void Press(int buttonId) { PostMessageW(Item(buttonId), BM_CLICK, 0, 0); }
    // True when the preview's four quarters show the given colours.
    bool PreviewShows(const COLORREF (&quarters)[4]) const
    {
        const POINT probes[4] = {{2, 2}, {218, 2}, {2, 47}, {218, 47}};
        for (int i = 0; i < 4; ++i)
            if (ScreenPixel(page_, 9 + probes[i].x, 55 + probes[i].y) != quarters[i])
                return false;
        return true;
    }
    COLORREF SwatchColour(int id) const
    {
        RECT r;
        GetClientRect(Item(id), &r);
        return ScreenPixel(Item(id), r.right / 2, r.bottom / 2);
    }
    void OkAndWaitClosed()
    {
        PostMessageW(frame_, WM_COMMAND, IDOK, 0);
        ASSERT_TRUE(WaitNoWindowOf(kOptionClass, 10000));
    }

    SystemRegistryBackup backup_;
    HWND frame_ = nullptr;
    HWND page_ = nullptr;
};

TEST_F(SkinPageTest, ListsTheInstalledSkinsAndSelectsTheCurrentOneIgnoringCase)
{
    SetString(kKetraKey, L"Skin", L"meadow");
    Start();
    std::vector<std::wstring> skins = Entries(1027);
    for (const wchar_t* name : {L"Default", L"Graphite", L"Meadow", L"Quad"})
        EXPECT_NE(skins.end(), std::find(skins.begin(), skins.end(), name)) << name;
    for (const wchar_t* dots : {L".", L".."})
        EXPECT_EQ(skins.end(), std::find(skins.begin(), skins.end(), dots));
    EXPECT_EQ(L"Meadow", Selected(1027));
    EXPECT_EQ(5u, Entries(1028).size());
    EXPECT_TRUE(IsWindowEnabled(Item(1032)));
}

TEST_F(SkinPageTest, ChoosingASkinShowsItsFourCornersAndDescriptionAndIsSaved)
{
    Start();
    Choose(1027, L"Quad");
    EXPECT_TRUE(PumpUntil([&] { return PreviewShows(kQuad); }, 3000));
    EXPECT_EQ(L"Four corners", Description());
    OkAndWaitClosed();
    EXPECT_EQ(L"Quad", ReadString(kKetraKey, L"Skin"));
}

// Regression: corners were copied from outside a picture smaller than a
// corner, and the preview started with whatever the new bitmap held.
TEST_F(SkinPageTest, SmallPictureLandsWholeInEachQuarterOverWhite)
{
    Start();
    Choose(1027, L"Tiny");
    // The 60 x 20 picture at the top-left of each 110 x 25 quarter, white beside and below it.
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(page_, 9 + 2, 55 + 2) == kQuad[0]; }, 3000));
    for (POINT q : {POINT{9, 55}, POINT{9 + 110, 55}, POINT{9, 55 + 25}, POINT{9 + 110, 55 + 25}}) {
        EXPECT_EQ(kQuad[0], ScreenPixel(page_, q.x + 2, q.y + 2));
        EXPECT_EQ(kQuad[3], ScreenPixel(page_, q.x + 57, q.y + 17));
        EXPECT_EQ(kWhite, ScreenPixel(page_, q.x + 70, q.y + 5));
        EXPECT_EQ(kWhite, ScreenPixel(page_, q.x + 5, q.y + 22));
    }
    EXPECT_EQ(L"Author information is not provided.", Description());
}

TEST_F(SkinPageTest, MissingSkinFileOrBackgroundEntryIsReported)
{
    Start();
    Choose(1027, L"NoFile", true);
    EXPECT_TRUE(WaitForBox(L"Error", L"Couldn't find Skin file.")) << Boxes();
    RunDevctl({L"dismiss", L"ok"});
    Choose(1027, L"NoBack", true);
    EXPECT_TRUE(WaitForBox(L"Error", L"Couldnn't find background info.")) << Boxes();
    RunDevctl({L"dismiss", L"ok"});
}

TEST_F(SkinPageTest, ColourSetFillsTheSwatchesAndIsSavedWithTheSkin)
{
    Start();
    Tap(1028, L"Blue");
    const COLORREF blue[3] = {0xFFFBFF, 0xFFC0C0, 0xFF0000};
    EXPECT_TRUE(PumpUntil([&] { return SwatchColour(1033) == blue[0]; }, 3000));
    EXPECT_EQ(blue[1], SwatchColour(1034));
    EXPECT_EQ(blue[2], SwatchColour(1035));
    OkAndWaitClosed();
    EXPECT_EQ(L"Default", ReadString(kKetraKey, L"Skin"));
    EXPECT_EQ(blue[0], ReadDword(kColoursKey, L"1"));
    EXPECT_EQ(blue[1], ReadDword(kColoursKey, L"2"));
    EXPECT_EQ(blue[2], ReadDword(kColoursKey, L"3"));
}

TEST_F(SkinPageTest, DefaultSkinCannotBeDeletedWhateverItsCase)
{
    SetString(kKetraKey, L"Skin", L"default");
    Start();
    Press(1032);
    EXPECT_TRUE(WaitForBox(L"Erorr", L"Default skin cannot be deleted.")) << Boxes();
    RunDevctl({L"dismiss", L"ok"});
    EXPECT_TRUE(Exists(std::wstring(kSkins) + L"Default\\skin.xml"));
}

TEST_F(SkinPageTest, DeletingASkinAfterYesRemovesItsFolderAndSelectsDefault)
{
    MakeSkin(L"Doomed", "<skins><skin><background>back.bmp</background></skin></skins>", 240, 60);
    SetString(kKetraKey, L"Skin", L"Doomed");
    Start();
    Press(1032);
    ASSERT_TRUE(WaitForBox(L"Delete", L"Do you want to delete skin files?")) << Boxes();
    RunDevctl({L"dismiss", L"no"});
    PumpMessages(300);
    EXPECT_TRUE(Exists(std::wstring(kSkins) + L"Doomed\\back.bmp"));
    Press(1032);
    ASSERT_TRUE(WaitForBox(L"Delete", L"Do you want to delete skin files?")) << Boxes();
    RunDevctl({L"dismiss", L"yes"});
    EXPECT_TRUE(PumpUntil([] { return !Exists(std::wstring(kSkins) + L"Doomed"); }, 5000));
    EXPECT_TRUE(PumpUntil([&] { return Selected(1027) == L"Default"; }, 3000));
    std::vector<std::wstring> skins = Entries(1027);
    EXPECT_EQ(skins.end(), std::find(skins.begin(), skins.end(), L"Doomed"));
}

// Regression: ".." from the registry (or a desktop listing) deleted every
// file of the installation folder.
TEST_F(SkinPageTest, SkinNamedDotDotIsNeverDeleted)
{
    SetString(kKetraKey, L"Skin", L"..");
    Start(L"Couldn't find Skin file.");
    Press(1032);
    PumpMessages(1500);
    EXPECT_EQ(L"", Boxes());
    EXPECT_TRUE(Exists(L"\\Program Files\\ZARQ\\Ketra\\Option.exe"));
    EXPECT_TRUE(Exists(std::wstring(kSkins) + L"Default\\skin.xml"));
}

// Regression: without the install folder the skins folder was never set.
TEST_F(SkinPageTest, UnknownInstallFolderLeavesAnEmptyListAndNoDelete)
{
    const std::wstring install = ReadString(kKetraKey, L"Path");
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kKetraKey, L"Path");
    Start();
    SetString(kKetraKey, L"Path", install);  // before the side bar starts again
    EXPECT_EQ(0u, Entries(1027).size());
    EXPECT_FALSE(IsWindowEnabled(Item(1032)));
}

}  // namespace
