// Theme files: the layout the writer produces, reading back what it wrote
// and what gcab packed, and the files the reader refuses or reads in part.
#include <gtest/gtest.h>

#include <skinpackage.h>

#include "theme_test_support.h"

using testkit::FileExists;
using testkit::ReadBytes;
using testkit::ScratchFolder;
using testkit::WriteBytes;

namespace {

const size_t kHeaderSize = 36;
const size_t kFolderEntry = 36;
const size_t kFirstFileEntry = 44;
const DWORD kStillSetupSize = 509;
const DWORD kAnimatedSetupSize = 584;

struct Entry {
    uint32_t size;
    uint32_t offset;
    uint16_t folder, date, time, attributes;
    std::string name;
};

std::vector<Entry> Entries(const std::string& cab)
{
    std::vector<Entry> entries;
    size_t at = kFirstFileEntry;
    for (int i = 0; i < Word(cab, 28); ++i) {
        Entry e{Dword(cab, at), Dword(cab, at + 4), Word(cab, at + 8), Word(cab, at + 10), Word(cab, at + 12),
                Word(cab, at + 14), std::string(cab.c_str() + at + 16)};
        at += 16 + e.name.size() + 1;
        entries.push_back(e);
    }
    return entries;
}

// The block sizes, walking the blocks from the folder's data offset.
std::vector<uint16_t> BlockSizes(const std::string& cab)
{
    std::vector<uint16_t> sizes;
    size_t at = Dword(cab, kFolderEntry);
    for (int i = 0; i < Word(cab, kFolderEntry + 4) && at + 8 <= cab.size(); ++i) {
        EXPECT_EQ("ZARQ", cab.substr(at, 4)) << "block " << i;
        EXPECT_EQ(Word(cab, at + 4), Word(cab, at + 6)) << "block " << i;
        sizes.push_back(Word(cab, at + 4));
        at += 8 + Word(cab, at + 4);
    }
    EXPECT_EQ(cab.size(), at) << "the blocks end the file";
    return sizes;
}

std::string Written(const ScratchFolder& folder, const CTskInfo& info, const wchar_t* name = L"out.tsk")
{
    std::string bytes;
    EXPECT_TRUE(WriteTheme((folder / name).c_str(), &info));
    EXPECT_TRUE(ReadBytes(folder / name, &bytes));
    return bytes;
}

std::string FileBytes(const wchar_t* path)
{
    std::string bytes;
    ReadBytes(path, &bytes);
    return bytes;
}

} // namespace

TEST(ThemeWriter, StillThemeLayout)
{
    ScratchFolder folder(L"tsk-layout");
    CTskInfo info = MakeRecord(folder, 1000, 2000, false);
    std::string cab = Written(folder, info);

    // 36 + 8 + 3 x 16 + names 39 + 3 block headers 24 + 509 + 2000 + 1000
    ASSERT_EQ(3664u, cab.size());
    EXPECT_EQ("MSCF", cab.substr(0, 4));
    EXPECT_EQ(0u, Dword(cab, 4));
    EXPECT_EQ(3664u, Dword(cab, 8));
    EXPECT_EQ(44u, Dword(cab, 16));
    EXPECT_EQ(0x0103, Word(cab, 24));
    EXPECT_EQ(1, Word(cab, 26));
    EXPECT_EQ(3, Word(cab, 28));
    EXPECT_EQ(0, Word(cab, 30));
    EXPECT_EQ(2892, Word(cab, 32));
    EXPECT_EQ(0, Word(cab, 34));
    EXPECT_EQ(131u, Dword(cab, kFolderEntry));
    EXPECT_EQ(3, Word(cab, kFolderEntry + 4));
    EXPECT_EQ(0, Word(cab, kFolderEntry + 6));

    std::vector<Entry> entries = Entries(cab);
    ASSERT_EQ(3u, entries.size());
    const char* names[] = {"ZARQQV~1.000", "0stwater.002", "tdywater.001"};
    const uint32_t sizes[] = {kStillSetupSize, 2000, 1000};
    const uint32_t offsets[] = {0, kStillSetupSize, kStillSetupSize + 2000};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(names[i], entries[i].name);
        EXPECT_EQ(sizes[i], entries[i].size);
        EXPECT_EQ(offsets[i], entries[i].offset);
        EXPECT_EQ(0, entries[i].folder);
        EXPECT_EQ(0x2B83, entries[i].date);
        EXPECT_EQ(0x7326, entries[i].time);
        EXPECT_EQ(0x20, entries[i].attributes);
    }
    EXPECT_EQ((std::vector<uint16_t>{509, 2000, 1000}), BlockSizes(cab));

    // The Start picture, then the Today picture, byte for byte.
    size_t data = 131 + 8 + kStillSetupSize + 8;
    EXPECT_EQ(FileBytes(info.m_szStart), cab.substr(data, 2000));
    EXPECT_EQ(FileBytes(info.m_szToday), cab.substr(data + 2000 + 8, 1000));
}

TEST(ThemeWriter, SetupFileCarriesTheColours)
{
    ScratchFolder folder(L"tsk-setup");
    CTskInfo info = MakeRecord(folder, 10, 10, false, 0x00A1B2C0);
    std::string cab = Written(folder, info);
    std::string setup = cab.substr(131 + 8, kStillSetupSize);
    EXPECT_EQ("MSCE", setup.substr(0, 4));
    EXPECT_EQ(kStillSetupSize, Dword(setup, 8));
    EXPECT_EQ(2577u, Dword(setup, 20));
    // Value "4" (colour 0) and "26" (colour 10), each after its name and NUL.
    size_t four = setup.find(std::string("\x01\x00\x00\x00\x06\x00" "4", 7));
    ASSERT_NE(std::string::npos, four);
    EXPECT_EQ(0x00A1B2C0u, Dword(setup, four + 8));
    size_t twentySix = setup.find(std::string("\x01\x00\x00\x00\x07\x00" "26", 8));
    ASSERT_NE(std::string::npos, twentySix);
    EXPECT_EQ(0x00A1B2C0u + 10, Dword(setup, twentySix + 9));
    // "11" keeps the template's data.
    size_t eleven = setup.find(std::string("\x01\x00\x00\x00\x07\x00" "11", 8));
    ASSERT_NE(std::string::npos, eleven);
    EXPECT_EQ(0x00000080u, Dword(setup, eleven + 9));
    EXPECT_NE(std::string::npos, setup.find(std::string("ZARQ COM\0Windows\0HPC\0JUPITER\0\0", 30)));
}

TEST(ThemeWriter, AnimatedThemeLayout)
{
    ScratchFolder folder(L"tsk-animated");
    CTskInfo info = MakeRecord(folder, 100, 200, true);
    std::string cab = Written(folder, info);
    std::vector<Entry> entries = Entries(cab);
    ASSERT_EQ(6u, entries.size());
    const char* names[] = {"ZARQQV~1.000", "0000at2k.005", "0000at2k.004", "0000at2k.003", "0stwater.002",
                           "tdywater.001"};
    const uint32_t sizes[] = {kAnimatedSetupSize, 400, 5000, 300, 200, 100};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(names[i], entries[i].name);
        EXPECT_EQ(sizes[i], entries[i].size);
    }
    EXPECT_EQ(218u, Dword(cab, kFolderEntry));
    std::string setup = cab.substr(218 + 8, kAnimatedSetupSize);
    EXPECT_EQ(kAnimatedSetupSize, Dword(setup, 8));
    EXPECT_NE(std::string::npos, setup.find(std::string("42\0msft", 7)));
    EXPECT_NE(std::string::npos, setup.find(std::string("ZARQ  COM\0", 10)));
}

TEST(ThemeWriter, BlocksOfExactlyAndJustOver32K)
{
    ScratchFolder folder(L"tsk-blocks");
    CTskInfo exact = MakeRecord(folder, 32768, 1000, false);
    EXPECT_EQ((std::vector<uint16_t>{509, 1000, 32768, 0}), BlockSizes(Written(folder, exact, L"a.tsk")));
    CTskInfo over = MakeRecord(folder, 32769, 1000, false);
    EXPECT_EQ((std::vector<uint16_t>{509, 1000, 32768, 1}), BlockSizes(Written(folder, over, L"b.tsk")));

    // And both read back whole.
    TempSlots temp(folder, L"Read.");
    CTskInfo read;
    ASSERT_TRUE(ReadTheme((folder / L"b.tsk").c_str(), &read, temp.Paths()));
    EXPECT_EQ(FileBytes(over.m_szToday), FileBytes(read.m_szToday));
}

TEST(ThemeWriter, MissingPictureWritesNothing)
{
    ScratchFolder folder(L"tsk-missing");
    CTskInfo info = MakeRecord(folder, 10, 10, false);
    DeleteFileW(info.m_szStart);
    EXPECT_FALSE(WriteTheme((folder / L"out.tsk").c_str(), &info));
    EXPECT_FALSE(FileExists(folder / L"out.tsk"));

    // An existing theme file survives a failed write.
    WriteBytes(folder / L"keep.tsk", "old theme");
    EXPECT_FALSE(WriteTheme((folder / L"keep.tsk").c_str(), &info));
    EXPECT_EQ("old theme", FileBytes((folder / L"keep.tsk").c_str()));
}

TEST(ThemeReader, RoundTripStillAndAnimated)
{
    ScratchFolder folder(L"tsk-roundtrip");
    for (bool animated : {false, true}) {
        CTskInfo written = MakeRecord(folder, 3000, 4000, animated, animated ? 0x00405060 : 0x00010203);
        std::wstring path = folder / (animated ? L"ani.tsk" : L"still.tsk");
        ASSERT_TRUE(WriteTheme(path.c_str(), &written));
        EXPECT_EQ(animated ? 1 : 0, IsAniTsk(path.c_str()));

        TempSlots temp(folder, L"Slot.");
        CTskInfo read;
        ASSERT_TRUE(ReadTheme(path.c_str(), &read, temp.Paths()));
        for (int i = 0; i < CTskColor::kCount; ++i)
            EXPECT_EQ(written.m_color[i], read.m_color[i]) << "colour " << i;
        EXPECT_STREQ(temp.files.Path(kTskTempStart), read.m_szStart);
        EXPECT_STREQ(temp.files.Path(kTskTempToday), read.m_szToday);
        EXPECT_EQ(FileBytes(written.m_szStart), FileBytes(read.m_szStart));
        EXPECT_EQ(FileBytes(written.m_szToday), FileBytes(read.m_szToday));
        EXPECT_EQ(animated ? 1u : 0u, read.m_bAnimated);
        if (animated) {
            EXPECT_EQ(FileBytes(written.m_szAniControl), FileBytes(read.m_szAniControl));
            EXPECT_EQ(FileBytes(written.m_szAniMovie), FileBytes(read.m_szAniMovie));
            EXPECT_EQ(FileBytes(written.m_szAniPage), FileBytes(read.m_szAniPage));
        }
    }
}

// A record read into again holds nothing of the theme read before.
TEST(ThemeReader, ReadingClearsTheRecord)
{
    CTskInfo fresh;
    for (int i = 0; i < CTskColor::kCount; ++i)
        EXPECT_EQ(0u, fresh.m_color[i]);

    ScratchFolder folder(L"tsk-clear");
    CTskInfo animated = MakeRecord(folder, 10, 10, true);
    CTskInfo still = MakeRecord(folder, 10, 10, false);
    ASSERT_TRUE(WriteTheme((folder / L"a.tsk").c_str(), &animated));
    ASSERT_TRUE(WriteTheme((folder / L"s.tsk").c_str(), &still));
    TempSlots temp(folder, L"T.");
    CTskInfo record;
    ASSERT_TRUE(ReadTheme((folder / L"a.tsk").c_str(), &record, temp.Paths()));
    ASSERT_EQ(1u, record.m_bAnimated);
    ASSERT_TRUE(ReadTheme((folder / L"s.tsk").c_str(), &record, temp.Paths()));
    EXPECT_EQ(0u, record.m_bAnimated);
    EXPECT_STREQ(L"", record.m_szAniMovie);
    EXPECT_STREQ(L"", record.m_szAniPage);
    EXPECT_STREQ(L"", record.m_szAniControl);
    // The temporary files of the earlier read are gone.
    EXPECT_FALSE(FileExists(temp.files.Path(kTskTempMovie)));
}

TEST(ThemeReader, GcabSamplesReadWithTheGeneratorsColours)
{
    ScratchFolder folder(L"tsk-gcab");
    // The animated samples' page heights and colours, as the generator gives them.
    struct Animated {
        const wchar_t* name;
        int height;
        COLORREF background;
    };
    const Animated animated[] = {{L"Aurora.tsk", 60, RGB(0x10, 0x20, 0x40)},
                                 {L"Firefly.tsk", 40, RGB(0x30, 0x18, 0x08)},
                                 {L"Lagoon.tsk", 80, RGB(0x08, 0x40, 0x48)}};
    const wchar_t* samples[] = {L"Ocean.tsk",  L"Sunset.tsk",  L"Meadow.tsk", L"Amber.tsk",
                                L"Night.tsk",  L"Aurora.tsk",  L"Firefly.tsk", L"Lagoon.tsk",
                                L"Harvest.tsk", L"Glacier.tsk", L"Graphite.tsk"};
    for (const wchar_t* sample : samples) {
        CTskColor expected;
        ASSERT_TRUE(FixtureColours(sample, &expected)) << "no colours for the fixture";
        TempSlots temp(folder, L"G.");
        CTskInfo read;
        ASSERT_TRUE(ReadTheme(ThemeFixture(sample).c_str(), &read, temp.Paths())) << sample;
        for (int i = 0; i < CTskColor::kCount; ++i)
            EXPECT_EQ(expected.m_color[i], read.m_color[i]) << sample << " colour " << i;
        EXPECT_EQ("GIF8", FileBytes(read.m_szStart).substr(0, 4)) << sample;
        EXPECT_EQ("GIF8", FileBytes(read.m_szToday).substr(0, 4)) << sample;
        const Animated* a = nullptr;
        for (const Animated& candidate : animated)
            if (wcscmp(sample, candidate.name) == 0)
                a = &candidate;
        EXPECT_EQ(a ? 1 : 0, IsAniTsk(ThemeFixture(sample).c_str())) << sample;
        EXPECT_EQ(a ? 1u : 0u, read.m_bAnimated) << sample;
        if (a) {
            EXPECT_EQ("FWS", FileBytes(read.m_szAniMovie).substr(0, 3));
            EXPECT_EQ(a->height, GetAniTskHeight(read.m_szAniPage)) << sample;
            EXPECT_EQ(a->background, GetAniTskBackColor(read.m_szAniPage)) << sample;
        }
    }
}

TEST(ThemeReader, RefusesPatchedCabinets)
{
    ScratchFolder folder(L"tsk-refuse");
    CTskInfo info = MakeRecord(folder, 500, 600, false);
    std::string good = Written(folder, info);
    const size_t firstEntry = kFirstFileEntry;
    struct Patch {
        const char* what;
        size_t at;
        int width;
        uint32_t value;
    };
    const Patch patches[] = {
        {"compression", kFolderEntry + 6, 2, 1},
        {"version", 24, 2, 0x0104},
        {"size field", 8, 4, static_cast<uint32_t>(good.size() + 1)},
        {"setup attributes 0x21", firstEntry + 14, 2, 0x21},
    };
    for (const Patch& patch : patches) {
        std::string bad = good;
        if (patch.width == 2)
            PutWord(bad, patch.at, static_cast<uint16_t>(patch.value));
        else
            PutDword(bad, patch.at, patch.value);
        std::wstring path = folder / L"bad.tsk";
        ASSERT_TRUE(WriteBytes(path, bad));
        TempSlots temp(folder, L"R.");
        CTskInfo read;
        EXPECT_FALSE(ReadTheme(path.c_str(), &read, temp.Paths())) << patch.what;
        EXPECT_EQ(0, IsAniTsk(path.c_str())) << patch.what;
    }
}

TEST(ThemeReader, SetupOnlyCabinetGivesColoursAndNoPictures)
{
    ScratchFolder folder(L"tsk-setuponly");
    CTskInfo info = MakeRecord(folder, 10, 10, false, 0x00112200);
    std::string cab = Written(folder, info);
    std::string setup = cab.substr(131 + 8, kStillSetupSize);
    CCabWrite only;
    ASSERT_TRUE(only.AddFile("ZARQQV~1.000", reinterpret_cast<const BYTE*>(setup.data()), kStillSetupSize));
    std::wstring path = folder / L"setup.tsk";
    ASSERT_TRUE(only.Write(path.c_str()));

    TempSlots temp(folder, L"S.");
    CTskInfo read;
    ASSERT_TRUE(ReadTheme(path.c_str(), &read, temp.Paths()));
    EXPECT_EQ(0x00112200u, read.m_color[0]);
    EXPECT_EQ(0x00112200u + 10, read.m_color[10]);
    EXPECT_STREQ(L"", read.m_szStart);
    EXPECT_STREQ(L"", read.m_szToday);
}

// Setup files of other writers: members they do not install, installed
// names of no known kind, and values and names running off their end.
TEST(ThemeReader, TakesOnlyWhatTheSetupFileInstalls)
{
    ScratchFolder folder(L"tsk-hostile");
    CTskInfo info = MakeRecord(folder, 10, 10, false, 0x00334455);
    std::string cab = Written(folder, info);
    std::string setup = cab.substr(131 + 8, kStillSetupSize);
    // Colour 10 ("26") is the last value: cut the setup file inside its
    // data, and make file 1 install as "tdywater.bmp"'s unknown cousin.
    std::string cut = setup.substr(0, setup.find(std::string("26\0", 3)) + 5);
    size_t today = cut.find("tdywater.gif");
    ASSERT_NE(std::string::npos, today);
    cut.replace(today, 12, "readme.txt\0\0");
    std::string picture = Pattern(9, 50);
    CCabWrite writer;
    ASSERT_TRUE(writer.AddFile("ZARQQV~1.000", reinterpret_cast<const BYTE*>(cut.data()), (DWORD)cut.size()));
    ASSERT_TRUE(writer.AddFile("tdywater.001", reinterpret_cast<const BYTE*>(picture.data()), 50));
    ASSERT_TRUE(writer.AddFile("extra.009", reinterpret_cast<const BYTE*>(picture.data()), 50));
    ASSERT_TRUE(writer.AddFile("0stwater.002", reinterpret_cast<const BYTE*>(picture.data()), 50));
    std::wstring path = folder / L"odd.tsk";
    ASSERT_TRUE(writer.Write(path.c_str()));

    TempSlots temp(folder, L"H.");
    CTskInfo read;
    read.m_color[10] = 0x00ABCDEF;
    ASSERT_TRUE(ReadTheme(path.c_str(), &read, temp.Paths()));
    EXPECT_EQ(0x00334455u, read.m_color[0]);
    EXPECT_EQ(0x00ABCDEFu, read.m_color[10]) << "a value cut short keeps the record's colour";
    EXPECT_STREQ(L"", read.m_szToday) << "installed as nothing the theme knows";
    EXPECT_STREQ(temp.files.Path(kTskTempStart), read.m_szStart);
    EXPECT_EQ(picture, FileBytes(read.m_szStart));
}

TEST(ThemeColours, SetsAndIndexBounds)
{
    CTskColor set;
    ASSERT_TRUE(GetColorSet(3, &set));
    EXPECT_EQ(0x00008000u, set.m_color[0]);
    EXPECT_EQ(0x004080FFu, set.m_color[10]);
    CTskColor outside;
    ASSERT_TRUE(GetColorSet(5, &outside));
    CTskColor zero;
    GetColorSet(0, &zero);
    for (int i = 0; i < CTskColor::kCount; ++i)
        EXPECT_EQ(zero.m_color[i], outside.m_color[i]);
    EXPECT_EQ(0x00C08080u, zero.m_color[1]);

    COLORREF colour = 0x12345678;
    EXPECT_FALSE(GetThemeColor(11, &colour));
    EXPECT_FALSE(GetThemeColor(-1, &colour));
    EXPECT_FALSE(SetThemeColor(11, 0));
    EXPECT_EQ(0x12345678u, colour);
    EXPECT_EQ(nullptr, CTskColor::ValueName(11));
}

// Programs that only load the library by path find the flag by its name.
TEST(ThemeLibrary, IsAniTskIsExportedByName)
{
    HMODULE library = GetModuleHandleW(L"Tessary.dll");
    ASSERT_NE(nullptr, library);
    EXPECT_NE(nullptr, reinterpret_cast<void*>(GetProcAddress(library, "IsAniTsk")));
}
