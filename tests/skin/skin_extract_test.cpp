// Unpacking skin packages into folders.
#include <gtest/gtest.h>

#include "skinpackage.h"
#include "xmlaccess.h"

#include "cab_builder.h"

#include <set>

#include "ketra_testkit.h"

namespace {

using namespace testkit;

std::set<std::wstring> Changed(const CSknExtract& extract)
{
    std::set<std::wstring> paths;
    for (int i = 0; i < extract.GetChangedFileCount(); ++i)
        paths.insert(extract.GetChangedFile(i));
    return paths;
}

std::string Contents(const std::wstring& path)
{
    std::string bytes;
    return ReadBytes(path, &bytes) ? bytes : "<missing>";
}

} // namespace

TEST(SkinExtract, UnpacksAPackagedSkinThatLoadsWithItsPictures)
{
    ScratchFolder scratch(L"skin_pack");
    std::string package;
    ASSERT_TRUE(ReadBytes(FixturePath(L"skin.cab"), &package));
    ASSERT_TRUE(WriteBytes(scratch / L"blue.cab", package));

    CSknExtract extract;
    std::wstring folder = scratch / L"SKIN";
    ASSERT_TRUE(extract.ExtractFiles((scratch / L"blue.cab").c_str(), folder.c_str()));
    const wchar_t* members[] = {L"SKIN.XML", L"DEFAULT.BIN", L"PUSHED.BIN", L"MASK.BIN", L"DISABLE.BIN"};
    std::set<std::wstring> expected;
    for (const wchar_t* member : members)
        expected.insert(folder + L"\\" + member);
    EXPECT_EQ(expected, Changed(extract));

    // The packaging tool kept each picture in its role and pointed the skin
    // file at the member names.
    CXmlComScope com;
    CXmlReader skin;
    ASSERT_TRUE(skin.Initialize());
    ASSERT_TRUE(skin.LoadXmlFile((folder + L"\\SKIN.XML").c_str()));
    const struct {
        const wchar_t* path;
        const wchar_t* member;
    } references[] = {
        {L"/skins/skin[1]/background", L"DEFAULT.BIN"},
        {L"/skins/skin[1]/buttons/enable", L"DEFAULT.BIN"},
        {L"/skins/skin[1]/buttons/pushed", L"PUSHED.BIN"},
        {L"/skins/skin[1]/buttons/mask", L"MASK.BIN"},
        {L"/skins/skin[2]/background", L"DEFAULT.BIN"},
    };
    for (const auto& reference : references) {
        BSTR text = nullptr;
        EXPECT_TRUE(skin.GetChildNodeText(reference.path, &text));
        EXPECT_STREQ(reference.member, text) << reference.path;
        SysFreeString(text);
    }
    int head = 0;
    CXmlNodeReader background;
    ASSERT_TRUE(skin.GetNode(L"/skins/skin/background", &background));
    EXPECT_TRUE(background.GetAttributeInt(L"head", &head));
    EXPECT_EQ(20, head);
}

TEST(SkinExtract, APackageWithoutDisablePictureStillUnpacks)
{
    ScratchFolder scratch(L"skin_nodisable");
    std::string package;
    ASSERT_TRUE(ReadBytes(FixturePath(L"nodisable.cab"), &package));
    ASSERT_TRUE(WriteBytes(scratch / L"plain.cab", package));

    // Unpacked beside the package; a DISABLE.BIN of an earlier package is
    // removed so that it cannot pass for this package's picture.
    ASSERT_TRUE(WriteBytes(scratch / L"DISABLE.BIN", "stale"));
    CSknExtract extract;
    ASSERT_TRUE(extract.ExtractFiles((scratch / L"plain.cab").c_str()));
    EXPECT_EQ("default picture", Contents(scratch / L"DEFAULT.BIN"));
    EXPECT_EQ("mask picture", Contents(scratch / L"MASK.BIN"));
    EXPECT_FALSE(FileExists(scratch / L"DISABLE.BIN"));
    EXPECT_EQ(5, extract.GetChangedFileCount());
    EXPECT_EQ(1u, Changed(extract).count(scratch / L"DISABLE.BIN"));

    // Unpacking again overwrites; nothing else is left in the folder.
    ASSERT_TRUE(extract.ExtractFiles((scratch / L"plain.cab").c_str()));
    EXPECT_EQ(4, extract.GetChangedFileCount());
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((scratch.Path() + L"\\*").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    std::set<std::wstring> names;
    do {
        if (wcscmp(found.cFileName, L".") && wcscmp(found.cFileName, L".."))
            names.insert(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    EXPECT_EQ((std::set<std::wstring>{L"plain.cab", L"SKIN.XML", L"DEFAULT.BIN", L"MASK.BIN", L"PUSHED.BIN"}), names);
}

TEST(SkinExtract, FailsWithoutARequiredMemberOrAUsableFolder)
{
    ScratchFolder scratch(L"skin_fail");
    // No MASK member: SKIN.XML and DEFAULT.BIN are written, then it stops.
    std::string cab = BuildCabinet({{"skin.xml", "<skins/>"}, {"default.bin", "D"}, {"pushed.bin", "P"}});
    ASSERT_TRUE(WriteBytes(scratch / L"nomask.cab", cab));
    CSknExtract extract;
    EXPECT_FALSE(extract.ExtractFiles((scratch / L"nomask.cab").c_str(), (scratch / L"out").c_str()));
    EXPECT_EQ("D", Contents(scratch / L"out\\DEFAULT.BIN"));
    EXPECT_FALSE(FileExists(scratch / L"out\\PUSHED.BIN"));

    std::string good;
    ASSERT_TRUE(ReadBytes(FixturePath(L"nodisable.cab"), &good));
    ASSERT_TRUE(WriteBytes(scratch / L"good.cab", good));
    EXPECT_FALSE(extract.ExtractFiles((scratch / L"good.cab").c_str(), (scratch / L"no\\such\\folder").c_str()));
    EXPECT_FALSE(extract.ExtractFiles((scratch / L"missing.cab").c_str(), (scratch / L"out").c_str()));
    EXPECT_FALSE(extract.ExtractFiles(L"good.cab")); // no folder in the path
    EXPECT_EQ(0, extract.GetChangedFileCount());
    // A folder path too long to hold the member names.
    std::wstring deep = scratch.Path() + L"\\" + std::wstring(MAX_PATH - scratch.Path().size() - 8, L'd');
    EXPECT_FALSE(extract.ExtractFiles((scratch / L"good.cab").c_str(), deep.c_str()));
}
