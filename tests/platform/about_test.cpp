// The About applet loaded by a small test host: its window, its drawing
// over the host's background and its taps.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "applet.h"
#include "shell.h"
#include "program_runner.h"
#include "todaycmn.h"

namespace {

const COLORREF kHostFill = RGB(0, 128, 0);
const UINT kMsgGetVersion = 1033;
const DWORD kLogWaitMs = 10000;

typedef HWND (*InitializeItem)(TODAYLISTITEM*, HWND);

// The host's window: answers the background request with a known fill and
// the version request with 1.2.
LRESULT CALLBACK HostProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == TODAYM_DRAWWATERMARK && lParam) {
        const TODAYDRAWWATERMARKINFO* info = (const TODAYDRAWWATERMARKINFO*)lParam;
        HBRUSH brush = CreateSolidBrush(kHostFill);
        FillRect(info->hdc, &info->rc, brush);
        DeleteObject(brush);
        return 1;
    }
    if (message == kMsgGetVersion)
        return 0x0201;
    return DefWindowProcW(wnd, message, wParam, lParam);
}

class AboutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ABOUT_TEST_HOST";
        RegisterClassW(&wc);
        host_ = CreateWindowExW(WS_EX_TOPMOST, L"ABOUT_TEST_HOST", L"", WS_POPUP | WS_VISIBLE, 0, 0, 240, 80,
                                nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(nullptr, host_);
        library_ = LoadLibraryW(L"About.dll");
        ASSERT_NE(nullptr, library_);
        initialize_ = (InitializeItem)(void*)GetProcAddress(library_, (LPCSTR)(ULONG_PTR)ORDINAL_INITIALIZEITEM);
        ASSERT_NE(nullptr, initialize_);
        item_ = {};
        item_.fEnabled = 1;
        item_.fOptions = 1;
        item_.hinstDLL = library_;
    }

    void TearDown() override
    {
        if (item_.hwndCustom)
            SendMessageW(item_.hwndCustom, WM_TODAYCUSTOM_CLEARCACHE, (WPARAM)&item_, 0);
        DestroyWindow(host_);
        if (library_)
            FreeLibrary(library_);
    }

    HWND Create()
    {
        item_.hwndCustom = initialize_(&item_, host_);
        return item_.hwndCustom;
    }

    void Pump()
    {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }

    HWND host_ = nullptr;
    HMODULE library_ = nullptr;
    InitializeItem initialize_ = nullptr;
    TODAYLISTITEM item_;
};

TEST_F(AboutTest, DisabledRecordGivesNoWindow)
{
    item_.fEnabled = 0;
    EXPECT_EQ(nullptr, Create());
}

TEST_F(AboutTest, CreatesAHiddenChildOfItsOwnSizeAndGivesTheInstanceBack)
{
    HINSTANCE before = CorGetInstance();
    HWND wnd = Create();
    ASSERT_NE(nullptr, wnd);
    EXPECT_EQ(before, CorGetInstance());
    EXPECT_EQ(host_, GetParent(wnd));
    EXPECT_FALSE(IsWindowVisible(wnd));
    wchar_t className[16];
    GetClassNameW(wnd, className, 16);
    EXPECT_STREQ(L"ABOUT", className);
    RECT rect;
    GetWindowRect(wnd, &rect);
    EXPECT_EQ(240, rect.right - rect.left);
    EXPECT_EQ(56, rect.bottom - rect.top);

    // It keeps its own height: refresh answers 1 and leaves cyp alone.
    EXPECT_EQ(1, SendMessageW(wnd, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&item_, 0));
    EXPECT_EQ(0u, item_.cyp);
    EXPECT_EQ(0, SendMessageW(wnd, TODAYM_DRAWWATERMARK, 0, 0));  // "shown" is no background request
    EXPECT_EQ(0, SendMessageW(wnd, WM_TODAYCUSTOM_CLEARCACHE, (WPARAM)&item_, 0));
}

TEST_F(AboutTest, DrawsTextAndIconOverTheHostBackground)
{
    HWND wnd = Create();
    ASSERT_NE(nullptr, wnd);
    ShowWindow(wnd, SW_SHOW);
    UpdateWindow(wnd);
    Pump();

    HDC dc = GetDC(wnd);
    EXPECT_EQ(kHostFill, GetPixel(dc, 2, 2));        // outside text and icon
    EXPECT_EQ(kHostFill, GetPixel(dc, 230, 50));
    int white = 0, black = 0;
    for (int y = 6; y < 50; ++y)
        for (int x = 8; x < 180; ++x) {
            COLORREF pixel = GetPixel(dc, x, y);
            white += pixel == RGB(255, 255, 255);
            black += pixel == RGB(0, 0, 0);
        }
    int icon = 0;
    for (int y = 20; y < 52; ++y)
        for (int x = 186; x < 218; ++x)
            icon += GetPixel(dc, x, y) != kHostFill;
    ReleaseDC(wnd, dc);
    EXPECT_GT(white, 50);   // three lines of white text
    EXPECT_GT(black, 50);   // with their shadows
    EXPECT_GT(icon, 200);   // the icon covers most of its square
}

TEST_F(AboutTest, TapsOpenTheWebSiteAndHelpAndLogTheOemInformation)
{
    HWND wnd = Create();
    ASSERT_NE(nullptr, wnd);
    DeviceLogWatch log;
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 20));
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(50, 20));
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 30));
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(200, 30));
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 50));  // outside every area
    SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(100, 50));

    ASSERT_TRUE(log.WaitFor(L"launch: iexplore.exe http://www.zarq.example/ketra", kLogWaitMs));
    Sleep(500);
    std::vector<std::wstring> launches = log.Lines(L"launch: ");
    ASSERT_EQ(2u, launches.size());
    EXPECT_NE(std::wstring::npos, launches[1].find(L"iexplore.exe"));
    EXPECT_NE(std::wstring::npos, launches[1].find(L"\\help\\ketra.htm"));
    // The help page reaches the browser's view (one browser takes both starts).
    EXPECT_TRUE(WaitUntil([&] {
        for (const std::wstring& line : log.Lines(L"htmlview: navigate "))
            if (line.find(L"\\help\\ketra.htm") != std::wstring::npos)
                return true;
        return false;
    }, kLogWaitMs));
    // The browsers started must not outlive the test.
    log.WaitFor(L"iexplore: http://www.zarq.example/ketra", kLogWaitMs);
    Sleep(500);
    for (int i = 0; i < 4 && CSH::KillApp(L"iexplore.exe"); ++i) {
    }

    DeleteFileW(L"\\My Documents\\ZARQLOG.txt");
    SendMessageW(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(230, 5));
    std::ifstream file("\\My Documents\\ZARQLOG.txt");
    std::string line;
    ASSERT_TRUE(std::getline(file, line));
    EXPECT_EQ('[', line[0]);
    EXPECT_NE(std::string::npos, line.find("] ["));
}

}  // namespace
