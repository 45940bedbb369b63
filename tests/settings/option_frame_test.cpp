// The settings program's frame on the device: its start beside a running
// side bar, one instance only, full-screen placement, page switching from
// the menu bar, and closing, which always saves and starts the side bar anew.
#include <gtest/gtest.h>

#include <windows.h>
#include <aygshell.h>

#include <memory>
#include <vector>

#include "settings_fixture.h"

namespace {

using namespace testkit;

const DWORD kWait = 15000;
const UINT kPageCommands[] = {40040, 40037, 40038};  // Applets, Options, Skin
const UINT kToolsPopup = 40031;

std::vector<HWND> Pages(HWND frame)
{
    std::vector<HWND> pages;
    for (HWND child = GetWindow(frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = {};
        GetClassNameW(child, name, ARRAYSIZE(name));
        if (wcscmp(name, L"#32770") == 0)
            pages.push_back(child);
    }
    return pages;
}

std::vector<HWND> VisiblePages(HWND frame)
{
    std::vector<HWND> visible;
    for (HWND page : Pages(frame))
        if (IsWindowVisible(page))
            visible.push_back(page);
    return visible;
}

// Which items of the "Tools" menu carry a check mark, as the user sees them:
// the menu is opened with a tap on its button and each item's check-mark
// margin is read from the screen. (The menu itself belongs to the settings
// program's process, where this process cannot query it.) Empty when the
// menu did not open.
std::vector<bool> ToolsMenuChecks(HWND bar)
{
    const RECT barRect = WindowRect(bar);
    Tap(barRect.left + 15, (barRect.top + barRect.bottom) / 2);
    HWND menu = nullptr;
    PumpUntil([&] { return (menu = VisibleWindow(L"#32768")) != nullptr; }, kWait);
    std::vector<bool> checks;
    if (!menu)
        return checks;
    PumpMessages(300);  // painted

    const int items = 3, border = 3;
    RECT rc;
    GetWindowRect(menu, &rc);
    int itemHeight = (rc.bottom - rc.top - 2 * border) / items;
    HDC screen = GetDC(nullptr);
    for (int i = 0; i < items; ++i) {
        int dark = 0;
        for (int y = rc.top + border + i * itemHeight; y < rc.top + border + (i + 1) * itemHeight; ++y)
            for (int x = rc.left + border; x < rc.left + 16; ++x) {
                COLORREF pixel = GetPixel(screen, x, y);
                if (GetRValue(pixel) < 0x80 && GetGValue(pixel) < 0x80 && GetBValue(pixel) < 0x80)
                    ++dark;
            }
        checks.push_back(dark >= 4);
    }
    ReleaseDC(nullptr, screen);
    PressKey(VK_ESCAPE);
    PumpUntil([] { return VisibleWindow(L"#32768") == nullptr; }, kWait);
    return checks;
}

int LaunchesOfHost(const DeviceLog& log)
{
    int count = 0;
    for (const std::wstring& line : log.Lines(L"launch: "))
        if (line.find(L"Ketra.exe") != std::wstring::npos && line.find(L"failed") == std::wstring::npos)
            ++count;
    return count;
}

class OptionFrameTest : public SettingsTest {
protected:
    HWND StartOption()
    {
        settings_ = std::make_unique<ProgramDriver>(kSettingsProgram, kSettingsClass);
        return settings_->Main();
    }

    // Closes the settings program with command id and checks that it saves
    // and ends, and that the side bar starts again (hostBefore is closed).
    void CloseAndExpectHostRestart(UINT id, HWND hostBefore)
    {
        DeviceLog log;
        DWORD exitCode = 99;
        ASSERT_TRUE(settings_->CloseWith(id, kWait, &exitCode));
        EXPECT_EQ(0u, exitCode);
        if (hostBefore) {
            EXPECT_FALSE(IsWindow(hostBefore)) << "the side bar was not closed";
        }
        EXPECT_NE(nullptr, WaitForWindow(KETRA_CLASS, kWait, hostBefore)) << "the side bar did not start again";
        EXPECT_EQ(1, LaunchesOfHost(log));
    }
};

TEST_F(OptionFrameTest, StartClosesTheSideBarPanelAndFillsTheScreenBelowTheTaskBar)
{
    HWND host = StartBar();
    ASSERT_NE(nullptr, host);
    SendToBar(WM_KETRA_WINDOW, KETRA_WINDOW_OPEN);  // open the panel
    ASSERT_TRUE(BarIsOpen());

    HWND frame = StartOption();
    ASSERT_NE(nullptr, frame);
    EXPECT_FALSE(BarIsOpen()) << "the panel stayed open";

    wchar_t title[32] = {};
    GetWindowTextW(frame, title, ARRAYSIZE(title));
    EXPECT_STREQ(L"Settings", title);
    RECT rc;
    GetWindowRect(frame, &rc);
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(26, rc.top);
    EXPECT_EQ(240, rc.right);
    EXPECT_EQ(294, rc.bottom) << "the menu bar takes the last 26 pixels";

    // Every page covers the client area; only the Applets page shows.
    RECT client;
    GetClientRect(frame, &client);
    std::vector<HWND> pages = Pages(frame);
    ASSERT_EQ(3u, pages.size());
    for (HWND page : pages) {
        RECT pageRect;
        GetClientRect(page, &pageRect);
        EXPECT_EQ(client.right, pageRect.right);
        EXPECT_EQ(client.bottom, pageRect.bottom);
    }
    EXPECT_EQ(1u, VisiblePages(frame).size());

    CloseAndExpectHostRestart(IDOK, host);
}

TEST_F(OptionFrameTest, SecondStartEndsAndLeavesTheFirstWindowAlone)
{
    HWND frame = StartOption();
    ASSERT_NE(nullptr, frame);

    DeviceProgram second(kSettingsProgram);
    DWORD exitCode = 99;
    ASSERT_TRUE(second.WaitExit(kWait, &exitCode)) << "the second settings program kept running";
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ(1, CountWindows(kSettingsClass));
    EXPECT_TRUE(IsWindow(frame));

    // Cancel saves and starts the side bar as well, also when none ran.
    CloseAndExpectHostRestart(IDCANCEL, nullptr);
}

TEST_F(OptionFrameTest, PageCommandsShowOnePageAndMoveTheChecks)
{
    HWND frame = StartOption();
    ASSERT_NE(nullptr, frame);
    HWND bar = SHFindMenuBar(frame);
    ASSERT_NE(nullptr, bar);
    ASSERT_NE(nullptr, (HMENU)SendMessageW(bar, SHCMBM_GETSUBMENU, 0, kToolsPopup));

    // The page buttons: three after "Tools", the first pressed.
    EXPECT_EQ(4, SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
    EXPECT_TRUE(SendMessageW(bar, TB_ISBUTTONCHECKED, kPageCommands[0], 0));
    EXPECT_EQ((std::vector<bool>{true, false, false}), ToolsMenuChecks(bar));
    std::vector<HWND> firstShown = VisiblePages(frame);
    ASSERT_EQ(1u, firstShown.size());

    // Switch to Options, Skin and back to Applets: a different page each
    // time, the Applets page again at the end.
    std::vector<HWND> shown;
    for (UINT command : {kPageCommands[1], kPageCommands[2], kPageCommands[0]}) {
        SCOPED_TRACE(command);
        SendMessageW(frame, WM_COMMAND, command, 0);
        std::vector<HWND> visible = VisiblePages(frame);
        ASSERT_EQ(1u, visible.size());
        shown.push_back(visible[0]);
        std::vector<bool> expected;
        for (UINT item : kPageCommands) {
            expected.push_back(item == command);
            EXPECT_EQ(item == command, SendMessageW(bar, TB_ISBUTTONCHECKED, item, 0) != 0) << "button " << item;
        }
        EXPECT_EQ(expected, ToolsMenuChecks(bar));
    }
    EXPECT_NE(firstShown[0], shown[0]);
    EXPECT_NE(shown[0], shown[1]);
    EXPECT_NE(firstShown[0], shown[1]);
    EXPECT_EQ(firstShown[0], shown[2]);

    CloseAndExpectHostRestart(IDCANCEL, nullptr);
}

// The task bar's OK corner sends IDOK to the foreground program.
TEST_F(OptionFrameTest, TaskBarOkCornerSavesAndClosesItAndRestartsTheSideBar)
{
    HWND host = StartBar();
    ASSERT_NE(nullptr, host);
    HWND frame = StartOption();
    ASSERT_NE(nullptr, frame);
    EXPECT_TRUE(GetWindowLongW(frame, GWL_EXSTYLE) & WS_EX_CAPTIONOKBTN);

    DeviceLog log;
    DWORD exitCode = 99;
    ASSERT_TRUE(settings_->CloseByOkCorner(kWait, &exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_FALSE(IsWindow(host));
    EXPECT_NE(nullptr, WaitForWindow(KETRA_CLASS, kWait, host));
    EXPECT_EQ(1, LaunchesOfHost(log));
}

}  // namespace
