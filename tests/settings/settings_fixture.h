// The fixture of the settings program's tests on the device: HKLM
// "SOFTWARE\ZARQ" put back after each test (closing the program saves every
// page), nothing left from earlier tests, and after the test its message
// boxes answered, the program closed (it starts the side bar again) and the
// side bar closed.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "ketra_testkit.h"

enum : UINT { kAppletsPage = 40040, kOptionsPage = 40037, kSkinPage = 40038 };

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Starts the settings program and shows the page.
    void Open(UINT page = kAppletsPage);
    // Closes it with OK or Cancel (both save), checks that it ended, and
    // waits a little for the side bar it starts.
    void Close(UINT command = IDOK);

    testkit::RegistrySandbox system_{{testkit::kSystemKey}};
    std::unique_ptr<testkit::ProgramDriver> settings_;
};
