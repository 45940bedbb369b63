// The shell's hardware buttons and its start-up folder: both start programs
// through the device's shell execution.  The programs started here are
// devctl writing a registry value, so a test sees that they really ran.
#include <gtest/gtest.h>

#include "ketra_testkit.h"


namespace {

using namespace testkit;

const wchar_t kButtonsKey[] = L"Software\\Microsoft\\Shell\\Keys\\";
const wchar_t kMarkKey[] = L"Software\\ShellKeyTest";
constexpr WPARAM kButtonsChanged = 228;

std::wstring ButtonKey(const wchar_t* name)
{
    return std::wstring(kButtonsKey) + name;
}

bool WaitForMark(const wchar_t* name, const std::wstring& value)
{
    return PumpUntil([&] { return ReadText(kMarkKey, name, HKEY_CURRENT_USER) == value; }, 10000);
}

} // namespace

TEST(HardwareButtons, ABroadcastAssignmentRunsOnTheNextPress)
{
    SavedRegistryValue saved(HKEY_LOCAL_MACHINE, ButtonKey(L"40c3"), nullptr);
    RegDeleteTreeW(HKEY_CURRENT_USER, kMarkKey);

    // A quoted path, then arguments, as settings programs write it.
    ASSERT_TRUE(WriteText(ButtonKey(L"40c3"), nullptr,
                                  L"\"\\Windows\\devctl.exe\" reg set HKCU\\Software\\ShellKeyTest Button3 sz "
                                  L"pressed"));
    BroadcastSettingChange(kButtonsChanged);
    DeviceLog log;
    ASSERT_TRUE(PressKey(0xC3));
    EXPECT_TRUE(WaitForMark(L"Button3", L"pressed")) << "the assigned command did not run";
    EXPECT_GE(log.Find(L"shell: button 40c3: \"\\Windows\\devctl.exe\" reg set"), 0);
    EXPECT_GE(log.Find(L"launch: \\Windows\\devctl.exe reg set HKCU\\Software\\ShellKeyTest"), 0);

    // Assigned anew: the next press runs the new command.
    ASSERT_TRUE(WriteText(ButtonKey(L"40c3"), nullptr,
                                  L"\"\\Windows\\devctl.exe\" reg set HKCU\\Software\\ShellKeyTest Button3 sz again"));
    BroadcastSettingChange(kButtonsChanged);
    ASSERT_TRUE(PressKey(0xC3));
    EXPECT_TRUE(WaitForMark(L"Button3", L"again"));
    RegDeleteTreeW(HKEY_CURRENT_USER, kMarkKey);
}

TEST(HardwareButtons, AButtonWithoutACommandStartsNothing)
{
    SavedRegistryValue saved(HKEY_LOCAL_MACHINE, ButtonKey(L"40c4"), nullptr);
    ASSERT_TRUE(WriteText(ButtonKey(L"40c4"), nullptr, L""));
    BroadcastSettingChange(kButtonsChanged);
    DeviceLog log;
    ASSERT_TRUE(PressKey(0xC4));
    EXPECT_TRUE(log.WaitFor(L"shell: button 40c4: nothing assigned", 5000));
    EXPECT_EQ(-1, log.Find(L"launch:"));
}

TEST(StartUpFolder, RanItsShortcutAtBoot)
{
    // tools/manifest/tests.txt puts a shortcut into \Windows\StartUp that has
    // devctl write this value.
    EXPECT_EQ(L"yes", ReadText(L"Software\\ShellStartUpTest", L"Ran", HKEY_CURRENT_USER));
    EXPECT_EQ(0u, GetFileAttributesW(L"\\Windows\\StartUp\\shelltest.lnk") & FILE_ATTRIBUTE_DIRECTORY);
}
