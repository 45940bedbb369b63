// BarTest: the fixture of tests of the side bar itself.  HKLM
// "SOFTWARE\ZARQ" is put back after each test (whatever it checked), the
// bar is set to start open on "About" without auto-close, Start() starts
// it, and it is ended after the test.  log counts the device log from the
// test's own start.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "device_log.h"
#include "registry.h"
#include "side_bar.h"

namespace testkit {

class BarTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Starts the bar (with an applet's name when given) and waits until it
    // takes input.
    void Start(const std::wstring& applet = L"");

    RegistrySandbox system_{{kSystemKey}};
    DeviceLog log;
};

// Where the group menu ("Group...") lists an applet: the index of its
// group's sub-menu and its index there, as the bar builds the menu from
// the applet list; false when the group menu does not list it.
bool GroupMenuPosition(const std::wstring& name, int* group, int* item);

}  // namespace testkit
