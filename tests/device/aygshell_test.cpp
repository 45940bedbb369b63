// The device shell library: gestures, menu bars, full-screen dialogs,
// shortcuts, shell execution and special folders, called as system code
// calls them (the device libraries are linked ahead of the desktop's).
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <aygshell.h>
#include <sip.h>
#include <devlog.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ketra_testkit.h"

namespace {

using namespace testkit;

void DropMouseMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
}

// A top-level window that records the commands, pop-up menus and
// notifications it receives.
class Owner {
public:
    explicit Owner(const RECT& rc)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"AygTestOwner";
        RegisterClassW(&wc);
        hwnd = CreateWindowExW(0, wc.lpszClassName, L"Owner", WS_POPUP | WS_VISIBLE, rc.left, rc.top,
                               rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr, wc.hInstance, this);
        SetForegroundWindow(hwnd);
        PumpMessages(30);
    }
    ~Owner()
    {
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
    }
    Owner(const Owner&) = delete;
    Owner& operator=(const Owner&) = delete;

    HWND hwnd = nullptr;
    std::vector<UINT> commands;
    std::vector<UINT> notifications;
    std::function<void(HMENU)> onInitPopup;

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        if (msg == WM_NCCREATE)
            SetWindowLongPtrW(wnd, GWLP_USERDATA, (LONG_PTR)((CREATESTRUCTW*)lp)->lpCreateParams);
        Owner* self = (Owner*)GetWindowLongPtrW(wnd, GWLP_USERDATA);
        if (self) {
            if (msg == WM_COMMAND)
                self->commands.push_back(LOWORD(wp));
            if (msg == WM_NOTIFY)
                self->notifications.push_back(((NMHDR*)lp)->code);
            if (msg == WM_INITMENUPOPUP && self->onInitPopup)
                self->onInitPopup((HMENU)wp);
        }
        return DefWindowProcW(wnd, msg, wp, lp);
    }
};

const RECT kFullScreen = {0, 26, 240, 320};

/* --- Tap and hold -------------------------------------------------------- */

class Gesture : public ::testing::Test {
protected:
    void SetUp() override
    {
        DevStateDelete(L"ForceGesture");
        DevStateSetDword(L"HoldTime", 300);
        POINT screen = {20, 20};
        ClientToScreen(owner.hwnd, &screen);
        SetCursorPos(screen.x, screen.y);  // no stray moves from the cursor
        PumpMessages(30);
        DropMouseMessages();
        info.cbSize = sizeof(info);
        info.hwndClient = owner.hwnd;
        info.ptDown = {20, 20};
        info.dwFlags = SHRG_RETURNCMD;
    }
    void TearDown() override
    {
        DevStateDelete(L"HoldTime");
        DevStateDelete(L"ForceGesture");
    }
    DWORD TimedRecognize(DWORD* elapsedMs)
    {
        ULONGLONG start = GetTickCount64();
        DWORD result = SHRecognizeGesture(&info);
        *elapsedMs = (DWORD)(GetTickCount64() - start);
        return result;
    }
    bool Queued(UINT message)
    {
        MSG msg;
        return PeekMessageW(&msg, owner.hwnd, message, message, PM_REMOVE) != 0;
    }

    Owner owner{kFullScreen};
    SHRGINFO info = {};
};

TEST_F(Gesture, HoldingStillForTheHoldTimeIsTheContextMenuGesture)
{
    // Pen jitter inside the threshold does not end the hold.
    PostMessageW(owner.hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(22, 18));
    DWORD elapsed = 0;
    EXPECT_EQ((DWORD)GN_CONTEXTMENU, TimedRecognize(&elapsed));
    EXPECT_GE(elapsed, 280u);
}

TEST_F(Gesture, LiftingThePenIsATapAndTheButtonUpStaysQueued)
{
    PostMessageW(owner.hwnd, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    DWORD elapsed = 0;
    EXPECT_EQ(0u, TimedRecognize(&elapsed));
    EXPECT_LT(elapsed, 200u);
    EXPECT_TRUE(Queued(WM_LBUTTONUP));
}

TEST_F(Gesture, MovingBeyondTheThresholdEndsTheWaitAndTheMoveStaysQueued)
{
    PostMessageW(owner.hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20 + SHRG_THRESHOLD + 3, 20));
    DWORD elapsed = 0;
    EXPECT_EQ(0u, TimedRecognize(&elapsed));
    EXPECT_LT(elapsed, 200u);
    EXPECT_TRUE(Queued(WM_MOUSEMOVE));
}

TEST_F(Gesture, ForcedResultIsUsedOnceThenTheQueueDecidesAgain)
{
    DevStateSetDword(L"ForceGesture", 1);
    PostMessageW(owner.hwnd, WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
    EXPECT_EQ((DWORD)GN_CONTEXTMENU, SHRecognizeGesture(&info));
    EXPECT_EQ(0xFFFFu, DevStateGetDword(L"ForceGesture", 0xFFFF));
    EXPECT_EQ(0u, SHRecognizeGesture(&info));  // the queued up is a tap again
    EXPECT_TRUE(Queued(WM_LBUTTONUP));

    DevStateSetDword(L"ForceGesture", 2);
    DWORD elapsed = 0;
    EXPECT_EQ(0u, TimedRecognize(&elapsed));
    EXPECT_LT(elapsed, 200u);
    EXPECT_EQ(0xFFFFu, DevStateGetDword(L"ForceGesture", 0xFFFF));
}

TEST_F(Gesture, WithoutReturnCommandTheWindowIsNotified)
{
    DevStateSetDword(L"ForceGesture", 1);
    info.dwFlags = 0;
    EXPECT_EQ((DWORD)GN_CONTEXTMENU, SHRecognizeGesture(&info));
    ASSERT_EQ(1u, owner.notifications.size());
    EXPECT_EQ((UINT)GN_CONTEXTMENU, owner.notifications[0]);
}

/* --- Menu bars ----------------------------------------------------------- */

// The new bar, or null (and no handle left in the record) on failure.
HWND CreateBar(HWND owner, UINT id, int bitmap = 0, int images = 0)
{
    SHMENUBARINFO mbi = {};
    mbi.cbSize = sizeof(mbi);
    mbi.hwndParent = owner;
    mbi.nToolBarId = id;
    mbi.hInstRes = GetModuleHandleW(nullptr);
    mbi.nBmpId = bitmap;
    mbi.cBmpImages = images;
    mbi.hwndMB = owner;
    if (SHCreateMenuBar(&mbi))
        return mbi.hwndMB;
    EXPECT_EQ(nullptr, mbi.hwndMB);
    return nullptr;
}

HWND ToolbarOf(HWND bar)
{
    return FindWindowExW(bar, nullptr, TOOLBARCLASSNAMEW, nullptr);
}

// A stylus tap on a button, as the toolbar sees one.
void TapButton(HWND bar, UINT command)
{
    HWND toolbar = ToolbarOf(bar);
    RECT rc = {};
    ASSERT_TRUE(SendMessageW(toolbar, TB_GETRECT, command, (LPARAM)&rc));
    LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    PostMessageW(toolbar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(toolbar, WM_LBUTTONUP, 0, at);
}

TEST(MenuBar, IsAStripAtTheBottomOwnedByItsWindowWhichMakesRoomForIt)
{
    Owner owner(kFullScreen);
    HWND bar = CreateBar(owner.hwnd, 107);
    ASSERT_TRUE(bar);
    wchar_t cls[32] = L"";
    GetClassNameW(bar, cls, 32);
    EXPECT_STREQ(L"menu_worker", cls);
    EXPECT_EQ(0, GetWindowTextLengthW(bar));
    EXPECT_TRUE(GetWindowLongPtrW(bar, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(owner.hwnd, GetWindow(bar, GW_OWNER));
    EXPECT_TRUE(IsWindowVisible(bar));
    // The input-panel button keeps the strip's right 36 pixels.
    EXPECT_EQ((RECT{0, 294, 204, 320}), WindowRect(bar));
    EXPECT_EQ((RECT{0, 26, 240, 294}), WindowRect(owner.hwnd));
    EXPECT_EQ(bar, SHFindMenuBar(owner.hwnd));
    EXPECT_EQ(2, SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));

    DestroyWindow(owner.hwnd);
    EXPECT_FALSE(IsWindow(bar));

    // An owner that hides the input-panel button gets the whole strip.
    Owner wide(kFullScreen);
    SHMENUBARINFO mbi = {};
    mbi.cbSize = sizeof(mbi);
    mbi.hwndParent = wide.hwnd;
    mbi.nToolBarId = 107;
    mbi.hInstRes = GetModuleHandleW(nullptr);
    mbi.dwFlags = SHCMBF_HIDESIPBUTTON;
    ASSERT_TRUE(SHCreateMenuBar(&mbi));
    EXPECT_EQ((RECT{0, 294, 240, 320}), WindowRect(mbi.hwndMB));
}

TEST(MenuBar, DropDownOpensItsPopUpAndTheChosenCommandReachesTheOwner)
{
    Owner owner(kFullScreen);
    HWND bar = CreateBar(owner.hwnd, 107);
    ASSERT_TRUE(bar);
    HMENU popup = (HMENU)SendMessageW(bar, SHCMBM_GETSUBMENU, 0, 40031);
    ASSERT_TRUE(popup);
    EXPECT_EQ(40040u, GetMenuItemID(popup, 0));
    EXPECT_EQ(popup, GetSubMenu((HMENU)SendMessageW(bar, SHCMBM_GETMENU, 0, 0), 0));
    EXPECT_EQ(nullptr, (HMENU)SendMessageW(bar, SHCMBM_GETSUBMENU, 0, 40050));

    // The user picks the first item of the pop-up.
    int opened = 0;
    owner.onInitPopup = [&](HMENU menu) {
        if (menu != popup)
            return;
        ++opened;
        PostMessageW(owner.hwnd, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(owner.hwnd, WM_KEYDOWN, VK_RETURN, 0);
    };
    // A pop-up that never hears the keys must not hang the test.
    UINT_PTR guard = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
    TapButton(bar, 40031);
    bool chosen = PumpUntil([&] { return !owner.commands.empty(); }, 5000);
    KillTimer(nullptr, guard);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(1, opened);
    EXPECT_EQ(std::vector<UINT>{40040}, owner.commands);

    owner.commands.clear();
    TapButton(bar, 40050);
    ASSERT_TRUE(PumpUntil([&] { return !owner.commands.empty(); }, 5000));
    EXPECT_EQ(std::vector<UINT>{40050}, owner.commands);
}

TEST(MenuBar, ToolButtonsUseTheBitmapStripCheckAsAGroupAndHaveTips)
{
    Owner owner(kFullScreen);
    HWND bar = CreateBar(owner.hwnd, 107, 111, 3);
    ASSERT_TRUE(bar);
    HIMAGELIST images = (HIMAGELIST)SendMessageW(bar, TB_GETIMAGELIST, 0, 0);
    ASSERT_TRUE(images);
    EXPECT_EQ(3, ImageList_GetImageCount(images));
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(16, cx);
    EXPECT_EQ(16, cy);

    TBBUTTON buttons[3] = {};
    for (int i = 0; i < 3; ++i) {
        buttons[i].iBitmap = i;
        buttons[i].idCommand = 7001 + i;
        buttons[i].fsState = TBSTATE_ENABLED | (i == 0 ? TBSTATE_CHECKED : 0);
        buttons[i].fsStyle = TBSTYLE_CHECKGROUP;
        buttons[i].iString = -1;
    }
    ASSERT_TRUE(CommandBar_AddButtons(bar, 3, buttons));
    const WCHAR* tips[] = {L"Applet Management", L"Ketra Settings", L"Ketra Skin"};
    ASSERT_TRUE(CommandBar_AddToolTips(bar, 3, tips));
    EXPECT_EQ(5, SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));

    TapButton(bar, 7002);
    ASSERT_TRUE(PumpUntil([&] { return !owner.commands.empty(); }, 5000));
    EXPECT_EQ(std::vector<UINT>{7002}, owner.commands);
    EXPECT_TRUE(SendMessageW(bar, TB_ISBUTTONCHECKED, 7002, 0));
    EXPECT_FALSE(SendMessageW(bar, TB_ISBUTTONCHECKED, 7001, 0));

    // Tips belong to the image buttons; the text buttons before them take none.
    wchar_t text[64] = L"";
    NMTBGETINFOTIPW tip = {};
    tip.hdr.hwndFrom = ToolbarOf(bar);
    tip.hdr.code = TBN_GETINFOTIPW;
    tip.pszText = text;
    tip.cchTextMax = 64;
    tip.iItem = 7002;
    SendMessageW(bar, WM_NOTIFY, 1, (LPARAM)&tip);
    EXPECT_STREQ(L"Ketra Settings", text);
}

TEST(MenuBar, BareMenuBecomesDropDownsAndBrokenOrMissingResourcesAreRefused)
{
    Owner owner(kFullScreen);
    HWND bar = CreateBar(owner.hwnd, 110);
    ASSERT_TRUE(bar);
    EXPECT_EQ(2, SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
    HMENU edit = (HMENU)SendMessageW(bar, SHCMBM_GETSUBMENU, 0, SHMB_HMENU_FIRSTCMD + 1);
    ASSERT_TRUE(edit);
    EXPECT_EQ(40070u, GetMenuItemID(edit, 0));

    Owner other(kFullScreen);
    EXPECT_EQ(nullptr, CreateBar(other.hwnd, 109));   // claims more buttons than it holds
    EXPECT_EQ(nullptr, CreateBar(other.hwnd, 4242));  // no such resource
    EXPECT_EQ(nullptr, SHFindMenuBar(other.hwnd));
}

/* --- Full-screen dialogs and activation ---------------------------------- */

INT_PTR CALLBACK PlainDialogProc(HWND, UINT msg, WPARAM, LPARAM)
{
    return msg == WM_INITDIALOG;
}

HWND CreateTestDialog()
{
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(200), nullptr, PlainDialogProc, 0);
}

BOOL InitFullScreen(HWND dlg)
{
    SHINITDLGINFO info = {SHIDIM_FLAGS, dlg, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN};
    return SHInitDialog(&info);
}

TEST(InitDialog, FullScreenBelowTheTaskBarWithTheOkButtonAndThePanelDown)
{
    static_assert((SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN) == 13, "flags used by the framework");
    ASSERT_TRUE(SHSipPreference(nullptr, SIP_UP));
    HWND dlg = CreateTestDialog();
    ASSERT_TRUE(dlg);
    ASSERT_TRUE(InitFullScreen(dlg));
    EXPECT_EQ((RECT{0, 26, 240, 320}), WindowRect(dlg));
    EXPECT_EQ(WS_EX_CAPTIONOKBTN, (DWORD)GetWindowLongPtrW(dlg, GWL_EXSTYLE) & WS_EX_CAPTIONOKBTN);
    EXPECT_FALSE(GetWindowLongPtrW(dlg, GWL_STYLE) & WS_CAPTION);  // the task bar shows the title
    // The panel itself went down, and says so.
    EXPECT_EQ(0u, DevStateGetDword(L"SipUp", 1));
    EXPECT_FALSE(IsWindowVisible(FindWindowW(L"SipWndClass", nullptr)));

    EXPECT_TRUE(SHDoneButton(dlg, SHDB_HIDE));
    EXPECT_FALSE(GetWindowLongPtrW(dlg, GWL_EXSTYLE) & WS_EX_CAPTIONOKBTN);
    EXPECT_TRUE(SHDoneButton(dlg, SHDB_SHOW));
    EXPECT_TRUE(GetWindowLongPtrW(dlg, GWL_EXSTYLE) & WS_EX_CAPTIONOKBTN);
    DestroyWindow(dlg);
}

TEST(InitDialog, MenuBarTakesItsStripWhicheverComesFirst)
{
    HWND barFirst = CreateTestDialog();
    ASSERT_TRUE(barFirst);
    ASSERT_TRUE(CreateBar(barFirst, 107));
    ASSERT_TRUE(InitFullScreen(barFirst));
    EXPECT_EQ((RECT{0, 26, 240, 294}), WindowRect(barFirst));
    DestroyWindow(barFirst);

    HWND dialogFirst = CreateTestDialog();
    ASSERT_TRUE(dialogFirst);
    ShowWindow(dialogFirst, SW_SHOW);
    ASSERT_TRUE(InitFullScreen(dialogFirst));
    ASSERT_TRUE(CreateBar(dialogFirst, 107));
    EXPECT_EQ((RECT{0, 26, 240, 294}), WindowRect(dialogFirst));
    DestroyWindow(dialogFirst);
}

// The built-in keyboard's panel (the test device's method) starts at 214.
TEST(InitDialog, SizedDialogEndsAtTheRaisedPanel)
{
    HWND dlg = CreateTestDialog();
    ASSERT_TRUE(dlg);
    ASSERT_TRUE(SHSipPreference(dlg, SIP_UP));
    SIPINFO info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(SHSipInfo(SPI_GETSIPINFO, 0, &info, 0));
    EXPECT_TRUE(info.fdwFlags & SIPF_ON);
    SHINITDLGINFO sized = {SHIDIM_FLAGS, dlg, SHIDIF_SIZEDLG};
    ASSERT_TRUE(SHInitDialog(&sized));
    EXPECT_EQ((RECT{0, 26, 240, info.rcSipRect.top}), WindowRect(dlg));
    EXPECT_EQ(214, info.rcSipRect.top);

    ASSERT_TRUE(SHSipPreference(dlg, SIP_DOWN));
    ASSERT_TRUE(SHInitDialog(&sized));
    EXPECT_EQ((RECT{0, 26, 240, 320}), WindowRect(dlg));
    EXPECT_FALSE(SHSipInfo(SPI_GETWORKAREA, 0, &info, 0)) << "only the panel's parameters";
    DestroyWindow(dlg);
}

TEST(Activation, FocusReturnsToTheChildThatHadIt)
{
    HWND dlg = CreateTestDialog();
    ASSERT_TRUE(dlg);
    ShowWindow(dlg, SW_SHOW);
    HWND second = GetDlgItem(dlg, 202);
    SetFocus(second);
    SHACTIVATEINFO sai = {};
    sai.cbSize = sizeof(sai);
    EXPECT_TRUE(SHHandleWMActivate(dlg, WA_INACTIVE, 0, &sai, 0));
    EXPECT_EQ(second, sai.hwndLastFocus);
    EXPECT_EQ(0u, sai.fActive);

    SetFocus(nullptr);
    EXPECT_TRUE(SHHandleWMActivate(dlg, WA_ACTIVE, 0, &sai, 0));
    EXPECT_EQ(second, GetFocus());
    EXPECT_EQ(1u, sai.fActive);
    DestroyWindow(dlg);
}

/* --- Task bar ------------------------------------------------------------ */

TEST(TaskBar, FullScreenHidesAndShowsTheShellsTaskBar)
{
    HWND taskBar = FindWindowW(L"HHTaskBar", nullptr);
    ASSERT_TRUE(taskBar) << "the device shell is not running";
    Owner owner(kFullScreen);
    EXPECT_TRUE(SHFullScreen(owner.hwnd, SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON));
    bool hidden = PumpUntil([&] { return !IsWindowVisible(taskBar); }, 3000);
    EXPECT_TRUE(SHFullScreen(owner.hwnd, SHFS_SHOWTASKBAR | SHFS_SHOWSIPBUTTON));
    EXPECT_TRUE(hidden);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(taskBar) != FALSE; }, 3000));

    EXPECT_TRUE(SHSetNavBarText(owner.hwnd, L"A title far longer than the sixty-three characters the task bar keeps"));
    EXPECT_FALSE(SHFullScreen(nullptr, SHFS_HIDETASKBAR));
}

TEST(TaskBar, NotificationIconsAreAddedChangedAndRemovedOnce)
{
    ASSERT_TRUE(FindWindowW(L"HHTaskBar", nullptr)) << "the device shell is not running";
    Owner owner(kFullScreen);
    NOTIFYICONDATAW icon = {};
    icon.cbSize = NOTIFYICONDATAW_V1_SIZE;  // the device's record
    icon.hWnd = owner.hwnd;
    icon.uID = 7;
    icon.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    icon.uCallbackMessage = WM_APP + 1;
    icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wcscpy_s(icon.szTip, L"Battery");
    EXPECT_TRUE(Shell_NotifyIconW(NIM_ADD, &icon));
    EXPECT_FALSE(Shell_NotifyIconW(NIM_ADD, &icon));  // already there
    icon.uFlags = NIF_TIP;
    EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &icon));
    EXPECT_TRUE(Shell_NotifyIconW(NIM_DELETE, &icon));
    EXPECT_FALSE(Shell_NotifyIconW(NIM_DELETE, &icon));
    EXPECT_FALSE(Shell_NotifyIconW(NIM_ADD, nullptr));
}

/* --- Shortcuts, execution and folders ------------------------------------ */

std::wstring TargetOf(const wchar_t* shortcut)
{
    wchar_t target[MAX_PATH] = L"?";
    return SHGetShortcutTarget(shortcut, target, MAX_PATH) ? target : L"<failed>";
}

TEST(Shortcut, WrittenInTheDeviceFormatAndReadBack)
{
    const wchar_t* lnk = L"\\Temp\\ayg_pword.lnk";
    ASSERT_TRUE(SHCreateShortcut(lnk, L"\"\\Windows\\pword.exe\""));
    EXPECT_EQ("20#\"\\Windows\\pword.exe\"", ReadBytes(L"D:\\Temp\\ayg_pword.lnk"));
    EXPECT_EQ(L"\"\\Windows\\pword.exe\"", TargetOf(lnk));
    wchar_t small[8] = L"?";
    EXPECT_FALSE(SHGetShortcutTarget(lnk, small, 8));
    EXPECT_STREQ(L"", small);

    // Replaced whole, with no temporary file left behind.
    ASSERT_TRUE(SHCreateShortcut(lnk, L"\"\\Program Files\\Tool\\tool.exe\" -x 1"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(L"D:\\Temp\\ayg_pword.lnk.new~"));
    wchar_t path[MAX_PATH], args[MAX_PATH];
    ASSERT_TRUE(SHResolveShortcut(lnk, path, MAX_PATH, args, MAX_PATH));
    EXPECT_STREQ(L"\\Program Files\\Tool\\tool.exe", path);
    EXPECT_STREQ(L"-x 1", args);

    EXPECT_FALSE(SHCreateShortcut(lnk, L""));
    EXPECT_FALSE(SHCreateShortcut(lnk, L"\"a.exe\"\r\nsecond line"));
    EXPECT_EQ(L"\"\\Program Files\\Tool\\tool.exe\" -x 1", TargetOf(lnk));  // untouched by the refusals
    EXPECT_EQ(L"<failed>", TargetOf(L"\\Temp\\no such shortcut.lnk"));
}

TEST(Shortcut, HandMadeFilesAreReadByTheirLineAndJunkIsRefused)
{
    const wchar_t* lnk = L"D:\\Temp\\ayg_hand.lnk";
    WriteBytes(lnk, "22#\"\\Windows\\pword.exe\"\r\n");  // a count that does not match
    EXPECT_EQ(L"\"\\Windows\\pword.exe\"", TargetOf(lnk));
    WriteBytes(lnk, "hello");
    EXPECT_EQ(L"<failed>", TargetOf(lnk));
    WriteBytes(lnk, "#\"\\Windows\\pword.exe\"");
    EXPECT_EQ(L"<failed>", TargetOf(lnk));
    WriteBytes(lnk, "12#");
    EXPECT_EQ(L"<failed>", TargetOf(lnk));
    DeleteFileW(lnk);
}

// Runs programs through ShellExecuteEx, which the link order gives to the
// device library, and reads what they wrote to the device log.
class Execute : public ::testing::Test {
protected:
    void SetUp() override
    {
        echo = TestFolder() + L"ayg_echo.exe";
        ASSERT_TRUE(CopyFileW(echo.c_str(), L"D:\\Temp\\ayg echo.exe", FALSE));
    }
    BOOL Run(const wchar_t* file, const wchar_t* params, SHELLEXECUTEINFOW* out = nullptr)
    {
        SHELLEXECUTEINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = SEE_MASK_NOCLOSEPROCESS;
        info.lpFile = file;
        info.lpParameters = params;
        info.nShow = SW_SHOWNORMAL;
        BOOL ok = ShellExecuteExW(&info);
        if (ok && info.hProcess) {
            EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(info.hProcess, 15000));
            CloseHandle(info.hProcess);
        }
        if (out)
            *out = info;
        return ok;
    }
    std::wstring echo;
    DeviceLog log;
};

TEST_F(Execute, ShortcutRunsItsCommandWithBothArgumentListsFromTheDeviceRoot)
{
    ASSERT_TRUE(SHCreateShortcut(L"\\Temp\\ayg_echo.lnk", L"\"\\Temp\\ayg echo.exe\" one two"));
    SHELLEXECUTEINFOW info = {};
    ASSERT_TRUE(Run(L"\\Temp\\ayg_echo.lnk", L"three", &info));
    EXPECT_GT((INT_PTR)info.hInstApp, 32);
    EXPECT_EQ(L"launch: \\Temp\\ayg_echo.lnk three", log.First(L"launch: \\Temp\\ayg_echo.lnk"));
    EXPECT_EQ(L"echo: D:\\Temp\\ayg echo.exe | \"D:\\Temp\\ayg echo.exe\" one two three | D:\\",
              log.First(L"echo: "));
}

TEST_F(Execute, BareProgramNameRunsTheDevicesOwnCopy)
{
    ASSERT_TRUE(CopyFileW(echo.c_str(), L"D:\\Windows\\ayg_echo_test.exe", FALSE));
    EXPECT_TRUE(Run(L"ayg_echo_test.exe", L"x"));
    DeleteFileW(L"D:\\Windows\\ayg_echo_test.exe");
    EXPECT_EQ(L"launch: ayg_echo_test.exe x", log.First(L"launch: ayg_echo_test"));
    EXPECT_EQ(L"echo: D:\\Windows\\ayg_echo_test.exe | \"D:\\Windows\\ayg_echo_test.exe\" x | D:\\",
              log.First(L"echo: "));
}

TEST_F(Execute, MissingProgramsAndShortcutsFail)
{
    SHELLEXECUTEINFOW info = {};
    SetLastError(0);
    EXPECT_FALSE(Run(L"\\Temp\\no such program.exe", nullptr, &info));
    EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
    EXPECT_EQ(SE_ERR_FNF, (INT_PTR)info.hInstApp);
    EXPECT_FALSE(Run(L"\\Temp\\no such shortcut.lnk", nullptr, &info));
    EXPECT_EQ(SE_ERR_FNF, (INT_PTR)info.hInstApp);
    EXPECT_FALSE(Run(L"", nullptr, &info));
}

TEST_F(Execute, TextShortcutShowsItsTargetsIcon)
{
    ASSERT_TRUE(SHCreateShortcut(L"\\Temp\\ayg_icon.lnk", L"\"\\Temp\\ayg echo.exe\""));
    SHFILEINFOW viaShortcut = {}, direct = {};
    ASSERT_TRUE(SHGetFileInfoW(L"\\Temp\\ayg_icon.lnk", 0, &viaShortcut, sizeof(viaShortcut),
                               SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    ASSERT_TRUE(SHGetFileInfoW(L"D:\\Temp\\ayg echo.exe", 0, &direct, sizeof(direct),
                               SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    EXPECT_EQ(direct.iIcon, viaShortcut.iIcon);
}

TEST(SpecialFolders, AreDeviceFoldersWithoutADrive)
{
    struct {
        int id;
        const wchar_t* path;
    } expected[] = {
        {CSIDL_PROGRAMS, L"\\Windows\\Start Menu\\Programs"},
        {CSIDL_PERSONAL, L"\\My Documents"},
        {CSIDL_STARTUP, L"\\Windows\\StartUp"},
        {CSIDL_STARTMENU, L"\\Windows\\Start Menu"},
    };
    for (const auto& folder : expected) {
        wchar_t path[MAX_PATH] = L"?";
        EXPECT_TRUE(SHGetSpecialFolderPath(nullptr, path, folder.id, FALSE));
        EXPECT_STREQ(folder.path, path);
    }
    wchar_t path[MAX_PATH] = L"?";
    EXPECT_FALSE(SHGetSpecialFolderPath(nullptr, path, 0x0025 /* the desktop's system folder */, FALSE));
    EXPECT_STREQ(L"", path);

    RemoveDirectoryW(L"D:\\Windows\\Favorites");
    EXPECT_TRUE(SHGetSpecialFolderPath(nullptr, path, CSIDL_FAVORITES, TRUE));
    DWORD attributes = GetFileAttributesW(L"D:\\Windows\\Favorites");
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
}

} // namespace
