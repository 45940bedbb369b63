// The shell's hardware buttons and its start-up folder: both start programs
// through the device's shell execution.  The programs started here are
// devctl writing a registry value, so a test sees that they really ran.
#include <gtest/gtest.h>

#include "devctl_runner.h"
#include "shell_test_support.h"

namespace {

const wchar_t kButtonsKey[] = L"Software\\Microsoft\\Shell\\Keys\\";
const wchar_t kMarkKey[] = L"Software\\ShellKeyTest";
constexpr WPARAM kButtonsChanged = 228;

std::wstring ButtonKey(const wchar_t* name)
{
    return std::wstring(kButtonsKey) + name;
}

void PressKey(const wchar_t* vk)
{
    DevctlResult r = RunDevctl({L"key", vk});
    ASSERT_EQ(0u, r.exitCode) << r.err;
}

bool WaitForMark(const wchar_t* name, const std::wstring& value)
{
    return PumpUntil([&] { return ReadRegistryString(HKEY_CURRENT_USER, kMarkKey, name) == value; }, 10000);
}

} // namespace

TEST(HardwareButtons, ABroadcastAssignmentRunsOnTheNextPress)
{
    SavedRegistryValue saved(HKEY_LOCAL_MACHINE, ButtonKey(L"40c3"), nullptr);
    RegDeleteTreeW(HKEY_CURRENT_USER, kMarkKey);

    // A quoted path, then arguments, as settings programs write it.
    ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, ButtonKey(L"40c3"), nullptr,
                                  L"\"\\Windows\\devctl.exe\" reg set HKCU\\Software\\ShellKeyTest Button3 sz "
                                  L"pressed"));
    BroadcastSettingChange(kButtonsChanged);
    size_t log = DeviceLogLength();
    PressKey(L"0xC3");
    EXPECT_TRUE(WaitForMark(L"Button3", L"pressed")) << "the assigned command did not run";
    EXPECT_GE(FindLogLine(log, L"shell: button 40c3: \"\\Windows\\devctl.exe\" reg set"), 0);
    EXPECT_GE(FindLogLine(log, L"launch: \\Windows\\devctl.exe reg set HKCU\\Software\\ShellKeyTest"), 0);

    // Assigned anew: the next press runs the new command.
    ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, ButtonKey(L"40c3"), nullptr,
                                  L"\"\\Windows\\devctl.exe\" reg set HKCU\\Software\\ShellKeyTest Button3 sz again"));
    BroadcastSettingChange(kButtonsChanged);
    PressKey(L"0xC3");
    EXPECT_TRUE(WaitForMark(L"Button3", L"again"));
    RegDeleteTreeW(HKEY_CURRENT_USER, kMarkKey);
}

TEST(HardwareButtons, AButtonWithoutACommandStartsNothing)
{
    SavedRegistryValue saved(HKEY_LOCAL_MACHINE, ButtonKey(L"40c4"), nullptr);
    ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, ButtonKey(L"40c4"), nullptr, L""));
    BroadcastSettingChange(kButtonsChanged);
    size_t log = DeviceLogLength();
    PressKey(L"0xC4");
    EXPECT_TRUE(WaitForLogLine(log, L"shell: button 40c4: nothing assigned", 5000));
    EXPECT_EQ(-1, FindLogLine(log, L"launch:"));
}

TEST(StartUpFolder, RanItsShortcutAtBoot)
{
    // tools/manifest/tests.txt puts a shortcut into \Windows\StartUp that has
    // devctl write this value.
    EXPECT_EQ(L"yes", ReadRegistryString(HKEY_CURRENT_USER, L"Software\\ShellStartUpTest", L"Ran"));
    EXPECT_EQ(0u, GetFileAttributesW(L"\\Windows\\StartUp\\shelltest.lnk") & FILE_ATTRIBUTE_DIRECTORY);
}
