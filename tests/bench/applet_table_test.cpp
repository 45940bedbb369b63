// The applet table's instruments: which applets it finds on the device and
// how it judges a row against About's.
#include <gtest/gtest.h>

#include <axreg.h>

#include "applet_table.h"
#include "figures.h"

namespace {

const wchar_t kBranch[] = L"SOFTWARE\\ZARQ\\TestBenchApplets";

void Register(LPCWSTR name, DWORD order, DWORD enabled, DWORD type)
{
    CAxDllInfo info;
    ASSERT_TRUE(CAxReg::InitInfo(&info, kBranch, name));
    info.dwOrder = order;
    info.dwEnabled = enabled;
    info.dwType = type;
    ASSERT_TRUE(CAxReg::AddAppletInfo(&info));
}

// Positions must be those of the bar's own list, hidden and disabled
// registrations counted, or a menu command would show another applet.
TEST(AppletTableTest, FindsTheMenuAppletsAtTheBarsPositions)
{
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kBranch);
    Register(L"Clock", 4, 1, AX_TYPE_APPLET);
    Register(L"Hidden", 0, 1, AX_TYPE_HIDDEN);
    Register(L"About", 1, 1, AX_TYPE_APPLET);
    Register(L"Off", 2, 0, AX_TYPE_APPLET);
    Register(L"BenchA", 3, 1, AX_TYPE_APPLET);
    const std::vector<MenuApplet> applets = ListMenuApplets(kBranch, {L"BenchA"});
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kBranch);

    ASSERT_EQ(2u, applets.size());
    EXPECT_EQ(L"About", applets[0].name);
    EXPECT_EQ(1, applets[0].position);
    EXPECT_EQ(L"Clock", applets[1].name);
    EXPECT_EQ(4, applets[1].position);
    EXPECT_TRUE(ListMenuApplets(kBranch, {}).empty()) << "a missing branch lists nothing";
}

TEST(AppletTableTest, JudgesEachRowAgainstAbout)
{
    AppletRow about;
    about.ok = true;
    about.switchMs = 2.0;
    about.privateBytes = 5 * 1024 * 1024;
    AppletRow row = about;
    row.switchMs = 4.0;  // exactly twice
    row.privateBytes = 6 * 1024 * 1024;  // exactly 1.2 times
    AppletVerdict verdict = JudgeApplet(row, about);
    EXPECT_DOUBLE_EQ(2.0, verdict.switchRatio);
    EXPECT_DOUBLE_EQ(1.2, verdict.memoryRatio);
    EXPECT_TRUE(verdict.met);

    row.switchMs = 4.5;
    EXPECT_FALSE(JudgeApplet(row, about).met);
    row.switchMs = 1.0;
    row.privateBytes = 7 * 1024 * 1024;
    EXPECT_FALSE(JudgeApplet(row, about).met);

    // Nothing is judged against a row that was not measured.
    row.privateBytes = about.privateBytes;
    about.ok = false;
    EXPECT_FALSE(JudgeApplet(row, about).met);
    EXPECT_EQ(0, JudgeApplet(row, about).switchRatio);
}

// A figure is judged only against a baseline that measured something: a
// ratio to nothing would read as met however long the figure took.
TEST(TimingRatioTest, JudgesOnlyAgainstABaselineThatMeasuredSomething)
{
    double ratio = -1;
    EXPECT_TRUE(TimingRatio(Timing{true, 30.0, 20.0, ""}, &ratio));
    EXPECT_DOUBLE_EQ(1.5, ratio);
    EXPECT_FALSE(TimingRatio(Timing{true, 20.0, 0.0, ""}, &ratio));
    EXPECT_EQ(0, ratio);
    EXPECT_FALSE(TimingRatio(Timing{false, 20.0, 10.0, "not shown"}, &ratio));
}

}  // namespace
