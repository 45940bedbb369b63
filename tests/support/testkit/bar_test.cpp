#include "bar_test.h"

#include "pump.h"

namespace testkit {

void BarTest::SetUp()
{
    ASSERT_TRUE(system_.Saved()) << "HKLM\\SOFTWARE\\ZARQ could not be saved: not changing it";
    CloseSettingsAndBar();
    WriteText(KETRA_OPTIONS_KEY, L"CurrentApplet", L"About");
    WriteDword(KETRA_OPTIONS_KEY, L"WinMode", 0);
    WriteDword(KETRA_OPTIONS_KEY, L"AutoClose", 0);
    DeleteValue(kProbeKey, L"Height");
    log.Restart();
}

void BarTest::TearDown()
{
    CloseBar();
}

void BarTest::Start(const std::wstring& applet)
{
    ASSERT_NE(nullptr, StartBar(applet)) << "the side bar did not come up";
}

}  // namespace testkit
