// The applet kit: libraries made with COR_APPLET (the probe, the zero-height
// probe, About) loaded through the one applet-library loader, the requests
// CApplet makes to its host, and the loader's trace lines.
#include <gtest/gtest.h>

#include <string>

#include <applet_library.h>
#include <ketra_host.h>

#include "applet.h"
#include "ketra_testkit.h"
#include "todaycmn.h"

namespace {

using namespace testkit;

const wchar_t kProgramLog[] = L"\\My Documents\\ZARQLOG.txt";

// A host window answering what applets ask of the bar, and remembering it.
struct HostRecord {
    TODAYDRAWWATERMARKINFO watermark = {};
    int watermarks = 0;
    LPARAM height = 0;
    WPARAM control = 99;
};
HostRecord g_host;

LRESULT CALLBACK HostProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case TODAYM_DRAWWATERMARK:
        if (lParam) {
            g_host.watermark = *reinterpret_cast<const TODAYDRAWWATERMARKINFO*>(lParam);
            ++g_host.watermarks;
        }
        return 7;
    case WM_KETRA_COLOR:
        return 0x100 + wParam;
    case WM_KETRA_VERSION:
        return 0x10203;  // only the low 16 bits are the version
    case WM_KETRA_SETHEIGHT:
        g_host.height = lParam;
        return 1;
    case WM_KETRA_CONTROL:
        g_host.control = wParam;
        return 1;
    }
    return DefWindowProcW(wnd, message, wParam, lParam);
}

class AppletKitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_host = HostRecord();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"APPLET_KIT_TEST_HOST";
        RegisterClassW(&wc);
        host_ = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 240, 80, nullptr, nullptr, wc.hInstance,
                                nullptr);
        ASSERT_NE(nullptr, host_);
    }

    void TearDown() override { DestroyWindow(host_); }

    RegistrySandbox probeState_{{kProbeKey}};
    HWND host_ = nullptr;
    // Classes of the test's own windows live in the test program.
    CorInstanceScope instance_{GetModuleHandleW(nullptr)};
};

// An applet window of the test's own, to reach CApplet's helpers directly.
class CRecordingApplet : public CApplet {
public:
    int OnTodayQueryRefreshCache(TODAYLISTITEM* item) override
    {
        lastItem = item;
        return 1;
    }
    TODAYLISTITEM* lastItem = reinterpret_cast<TODAYLISTITEM*>(1);
};

TEST_F(AppletKitTest, Export240MakesTheClassWindowOfItsSizeOnlyForAnEnabledRecord)
{
    CAppletLibrary library;
    ASSERT_TRUE(library.Load(L"Probe.dll"));
    library.GetItem()->fEnabled = FALSE;
    EXPECT_EQ(nullptr, library.CreateItemWindow(host_));

    library.GetItem()->fEnabled = TRUE;
    const HINSTANCE instance = CorGetInstance();
    HWND first = library.CreateItemWindow(host_);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(instance, CorGetInstance()) << "the caller's framework instance was not given back";
    EXPECT_EQ(host_, GetParent(first));
    EXPECT_FALSE(IsWindowVisible(first));
    wchar_t className[32] = {};
    GetClassNameW(first, className, 32);
    EXPECT_STREQ(L"KETRA_PROBE", className);
    WNDCLASSW wc;
    EXPECT_TRUE(GetClassInfoW(library.GetModule(), L"KETRA_PROBE", &wc)) << "class not registered in the library";
    RECT rect;
    GetWindowRect(first, &rect);
    EXPECT_EQ(240, rect.right - rect.left);
    EXPECT_EQ(40, rect.bottom - rect.top);

    // A second call replaces the window rather than leaving two.
    HWND second = library.CreateItemWindow(host_);
    ASSERT_NE(nullptr, second);
    EXPECT_FALSE(IsWindow(first) && first != second);
    library.Unload();
    EXPECT_FALSE(IsWindow(second)) << "unloading left the applet's window";
}

TEST_F(AppletKitTest, AnUnloadedLibraryLeavesNoClassBehindSoItLoadsAgain)
{
    for (int round = 0; round < 2; ++round) {
        CAppletLibrary library;
        ASSERT_TRUE(library.Load(L"ZeroProbe.dll"));
        const HMODULE module = library.GetModule();
        HWND window = library.CreateItemWindow(host_);
        ASSERT_NE(nullptr, window) << "round " << round;
        RECT rect;
        GetWindowRect(window, &rect);
        EXPECT_EQ(0, rect.bottom - rect.top);
        library.Unload();
        WNDCLASSW wc;
        EXPECT_FALSE(GetClassInfoW(module, L"KETRA_ZERO_PROBE", &wc)) << "round " << round;
    }
}

TEST_F(AppletKitTest, ExportsFollowTheMacrosUsed)
{
    CAppletLibrary zero, probe, about;
    ASSERT_TRUE(zero.Load(L"ZeroProbe.dll"));
    ASSERT_TRUE(probe.Load(L"Probe.dll"));
    ASSERT_TRUE(about.Load(L"About.dll"));
    EXPECT_EQ(nullptr, zero.GetCheckNotify()) << "243 without COR_APPLET_ATTENTION";
    ASSERT_NE(nullptr, probe.GetCheckNotify());
    WriteDword(kProbeKey, L"Notify", 5);
    EXPECT_EQ(5, probe.GetCheckNotify()());

    // The default options procedure: initialise 1, OK and Cancel end it, nothing else.
    DLGPROC options = zero.GetOptionsDialogProc();
    ASSERT_NE(nullptr, options);
    EXPECT_EQ(1, options(host_, WM_INITDIALOG, 0, 0));
    EXPECT_EQ(1, options(host_, WM_COMMAND, IDOK, 0));
    EXPECT_EQ(1, options(host_, WM_COMMAND, IDCANCEL, 0));
    EXPECT_EQ(0, options(host_, WM_COMMAND, 5, 0));
    EXPECT_EQ(0, options(host_, WM_PAINT, 0, 0));
    // COR_APPLET_OPTIONS replaces it: About answers 0 to everything.
    EXPECT_EQ(0, about.GetOptionsDialogProc()(host_, WM_INITDIALOG, 0, 0));
    // No template 500: no dialog.
    EXPECT_FALSE(zero.RunOptionsDialog(host_));
}

TEST_F(AppletKitTest, TheRecordNamesTheLibraryCutToItsField)
{
    CAppletLibrary library;
    ASSERT_TRUE(library.Load(L"ProbeNarrow.dll"));
    const TODAYLISTITEM* item = library.GetItem();
    EXPECT_STREQ(L"ProbeNarrow.dll", item->szName);
    EXPECT_STREQ(L"ProbeNarrow.dll", item->szDLLPath);
    EXPECT_EQ(library.GetModule(), item->hinstDLL);
    EXPECT_TRUE(item->fEnabled);
    EXPECT_TRUE(item->fOptions);
    EXPECT_EQ(0u, item->cyp);

    // A long path is cut to 31 characters and terminated.
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring longPath = self;
    longPath.resize(longPath.rfind(L'\\') + 1);
    for (int i = 0; i < 20; ++i)
        longPath += L"x\\..\\";
    longPath += L"ProbeNarrow.dll";
    ASSERT_TRUE(library.Load(longPath.c_str()));
    EXPECT_EQ(longPath.substr(0, MAX_ITEMNAME - 1), library.GetItem()->szName);
    EXPECT_EQ(longPath, library.GetItem()->szDLLPath);
}

TEST_F(AppletKitTest, EachFailureLeavesItsTraceLine)
{
    DeleteFileW(kProgramLog);
    CAppletLibrary library;
    EXPECT_FALSE(library.Load(L"NoSuchApplet.dll"));
    ASSERT_TRUE(library.Load(L"KtReg.dll"));  // a library, but no applet
    EXPECT_EQ(nullptr, library.CreateItemWindow(host_));
    WriteDword(kProbeKey, L"Fail240", 1);
    ASSERT_TRUE(library.Load(L"Probe.dll"));
    EXPECT_EQ(nullptr, library.CreateItemWindow(host_));

    const std::string log = ReadBytes(kProgramLog);
    EXPECT_NE(std::string::npos, log.find("[NoSuchApplet.dll]: no library")) << log;
    EXPECT_NE(std::string::npos, log.find("[KtReg.dll]: no export 240")) << log;
    EXPECT_NE(std::string::npos, log.find("[Probe.dll]: 240 returned no window")) << log;
}

TEST_F(AppletKitTest, HostRequestsReachTheParent)
{
    CRecordingApplet applet;
    RECT rect = {0, 0, 100, 30};
    ASSERT_NE(nullptr, applet.Create(L"APPLET_KIT_TEST_APPLET", rect, host_));

    HDC dc = CreateCompatibleDC(nullptr);
    RECT area = {1, 2, 50, 20};
    EXPECT_EQ(7, applet.DrawHostBackground(dc, area));
    ASSERT_EQ(1, g_host.watermarks);
    EXPECT_EQ(dc, g_host.watermark.hdc);
    EXPECT_TRUE(EqualRect(&area, &g_host.watermark.rc));
    EXPECT_EQ(applet.GetHWnd(), g_host.watermark.hwnd);
    DeleteDC(dc);

    EXPECT_EQ(0x100u, applet.HostColour(0));
    EXPECT_EQ(0x102u, applet.HostColour(2));
    EXPECT_EQ(0x0203, applet.HostVersion());
    EXPECT_FALSE(applet.RequestHeight(0));
    EXPECT_EQ(0, g_host.height) << "a height of 0 was sent";
    EXPECT_TRUE(applet.RequestHeight(64));
    EXPECT_EQ(64, g_host.height);
    applet.FocusOn();
    EXPECT_EQ(static_cast<WPARAM>(KETRA_CONTROL_FOCUS_ON), g_host.control);
    applet.DestroyWindow();
}

// Regression: query-refresh handed any sender's wParam to the applet as its
// record, so another program could make an applet write through a pointer
// of its choosing.
TEST_F(AppletKitTest, QueryRefreshHandsOnTheRecordOnlyFromTheWindowsOwnThread)
{
    CRecordingApplet applet;
    RECT rect = {0, 0, 100, 30};
    ASSERT_NE(nullptr, applet.Create(L"APPLET_KIT_TEST_APPLET", rect, host_));
    TODAYLISTITEM item = {};
    EXPECT_EQ(1, SendMessageW(applet.GetHWnd(), WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&item, 0));
    EXPECT_EQ(&item, applet.lastItem);

    struct Request {
        HWND window;
        TODAYLISTITEM* item;
        DWORD_PTR answer;
    } request = {applet.GetHWnd(), &item, 99};
    HANDLE sender = CreateThread(
        nullptr, 0,
        [](LPVOID parameter) -> DWORD {
            Request* r = static_cast<Request*>(parameter);
            SendMessageTimeoutW(r->window, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)r->item, 0, SMTO_NORMAL, 5000,
                                &r->answer);
            return 0;
        },
        &request, 0, nullptr);
    ASSERT_NE(nullptr, sender);
    ASSERT_TRUE(PumpUntil([&] { return WaitForSingleObject(sender, 0) == WAIT_OBJECT_0; }, 5000));
    CloseHandle(sender);
    EXPECT_EQ(1u, request.answer);
    EXPECT_EQ(nullptr, applet.lastItem) << "another thread's record reached the applet";
    applet.DestroyWindow();
}

// The kit's applets know the record their host created them with: only
// that one is written, whoever sends 1267 and from wherever.
TEST_F(AppletKitTest, AKitAppletWritesOnlyItsHostsRecord)
{
    WriteDword(kProbeKey, L"Height", 33);
    CAppletLibrary library;
    ASSERT_TRUE(library.Load(L"Probe.dll"));
    HWND window = library.CreateItemWindow(host_);
    ASSERT_NE(nullptr, window);
    TODAYLISTITEM stranger = {};
    EXPECT_EQ(0, SendMessageW(window, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)&stranger, 0));
    EXPECT_EQ(0u, stranger.cyp) << "a record that is not the host's was written";

    struct Request {
        HWND window;
        TODAYLISTITEM* item;
        DWORD_PTR answer;
    } request = {window, library.GetItem(), 99};
    HANDLE sender = CreateThread(
        nullptr, 0,
        [](LPVOID parameter) -> DWORD {
            Request* r = static_cast<Request*>(parameter);
            SendMessageTimeoutW(r->window, WM_TODAYCUSTOM_QUERYREFRESHCACHE, (WPARAM)r->item, 0, SMTO_NORMAL, 5000,
                                &r->answer);
            return 0;
        },
        &request, 0, nullptr);
    ASSERT_NE(nullptr, sender);
    ASSERT_TRUE(PumpUntil([&] { return WaitForSingleObject(sender, 0) == WAIT_OBJECT_0; }, 5000));
    CloseHandle(sender);
    EXPECT_EQ(1u, request.answer) << "the host's own record, sent from another thread, was refused";
    EXPECT_EQ(33u, library.GetItem()->cyp);
}

}  // namespace
