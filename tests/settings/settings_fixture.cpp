#include "settings_fixture.h"

using namespace testkit;

void SettingsTest::SetUp()
{
    ASSERT_TRUE(system_.Saved()) << "HKLM\\SOFTWARE\\ZARQ could not be saved: not changing it";
    CloseSettingsAndBar();
}

void SettingsTest::TearDown()
{
    MessageBoxes::DismissAll();
    if (settings_ && settings_->Running())
        Close(IDCANCEL);
    settings_.reset();
    CloseBar();
}

void SettingsTest::Open(UINT page)
{
    CloseBar();
    settings_ = std::make_unique<ProgramDriver>(kSettingsProgram, kSettingsClass);
    ASSERT_TRUE(settings_->Started()) << "the settings program did not come up";
    settings_->MenuCommand(page);
    PumpMessages(100);
}

void SettingsTest::Close(UINT command)
{
    HWND bar = KetraFindBar();
    EXPECT_TRUE(settings_->CloseWith(command)) << "the settings program did not end";
    // The bar it starts writes its own settings as it ends: tests read the
    // registry while it runs (a bar without an install folder never comes).
    if (HWND restarted = WaitForWindow(KETRA_CLASS, 5000, bar))
        WaitUntilIdle(restarted);
}
