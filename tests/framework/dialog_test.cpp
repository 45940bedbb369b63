// CDialog: modal dialogs and their result, nested modal dialogs routing to
// their own objects, modeless pages inside a parent, full-screen dialogs.
#include <gtest/gtest.h>
#include <windows.h>

#include <aygshell.h>

#include <wchar.h>

#include <algorithm>
#include <vector>

#include "wnd_test_ids.h"
#include "wndframe.h"

namespace {

// Ends itself with Cancel from a timer started in OnInitDialog.
class TimedDialog : public CDialog {
public:
    int inits = 0;
    std::vector<UINT_PTR> timers;
    RECT rectAtTimer = {};
    DWORD exStyleAtTimer = 0;

    BOOL OnInitDialog() override
    {
        ++inits;
        SetTimer(1, 50);
        return CDialog::OnInitDialog();
    }
    void OnTimer(UINT_PTR timerId) override
    {
        timers.push_back(timerId);
        if (timerId != 1)
            return;
        KillTimer(1);
        ::GetWindowRect(m_hWnd, &rectAtTimer);
        exStyleAtTimer = GetExStyle();
        PostMessageW(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
};

// Ends every dialog of the thread with 99, so that broken routing fails the
// test instead of hanging it.
BOOL CALLBACK EndThreadDialog(HWND hWnd, LPARAM)
{
    wchar_t className[16] = L"";
    GetClassNameW(hWnd, className, 16);
    if (wcscmp(className, L"#32770") == 0)
        ::EndDialog(hWnd, 99);
    return TRUE;
}

void CALLBACK GiveUp(HWND, UINT, UINT_PTR timerId, DWORD)
{
    KillTimer(nullptr, timerId);
    EnumThreadWindows(GetCurrentThreadId(), EndThreadDialog, 0);
}

// Opens a TimedDialog from its own first timer while its second timer keeps
// ticking, then ends itself with OK.
class OuterDialog : public CDialog {
public:
    std::vector<UINT_PTR> timers;
    std::vector<UINT_PTR> innerTimers;
    INT_PTR innerResult = 0;

    BOOL OnInitDialog() override
    {
        SetTimer(1, 20);
        return CDialog::OnInitDialog();
    }
    void OnTimer(UINT_PTR timerId) override
    {
        timers.push_back(timerId);
        if (timerId != 1)
            return;
        KillTimer(1);
        SetTimer(2, 10);
        {
            TimedDialog inner;
            inner.SetDialogInfo(IDD_PROBE, m_hWnd);
            innerResult = inner.DoModal();
            innerTimers = inner.timers;
        }
        KillTimer(2);
        PostMessageW(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
};

class PageDialog : public CDialog {
public:
    int inits = 0;
    std::vector<UINT> commands;

    BOOL OnInitDialog() override
    {
        ++inits;
        return CDialog::OnInitDialog();
    }
    LRESULT OnCommand(UINT id, UINT code) override
    {
        commands.push_back(id);
        if (id == IDOK || id == IDCANCEL)
            return CDialog::OnCommand(id, code);
        return 77;
    }
};

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { SetCorInstance(GetModuleHandleW(nullptr)); }
};

TEST_F(DialogTest, ModalDialogEndsWithTheCommandId)
{
    TimedDialog dialog;
    dialog.SetDialogInfo(IDD_PROBE, nullptr);
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(1, dialog.inits);
    EXPECT_EQ(std::vector<UINT_PTR>{1}, dialog.timers);
    EXPECT_EQ(nullptr, dialog.GetSafeHwnd());
}

TEST_F(DialogTest, MissingTemplateFails)
{
    TimedDialog dialog;
    dialog.SetDialogInfo(IDD_MISSING, nullptr);
    EXPECT_EQ(-1, dialog.DoModal());
    EXPECT_FALSE(dialog.OpenDialog());
    EXPECT_EQ(0, dialog.inits);
}

// The inner dialog becomes the current one while it runs; the outer one's
// messages must still reach the outer object, and after the inner ends
// the outer one can still be ended through its own handlers.
TEST_F(DialogTest, NestedModalDialogsRouteToTheirOwnObjects)
{
    OuterDialog outer;
    outer.SetDialogInfo(IDD_PROBE, nullptr);
    UINT_PTR watchdog = SetTimer(nullptr, 0, 5000, GiveUp);
    EXPECT_EQ(IDOK, outer.DoModal());
    KillTimer(nullptr, watchdog);
    EXPECT_EQ(IDCANCEL, outer.innerResult);
    EXPECT_EQ(std::vector<UINT_PTR>{1}, outer.innerTimers);
    ASSERT_FALSE(outer.timers.empty());
    EXPECT_EQ(1u, outer.timers.front());
    EXPECT_NE(outer.timers.end(), std::find(outer.timers.begin(), outer.timers.end(), (UINT_PTR)2))
        << "the outer dialog's timer did not reach it while the inner one ran";
}

TEST_F(DialogTest, ModelessPageCoversItsParentAndRoutesCommands)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, L"CorTestPageParent", L"parent", 0, 5, 5, 200, 150, nullptr, nullptr));
    PageDialog page;
    page.SetDialogInfo(IDD_PAGE, parent.GetHWnd());
    ASSERT_TRUE(page.OpenDialog());
    HWND hDlg = page.GetHWnd();
    EXPECT_EQ(1, page.inits) << "the creation-time WM_INITDIALOG must not reach the object";
    EXPECT_EQ((LONG_PTR)&page, GetWindowLongPtrW(hDlg, GWLP_USERDATA));

    RECT parentClient, placed;
    GetClientRect(parent.GetHWnd(), &parentClient);
    GetWindowRect(hDlg, &placed);
    MapWindowPoints(nullptr, parent.GetHWnd(), (POINT*)&placed, 2);
    EXPECT_TRUE(EqualRect(&parentClient, &placed));
    EXPECT_TRUE(GetWindowLongW(hDlg, GWL_STYLE) & WS_VISIBLE);

    SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(55, 0), 0);
    EXPECT_EQ(std::vector<UINT>{55}, page.commands);

    page.EndDialog();
    EXPECT_FALSE(IsWindow(hDlg));
    EXPECT_EQ(nullptr, page.GetSafeHwnd());
}

TEST_F(DialogTest, ModelessPageEndsFromCancel)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, L"CorTestPageParent", L"parent", 0, 5, 5, 200, 150, nullptr, nullptr));
    PageDialog page;
    page.SetDialogInfo(IDD_PAGE, parent.GetHWnd());
    ASSERT_TRUE(page.OpenDialog());
    HWND hDlg = page.GetHWnd();
    SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
    EXPECT_EQ(std::vector<UINT>{IDCANCEL}, page.commands);
    EXPECT_FALSE(IsWindow(hDlg));
    EXPECT_EQ(nullptr, page.GetSafeHwnd());
}

TEST_F(DialogTest, FullScreenDialogGetsTheShellTreatment)
{
    TimedDialog dialog;
    dialog.SetDialogInfo(IDD_PROBE, nullptr, TRUE);
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(26, dialog.rectAtTimer.top);
    EXPECT_EQ(0, dialog.rectAtTimer.left);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), dialog.rectAtTimer.right);
    EXPECT_TRUE(dialog.exStyleAtTimer & WS_EX_CAPTIONOKBTN);
}

}  // namespace
