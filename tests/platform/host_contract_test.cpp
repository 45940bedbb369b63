// The side bar's public contract (ketra_host.h) as another program uses it:
// showing an applet in a running bar, or starting the bar for it.
#include <ketra_host.h>

#include "ketra_testkit.h"

namespace {

using namespace testkit;

using HostContractTest = BarTest;

TEST_F(HostContractTest, ShowAppletStartsTheBarWithTheApplet)
{
    ASSERT_EQ(nullptr, KetraFindBar());
    ASSERT_TRUE(KetraShowApplet(L"Probe"));
    ASSERT_TRUE(PumpUntil([] { return AppletWindowOnBar(kProbeClass) != nullptr; }, 15000));
    EXPECT_EQ(L"Probe", CurrentApplet());
    EXPECT_TRUE(PumpUntil(BarIsOpen, 5000)) << "a bar started for an applet opens";
}

TEST_F(HostContractTest, ShowAppletSwitchesARunningBarAndOpensIt)
{
    Start();
    ASSERT_TRUE(KetraClose());
    ASSERT_TRUE(PumpUntil([] { return !BarIsOpen(); }, 5000));
    ASSERT_TRUE(KetraShowApplet(L"ProbeNarrow"));
    EXPECT_NE(nullptr, AppletWindowOnBar(kProbeClass));
    EXPECT_EQ(L"ProbeNarrow", CurrentApplet());
    EXPECT_TRUE(PumpUntil(BarIsOpen, 5000));
    ASSERT_TRUE(KetraClose());
    EXPECT_TRUE(PumpUntil([] { return !BarIsOpen(); }, 5000));
    ASSERT_TRUE(KetraOpen());
    EXPECT_TRUE(PumpUntil(BarIsOpen, 5000));
}

TEST_F(HostContractTest, ANameTheBarCannotKeepIsRefused)
{
    const std::wstring tooLong(64, L'x');
    EXPECT_FALSE(KetraShowApplet(tooLong.c_str()));
    EXPECT_FALSE(KetraShowApplet(L""));
    EXPECT_EQ(L"About", CurrentApplet());
    EXPECT_EQ(nullptr, KetraFindBar()) << "a refused name started the bar";
    EXPECT_FALSE(KetraOpen()) << "no bar, nothing to open";
}

}  // namespace
