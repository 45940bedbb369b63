// The side bar on the device for the host's tests, started and driven from
// outside as other programs and the user drive it: devctl (messages, taps,
// the device log), the registry, and the window manager's view of the bar.
// The probe applets log every message they receive to the device log.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "devctl_runner.h"

extern const wchar_t kHost[];
extern const wchar_t kOptions[];
extern const wchar_t kProbeState[];

std::wstring Num(long long value);

// How often text occurs in the device log.
int LogCount(const std::wstring& text);

// Sends the bar a message through devctl, as another program does; its
// printed result without the line end.
std::wstring Send(UINT message, long long wParam, long long lParam);

std::wstring CurrentApplet();

HWND FindBar();
// The bar's rectangle on the screen (empty when there is no bar).
RECT BarRect();
// The first child of the bar of that class, null when there is none.
HWND FindAppletWindow(LPCWSTR className);

// HKLM values written straight from the test (it runs inside the device).
void SetMachineDword(LPCWSTR key, LPCWSTR name, DWORD value);
void SetMachineText(LPCWSTR key, LPCWSTR name, LPCWSTR value);
void DeleteMachineValue(LPCWSTR key, LPCWSTR name);

// An applet registration for a test's duration; give it an order after
// the installed ones, so that their menu positions stay.
struct TemporaryApplet {
    TemporaryApplet(const std::wstring& name, const std::wstring& dll, DWORD order, LPCWSTR group = L"Default");
    ~TemporaryApplet();
    TemporaryApplet(const TemporaryApplet&) = delete;
    TemporaryApplet& operator=(const TemporaryApplet&) = delete;
    std::wstring key;
};

class HostTest : public ::testing::Test {
protected:
    void SetUp() override;
    // Starts the bar and waits for its window.
    void Start();
    // Ends the bar through its exit command and waits until it is gone.
    void TearDown() override;
};
