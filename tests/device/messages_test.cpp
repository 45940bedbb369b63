// `devctl send/post/wait`: messages to a window found by its class.
#include <gtest/gtest.h>


#include <memory>

#include "ketra_testkit.h"

namespace {

using namespace testkit;

const wchar_t kTargetClass[] = L"DevctlMessageTarget";
const RECT kSomewhere = {0, 200, 40, 240};

} // namespace

TEST(WindowMessages, SendPrintsTheSignedResult)
{
    TestWindow window(kTargetClass, kSomewhere);
    ASSERT_TRUE(window.hwnd());
    const std::wstring answer = std::to_wstring(TestWindow::kAnswerMessage);

    DevctlResult r = RunDevctl({L"send", kTargetClass, answer, L"10", L"3"});
    EXPECT_EQ(0u, r.exitCode) << r.err;
    EXPECT_EQ(L"7\n", r.out);

    r = RunDevctl({L"send", kTargetClass, L"0x8005", L"3", L"10"});
    EXPECT_EQ(0u, r.exitCode) << r.err;
    EXPECT_EQ(L"-7\n", r.out);

    // A hex LPARAM is 64 bits wide, not a sign-extended 32-bit -1.
    r = RunDevctl({L"send", kTargetClass, answer, L"0", L"0xFFFFFFFF"});
    EXPECT_EQ(L"-4294967295\n", r.out);

    ASSERT_EQ(3u, window.Messages(TestWindow::kAnswerMessage).size());
}

TEST(WindowMessages, PostDeliversBothParameters)
{
    TestWindow window(kTargetClass, kSomewhere);
    ASSERT_TRUE(window.hwnd());
    DevctlResult r = RunDevctl({L"post", kTargetClass, std::to_wstring(TestWindow::kPostedMessage), L"0x10", L"-2"});
    ASSERT_EQ(0u, r.exitCode) << r.err;
    EXPECT_TRUE(r.out.empty());
    ASSERT_TRUE(PumpUntil([&] { return !window.Messages(TestWindow::kPostedMessage).empty(); }, 3000));
    RecordedMessage m = window.Messages(TestWindow::kPostedMessage)[0];
    EXPECT_EQ((WPARAM)0x10, m.wParam);
    EXPECT_EQ((LPARAM)-2, m.lParam);
}

TEST(WindowMessages, MissingWindowsAndBadNumbersAreReported)
{
    EXPECT_EQ(1u, RunDevctl({L"send", L"DevctlNoSuchClass", L"16", L"0", L"0"}).exitCode);
    EXPECT_EQ(1u, RunDevctl({L"post", L"DevctlNoSuchClass", L"16", L"0", L"0"}).exitCode);
    DevctlResult r = RunDevctl({L"send", kTargetClass, L"12abc", L"0", L"0"});
    EXPECT_EQ(2u, r.exitCode);
    EXPECT_NE(std::wstring::npos, r.err.find(L"usage")) << "usage text on stderr";
    EXPECT_EQ(2u, RunDevctl({L"send", kTargetClass, L"16", L"0"}).exitCode);
    EXPECT_EQ(2u, RunDevctl({L"no-such-command"}).exitCode);
    EXPECT_EQ(2u, RunDevctl({}).exitCode);
}

namespace {

std::unique_ptr<TestWindow> g_lateWindow;

void CALLBACK CreateLateWindow(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    g_lateWindow.reset(new TestWindow(L"DevctlLateWindow", kSomewhere));
}

} // namespace

TEST(WindowMessages, WaitReturnsOnceTheWindowAppears)
{
    ULONGLONG start = GetTickCount64();
    EXPECT_EQ(1u, RunDevctl({L"wait", L"DevctlLateWindow", L"300"}).exitCode);
    EXPECT_GE(GetTickCount64() - start, 300u);

    // The window appears while devctl waits (the runner pumps our timer).
    SetTimer(nullptr, 0, 400, CreateLateWindow);
    DevctlResult r = RunDevctl({L"wait", L"DevctlLateWindow", L"10000"});
    EXPECT_EQ(0u, r.exitCode) << r.err;
    EXPECT_TRUE(g_lateWindow && g_lateWindow->hwnd());
    g_lateWindow.reset();
}
