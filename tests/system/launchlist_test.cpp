// The launch list in the test's own process: the launch file's exact bytes
// both ways, the default import's order and filters, the grid, the two
// arrange modes and the icon cache file.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "launch_list.h"

namespace {

std::vector<BYTE> Utf16Bytes(const std::wstring& text)
{
    std::vector<BYTE> bytes;
    for (wchar_t c : text) {
        bytes.push_back(static_cast<BYTE>(c & 0xFF));
        bytes.push_back(static_cast<BYTE>(c >> 8));
    }
    return bytes;
}

std::vector<BYTE> ReadBytes(const std::wstring& path)
{
    std::vector<BYTE> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file, bytes.data(), (DWORD)bytes.size(), &read, nullptr))
        bytes.clear();
    CloseHandle(file);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::vector<BYTE>& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
    CloseHandle(file);
}

std::vector<std::wstring> Entries(const CLaunchList& list)
{
    std::vector<std::wstring> entries;
    for (int i = 0; i < list.GetCount(); ++i)
        entries.push_back(list.GetPath(i));
    return entries;
}

std::vector<std::wstring> Parse(const std::vector<BYTE>& bytes)
{
    std::vector<std::wstring> pieces;
    ParseLaunchText(bytes.data(), bytes.size(), [&](const wchar_t* piece, size_t) { pieces.push_back(piece); });
    return pieces;
}

// A scratch folder of the device, removed with what it holds.
class ScratchFolder {
public:
    ScratchFolder() : m_path(L"\\Temp\\launchlist" + std::to_wstring(GetCurrentProcessId()))
    {
        Remove(m_path);
        CreateDirectoryW(L"\\Temp", nullptr);
        CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~ScratchFolder() { Remove(m_path); }

    std::wstring Path(const std::wstring& name) const { return m_path + L"\\" + name; }
    void Folder(const std::wstring& name) const { CreateDirectoryW(Path(name).c_str(), nullptr); }
    void File(const std::wstring& name, DWORD attributes = FILE_ATTRIBUTE_NORMAL) const
    {
        WriteBytes(Path(name), {'1', '#', 'x'});
        SetFileAttributesW(Path(name).c_str(), attributes);
    }

private:
    static void Remove(const std::wstring& folder)
    {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = found.cFileName;
                if (name == L"." || name == L"..")
                    continue;
                std::wstring path = folder + L"\\" + name;
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    Remove(path);
                else
                    DeleteFileW(path.c_str());
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
        RemoveDirectoryW(folder.c_str());
    }

    std::wstring m_path;
};

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
    ScratchFolder scratch;
    CLaunchList list;
    list.Add(L"\\Windows\\Start Menu\\Calendar.lnk");
    list.Add(L"\\Program Files\\x.exe");
    ASSERT_TRUE(list.SaveAs(scratch.Path(L"launch.txt").c_str()));
    EXPECT_EQ(Utf16Bytes(L"\\Windows\\Start Menu\\Calendar.lnk\r\\Program Files\\x.exe\r</LIST>\r"),
              ReadBytes(scratch.Path(L"launch.txt")));

    CLaunchList empty;
    ASSERT_TRUE(empty.SaveAs(scratch.Path(L"empty.txt").c_str()));
    EXPECT_EQ(16u, ReadBytes(scratch.Path(L"empty.txt")).size());
}

TEST(LaunchFile, ReadsBackWhatItWrote)
{
    ScratchFolder scratch;
    std::vector<BYTE> bytes = Utf16Bytes(L"\\a.exe\r\\b c\\d.lnk\r</LIST>\r");
    WriteBytes(scratch.Path(L"launch.txt"), bytes);
    CLaunchList list;
    EXPECT_TRUE(list.Load(scratch.Path(L"launch.txt").c_str()));
    EXPECT_EQ((std::vector<std::wstring>{L"\\a.exe", L"\\b c\\d.lnk"}), Entries(list));
    // Loading never rewrites a file it could read.
    EXPECT_EQ(bytes, ReadBytes(scratch.Path(L"launch.txt")));
    EXPECT_EQ(bytes, list.FileBytes());
}

// A file of 19 bytes or less, "</LIST>" and CR alone included, counts as
// absent: the default folders are imported and written.
TEST(LaunchFile, ShortFileImportsTheDefaultFoldersAgain)
{
    ScratchFolder scratch;
    CLaunchList defaults;
    defaults.ImportDefault(TRUE);
    ASSERT_GT(defaults.GetCount(), 0) << "the device's start menu is empty";

    for (const std::wstring& text : {std::wstring(L"</LIST>\r"), std::wstring(L"\\a.exe\r</LI")}) {
        std::wstring path = scratch.Path(L"launch.txt");
        WriteBytes(path, Utf16Bytes(text));
        CLaunchList list;
        EXPECT_FALSE(list.Load(path.c_str()));
        EXPECT_EQ(Entries(defaults), Entries(list));
        EXPECT_EQ(defaults.FileBytes(), ReadBytes(path));
    }
}

TEST(LaunchFile, ToleratesWhatEditorsAndDamageLeave)
{
    const std::wstring longest(CLaunchEntry::kMaxPathChars, L'x');
    struct Case {
        std::vector<BYTE> bytes;
        std::vector<std::wstring> expected;
    } cases[] = {
        {Utf16Bytes(L"\xFEFF\\a.exe\r</LIST>\r"), {L"\\a.exe"}},                    // byte-order mark
        {Utf16Bytes(L"\\a.exe\r\n\\b.exe\r\n</LIST>\r\n"), {L"\\a.exe", L"\\b.exe"}},  // CR LF
        {Utf16Bytes(L"\r\r\\a.exe\r\r</LIST>\r"), {L"\\a.exe"}},                    // empty pieces
        {Utf16Bytes(longest + L"x\r" + longest + L"\r"), {longest}},                // 260 skipped, 259 kept
        {Utf16Bytes(L"\\a.exe\r<b\r\\c.exe\r"), {L"\\a.exe"}},                      // "<" ends the list
        {Utf16Bytes(L"\\a.exe\r\\last.exe"), {L"\\a.exe", L"\\last.exe"}},          // no CR at the end
        {Utf16Bytes(std::wstring(L"\\a\0b.exe\r\\c.exe\r", 15)), {L"\\c.exe"}},    // a NUL inside
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, Parse(c.bytes));

    std::vector<BYTE> odd = Utf16Bytes(L"\\a.exe\r");
    odd.push_back('z');
    EXPECT_EQ((std::vector<std::wstring>{L"\\a.exe"}), Parse(odd));
    EXPECT_TRUE(Parse({}).empty());
    EXPECT_TRUE(Parse({0x0D}).empty());
}

TEST(LaunchImport, TakesShortcutsThenProgramsFolderByFolder)
{
    ScratchFolder scratch;
    scratch.Folder(L"menu");
    scratch.Folder(L"programs");
    scratch.Folder(L"programs\\Games");
    scratch.Folder(L"menu\\folder.lnk");
    scratch.File(L"menu\\b.exe");
    scratch.File(L"menu\\a.lnk");
    scratch.File(L"menu\\hidden.lnk", FILE_ATTRIBUTE_HIDDEN);
    scratch.File(L"menu\\X.LNK");
    scratch.File(L"menu\\notes.txt");
    scratch.File(L"programs\\c.exe");
    scratch.File(L"programs\\d.lnk");
    scratch.File(L"programs\\Games\\g.lnk");

    const std::wstring menu = scratch.Path(L"menu");
    const std::wstring programs = scratch.Path(L"programs");
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
    SetFileAttributesW(scratch.Path(L"programs\\Games").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY);
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
    ScratchFolder scratch;
    wchar_t self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    CLaunchList list;
    ListOf(&list, 104);  // past the hundredth: no cell, and nothing else drawn over
    list.RemoveAt(0);
    ASSERT_TRUE(list.Add(self));
    list.MoveTo(list.GetCount() - 1, 0);
    ASSERT_TRUE(list.WriteIconCache(scratch.Path(L"icons.bmp").c_str()));

    std::vector<BYTE> bmp = ReadBytes(scratch.Path(L"icons.bmp"));
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
