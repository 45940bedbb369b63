// The desktop side's files: Deskel's catalogue, the setup description it
// writes and the device manager reads back, and the cabinet sent into the
// device's inbox.
#include "ketra_testkit.h"

#include "appmgr.h"
#include "deskel.h"

using namespace testkit;

namespace {

std::wstring Folder(const ScratchFolder& scratch)
{
    return scratch.Path() + L"\\";
}

} // namespace

TEST(DesktopFiles, CatalogueSkipsLinesThatBreakItsForm)
{
    ScratchFolder scratch(L"deskcat");
    ASSERT_TRUE(WriteBytes(scratch / L"catalogue.txt",
                           "calc|Calculators|Ketra Calculators|calc.cab|5242880|Unit Converter,Expression Calc|Sums, units.\r\n"
                           "short|Short|line\r\n"
                           "evil|Evil|Ketra Evil|..\\evil.cab|1|x|Reaches out.\r\n"
                           "|NoTitle||x.cab|1||\r\n"
                           "time|Time|Ketra Time|time.cab|100|World Clock|Clocks.\n"));
    std::vector<CataloguePack> packs;
    std::wstring why;
    ASSERT_TRUE(ReadCatalogue(Folder(scratch), &packs, &why)) << ToUtf8(why);
    ASSERT_EQ(2u, packs.size());
    EXPECT_EQ(L"Calculators", packs[0].title);
    EXPECT_EQ(L"Ketra Calculators", packs[0].application);
    EXPECT_EQ(5242880u, packs[0].bytes);
    EXPECT_EQ(L"Unit Converter, Expression Calc", packs[0].applets);
    EXPECT_EQ(L"Sums, units.", packs[0].description);
    EXPECT_EQ(L"time.cab", packs[1].cabinet);

    ScratchFolder empty(L"deskcat2");
    packs.clear();
    EXPECT_FALSE(ReadCatalogue(Folder(empty), &packs, &why)) << "no catalogue";
    ASSERT_TRUE(WriteBytes(empty / L"catalogue.txt", "nothing|here\r\n"));
    EXPECT_FALSE(ReadCatalogue(Folder(empty), &packs, &why)) << "no pack in it";
}

TEST(DesktopFiles, SetupDescriptionReadsBackInTheDeviceManager)
{
    ScratchFolder scratch(L"deskini");
    ASSERT_TRUE(WriteBytes(scratch / L"calc.cab", std::string(3000, 'c')));
    ASSERT_TRUE(WriteBytes(scratch / L"time.cab", std::string(10, 't')));
    CataloguePack calc, time;
    calc.application = L"Ketra Calculators";
    calc.cabinet = L"calc.cab";
    calc.description = L"Sums, units [and more]";
    time.application = L"Ketra Time";
    time.cabinet = L"time.cab";
    time.description = L"Clocks";
    const std::wstring ini = Folder(scratch) + L"Deskel.ini";
    ASSERT_TRUE(WriteSetupDescription(ini, {&calc, &time}));

    std::vector<Component> components;
    std::wstring why;
    ASSERT_TRUE(ReadComponents(ini, &components, &why)) << ToUtf8(why);
    ASSERT_EQ(2u, components.size());
    EXPECT_EQ(L"Ketra Calculators", components[0].name);
    EXPECT_EQ(L"Sums, units  and more", components[0].description) << "commas kept, brackets out of the syntax";
    EXPECT_EQ(Folder(scratch) + L"calc.cab", components[0].cabinet);
    EXPECT_EQ(3000u, components[0].bytes);
    EXPECT_EQ(L"Ketra Time", components[1].name);

    // Refused: a missing cabinet, one reaching out of the folder, a file
    // that is no setup description.
    ASSERT_TRUE(WriteBytes(ini, "[CEAppManager]\r\nComponent = A\r\n[A]\r\nCabFiles = gone.cab\r\n"));
    components.clear();
    EXPECT_FALSE(ReadComponents(ini, &components, &why));
    ASSERT_TRUE(WriteBytes(ini, "[CEAppManager]\r\nComponent = A\r\n[A]\r\nCabFiles = ..\\calc.cab\r\n"));
    EXPECT_FALSE(ReadComponents(ini, &components, &why));
    ASSERT_TRUE(WriteBytes(ini, "[Other]\r\nx = 1\r\n"));
    EXPECT_FALSE(ReadComponents(ini, &components, &why));
    EXPECT_FALSE(ReadComponents(Folder(scratch) + L"missing.ini", &components, &why));
}

TEST(DesktopFiles, CabinetsGoWholeIntoTheDevicesInbox)
{
    ScratchFolder desktop(L"deskfrom");
    ScratchFolder device(L"deskto");
    ASSERT_TRUE(WriteBytes(desktop / L"calc.cab", "MSCF-cabinet"));
    Component component;
    component.name = L"Ketra Calculators";
    component.cabinet = desktop / L"calc.cab";
    std::wstring why;
    EXPECT_FALSE(SendCabinet(Folder(device), component, &why)) << "no device there";
    EXPECT_EQ(L"No device is connected.", why);

    ASSERT_TRUE(CreateDirectoryW((device / L"Windows").c_str(), nullptr));
    ASSERT_TRUE(SendCabinet(Folder(device), component, &why)) << ToUtf8(why);
    EXPECT_EQ("MSCF-cabinet", ReadBytes(device / L"Windows\\AppMgr\\Install\\calc.cab"));
    EXPECT_FALSE(FileExists(device / L"Windows\\AppMgr\\Install\\calc.cab.part"));
}
