// The packs' setup cabinets read back by the device's installer: each one
// installs exactly what the boot installation put on the test device, its
// programs follow the chosen location, and damaged cabinets are refused.
#include "ketra_testkit.h"

#include "app_manager.h"

#include <algorithm>
#include <sstream>

using namespace testkit;

namespace {

struct CataloguedPack {
    std::wstring pack, application, cabinet;
};

std::wstring CabinetFolder()
{
    return TestFolder() + L"..\\setup\\";
}

std::vector<CataloguedPack> Catalogue()
{
    std::vector<CataloguedPack> packs;
    std::wistringstream lines(FromUtf8(ReadBytes(CabinetFolder() + L"catalogue.txt")));
    std::wstring line;
    while (std::getline(lines, line)) {
        std::vector<std::wstring> fields;
        std::wistringstream parts(WithoutLineEnd(line));
        std::wstring field;
        while (std::getline(parts, field, L'|'))
            fields.push_back(field);
        if (fields.size() >= 4)
            packs.push_back({fields[0], fields[2], fields[3]});
    }
    return packs;
}

bool RegistryHolds(const InstallPlan::Value& value)
{
    HKEY root = value.root == L"HKCU" ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, value.key.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = 0;
    std::string data;
    bool ok = RegQueryValueExW(key, value.name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    if (ok) {
        data.resize(size);
        ok = RegQueryValueExW(key, value.name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size) ==
             ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return ok && type == value.type && data == value.data;
}

std::string ShortcutText(const std::wstring& target)
{
    std::string command = "\"" + ToUtf8(target) + "\"";
    return std::to_string(command.size()) + "#" + command;
}

bool Refused(const std::string& bytes, std::wstring* why)
{
    SetupCabinet cabinet;
    InstallPlan plan;
    return !LoadSetupCabinetBytes(bytes, &cabinet, why) || !PlanInstallation(cabinet, kDefaultProgramFiles, &plan, why);
}

void Patch(std::string* bytes, const std::string& from, const std::string& to)
{
    ASSERT_EQ(from.size(), to.size());
    size_t at = bytes->find(from);
    ASSERT_NE(std::string::npos, at) << from;
    bytes->replace(at, from.size(), to);
}

} // namespace

TEST(SetupCabinets, InstallExactlyWhatTheBootInstallationPut)
{
    std::vector<CataloguedPack> packs = Catalogue();
    ASSERT_GE(packs.size(), 4u) << "catalogue.txt beside the cabinets";
    for (const CataloguedPack& pack : packs) {
        SCOPED_TRACE(pack.pack);
        SetupCabinet cabinet;
        InstallPlan plan;
        std::wstring why;
        ASSERT_TRUE(LoadSetupCabinet(CabinetFolder() + pack.cabinet, &cabinet, &why)) << why;
        EXPECT_EQ(pack.application, cabinet.info.application);
        EXPECT_EQ(L"ZARQ", cabinet.info.provider);
        ASSERT_TRUE(PlanInstallation(cabinet, kDefaultProgramFiles, &plan, &why)) << why;
        EXPECT_FALSE(plan.files.empty());
        for (const InstallPlan::File& file : plan.files)
            if (!file.keepExisting) {  // samples the tests may have changed
                EXPECT_TRUE(ReadBytes(DeviceFilePath(file.path)) == file.data) << ToUtf8(file.path);
            }
        for (const InstallPlan::Value& value : plan.values)
            EXPECT_TRUE(RegistryHolds(value)) << ToUtf8(value.key + L"\\" + value.name);
        for (const InstallPlan::Shortcut& shortcut : plan.shortcuts)
            EXPECT_EQ(ShortcutText(shortcut.target), ReadBytes(DeviceFilePath(shortcut.path))) << ToUtf8(shortcut.path);

        // The boot recorded the pack as the installer would have, so
        // Remove Programs takes off everything but the samples.
        AppRecord record;
        ASSERT_TRUE(ReadAppRecord(L"ZARQ " + pack.application, &record));
        auto recorded = [](const std::vector<std::wstring>& list, const std::wstring& item) {
            return std::find(list.begin(), list.end(), item) != list.end();
        };
        for (const InstallPlan::File& file : plan.files)
            EXPECT_EQ(!file.keepExisting, recorded(record.files, file.path)) << ToUtf8(file.path);
        for (const InstallPlan::Shortcut& shortcut : plan.shortcuts)
            EXPECT_TRUE(recorded(record.files, shortcut.path)) << ToUtf8(shortcut.path);
        for (const InstallPlan::Value& value : plan.values)
            EXPECT_TRUE(recorded(record.values, value.root + L"\\" + value.key + L"|" + value.name))
                << ToUtf8(value.key + L"\\" + value.name);
    }
}

TEST(SetupCabinets, ProgramsFollowTheChosenLocation)
{
    SetupCabinet cabinet;
    InstallPlan plan;
    std::wstring why;
    ASSERT_TRUE(LoadSetupCabinet(FixturePath(L"install\\testpack.cab"), &cabinet, &why)) << why;
    ASSERT_TRUE(PlanInstallation(cabinet, L"\\Storage Card\\Program Files", &plan, &why)) << why;
    const std::wstring folder = L"\\Storage Card\\Program Files\\ZARQ\\InstallTest\\";
    std::vector<std::wstring> paths;
    for (const InstallPlan::File& file : plan.files)
        paths.push_back(file.path);
    EXPECT_NE(paths.end(), std::find(paths.begin(), paths.end(), folder + L"InstallProbe.dll"));
    EXPECT_NE(paths.end(), std::find(paths.begin(), paths.end(), folder + L"Data\\Sub\\two.txt"));
    EXPECT_NE(paths.end(), std::find(paths.begin(), paths.end(), L"\\My Documents\\InstallTest.txt"));
    bool dllValue = false;
    for (const InstallPlan::Value& value : plan.values)
        if (value.name == L"DLL") {
            std::wstring text(reinterpret_cast<const wchar_t*>(value.data.data()));
            EXPECT_EQ(folder + L"InstallProbe.dll", text);
            dllValue = true;
        }
    EXPECT_TRUE(dllValue);
    ASSERT_EQ(1u, plan.shortcuts.size());
    EXPECT_EQ(L"\\Windows\\Start Menu\\Programs\\Install Test.lnk", plan.shortcuts[0].path);
    EXPECT_EQ(folder + L"readme.txt", plan.shortcuts[0].target);
}

TEST(SetupCabinets, DamagedCabinetsAreRefused)
{
    const std::string good = ReadBytes(FixturePath(L"install\\testpack.cab"));
    ASSERT_FALSE(good.empty());
    std::wstring why;
    ASSERT_FALSE(Refused(good, &why)) << ToUtf8(why);

    struct Case {
        const char* what;
        std::string bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"cut short", good.substr(0, good.size() - 1)});
    cases.push_back({"no header", good.substr(0, 20)});
    // Members named to land outside their folders: "..\" and a drive.
    std::string outside = good;
    Patch(&outside, "00readme.", "..\\eadme.");
    cases.push_back({"a member under ..", outside});
    std::string drive = good;
    Patch(&drive, "00readme.", "C:\\eadme.");
    cases.push_back({"a member on a drive", drive});
    // A folder part of the setup file turned into "..".
    std::string folder = good;
    Patch(&folder, std::string("InstallTest\0", 12), std::string("..\0\0\0\0\0\0\0\0\0\0", 12));
    cases.push_back({"a folder of ..", folder});
    // A compressed folder.
    std::string compressed = good;
    compressed[36 + 6] = 1;
    cases.push_back({"compression", compressed});
    // The setup file's length field off by one.
    std::string length = good;
    size_t setup = length.find("MSCE");
    ASSERT_NE(std::string::npos, setup);
    length[setup + 8] = (char)(length[setup + 8] + 1);
    cases.push_back({"setup length", length});

    for (const Case& c : cases) {
        why.clear();
        EXPECT_TRUE(Refused(c.bytes, &why)) << c.what;
        EXPECT_FALSE(why.empty()) << c.what;
    }
}
