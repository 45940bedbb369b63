// KtOption.cpl, the settings program's control-panel entry: driven through
// CPlApplet as the control panel drives it, and listed and opened by the
// device's control panel.
#include <gtest/gtest.h>

#include <windows.h>
#include "cplext.h"

#include <memory>

#include "settings_fixture.h"

namespace {

using namespace testkit;

const wchar_t kLibrary[] = L"\\Windows\\KtOption.cpl";
const wchar_t kShortcut[] = L"\\Windows\\Ketra Option.lnk";
const wchar_t kControlPanel[] = L"\\Windows\\ctlpnl.exe";
const DWORD kWait = 15000;

// Closes the settings program the entry opened (which starts the side bar),
// then the side bar.
void CloseOpenedSettings(HWND frame)
{
    WaitUntilIdle(frame);
    PostMessageW(frame, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitNoWindow(kSettingsClass, kWait));
    WaitForWindow(KETRA_CLASS, kWait);
    CloseBar();
}

class KtOptionTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        library_ = LoadLibraryW(kLibrary);
        ASSERT_NE(nullptr, library_);
        applet_ = reinterpret_cast<APPLET_PROC>(reinterpret_cast<void*>(GetProcAddress(library_, "CPlApplet")));
        ASSERT_NE(nullptr, applet_);
    }
    void TearDown() override
    {
        if (library_)
            FreeLibrary(library_);
        SettingsTest::TearDown();
    }

    HMODULE library_ = nullptr;
    APPLET_PROC applet_ = nullptr;
};

TEST_F(KtOptionTest, DescribesOneEntryWithItsOwnIcon)
{
    EXPECT_EQ(1, applet_(nullptr, CPL_INIT, 0, 0));
    EXPECT_EQ(1, applet_(nullptr, CPL_GETCOUNT, 0, 0));

    NEWCPLINFO info;
    memset(&info, 0xCC, sizeof(info));
    EXPECT_EQ(0, applet_(nullptr, CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(sizeof(NEWCPLINFO), info.dwSize);
    EXPECT_EQ(1u, info.dwFlags);
    EXPECT_EQ(0u, info.dwHelpContext);
    EXPECT_EQ(104, info.lData);
    EXPECT_STREQ(L"Ketra Option", info.szName);
    EXPECT_STREQ(L"Ketra Option", info.szInfo);
    // The library's own icon 104 (LoadIcon hands out the same shared handle).
    ASSERT_NE(nullptr, info.hIcon);
    HICON own = LoadIconW(library_, MAKEINTRESOURCEW(104));
    EXPECT_EQ(own, info.hIcon);

    EXPECT_EQ(0, applet_(nullptr, CPL_STOP, 0, info.lData));
    EXPECT_EQ(0, applet_(nullptr, CPL_EXIT, 0, 0));
    EXPECT_EQ(0, applet_(nullptr, CPL_SELECT, 0, 0));
}

TEST_F(KtOptionTest, IdentifierNameStaysInsideItsBufferAndNeedsOne)
{
    wchar_t name[40];
    wmemset(name, L'#', ARRAYSIZE(name));
    EXPECT_EQ(0, applet_(nullptr, CPL_IDNAME, 0, reinterpret_cast<LPARAM>(name)));
    EXPECT_STREQ(L"Ketra Option", name);
    for (size_t i = 32; i < ARRAYSIZE(name); ++i)
        EXPECT_EQ(L'#', name[i]) << "written past the 32-character buffer at " << i;
    EXPECT_NE(0, applet_(nullptr, CPL_IDNAME, 0, 0));
    EXPECT_NE(0, applet_(nullptr, CPL_NEWINQUIRE, 0, 0));
}

TEST_F(KtOptionTest, DoubleClickOpensTheSettingsThroughTheShortcut)
{
    DeviceLog log;
    EXPECT_EQ(0, applet_(nullptr, CPL_DBLCLK, 0, 104));
    EXPECT_TRUE(log.WaitFor(std::wstring(L"launch: ") + kShortcut, kWait));
    HWND frame = WaitForWindow(kSettingsClass, kWait);
    ASSERT_NE(nullptr, frame);
    CloseOpenedSettings(frame);
}

using KtOptionControlPanel = SettingsTest;

TEST_F(KtOptionControlPanel, IsListedAndOpensTheSettings)
{
    {
        DeviceLog log;
        DeviceProgram panel(kControlPanel, L"");
        HWND window = panel.WaitWindow(L"Settings", kWait);
        ASSERT_NE(nullptr, window);
        EXPECT_TRUE(log.WaitFor(L"ctlpnl: listed KtOption.cpl: 1 entries", kWait));
        PostMessageW(window, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(panel.WaitExit(kWait));
    }
    DeviceLog log;
    DeviceProgram panel(kControlPanel, L"KtOption.cpl");
    HWND frame = WaitForWindow(kSettingsClass, kWait);
    ASSERT_NE(nullptr, frame);
    EXPECT_TRUE(log.HasLine(std::wstring(L"launch: ") + kShortcut));
    CloseOpenedSettings(frame);
    EXPECT_TRUE(panel.WaitExit(kWait));
}

}  // namespace
