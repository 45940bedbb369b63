// The launch list in the test's own process: the launch file's exact bytes
// both ways, the default import's order and filters, the grid, the two
// arrange modes and the icon cache file.
#include <string>
#include <vector>

#include "ketra_testkit.h"
#include "launch_list.h"

using namespace testkit;

namespace {

std::string Utf16Bytes(const std::wstring& text)
{
    std::string bytes;
    for (wchar_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>(c >> 8));
    }
    return bytes;
}

std::string AsText(const std::vector<BYTE>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

std::vector<std::wstring> Entries(const CLaunchList& list)
{
    std::vector<std::wstring> entries;
    for (int i = 0; i < list.GetCount(); ++i)
        entries.push_back(list.GetPath(i));
    return entries;
}

std::vector<std::wstring> Parse(const std::string& bytes)
{
    std::vector<std::wstring> pieces;
    ParseLaunchText(reinterpret_cast<const BYTE*>(bytes.data()), bytes.size(),
                    [&](const wchar_t* piece, size_t) { pieces.push_back(piece); });
    return pieces;
}

void MakeFile(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL)
{
    ASSERT_TRUE(WriteBytes(path, "1#x"));
    SetFileAttributesW(path.c_str(), attributes);
}

CLaunchList* ListOf(CLaunchList* list, int count)
{
    list->RemoveAll();
    for (int i = 0; i < count; ++i)
        list->Add((L"\\p" + std::to_wstring(i) + L".exe").c_str());
    return list;
}

}  // namespace

TEST(LaunchFile, WritesEachPathWithCarriageReturnThenEndTag)
{
    ScratchFolder scratch(L"launchlist");
    CLaunchList list;
    list.Add(L"\\Windows\\Start Menu\\Calendar.lnk");
    list.Add(L"\\Program Files\\x.exe");
    ASSERT_TRUE(list.SaveAs((scratch / L"launch.txt").c_str()));
    EXPECT_EQ(Utf16Bytes(L"\\Windows\\Start Menu\\Calendar.lnk\r\\Program Files\\x.exe\r</LIST>\r"),
              ReadBytes(scratch / L"launch.txt"));

    CLaunchList empty;
    ASSERT_TRUE(empty.SaveAs((scratch / L"empty.txt").c_str()));
    EXPECT_EQ(Utf16Bytes(L"</LIST>\r"), ReadBytes(scratch / L"empty.txt"));
}

TEST(LaunchFile, ReadsBackWhatItWrote)
{
    ScratchFolder scratch(L"launchlist");
    const std::string bytes = Utf16Bytes(L"\\a.exe\r\\b c\\d.lnk\r</LIST>\r");
    ASSERT_TRUE(WriteBytes(scratch / L"launch.txt", bytes));
    CLaunchList list;
    EXPECT_TRUE(list.Load((scratch / L"launch.txt").c_str()));
    EXPECT_EQ((std::vector<std::wstring>{L"\\a.exe", L"\\b c\\d.lnk"}), Entries(list));
    // Loading never rewrites a file it could read.
    EXPECT_EQ(bytes, ReadBytes(scratch / L"launch.txt"));
    EXPECT_EQ(bytes, AsText(list.FileBytes()));
}

// A file of 19 bytes or less, "</LIST>" and CR alone included, counts as
// absent: the default folders are imported and written.
TEST(LaunchFile, ShortFileImportsTheDefaultFoldersAgain)
{
    ScratchFolder scratch(L"launchlist");
    CLaunchList defaults;
    defaults.ImportDefault(TRUE);
    ASSERT_GT(defaults.GetCount(), 0) << "the device's start menu is empty";

    for (const std::wstring& text : {std::wstring(L"</LIST>\r"), std::wstring(L"\\a.e\r</LI")}) {
        const std::wstring path = scratch / L"launch.txt";
        ASSERT_TRUE(WriteBytes(path, Utf16Bytes(text)));
        CLaunchList list;
        EXPECT_FALSE(list.Load(path.c_str()));
        EXPECT_EQ(Entries(defaults), Entries(list));
        EXPECT_EQ(AsText(defaults.FileBytes()), ReadBytes(path));
    }
    // Twenty bytes are a list.
    ASSERT_TRUE(WriteBytes(scratch / L"launch.txt", Utf16Bytes(L"\\a.exe\r</L")));
    CLaunchList list;
    EXPECT_TRUE(list.Load((scratch / L"launch.txt").c_str()));
    EXPECT_EQ((std::vector<std::wstring>{L"\\a.exe"}), Entries(list));
}

TEST(LaunchFile, ToleratesWhatEditorsAndDamageLeave)
{
    const std::wstring longest(CLaunchEntry::kMaxPathChars, L'x');
    struct Case {
        std::string bytes;
        std::vector<std::wstring> expected;
    } cases[] = {
        {Utf16Bytes(L"\xFEFF\\a.exe\r</LIST>\r"), {L"\\a.exe"}},                    // byte-order mark
        {Utf16Bytes(L"\\a.exe\r\n\\b.exe\r\n</LIST>\r\n"), {L"\\a.exe", L"\\b.exe"}},  // CR LF
        {Utf16Bytes(L"\r\r\\a.exe\r\r</LIST>\r"), {L"\\a.exe"}},                    // empty pieces
        {Utf16Bytes(longest + L"x\r" + longest + L"\r"), {longest}},                // 260 skipped, 259 kept
        {Utf16Bytes(L"\\a.exe\r<b\r\\c.exe\r"), {L"\\a.exe"}},                      // "<" ends the list
        {Utf16Bytes(L"\\a.exe\r\\last.exe"), {L"\\a.exe", L"\\last.exe"}},          // no CR at the end
        {Utf16Bytes(std::wstring(L"\\a\0b.exe\r\\c.exe\r", 15)), {L"\\c.exe"}},    // a NUL inside
        {Utf16Bytes(L"\\a.exe\r\n\n</LIST>\r\\b\tc.exe\r"), {L"\\a.exe"}},      // control characters
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, Parse(c.bytes));

    std::string odd = Utf16Bytes(L"\\a.exe\r");
    odd.push_back('z');
    EXPECT_EQ((std::vector<std::wstring>{L"\\a.exe"}), Parse(odd));
    EXPECT_TRUE(Parse("").empty());
    EXPECT_TRUE(Parse(std::string("\x0D", 1)).empty());
}

TEST(LaunchImport, TakesShortcutsThenProgramsFolderByFolder)
{
    ScratchFolder scratch(L"launchimport");
    const std::wstring menu = scratch / L"menu";
    const std::wstring programs = scratch / L"programs";
    for (const std::wstring& folder : {menu, programs, programs + L"\\Games", menu + L"\\folder.lnk"})
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    MakeFile(menu + L"\\b.exe");
    MakeFile(menu + L"\\a.lnk");
    MakeFile(menu + L"\\hidden.lnk", FILE_ATTRIBUTE_HIDDEN);
    MakeFile(menu + L"\\X.LNK");
    MakeFile(menu + L"\\notes.txt");
    MakeFile(programs + L"\\c.exe");
    MakeFile(programs + L"\\d.lnk");
    MakeFile(programs + L"\\Games\\g.lnk");
    CLaunchList list;
    list.Add((menu + L"\\b.exe").c_str());  // already listed: not taken again
    EXPECT_EQ(4, list.ImportFolders(menu.c_str(), programs.c_str(), FALSE));
    EXPECT_EQ((std::vector<std::wstring>{menu + L"\\b.exe", menu + L"\\a.lnk", programs + L"\\d.lnk",
                                         programs + L"\\c.exe", programs + L"\\Games\\g.lnk"}),
              Entries(list));

    // "Import New Apps" twice changes nothing; "Import Default Folders"
    // starts afresh in folder order.
    EXPECT_EQ(0, list.ImportFolders(menu.c_str(), programs.c_str(), FALSE));
    EXPECT_EQ(0, list.ImportFolders(menu.c_str(), menu.c_str(), FALSE));
    EXPECT_EQ(5, list.ImportFolders(menu.c_str(), programs.c_str(), TRUE));
    EXPECT_EQ(menu + L"\\a.lnk", list.GetPath(0));

    // A hidden Games folder is skipped like a hidden file.
    SetFileAttributesW((programs + L"\\Games").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(4, list.ImportFolders(menu.c_str(), programs.c_str(), TRUE));
}

TEST(LaunchGrid, PlacesCellsWithTheGapAfterTheFifthColumn)
{
    CLaunchList list;
    list.SetOrigin(CPoint(4, 3));
    EXPECT_EQ(CRect(4, 3, 26, 24), list.CellRect(0));
    EXPECT_EQ(4 + 5 * 22 + 3, list.CellRect(5).left);
    EXPECT_EQ(4 + 4 * 22, list.CellRect(4).left);
    EXPECT_EQ(CRect(4, 24, 26, 45), list.CellRect(10));
    EXPECT_EQ(CRect(4 + 9 * 22 + 3, 3 + 2 * 21, 4 + 10 * 22 + 3, 3 + 3 * 21), list.CellRect(29));
}

TEST(LaunchGrid, RowsAndHitsStopAtTheLinesUnlessExpanded)
{
    CLaunchList list;
    list.SetOrigin(CPoint(4, 3));
    EXPECT_EQ(1, ListOf(&list, 0)->RowsNeeded());
    EXPECT_EQ(1, ListOf(&list, 10)->RowsNeeded());
    ListOf(&list, 23);
    EXPECT_EQ(2, list.RowsNeeded());
    EXPECT_EQ(19, list.HitTest(list.CellRect(19).CenterPoint()));
    EXPECT_EQ(-1, list.HitTest(list.CellRect(20).CenterPoint()));
    EXPECT_FALSE(list.IsShown(20));
    list.SetExpanded(TRUE);
    EXPECT_EQ(3, list.RowsNeeded());
    EXPECT_EQ(22, list.HitTest(list.CellRect(22).CenterPoint()));
    EXPECT_EQ(-1, list.HitTest(list.CellRect(23).CenterPoint()));  // no entry there
    EXPECT_EQ(-1, list.HitTest(CPoint(4 + 5 * 22 + 1, 10)));      // in the gap

    list.SetExpanded(FALSE);
    for (int lines : {0, 11, -3}) {
        list.SetLines(lines);
        EXPECT_EQ(2, list.GetLines()) << lines;
    }
    list.SetLines(1);
    EXPECT_EQ(-1, list.HitTest(list.CellRect(10).CenterPoint()));
}

TEST(LaunchArrange, InsertPutsTheEntryInFrontOfTheTargetSwapExchanges)
{
    auto order = [](const CLaunchList& list) {
        std::wstring text;
        for (int i = 0; i < list.GetCount(); ++i)
            text += list.GetPath(i)[2];
        return text;
    };
    CLaunchList list;
    ListOf(&list, 6);
    EXPECT_TRUE(list.MoveTo(0, 3));
    EXPECT_EQ(L"120345", order(list));
    EXPECT_TRUE(list.MoveTo(4, 0));
    EXPECT_EQ(L"412035", order(list));
    EXPECT_FALSE(list.MoveTo(2, 2));   // onto itself
    EXPECT_FALSE(list.MoveTo(2, 3));   // already in front of the target
    EXPECT_TRUE(list.MoveTo(1, 99));   // past the last entry: to the end
    EXPECT_EQ(L"420351", order(list));
    EXPECT_FALSE(list.MoveTo(5, 6));
    EXPECT_FALSE(list.MoveTo(-1, 2));

    ListOf(&list, 6);
    EXPECT_TRUE(list.Swap(0, 3));
    EXPECT_EQ(L"312045", order(list));
    EXPECT_FALSE(list.Swap(2, 2));
    EXPECT_FALSE(list.Swap(0, 6));
}

TEST(LaunchEntries, RefusesPathsThatDoNotFit)
{
    CLaunchList list;
    EXPECT_FALSE(list.Add(L""));
    EXPECT_FALSE(list.Add(nullptr));
    EXPECT_FALSE(list.Add(std::wstring(CLaunchEntry::kMaxPathChars + 1, L'a').c_str()));
    EXPECT_TRUE(list.Add(std::wstring(CLaunchEntry::kMaxPathChars, L'a').c_str()));
    EXPECT_EQ(1, list.GetCount());
    EXPECT_TRUE(list.RemoveAt(0));
    EXPECT_FALSE(list.RemoveAt(0));
    EXPECT_EQ(nullptr, list.GetPath(0));
}

TEST(IconCache, IsA24BitBottomUpBitmapOnTheTransparentColour)
{
    ScratchFolder scratch(L"iconcache");
    wchar_t self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    CLaunchList list;
    ListOf(&list, 104);  // past the hundredth: no cell, and nothing else drawn over
    list.RemoveAt(0);
    ASSERT_TRUE(list.Add(self));
    list.MoveTo(list.GetCount() - 1, 0);
    ASSERT_TRUE(list.WriteIconCache((scratch / L"icons.bmp").c_str()));

    const std::string file = ReadBytes(scratch / L"icons.bmp");
    const std::vector<BYTE> bmp(file.begin(), file.end());
    ASSERT_EQ(54u + 160 * 160 * 3, bmp.size());
    auto dword = [&](size_t at) { return *reinterpret_cast<const DWORD*>(&bmp[at]); };
    auto word = [&](size_t at) { return *reinterpret_cast<const WORD*>(&bmp[at]); };
    EXPECT_EQ('B', bmp[0]);
    EXPECT_EQ('M', bmp[1]);
    EXPECT_EQ(bmp.size(), dword(2));
    EXPECT_EQ(54u, dword(10));
    EXPECT_EQ(40u, dword(14));
    EXPECT_EQ(160u, dword(18));
    EXPECT_EQ(160u, dword(22));  // positive height: bottom-up rows
    EXPECT_EQ(24, word(28));
    EXPECT_EQ(0u, dword(30));

    // Pixel (x, y) from the top sits in row 159 - y of the file.
    auto pixel = [&](int x, int y) {
        size_t at = 54 + (size_t)(159 - y) * 480 + 3 * x;
        return RGB(bmp[at + 2], bmp[at + 1], bmp[at]);
    };
    EXPECT_EQ(CLaunchList::kTransparent, pixel(0, 159));   // beyond every entry
    EXPECT_EQ(CLaunchList::kTransparent, pixel(159, 0));   // cell 9: "\p9.exe" has no icon
    int drawn = 0;  // cell 0: this program's own icon
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            drawn += pixel(x, y) != CLaunchList::kTransparent;
    EXPECT_GT(drawn, 16);
}

TEST(IconCache, GreyScreensGetFourBitPixelsOverTheirGreys)
{
    std::vector<COLORREF> palette;
    EXPECT_EQ(24, IconCacheBits(32, &palette));
    EXPECT_EQ(24, IconCacheBits(16, &palette));
    EXPECT_TRUE(palette.empty());
    ASSERT_EQ(2, IconCacheBits(2, &palette));
    ASSERT_EQ(16u, palette.size());
    EXPECT_EQ(RGB(128, 128, 128), palette[1]);
    EXPECT_EQ(RGB(192, 192, 192), palette[2]);

    // Two pixels to a byte, the left one in the high half.
    std::vector<COLORREF> pixels = {RGB(255, 255, 255), RGB(0, 0, 0), RGB(120, 130, 125), RGB(200, 190, 190)};
    std::vector<BYTE> bmp = BitmapFileBytes(4, 1, pixels, 2, palette);
    ASSERT_EQ(54u + 16 * 4 + 4, bmp.size());
    EXPECT_EQ(4, bmp[28]);
    EXPECT_EQ(0x30, bmp[54 + 64]);
    EXPECT_EQ(0x12, bmp[54 + 65]);

    ASSERT_EQ(4, IconCacheBits(4, &palette));
    EXPECT_EQ(RGB(17, 17, 17), palette[1]);
    EXPECT_TRUE(BitmapFileBytes(2, 2, pixels, 24, {}).size() == 54u + 2 * 8);
    EXPECT_TRUE(BitmapFileBytes(3, 2, pixels, 24, {}).empty());  // pixels do not match the size
    EXPECT_TRUE(BitmapFileBytes(2, 2, pixels, 16, {}).empty());
}

// "Lines" is kept in the launcher's registration key; numbers the launcher
// cannot show count as the default 2.
TEST(LaunchSettings, LinesOutsideOneToTenCountAsTwo)
{
    const std::wstring key = L"SOFTWARE\\ZARQ\\APPLETS\\Launcher";
    RegistrySandbox saved({key});
    ASSERT_TRUE(saved.Saved());
    ASSERT_TRUE(LaunchSettings::Write(5, LaunchSettings::kSwap));
    EXPECT_EQ(5u, ReadDword(key, L"Lines"));
    EXPECT_EQ(1u, ReadDword(key, L"ArrangeType"));
    EXPECT_EQ(5, LaunchSettings::ReadLines());
    EXPECT_EQ(LaunchSettings::kSwap, LaunchSettings::ReadArrangeMode(LaunchSettings::kInsert));
    for (DWORD lines : {0u, 11u, 0xFFFFFFFFu}) {
        WriteDword(key, L"Lines", lines);
        EXPECT_EQ(2, LaunchSettings::ReadLines()) << lines;
    }
    WriteDword(key, L"Lines", 10);
    EXPECT_EQ(10, LaunchSettings::ReadLines());
    WriteDword(key, L"ArrangeType", 7);
    EXPECT_EQ(LaunchSettings::kInsert, LaunchSettings::ReadArrangeMode(LaunchSettings::kInsert));
    DeleteValue(key, L"Lines");
    EXPECT_EQ(2, LaunchSettings::ReadLines());
}
