// The device's Start-menu applications: each starts from its shortcuts with
// its window class and title, offers the task bar's "X" (no OK), ends on
// WM_CLOSE, and leaves its start and its end in the device log.
#include <string>

#include "ketra_testkit.h"

using namespace testkit;

namespace {

struct Application {
    const wchar_t* shortcut;
    const wchar_t* className;
    const wchar_t* title;
    const wchar_t* name;  // of the program and of its log lines
};

const Application kApplications[] = {
    {L"\\Windows\\Start Menu\\Calendar.lnk", L"Calendar", L"Calendar", L"calendar"},
    {L"\\Windows\\Start Menu\\Contacts.lnk", L"Contacts", L"Contacts", L"poutlook"},
    {L"\\Windows\\Start Menu\\Tasks.lnk", L"Tasks Application", L"Tasks", L"tasks"},
    {L"\\Windows\\Start Menu\\Programs\\File Explorer.lnk", L"Explore", L"File Explorer", L"fexplore"},
    {L"\\Windows\\Start Menu\\Programs\\Calculator.lnk", L"Calculator", L"Calculator", L"calc"},
    {L"\\Windows\\Start Menu\\Programs\\Games\\Solitaire.lnk", L"Solitaire", L"Solitaire", L"solitare"},
    // The shortcuts the task manager starts them by.
    {L"\\Windows\\tasks.lnk", L"Tasks Application", L"Tasks", L"tasks"},
    {L"\\Windows\\addrbook.lnk", L"Contacts", L"Contacts", L"poutlook"},
    {L"\\Windows\\calendar.lnk", L"Calendar", L"Calendar", L"calendar"},
};

const LONG_PTR kCaptionOkButton = static_cast<LONG_PTR>(0x80000000UL);

std::wstring Exe(const wchar_t* name)
{
    return std::wstring(name) + L".exe";
}

// Ends the applications a test may leave running, however it ends.
struct EndApplications {
    ~EndApplications()
    {
        for (const wchar_t* program : {L"calendar.exe", L"tasks.exe", L"poutlook.exe", L"fexplore.exe", L"calc.exe",
                                       L"solitare.exe"})
            EndProcesses(program);
    }
};

}  // namespace

TEST(StartMenuApplications, RunFromTheirShortcutsAndEndOnClose)
{
    EndApplications cleanup;
    for (const Application& application : kApplications) {
        SCOPED_TRACE(ToUtf8(application.shortcut));
        DeviceLog log;
        ASSERT_TRUE(Execute(application.shortcut));
        HWND window = WaitForWindow(application.className, 10000);
        ASSERT_NE(nullptr, window);
        EXPECT_EQ(application.title, TextOf(window));
        EXPECT_EQ(0, GetWindowLongPtrW(window, GWL_EXSTYLE) & kCaptionOkButton);
        EXPECT_TRUE(log.WaitFor(std::wstring(application.name) + L": started", 5000));

        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitNoWindow(application.className, 5000));
        EXPECT_TRUE(log.WaitFor(std::wstring(application.name) + L": closed", 5000));
        EXPECT_TRUE(WaitProcessCount(Exe(application.name).c_str(), 0, 5000));
    }
}

TEST(StartMenuApplications, ASecondStartBringsTheRunningOneForward)
{
    EndApplications cleanup;
    DeviceLog log;
    ASSERT_TRUE(Execute(L"\\Windows\\Start Menu\\Tasks.lnk"));
    HWND first = WaitForWindow(L"Tasks Application", 10000);
    ASSERT_NE(nullptr, first);
    ASSERT_TRUE(Execute(L"\\Windows\\Start Menu\\Programs\\Calculator.lnk"));
    ASSERT_NE(nullptr, WaitForWindow(L"Calculator", 10000));
    ASSERT_TRUE(Execute(L"\\Windows\\tasks.lnk"));
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == first; }, 5000));
    EXPECT_TRUE(WaitProcessCount(L"tasks.exe", 1, 3000));
    EXPECT_EQ(1, log.Count(L"tasks: started"));
}

// A topmost window stays on the screen above an application started after
// it (the side bar over the programs it starts).
TEST(StartMenuApplications, StayUnderTopmostWindows)
{
    EndApplications cleanup;
    const COLORREF marker = RGB(0xC0, 0x10, 0xC0);
    HBRUSH brush = CreateSolidBrush(marker);
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = brush;
    wc.lpszClassName = L"TopmostMarker";
    RegisterClassW(&wc);
    HWND topmost = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName, L"",
                                   WS_POPUP | WS_VISIBLE, 20, 100, 60, 40, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(nullptr, topmost);
    PumpMessages(300);

    ASSERT_TRUE(Execute(L"\\Windows\\Start Menu\\Calendar.lnk"));
    HWND calendar = WaitForWindow(L"Calendar", 10000);
    ASSERT_NE(nullptr, calendar);
    WaitUntilIdle(calendar);
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(50, 120) == marker; }, 3000))
        << "the calendar covers the topmost window";
    PostMessageW(calendar, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitNoWindow(L"Calendar", 5000));
    EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(50, 120) == marker; }, 3000))
        << "the Today screen covers the topmost window";
    DestroyWindow(topmost);
    DeleteObject(brush);
}
