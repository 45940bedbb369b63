// The device as the services see it: OEM string and model, control-panel
// pages, owner record, backlight, volume, memory and store, storage cards,
// display, power key and reboots; checked in the device state and the
// device log.
#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

#include "devlog.h"
#include "shell.h"

#include "ketra_testkit.h"

namespace {

using namespace testkit;

const DWORD kLogWaitMs = 10000;
const wchar_t kOwnerKey[] = L"ControlPanel\\Owner";
const wchar_t kBacklightKey[] = L"ControlPanel\\BackLight";

class ShellDeviceTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        // Pages started by LaunchCPL stay open until killed.
        EndProcesses(L"ctlpnl.exe");
    }
};

TEST_F(ShellDeviceTest, ModelComesFromTheOEMTokens)
{
    DeviceState state;
    wchar_t a[CSH::kOEMTokenChars], b[CSH::kOEMTokenChars], c[CSH::kOEMTokenChars];

    state.Set(L"OEMInfo", L"Maker Pocket H3900");
    EXPECT_EQ(CSH::ModelH3900, CSH::GetDeviceModel());
    ASSERT_TRUE(CSH::GetOEMInfo(a, b, c));
    EXPECT_STREQ(L"Maker", a);
    EXPECT_STREQ(L"H3900", c);

    state.Set(L"OEMInfo", L"Maker,,  Pocket, H3800");  // separators in a row make no token
    EXPECT_EQ(CSH::ModelH3800, CSH::GetDeviceModel());
    state.Set(L"OEMInfo", L"Maker Jornada 565");
    EXPECT_EQ(CSH::ModelJornada, CSH::GetDeviceModel());
    state.Set(L"OEMInfo", L"Maker Pocket h3900");
    EXPECT_EQ(CSH::ModelOther, CSH::GetDeviceModel());

    // Regression: tokens used to be copied whole into the caller's buffers.
    state.Set(L"OEMInfo", L"AVeryLongMakerNameWithoutSpaces Pocket");
    wchar_t small[9];
    wmemset(small, L'#', 9);
    EXPECT_TRUE(CSH::GetOEMInfo(small, b, c, 8));
    EXPECT_STREQ(L"AVeryLo", small);
    EXPECT_EQ(L'#', small[8]);
}

TEST_F(ShellDeviceTest, ControlPanelPagesFollowTheModel)
{
    DeviceState state;
    state.Set(L"OEMInfo", L"Maker Pocket H3900");
    DeviceLog log;
    EXPECT_TRUE(CSI::LaunchCPL(0));
    EXPECT_TRUE(CSI::LaunchCPL(1));
    EXPECT_TRUE(log.WaitFor(L"launch: ctlpnl.exe mycpl.cpl 5,0", kLogWaitMs));
    EXPECT_TRUE(log.WaitFor(L"launch: ctlpnl.exe mycpl.cpl 2,0", kLogWaitMs));
    EXPECT_TRUE(log.WaitFor(L"ctlpnl: mycpl.cpl 5,0", kLogWaitMs));  // the panel itself started

    state.Set(L"OEMInfo", L"Maker Jornada 565");
    DeviceLog other;
    EXPECT_TRUE(CSI::LaunchCPL(0));
    EXPECT_TRUE(CSI::LaunchCPL(1));
    EXPECT_TRUE(CSI::LaunchCPL(18));
    EXPECT_FALSE(CSI::LaunchCPL(19));
    EXPECT_FALSE(CSI::LaunchCPL(-1));
    EXPECT_TRUE(other.WaitFor(L"launch: ctlpnl.exe cplmain.cpl 17,0", kLogWaitMs));
    std::vector<std::wstring> launches = other.Lines(L"launch: ");
    std::vector<std::wstring> expected = {L"launch: ctlpnl.exe cplmain.cpl 3,0", L"launch: ctlpnl.exe cplmain.cpl 6,2",
                                          L"launch: ctlpnl.exe cplmain.cpl 17,0"};
    EXPECT_EQ(expected, launches);
}

// Regression: the owner record is longer than the name on real devices, and
// a name of 32 characters has no terminator inside its 64 bytes.
TEST_F(ShellDeviceTest, OwnerNameIsTheRecordsFirst32Characters)
{
    SavedRegistryValue owner(HKEY_CURRENT_USER, kOwnerKey, L"Owner");
    wchar_t name[CSH::kOwnerNameChars];

    std::wstring text = L"Alexandra Montgomery-Fitzwilliam of Somewhere";  // 45 characters, no terminator
    std::vector<BYTE> record(reinterpret_cast<const BYTE*>(text.data()),
                             reinterpret_cast<const BYTE*>(text.data() + text.size()));
    record.resize(600, 0xAB);
    owner.SetBinary(record);
    EXPECT_TRUE(CSH::GetOwnerName(name));
    EXPECT_EQ(text.substr(0, 32), name);

    owner.SetBinary({'P', 0, 'a', 0, 't', 0, 0, 0, 'X', 0});
    EXPECT_TRUE(CSH::GetOwnerName(name));
    EXPECT_STREQ(L"Pat", name);

    wchar_t tiny[3];
    wmemset(tiny, L'#', 3);
    EXPECT_TRUE(CSH::GetOwnerName(tiny, 2));
    EXPECT_STREQ(L"P", tiny);
    EXPECT_EQ(L'#', tiny[2]);

    owner.Delete();
    swprintf(name, CSH::kOwnerNameChars, L"stale");
    EXPECT_TRUE(CSH::GetOwnerName(name));
    EXPECT_STREQ(L"", name);
}

TEST_F(ShellDeviceTest, PasswordTypeIsTheRecordsFirstWord)
{
    SavedRegistryValue pass(HKEY_CURRENT_USER, kOwnerKey, L"PowrPass");
    std::vector<BYTE> record(300, 0);
    record[0] = 2;
    pass.SetBinary(record);
    EXPECT_EQ(2u, CSH::GetPasswordType());
    pass.Delete();
    EXPECT_EQ(0u, CSH::GetPasswordType());
}

TEST_F(ShellDeviceTest, BacklightLevelOfThePowerSourceAndTheChangeEvent)
{
    DeviceState state;
    SavedRegistryValue battery(HKEY_CURRENT_USER, kBacklightKey, L"BrightNess");
    SavedRegistryValue external(HKEY_CURRENT_USER, kBacklightKey, L"ACBrightNess");
    HANDLE changed = CreateEventW(nullptr, FALSE, FALSE, L"BackLightChangeEvent");
    ASSERT_NE(nullptr, changed);
    ResetEvent(changed);

    state.Set(L"ACLineStatus", 0);
    battery.SetDword(40);
    external.SetDword(80);
    EXPECT_EQ(40, CSI::GetBright());
    EXPECT_TRUE(CSI::SetBright(-5));
    EXPECT_EQ(0u, battery.GetDword());
    EXPECT_EQ(80u, external.GetDword());
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(changed, 0));

    state.Set(L"ACLineStatus", 1);
    EXPECT_EQ(80, CSI::GetBright());
    EXPECT_TRUE(CSI::SetBright(65));
    EXPECT_EQ(65u, external.GetDword());
    EXPECT_EQ(0u, battery.GetDword());
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(changed, 0));
    CloseHandle(changed);
}

// Regression: a level above 10 used to spill into the other channel.
TEST_F(ShellDeviceTest, VolumeLevelsAreClampedToBothChannels)
{
    DeviceState state;
    EXPECT_TRUE(CSI::SetVolume(15));
    EXPECT_EQ(0xFFFFFFFFu, state.Get(L"Volume"));
    EXPECT_EQ(10, CSI::GetVolume());
    EXPECT_TRUE(CSI::SetVolume(-3));
    EXPECT_EQ(0u, state.Get(L"Volume"));
    EXPECT_EQ(0, CSI::GetVolume());
    EXPECT_TRUE(CSI::SetVolume(5));
    EXPECT_EQ(0x7FFF7FFFu, state.Get(L"Volume"));
    state.Set(L"Volume", 0x0000CCCC);
    EXPECT_EQ(8, CSI::GetVolume());  // the left channel, 0xCCCC * 10 / 0xFFFF
}

// Regression: the store total (size + free) used to wrap at 4 GB.
TEST_F(ShellDeviceTest, MemoryAndStoreSizesInBytes)
{
    DeviceState state;
    state.Set(L"MemoryTotal", 64u << 20);
    state.Set(L"MemoryAvailable", 24u << 20);
    state.Set(L"StoreSize", 0xF0000000u);
    state.Set(L"StoreFree", 0x20000000u);
    ULONGLONG available = 0, total = 0;
    EXPECT_TRUE(CSI::GetMemoryStatus(&available, &total));
    EXPECT_EQ(24ull << 20, available);
    EXPECT_EQ(64ull << 20, total);
    EXPECT_TRUE(CSI::GetStoreStatus(&available, &total));
    EXPECT_EQ(0x20000000ull, available);
    EXPECT_EQ(0x110000000ull, total);
}

TEST_F(ShellDeviceTest, StorageCardsAreCountedFromZero)
{
    DeviceState state;
    state.Set(L"StorageCardFreeKB", 5000);
    state.Set(L"StorageCardTotalKB", 9000);
    wchar_t name[MAX_PATH] = L"";
    DWORD free = 0, total = 0;
    ASSERT_TRUE(CSI::GetSTCardInfo(0, name, &free, &total));
    EXPECT_STREQ(L"Storage Card", name);
    EXPECT_EQ(5000u, free);
    EXPECT_EQ(9000u, total);
    EXPECT_FALSE(CSI::GetSTCardInfo(1, name, &free, &total));

    wchar_t shortName[9];
    wmemset(shortName, L'#', 9);
    EXPECT_TRUE(CSI::GetSTCardInfo(0, shortName, &free, &total, 8));
    EXPECT_STREQ(L"Storage", shortName);
    EXPECT_EQ(L'#', shortName[8]);
}

TEST_F(ShellDeviceTest, ScreenOnSwitchesOnlyOnAChange)
{
    DeviceState state;
    state.Set(L"Display", 1);
    DeviceLog log;
    EXPECT_TRUE(CSH::ScreenOn(TRUE));
    EXPECT_TRUE(CSH::ScreenOn(FALSE));
    EXPECT_EQ(4u, state.Get(L"Display"));
    EXPECT_TRUE(CSH::ScreenOn(FALSE));
    EXPECT_TRUE(CSH::ScreenOn(TRUE));
    EXPECT_EQ(1u, state.Get(L"Display"));
    std::vector<std::wstring> expected = {L"coredll: display off (power state 4)", L"coredll: display on"};
    EXPECT_EQ(expected, log.Lines(L"coredll: display"));
}

TEST_F(ShellDeviceTest, PowerKeyRebootsAndPasswordPrompt)
{
    DeviceState state;
    state.Set(L"Display", 1);
    DeviceLog log;
    EXPECT_TRUE(CSH::PowerOff());
    EXPECT_EQ(4u, state.Get(L"Display"));
    EXPECT_TRUE(CSH::Reset());
    EXPECT_TRUE(CSH::HardReset());
    EXPECT_TRUE(CSH::LogOff(nullptr));
    std::vector<std::wstring> expected = {L"coredll: power off", L"coredll: display off (power state 4)",
                                          L"coredll: reboot", L"coredll: clean reboot flag set",
                                          L"coredll: reboot (clean)"};
    EXPECT_EQ(expected, log.Lines(L"coredll: "));
    EXPECT_EQ(std::vector<std::wstring>{L"cplmain: PromptForPasswd 1"}, log.Lines(L"cplmain: "));
}

TEST_F(ShellDeviceTest, BeamSendsOnlyExistingFiles)
{
    DeviceLog log;
    EXPECT_FALSE(CSH::Beam(nullptr));
    EXPECT_FALSE(CSH::Beam(L""));
    EXPECT_FALSE(CSH::Beam(L"\\My Documents\\no such file.txt"));
    EXPECT_TRUE(CSH::Beam(L"\\My Documents\\Welcome.txt"));
    EXPECT_TRUE(log.WaitFor(L"beam: \\My Documents\\Welcome.txt", kLogWaitMs));
    EXPECT_EQ(1u, log.Lines(L"launch: ").size());
}

} // namespace
