// Setup files made byte by byte: every section read and planned (folder
// macros, flags, value types, substitution, shortcuts), and the records that
// point nowhere or reach out of the device's folders refused.
#include "ketra_testkit.h"

#include "app_manager.h"

#include <functional>

using namespace testkit;

namespace {

void Put16(std::string* out, unsigned value)
{
    out->push_back((char)(value & 0xFF));
    out->push_back((char)((value >> 8) & 0xFF));
}

void Put32(std::string* out, unsigned value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::string Ids(std::initializer_list<unsigned> ids)
{
    std::string text;
    for (unsigned id : ids)
        Put16(&text, id);
    Put16(&text, 0);
    return text;
}

// A setup file of records as given; strings 1 and 2 are the application's
// name and provider.
struct SetupBuilder {
    std::vector<std::string> strings;
    std::string folders, files, keys, values, links;
    unsigned counts[5] = {};
    unsigned processor = 2577, versionMin = 3, versionMax = 100;

    unsigned Text(const std::string& text)
    {
        strings.push_back(text);
        return (unsigned)strings.size();
    }
    void Folder(unsigned id, const std::string& text)
    {
        Put16(&folders, id), Put16(&folders, (unsigned)text.size()), folders += text, ++counts[0];
    }
    void File(unsigned id, unsigned folder, unsigned number, unsigned flags, const std::string& name)
    {
        Put16(&files, id), Put16(&files, folder), Put16(&files, number), Put32(&files, flags);
        Put16(&files, (unsigned)name.size() + 1), files += name + '\0', ++counts[1];
    }
    void Key(unsigned id, unsigned root, const std::string& text)
    {
        Put16(&keys, id), Put16(&keys, root), Put16(&keys, 0), Put16(&keys, (unsigned)text.size());
        keys += text, ++counts[2];
    }
    void Value(unsigned key, unsigned substitute, unsigned type, const std::string& name, const std::string& data)
    {
        Put16(&values, counts[3] + 1), Put16(&values, key), Put16(&values, substitute), Put32(&values, type);
        Put16(&values, (unsigned)(name.size() + 1 + data.size())), values += name + '\0' + data, ++counts[3];
    }
    void Link(unsigned target, unsigned kind, const std::string& text)
    {
        Put16(&links, counts[4] + 1), Put16(&links, 0), Put16(&links, 0), Put16(&links, target);
        Put16(&links, kind), Put16(&links, (unsigned)text.size()), links += text, ++counts[4];
    }

    std::string Bytes() const
    {
        std::string records;
        for (size_t i = 0; i < strings.size(); ++i)
            Put16(&records, (unsigned)i + 1), Put16(&records, (unsigned)strings[i].size() + 1),
                records += strings[i] + '\0';
        const std::string* sections[] = {&records, &folders, &files, &keys, &values, &links};
        std::string header = "MSCE";
        unsigned length = 100;
        for (const std::string* s : sections)
            length += (unsigned)s->size();
        Put32(&header, 0), Put32(&header, length), Put32(&header, 0), Put32(&header, 1), Put32(&header, processor);
        Put32(&header, versionMin), Put32(&header, 0), Put32(&header, versionMax), Put32(&header, 0);
        Put32(&header, 0), Put32(&header, 0);
        Put16(&header, (unsigned)strings.size());
        for (unsigned count : counts)
            Put16(&header, count);
        unsigned at = 100;
        for (const std::string* s : sections)
            Put32(&header, at), at += (unsigned)s->size();
        Put16(&header, 104), Put16(&header, (unsigned)strings[0].size() + 1);
        Put16(&header, 104 + (unsigned)strings[0].size() + 1 + 4), Put16(&header, (unsigned)strings[1].size() + 1);
        Put32(&header, 0), Put32(&header, 0);
        std::string out = header;
        for (const std::string* s : sections)
            out += *s;
        return out;
    }
};

// A plain cabinet of these members, one folder, one data block.
std::string Cabinet(const std::vector<std::pair<std::string, std::string>>& members)
{
    std::string entries, data;
    for (const auto& member : members) {
        Put32(&entries, (unsigned)member.second.size()), Put32(&entries, (unsigned)data.size());
        Put16(&entries, 0), Put16(&entries, 0), Put16(&entries, 0), Put16(&entries, 0x20);
        entries += member.first + '\0';
        data += member.second;
    }
    const unsigned first = 36 + 8, dataAt = first + (unsigned)entries.size();
    std::string cab = "MSCF";
    Put32(&cab, 0), Put32(&cab, dataAt + 8 + (unsigned)data.size()), Put32(&cab, 0), Put32(&cab, first);
    Put32(&cab, 0), Put16(&cab, 0x0103), Put16(&cab, 1), Put16(&cab, (unsigned)members.size());
    Put16(&cab, 0), Put16(&cab, 1), Put16(&cab, 0);
    Put32(&cab, dataAt), Put16(&cab, 1), Put16(&cab, 0);
    cab += entries;
    Put32(&cab, 0), Put16(&cab, (unsigned)data.size()), Put16(&cab, (unsigned)data.size());
    return cab + data;
}

// The demo setup: two folders, a sample file, four values, a shortcut.
SetupBuilder Demo()
{
    SetupBuilder b;
    b.Text("Ketra Demo"), b.Text("ZARQ");
    unsigned ce1 = b.Text("%CE1%"), demo = b.Text("Demo"), sub = b.Text("Sub"), ce11 = b.Text("%CE11%");
    unsigned software = b.Text("SOFTWARE"), link = b.Text("Demo Link");
    b.Folder(1, Ids({ce1, demo}));
    b.Folder(2, Ids({ce1, demo, sub}));
    b.File(1, 2, 1, kSetupFileNoOverwrite, "a.txt");
    b.File(2, 1, 2, 0x40000000, "b.dll");
    b.Key(1, 3, Ids({software, 2, demo}));
    std::string seven;
    Put32(&seven, 7);
    b.Value(1, 0, kSetupValueDword, "Count", seven);
    b.Value(1, 1, kSetupValueSz, "Path", std::string("%CE1%\\Demo\\b.dll") + '\0');
    b.Value(1, 0, kSetupValueMultiSz | kSetupValueNoClobber, "List", std::string("x\0y\0\0", 5));
    b.Value(1, 0, kSetupValueBinary, "Bytes", "\x01\x02");
    b.Link(2, 1, Ids({ce11, link}));
    return b;
}

bool Plan(const SetupBuilder& setup, InstallPlan* plan, std::wstring* why,
          const std::wstring& programFiles = kDefaultProgramFiles)
{
    SetupCabinet cabinet;
    std::string cab = Cabinet({{"KetraDem.000", setup.Bytes()}, {"000000aa.001", "A"}, {"000000bb.002", "BB"}});
    return LoadSetupCabinetBytes(cab, &cabinet, why) && PlanInstallation(cabinet, programFiles, plan, why);
}

std::wstring Text(const InstallPlan::Value& value)
{
    return std::wstring(reinterpret_cast<const wchar_t*>(value.data.data()), value.data.size() / sizeof(wchar_t));
}

} // namespace

TEST(SetupFile, EverySectionIsReadAndPlanned)
{
    InstallPlan plan;
    std::wstring why;
    ASSERT_TRUE(Plan(Demo(), &plan, &why)) << ToUtf8(why);
    EXPECT_EQ(L"ZARQ Ketra Demo", plan.RecordName());
    ASSERT_EQ(2u, plan.files.size());
    EXPECT_EQ(L"\\Program Files\\Demo\\Sub\\a.txt", plan.files[0].path);
    EXPECT_EQ("A", plan.files[0].data);
    EXPECT_TRUE(plan.files[0].keepExisting);
    EXPECT_EQ(L"\\Program Files\\Demo\\b.dll", plan.files[1].path);
    EXPECT_FALSE(plan.files[1].keepExisting);

    ASSERT_EQ(4u, plan.values.size());
    EXPECT_EQ(L"HKLM", plan.values[0].root);
    EXPECT_EQ(L"SOFTWARE\\ZARQ\\Demo", plan.values[0].key);
    EXPECT_EQ((DWORD)REG_DWORD, plan.values[0].type);
    EXPECT_EQ(std::string("\x07\0\0\0", 4), plan.values[0].data);
    EXPECT_EQ((DWORD)REG_SZ, plan.values[1].type);
    EXPECT_EQ(std::wstring(L"\\Program Files\\Demo\\b.dll\0", 26), Text(plan.values[1])) << "macro substituted";
    EXPECT_EQ((DWORD)REG_MULTI_SZ, plan.values[2].type);
    EXPECT_EQ(std::wstring(L"x\0y\0\0", 5), Text(plan.values[2]));
    EXPECT_TRUE(plan.values[2].keepExisting);
    EXPECT_EQ((DWORD)REG_BINARY, plan.values[3].type);

    ASSERT_EQ(1u, plan.shortcuts.size());
    EXPECT_EQ(L"\\Windows\\Start Menu\\Programs\\Demo Link.lnk", plan.shortcuts[0].path);
    EXPECT_EQ(L"\\Program Files\\Demo\\b.dll", plan.shortcuts[0].target);

    // On a storage card the programs' folder and the substituted text move.
    ASSERT_TRUE(Plan(Demo(), &plan, &why, L"\\Storage Card\\Program Files")) << ToUtf8(why);
    EXPECT_EQ(L"\\Storage Card\\Program Files\\Demo\\Sub\\a.txt", plan.files[0].path);
    EXPECT_EQ(std::wstring(L"\\Storage Card\\Program Files\\Demo\\b.dll\0", 39), Text(plan.values[1]));
    EXPECT_EQ(L"\\Windows\\Start Menu\\Programs\\Demo Link.lnk", plan.shortcuts[0].path);
}

TEST(SetupFile, RecordsThatPointNowhereOrReachOutAreRefused)
{
    const std::vector<std::pair<const char*, std::function<void(SetupBuilder*)>>> cases = {
        {"another processor", [](SetupBuilder* b) { b->processor = 4000; }},
        {"a newer system", [](SetupBuilder* b) { b->versionMin = 5; }},
        {"an older system only", [](SetupBuilder* b) { b->versionMax = 4; b->versionMin = 3; }},
        {"a folder of a missing string", [](SetupBuilder* b) { b->Folder(3, Ids({99})); }},
        {"a folder without its end", [](SetupBuilder* b) { std::string s; Put16(&s, 3); b->Folder(3, s); }},
        {"a folder of ..", [](SetupBuilder* b) { b->Folder(3, Ids({3, b->Text("..")})); }},
        {"an unknown macro", [](SetupBuilder* b) { b->Folder(3, Ids({b->Text("%CE99%")})); }},
        {"a macro inside a path", [](SetupBuilder* b) { b->Folder(3, Ids({4, 3})); }},
        {"two folders of one id", [](SetupBuilder* b) { b->Folder(1, Ids({3, 4})); }},
        {"a file in a missing folder", [](SetupBuilder* b) { b->File(3, 9, 1, 0, "c.txt"); }},
        {"a file of a missing member", [](SetupBuilder* b) { b->File(3, 1, 7, 0, "c.txt"); }},
        {"a file named ..\\c", [](SetupBuilder* b) { b->File(3, 1, 1, 0, "..\\c.txt"); }},
        {"a file on a drive", [](SetupBuilder* b) { b->File(3, 1, 1, 0, "C:c.txt"); }},
        {"two files on one path", [](SetupBuilder* b) { b->File(3, 1, 1, 0, "B.DLL"); }},
        {"a value of a missing key", [](SetupBuilder* b) { b->Value(9, 0, kSetupValueSz, "x", std::string("y\0", 2)); }},
        {"a number of three bytes", [](SetupBuilder* b) { b->Value(1, 0, kSetupValueDword, "x", "abc"); }},
        {"a registry root 7", [](SetupBuilder* b) { b->Key(2, 7, Ids({3})); }},
        {"a shortcut to a missing file", [](SetupBuilder* b) { b->Link(9, 1, Ids({6, 8})); }},
        {"a shortcut named ..", [](SetupBuilder* b) { b->Link(2, 1, Ids({6, b->Text("..")})); }},
    };
    for (const auto& c : cases) {
        SetupBuilder setup = Demo();
        c.second(&setup);
        InstallPlan plan;
        std::wstring why;
        EXPECT_FALSE(Plan(setup, &plan, &why)) << c.first;
        EXPECT_FALSE(why.empty()) << c.first;
    }

    // The header's own fields: a string past the end, a name outside the file.
    SetupInfo info;
    std::wstring why;
    std::string bytes = Demo().Bytes();
    EXPECT_TRUE(ParseSetupFile(bytes, &info, &why)) << ToUtf8(why);
    std::string cut = bytes.substr(0, bytes.size() - 3);
    cut[8] = (char)cut.size();
    cut[9] = (char)(cut.size() >> 8);
    EXPECT_FALSE(ParseSetupFile(cut, &info, &why)) << "a shortcut overrunning the file";
    std::string name = bytes;
    name[84] = (char)0xF0, name[85] = (char)0xFF;
    EXPECT_FALSE(ParseSetupFile(name, &info, &why)) << "the name outside the file";
}
