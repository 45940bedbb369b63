// The sample program end to end: it starts through CorWinMain, shows its
// window with a menu bar, counts taps, and ends with exit code 0 when its
// "Quit" command destroys the main window.
#include <gtest/gtest.h>

#include <aygshell.h>

#include "corsample_ids.h"
#include "ketra_testkit.h"

namespace {

using namespace testkit;

TEST(SampleProgramTest, RunsAndEndsFromItsQuitCommand)
{
    ProgramDriver sample(TestFolder() + L"corsample.exe", L"CorSample");
    ASSERT_TRUE(sample.Started());
    const HWND main = sample.Main();
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_FALSE(GetWindowLongW(main, GWL_STYLE) & WS_CAPTION);
    EXPECT_NE(nullptr, SHFindMenuBar(main)) << "no menu bar";

    PostMessageW(main, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 60));
    PostMessageW(main, WM_LBUTTONUP, 0, MAKELPARAM(40, 60));
    DWORD exitCode = 99;
    ASSERT_TRUE(sample.CloseWith(MAKEWPARAM(IDM_QUIT, 0), 30000, &exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_FALSE(IsWindow(main));
}

}  // namespace
