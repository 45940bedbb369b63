// The device's storage: the object store's ROM through coredll's file
// functions (the built-in files in \Windows, which the test device's ROM
// holds and its RAM does not), and the documents folders of its volumes.
#include <gtest/gtest.h>

#include <windows.h>

#include <aygshell.h>
#include <ketra_testkit.h>

#include <string>
#include <vector>

namespace {

const DWORD kInRom = 0x40;
const wchar_t kRomTheme[] = L"\\Windows\\Graphite.tsk";
const wchar_t kRomCopy[] = L"R:\\Windows\\Graphite.tsk";

std::string Contents(const wchar_t* path)
{
    std::string bytes;
    return testkit::ReadBytes(path, &bytes) ? bytes : "<cannot open>";
}

bool WriteText(const wchar_t* path, const std::string& text)
{
    return testkit::WriteBytes(path, text);
}

// The names a listing gives, with their attributes.
std::vector<std::pair<std::wstring, DWORD>> Listing(const wchar_t* pattern)
{
    std::vector<std::pair<std::wstring, DWORD>> entries;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do
        entries.push_back({found.cFileName, found.dwFileAttributes});
    while (FindNextFileW(search, &found));
    FindClose(search);
    return entries;
}

int CountNamed(const std::vector<std::pair<std::wstring, DWORD>>& entries, const wchar_t* name, DWORD* attributes)
{
    int count = 0;
    for (const auto& entry : entries)
        if (_wcsicmp(entry.first.c_str(), name) == 0) {
            ++count;
            *attributes = entry.second;
        }
    return count;
}

class ObjectStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        // A shadowing RAM file left by an earlier run would hide the ROM.
        DeleteFileW(kRomTheme);
        ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(kRomCopy)) << "the test device has no ROM";
    }
    void TearDown() override { DeleteFileW(kRomTheme); }
};

} // namespace

TEST_F(ObjectStore, RomFilesAreListedAndQueriedReadOnlyInRom)
{
    DWORD attributes = GetFileAttributesW(kRomTheme);
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_EQ(kInRom | FILE_ATTRIBUTE_READONLY, attributes & (kInRom | FILE_ATTRIBUTE_READONLY));

    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ASSERT_TRUE(GetFileAttributesExW(kRomTheme, GetFileExInfoStandard, &data));
    EXPECT_TRUE(data.dwFileAttributes & kInRom);
    EXPECT_GT(data.nFileSizeLow, 0u);

    // Both built-in themes show in \Windows, after the RAM files, once each.
    auto listing = Listing(L"\\Windows\\*");
    DWORD listed = 0;
    EXPECT_EQ(1, CountNamed(listing, L"Graphite.tsk", &listed));
    EXPECT_TRUE(listed & kInRom);
    EXPECT_EQ(1, CountNamed(Listing(L"\\Windows\\*.tsk"), L"Glacier.tsk", &listed));
    EXPECT_EQ(1, CountNamed(Listing(kRomTheme), L"Graphite.tsk", &listed)) << "a pattern naming the file";
    // The seed's RAM picture shadows the ROM one: listed once, as RAM.
    EXPECT_EQ(1, CountNamed(listing, L"stwater.gif", &listed));
    EXPECT_FALSE(listed & kInRom);
}

TEST_F(ObjectStore, RomFilesOpenAndCopyButNeverChange)
{
    std::string rom = Contents(kRomCopy);
    EXPECT_EQ(rom, Contents(kRomTheme));

    // A copy is a plain RAM file.
    const wchar_t copy[] = L"\\Temp\\rom-copy.tsk";
    CreateDirectoryW(L"\\Temp", nullptr);
    ASSERT_TRUE(CopyFileW(kRomTheme, copy, FALSE));
    EXPECT_EQ(rom, Contents(copy));
    DWORD copied = GetFileAttributesW(copy);
    EXPECT_FALSE(copied & (kInRom | FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(DeleteFileW(copy));

    SetLastError(0);
    EXPECT_FALSE(DeleteFileW(kRomTheme));
    EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());
    EXPECT_FALSE(MoveFileW(kRomTheme, L"\\Windows\\moved.tsk"));
    EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());
    EXPECT_FALSE(SetFileAttributesW(kRomTheme, FILE_ATTRIBUTE_NORMAL));
    HANDLE writer = CreateFileW(kRomTheme, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(INVALID_HANDLE_VALUE, writer);
    EXPECT_EQ((DWORD)ERROR_ACCESS_DENIED, GetLastError());
    EXPECT_FALSE(CreateFileW(kRomTheme, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr) != INVALID_HANDLE_VALUE);
    EXPECT_FALSE(CopyFileW(L"\\Windows\\stwater.gif", kRomTheme, TRUE)) << "the name exists (in ROM)";
    EXPECT_EQ(rom, Contents(kRomTheme));
    EXPECT_EQ(rom, Contents(kRomCopy)) << "the ROM itself is never written";
}

TEST_F(ObjectStore, RamFilesShadowAndUncoverTheRom)
{
    std::string rom = Contents(kRomCopy);
    ASSERT_TRUE(WriteText(kRomTheme, "RAM theme"));
    EXPECT_EQ("RAM theme", Contents(kRomTheme));
    EXPECT_FALSE(GetFileAttributesW(kRomTheme) & kInRom);
    DWORD listed = 0;
    EXPECT_EQ(1, CountNamed(Listing(L"\\Windows\\*.tsk"), L"Graphite.tsk", &listed));
    EXPECT_FALSE(listed & kInRom);

    // Deleting the RAM file uncovers the ROM copy.
    ASSERT_TRUE(DeleteFileW(kRomTheme));
    EXPECT_EQ(rom, Contents(kRomTheme));
    EXPECT_TRUE(GetFileAttributesW(kRomTheme) & kInRom);

    // So does renaming it away; renaming onto the ROM name shadows again.
    const wchar_t parked[] = L"\\Windows\\parked.tsk";
    ASSERT_TRUE(WriteText(parked, "parked"));
    ASSERT_TRUE(MoveFileW(parked, kRomTheme));
    EXPECT_EQ("parked", Contents(kRomTheme));
    ASSERT_TRUE(MoveFileW(kRomTheme, parked));
    EXPECT_EQ(rom, Contents(kRomTheme));
    EXPECT_TRUE(DeleteFileW(parked));
}

// The root's documents folder always; a card's only when it has one.
TEST(SpecialFolders, DocumentsFolderOfTheRootAndOfACard)
{
    wchar_t path[MAX_PATH] = L"?";
    EXPECT_TRUE(SHGetDocumentsFolder(L"\\", path));
    EXPECT_STREQ(L"\\My Documents", path);
    EXPECT_TRUE(SHGetDocumentsFolder(L"\\Storage Card", path)) << "the image's card has its documents folder";
    EXPECT_STREQ(L"\\Storage Card\\My Documents", path);
    EXPECT_TRUE(SHGetDocumentsFolder(L"\\Storage Card\\", path));
    EXPECT_STREQ(L"\\Storage Card\\My Documents", path);

    ASSERT_TRUE(CreateDirectoryW(L"D:\\Bare Card", nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(SHGetDocumentsFolder(L"\\Bare Card", path));
    EXPECT_STREQ(L"", path);
    RemoveDirectoryW(L"D:\\Bare Card");
    EXPECT_FALSE(SHGetDocumentsFolder(L"\\No Such Card", path));
    EXPECT_FALSE(SHGetDocumentsFolder(L"\\Windows\\Start Menu", path)) << "a volume is a folder at the root";
}
