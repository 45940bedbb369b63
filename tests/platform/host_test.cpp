// The side bar on the device, driven from outside as other programs and the
// user drive it: devctl (messages, keys, the device log) and the registry.
// The probe applets log every message they receive to the device log.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "devctl_runner.h"

namespace {

const wchar_t kHost[] = L"\\Program Files\\ZARQ\\Ketra\\Ketra.exe";
const wchar_t kOptions[] = L"HKLM\\SOFTWARE\\ZARQ\\KETRA\\OPTIONS";

std::wstring Num(long long value)
{
    return std::to_wstring(value);
}

// How often text occurs in the device log.
int LogCount(const std::wstring& text)
{
    DevctlResult log = RunDevctl({L"log"});
    int count = 0;
    for (size_t at = log.out.find(text); at != std::wstring::npos; at = log.out.find(text, at + 1))
        ++count;
    return count;
}

std::wstring Send(UINT message, long long wParam, long long lParam)
{
    DevctlResult r = RunDevctl({L"send", L"KETRA_CLASS", Num(message), Num(wParam), Num(lParam)});
    std::wstring out = r.out;
    while (!out.empty() && (out.back() == L'\n' || out.back() == L'\r'))
        out.pop_back();
    return out;
}

std::wstring CurrentApplet()
{
    std::wstring out = RunDevctl({L"reg", L"get", kOptions, L"CurrentApplet"}).out;
    while (!out.empty() && (out.back() == L'\n' || out.back() == L'\r'))
        out.pop_back();
    return out;
}

class HostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RunDevctl({L"reg", L"set", kOptions, L"CurrentApplet", L"sz", L"About"});
        RunDevctl({L"reg", L"set", kOptions, L"WinMode", L"dword", L"0"});
    }
    void Start()
    {
        ASSERT_EQ(0u, RunDevctl({L"exec", kHost}).exitCode);
        ASSERT_EQ(0u, RunDevctl({L"wait", L"KETRA_CLASS", L"15000"}).exitCode);
        PumpMessages(500);
    }
    void TearDown() override
    {
        // Command 1 closes the program; wait until its window is gone.
        RunDevctl({L"post", L"KETRA_CLASS", L"273", L"1", L"0"});
        PumpUntil([] { return RunDevctl({L"send", L"KETRA_CLASS", L"0", L"0", L"0"}).exitCode != 0; }, 10000);
    }
};

// Applet list order: About 0, Probe 1, ProbeNarrow 2 (test registrations).
TEST_F(HostTest, SwitchingAppletsUnloadsTheOldOneAndRecordsTheNewOne)
{
    Start();
    EXPECT_EQ(L"About", CurrentApplet());
    const int created = LogCount(L"probe: create");
    const int cleared = LogCount(L"probe: msg 1266");
    Send(WM_COMMAND, 1201, 0);
    EXPECT_EQ(L"Probe", CurrentApplet());
    EXPECT_EQ(created + 1, LogCount(L"probe: create"));
    EXPECT_GT(LogCount(L"probe: msg 1267"), 0);
    Send(WM_COMMAND, 1202, 0);
    EXPECT_EQ(L"ProbeNarrow", CurrentApplet());
    EXPECT_EQ(cleared + 1, LogCount(L"probe: msg 1266"));
    EXPECT_EQ(L"1", Send(1029, 4, 0));  // the choice opened the bar
}

TEST_F(HostTest, ChoosingTheCurrentAppletAgainReloadsOnlyWhenAsked)
{
    Start();
    Send(WM_COMMAND, 1201, 0);
    const int created = LogCount(L"probe: create");
    Send(WM_COMMAND, 1201, 0);
    EXPECT_EQ(created, LogCount(L"probe: create"));
    Send(1030, 0, 1);
    EXPECT_EQ(created + 1, LogCount(L"probe: create"));
}

TEST_F(HostTest, NamePointerFromAnotherProcessIsNotRead)
{
    Start();
    // A foreign address: the host must take CurrentApplet instead.
    RunDevctl({L"reg", L"set", kOptions, L"CurrentApplet", L"sz", L"Probe"});
    EXPECT_EQ(L"1", Send(1030, 0x12345678, 0));
    EXPECT_EQ(L"Probe", CurrentApplet());
    EXPECT_GT(LogCount(L"probe: create"), 0);
}

TEST_F(HostTest, KeysRelayAndSizeReachTheApplet)
{
    Start();
    Send(WM_COMMAND, 1201, 0);
    Send(WM_KEYDOWN, 65, 7);
    EXPECT_GT(LogCount(L"probe: msg 256 65 7"), 0);
    Send(1032, 11, 22);
    EXPECT_GT(LogCount(L"probe: msg 1032 11 22"), 0);
    const int sized = LogCount(L"probe: msg 1127");
    Send(WM_SIZE, 0, 0);
    EXPECT_EQ(sized + 1, LogCount(L"probe: msg 1127"));
}

TEST_F(HostTest, MissingBackgroundPictureFillsLightBlue)
{
    RunDevctl({L"reg", L"set", kOptions, L"BackOn", L"dword", L"1"});
    RunDevctl({L"reg", L"set", kOptions, L"BkImage", L"sz", L"\\Windows\\no-such-picture.gif"});
    Start();
    Send(WM_COMMAND, 1201, 0);
    const int before = LogCount(L"probe: background ffc0c0");
    // The probe is a child of the bar, which devctl does not reach.
    HWND probe = FindWindowExW(FindWindowW(L"KETRA_CLASS", nullptr), nullptr, L"KETRA_PROBE", nullptr);
    ASSERT_NE(nullptr, probe);
    // The second request must not try the picture again: it still fills.
    SendMessageW(probe, WM_APP + 1, 1125, 0);
    SendMessageW(probe, WM_APP + 1, 1125, 0);
    EXPECT_EQ(before + 2, LogCount(L"probe: background ffc0c0"));
    RunDevctl({L"reg", L"set", kOptions, L"BkImage", L"sz", L"\\Windows\\StWater.gif"});
}

TEST_F(HostTest, SecondInstanceTogglesAndAnswersMessages)
{
    Start();
    const std::wstring before = Send(1029, 4, 0);
    ASSERT_EQ(0u, RunDevctl({L"exec", kHost}).exitCode);
    PumpUntil([&] { return Send(1029, 4, 0) != before; }, 10000);
    EXPECT_NE(before, Send(1029, 4, 0));
    EXPECT_EQ(Num(0xD8E9EC), Send(1034, 7, 0));
}

TEST_F(HostTest, FailedLoadStartsTheSettingsProgramAndShowsAbout)
{
    RunDevctl({L"reg", L"set", L"HKLM\\SOFTWARE\\ZARQ\\PROBE", L"Fail240", L"dword", L"1"});
    Start();
    const int started = LogCount(L"option.exe");
    Send(WM_COMMAND, 1201, 0);
    RunDevctl({L"reg", L"del", L"HKLM\\SOFTWARE\\ZARQ\\PROBE", L"Fail240"});
    EXPECT_EQ(L"About", CurrentApplet());
    EXPECT_GT(LogCount(L"option.exe"), started);
}

TEST_F(HostTest, StoredTopOutOfRangeStartsAt50)
{
    // Compared unsigned: a "negative" top is out of range as well.
    RunDevctl({L"reg", L"set", kOptions, L"ypos", L"dword", L"0xFFFFFFF0"});
    Start();
    TearDown();
    std::wstring ypos = RunDevctl({L"reg", L"get", kOptions, L"ypos"}).out;
    EXPECT_EQ(0u, ypos.find(L"50")) << ypos;
}

}  // namespace
