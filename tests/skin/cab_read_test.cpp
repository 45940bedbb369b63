// The cabinet reader: what it accepts, how members are found, and how their
// bytes are put together from the blocks.
#include <gtest/gtest.h>

#include "skinpackage.h"

#include "cab_builder.h"

#include "ketra_testkit.h"

namespace {

using namespace testkit;

std::string Fixture(const wchar_t* name)
{
    std::string bytes;
    EXPECT_TRUE(ReadBytes(FixturePath(name), &bytes)) << "fixture missing";
    return bytes;
}

bool LoadBytes(CCabRead& cab, const std::string& bytes)
{
    return cab.LoadFromBuffer(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size())) != 0;
}

// The member's bytes through ExtractFileToBuffer, or "<none>".
std::string Member(CCabRead& cab, const wchar_t* name)
{
    if (!cab.HasFile(name))
        return "<none>";
    std::string bytes(cab.GetFileSize(name), '\0');
    if (!cab.ExtractFileToBuffer(name, reinterpret_cast<BYTE*>(&bytes[0]), static_cast<DWORD>(bytes.size())))
        return "<failed>";
    return bytes;
}

std::vector<TestCabMember> SkinMembers()
{
    return {{"skin.xml", "<skins/>"}, {"default.bin", "D"}, {"pushed.bin", "P"}, {"mask.bin", "M"}};
}

} // namespace

TEST(CabRead, LoadsWhatGcabMakesAndRefusesASizeMismatch)
{
    std::string cab = Fixture(L"nodisable.cab");
    ScratchFolder scratch(L"cab_size");
    ASSERT_TRUE(WriteBytes(scratch / L"ok.cab", cab));
    ASSERT_TRUE(WriteBytes(scratch / L"long.cab", cab + "x"));
    ASSERT_TRUE(WriteBytes(scratch / L"short.cab", cab.substr(0, cab.size() - 1)));

    CCabRead reader;
    ASSERT_TRUE(reader.Load((scratch / L"ok.cab").c_str()));
    EXPECT_EQ(4, reader.GetFileCount());
    EXPECT_STREQ(L"DEFAULT.BIN", reader.GetFileName(1));
    EXPECT_EQ("default picture", Member(reader, L"DEFAULT"));

    // One byte more or less than the header says: refused, and the reader
    // forgets the cabinet it held before.
    EXPECT_FALSE(reader.Load((scratch / L"long.cab").c_str()));
    EXPECT_FALSE(reader.IsLoaded());
    EXPECT_EQ(0u, reader.GetFileSize(L"DEFAULT"));
    EXPECT_FALSE(reader.Load((scratch / L"short.cab").c_str()));
    EXPECT_FALSE(reader.Load((scratch / L"missing.cab").c_str()));
}

TEST(CabRead, RefusesCompressedAndMalformedDirectories)
{
    CCabRead reader;
    EXPECT_FALSE(LoadBytes(reader, Fixture(L"zipped.cab")));

    const std::string good = BuildCabinet(SkinMembers());
    ASSERT_TRUE(LoadBytes(reader, good));

    struct Break {
        const char* what;
        size_t offset;
        uint32_t value;
        bool dword;
    };
    const Break breaks[] = {
        {"signature", 0, 0x4643534E, true},
        {"version 1.4", 24, 0x0104, false},
        {"no folders", kCabFolderCountField, 0, false},
        {"no files", kCabFileCountField, 0, false},
        {"no file-entry offset", kCabFirstFileField, 0, true},
        {"folders past the end", kCabFolderCountField, 0xFFFF, false},
        {"no first block", kCabFolderEntry, 0, true},
        {"first block past the end", kCabFolderEntry, 0xFFFFFFF0, true},
        {"no blocks", kCabFolderEntry + 4, 0, false},
        {"more blocks than the file holds", kCabFolderEntry + 4, 0xFFFF, false},
        {"compression", kCabFolderEntry + 6, 1, false},
    };
    for (const Break& b : breaks) {
        std::string cab = good;
        b.dword ? PutDword(cab, b.offset, b.value) : PutWord(cab, b.offset, static_cast<uint16_t>(b.value));
        EXPECT_FALSE(LoadBytes(reader, cab)) << b.what;
    }

    // A block whose sizes disagree, or whose data runs past the end.
    std::string cab = good;
    size_t block = GetDword(cab, kCabFolderEntry);
    PutWord(cab, block + 6, GetWord(cab, block + 4) - 1);
    EXPECT_FALSE(LoadBytes(reader, cab));
    cab = good;
    PutWord(cab, block + 4, GetWord(cab, block + 4) + 1);
    PutWord(cab, block + 6, GetWord(cab, block + 6) + 1);
    EXPECT_FALSE(LoadBytes(reader, cab));
}

TEST(CabRead, FindsTheFirstMemberContainingTheRequestInAnyCase)
{
    CCabRead reader;
    ASSERT_TRUE(LoadBytes(reader, Fixture(L"order.cab")));
    // "myskin.txt" stands first and contains "SKIN" too.
    EXPECT_EQ("not the skin file", Member(reader, L"SKIN"));
    EXPECT_EQ("not the skin file", Member(reader, L"skin"));
    EXPECT_EQ("<skins><skin><window x='1' y='2' w='3' h='4'/></skin></skins>", Member(reader, L"Skin.XML"));
    // Both lookups fold a copy of the request: the caller's text is kept.
    wchar_t request[] = L"mask";
    EXPECT_EQ(12u, reader.GetFileSize(request));
    EXPECT_STREQ(L"mask", request);
    EXPECT_EQ("<none>", Member(reader, L"DISABLE"));
    EXPECT_FALSE(reader.ExtractFileToBuffer(L"", reinterpret_cast<BYTE*>(request), sizeof request));
}

TEST(CabRead, PutsAMemberTogetherFromThreeBlocks)
{
    CCabRead reader;
    ASSERT_TRUE(reader.Load(FixturePath(L"threeblock.cab").c_str()));
    // middle.bin: offset 30000 in the folder, 40000 bytes: the last 2768 bytes
    // of block 1, all of block 2, the first 4464 bytes of block 3.
    ASSERT_EQ(40000u, reader.GetFileSize(L"MIDDLE"));
    EXPECT_TRUE(Member(reader, L"middle") == Pattern(2, 40000));
    EXPECT_TRUE(Member(reader, L"first") == Pattern(1, 30000));

    ScratchFolder scratch(L"cab_blocks");
    ASSERT_TRUE(reader.ExtractFile(L"MIDDLE", (scratch / L"middle.bin").c_str()));
    std::string written;
    ASSERT_TRUE(ReadBytes(scratch / L"middle.bin", &written));
    EXPECT_TRUE(written == Pattern(2, 40000));

    // The buffer's capacity is respected: one byte short is refused and
    // nothing is written into it.
    std::string small(39999, 'z');
    EXPECT_FALSE(reader.ExtractFileToBuffer(L"MIDDLE", reinterpret_cast<BYTE*>(&small[0]), 39999));
    EXPECT_EQ(std::string(39999, 'z'), small);
    EXPECT_FALSE(reader.ExtractFileToBuffer(L"MIDDLE", nullptr, 40000));
}

TEST(CabRead, SmallBlocksAndEmptyMembers)
{
    TestCabLayout layout;
    layout.blockSize = 3;
    std::vector<TestCabMember> members = {{"a.txt", "abcdefgh"}, {"empty.txt", ""}, {"b.txt", "ijklmnopq"}};
    CCabRead reader;
    ASSERT_TRUE(LoadBytes(reader, BuildCabinet(members, layout)));
    EXPECT_EQ("abcdefgh", Member(reader, L"A.TXT"));
    EXPECT_EQ("ijklmnopq", Member(reader, L"B.TXT"));
    EXPECT_EQ("", Member(reader, L"EMPTY"));

    ScratchFolder scratch(L"cab_empty");
    std::string bytes = "old";
    ASSERT_TRUE(WriteBytes(scratch / L"empty.txt", bytes));
    ASSERT_TRUE(reader.ExtractFile(L"EMPTY", (scratch / L"empty.txt").c_str()));
    ASSERT_TRUE(ReadBytes(scratch / L"empty.txt", &bytes));
    EXPECT_EQ("", bytes);
}

TEST(CabRead, AnEntryWithOtherAttributesHidesItAndTheEntriesAfterIt)
{
    // The packaging tool's output, with its third entry (PUSHED.BIN) marked
    // read-only.
    std::string cab = Fixture(L"skin.cab");
    CCabRead reader;
    ASSERT_TRUE(LoadBytes(reader, cab));
    ASSERT_STREQ(L"PUSHED.BIN", reader.GetFileName(2));
    size_t entry = GetDword(cab, kCabFirstFileField);
    for (int i = 0; i < 2; ++i)
        entry = cab.find('\0', entry + 16) + 1;
    ASSERT_EQ(0x20, GetWord(cab, entry + 14));
    PutWord(cab, entry + 14, 0x21);

    ASSERT_TRUE(LoadBytes(reader, cab));
    EXPECT_TRUE(reader.HasFile(L"SKIN"));
    EXPECT_TRUE(reader.HasFile(L"DEFAULT"));
    EXPECT_FALSE(reader.HasFile(L"PUSHED"));
    EXPECT_FALSE(reader.HasFile(L"MASK"));
    EXPECT_FALSE(reader.HasFile(L"DISABLE"));
    EXPECT_EQ(nullptr, reader.GetFileName(3));
}

TEST(CabRead, AMemberOutsideItsFolderDataIsUnusable)
{
    std::vector<TestCabMember> members = SkinMembers();
    std::string good = BuildCabinet(members);
    CCabRead reader;

    // pushed.bin claims more bytes than the folder holds after it.
    std::string cab = good;
    size_t pushed = FileEntryOffset(members, 2);
    PutDword(cab, pushed, 100);
    ASSERT_TRUE(LoadBytes(reader, cab));
    EXPECT_EQ("<none>", Member(reader, L"PUSHED"));
    EXPECT_EQ("M", Member(reader, L"MASK")); // the next entry is still found

    // An offset near 4 GB must not wrap around.
    cab = good;
    PutDword(cab, pushed + 4, 0xFFFFFFFF);
    ASSERT_TRUE(LoadBytes(reader, cab));
    EXPECT_EQ("<none>", Member(reader, L"PUSHED"));

    // A folder index out of range, a name without its NUL, more entries
    // than the file holds: those entries are unusable, the load is not.
    cab = good;
    PutWord(cab, pushed + 8, 1);
    ASSERT_TRUE(LoadBytes(reader, cab));
    EXPECT_EQ("<none>", Member(reader, L"PUSHED"));
    EXPECT_EQ("<none>", Member(reader, L"MASK"));
    EXPECT_EQ("D", Member(reader, L"DEFAULT"));

    // A copy of the directory at the end of the file whose second name runs
    // into the end of the file.
    cab = good;
    size_t directory = cab.size();
    cab += good.substr(kCabFirstFileEntry, FileEntryOffset(members, 1) + 16 + 11 - kCabFirstFileEntry);
    ASSERT_EQ("default.bin", cab.substr(cab.size() - 11));
    PutDword(cab, kCabFirstFileField, static_cast<uint32_t>(directory));
    PutDword(cab, kCabSizeField, static_cast<uint32_t>(cab.size()));
    ASSERT_TRUE(LoadBytes(reader, cab));
    EXPECT_TRUE(reader.HasFile(L"SKIN"));
    EXPECT_FALSE(reader.HasFile(L"DEFAULT"));

    cab = good;
    PutWord(cab, kCabFileCountField, 0xFFFF);
    ASSERT_TRUE(LoadBytes(reader, cab));
    EXPECT_EQ("P", Member(reader, L"PUSHED"));
    EXPECT_LT(reader.GetFileCount(), 0xFFFF);
}

TEST(CabRead, LongNamesAreCutToTheNameField)
{
    std::string longName = std::string(300, 'n') + ".tail";
    CCabRead reader;
    ASSERT_TRUE(LoadBytes(reader, BuildCabinet({{longName, "long"}, {"next.txt", "next"}})));
    ASSERT_NE(nullptr, reader.GetFileName(0));
    EXPECT_EQ(static_cast<size_t>(CCabRead::kNameLength - 1), wcslen(reader.GetFileName(0)));
    EXPECT_FALSE(reader.HasFile(L"TAIL"));
    EXPECT_EQ("next", Member(reader, L"NEXT"));
    EXPECT_FALSE(reader.HasFile(std::wstring(CCabRead::kNameLength, L'N').c_str()));
}

TEST(ReadFile, ReadsWholeFilesWithTwoZeroBytesAfter)
{
    ScratchFolder scratch(L"read_file");
    ASSERT_TRUE(WriteBytes(scratch / L"five.bin", "12345"));
    ASSERT_TRUE(WriteBytes(scratch / L"empty.bin", ""));

    ceReadFile file;
    EXPECT_FALSE(file.OpenFile(nullptr));
    EXPECT_FALSE(file.OpenFile(L""));
    EXPECT_FALSE(file.OpenFile((scratch / L"missing.bin").c_str()));
    EXPECT_FALSE(file.OpenFile((scratch / L"empty.bin").c_str()));
    EXPECT_FALSE(file.ReadFile());

    ASSERT_TRUE(file.OpenFile((scratch / L"five.bin").c_str()));
    ASSERT_TRUE(file.ReadFile());
    EXPECT_EQ(5u, file.GetSize());
    EXPECT_EQ(0, memcmp(file.GetBuffer(), "12345\0\0", 7));
    EXPECT_FALSE(file.ReadFile()); // the buffer exists already
    file.CloseFile();
    EXPECT_EQ(nullptr, file.GetBuffer());
}
