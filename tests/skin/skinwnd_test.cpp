// The shared behaviour of skinned windows: dragging by "MOVE", tap and hold,
// the built-in menus and commands.
#include <gtest/gtest.h>

#include "skin_window_support.h"

#include <memory>

#include "ketra_testkit.h"

namespace {

using namespace testkit;

class SkinWndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = std::make_unique<ScratchFolder>(L"skin_wnd");
        ASSERT_TRUE(wnd_.Create(nullptr, nullptr, TRUE));
        ASSERT_TRUE(wnd_.LoadSkin(WriteBarSkin(dir_->Path()).c_str()));
    }
    CRect Placed() const { return CRect(WindowRect(wnd_)); }

    std::unique_ptr<ScratchFolder> dir_;
    TestSkinWnd wnd_;
};

// The items of the pop-up menu open in this thread, read from inside its
// loop by a timer, which then closes it.
std::vector<std::pair<UINT, std::wstring>> g_menuItems;

void CALLBACK ReadMenuAndClose(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND popup = FindWindowW(L"#32768", nullptr);
    HMENU menu = popup ? reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0)) : nullptr;
    for (int i = 0, count = menu ? GetMenuItemCount(menu) : 0; i < count; ++i) {
        wchar_t text[64] = L"";
        GetMenuStringW(menu, i, text, 64, MF_BYPOSITION);
        g_menuItems.emplace_back(GetMenuItemID(menu, i), text);
    }
    EndMenu();
}

std::vector<std::pair<UINT, std::wstring>> MenuOfHold(TestSkinWnd& wnd, POINT at)
{
    g_menuItems.clear();
    wnd.SetHold(TRUE);
    ForceNextGesture(1);
    SetTimer(nullptr, 0, 200, ReadMenuAndClose);
    Press(wnd, at.x, at.y);  // returns when the menu has closed
    Release(wnd, at.x, at.y);
    wnd.SetHold(FALSE);
    return g_menuItems;
}

} // namespace

TEST_F(SkinWndTest, DraggingMoveKeepsTheWindowInsideTheMovingRectangle)
{
    // Far to the bottom right: pinned to the moving rectangle's far edges.
    Press(wnd_, kMoveAt.x, kMoveAt.y);
    EXPECT_TRUE(wnd_.IsMoving());
    Drag(wnd_, kMoveAt.x + 500, kMoveAt.y + 500);
    Release(wnd_, kMoveAt.x + 500, kMoveAt.y + 500);
    EXPECT_FALSE(wnd_.IsMoving());
    EXPECT_EQ(CRect(180, 220, 240, 320), Placed());

    // Far to the top left: pinned to its near edges.
    Press(wnd_, kMoveAt.x, kMoveAt.y);
    Drag(wnd_, kMoveAt.x - 500, kMoveAt.y - 500);
    Release(wnd_, kMoveAt.x - 500, kMoveAt.y - 500);
    EXPECT_EQ(CRect(0, 26, 60, 126), Placed());

    // A window wider than the rectangle sits at its right edge less its width.
    wnd_.SetWindowRect(CRect(0, 60, 300, 160));
    Press(wnd_, kMoveAt.x, kMoveAt.y);
    Drag(wnd_, kMoveAt.x + 10, kMoveAt.y);
    Release(wnd_, kMoveAt.x + 10, kMoveAt.y);
    EXPECT_EQ(CRect(-60, 60, 240, 160), Placed());
    EXPECT_TRUE(wnd_.clicks.empty()) << "a drag is no click";
}

TEST_F(SkinWndTest, APressOnMoveWithoutMovingLeavesTheWindowWhereItWas)
{
    Press(wnd_, kMoveAt.x, kMoveAt.y);
    EXPECT_FALSE(wnd_.IsMoved());
    Release(wnd_, kMoveAt.x, kMoveAt.y);
    EXPECT_EQ(CRect(20, 60, 80, 160), Placed());
    EXPECT_FALSE(wnd_.IsMoving());
}

TEST_F(SkinWndTest, LosingTheStylusEndsADragOrAPressWithoutMovingOrClicking)
{
    Press(wnd_, kMoveAt.x, kMoveAt.y);
    Drag(wnd_, kMoveAt.x + 30, kMoveAt.y + 30);
    ReleaseCapture();  // the capture goes elsewhere
    EXPECT_FALSE(wnd_.IsMoving());
    Release(wnd_, kMoveAt.x + 30, kMoveAt.y + 30);
    EXPECT_EQ(CRect(20, 60, 80, 160), Placed());
    // The next press starts a new drag.
    Press(wnd_, kMoveAt.x, kMoveAt.y);
    EXPECT_TRUE(wnd_.IsMoving());
    Release(wnd_, kMoveAt.x, kMoveAt.y);

    Press(wnd_, 9, 9);  // on "HOME"
    CButton* home = wnd_.GetBtnList()->GetButton(L"HOME");
    EXPECT_EQ(CButton::Pushed, home->GetStatus());
    ReleaseCapture();
    EXPECT_EQ(CButton::Normal, home->GetStatus());
    Release(wnd_, 9, 9);
    EXPECT_TRUE(wnd_.clicks.empty());
}

TEST_F(SkinWndTest, HoldingHomeActsAsATapAndGoesHome)
{
    HWND today = FindWindowW(L"DesktopExplorerWindow", nullptr);
    ASSERT_NE(nullptr, today) << "the device's Today screen";
    // Something else in front first.
    HWND front = CreateWindowExW(0, L"STATIC", L"front", WS_POPUP | WS_VISIBLE, 0, 26, 240, 294, nullptr, nullptr,
                                 nullptr, nullptr);
    SetForegroundWindow(front);
    ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == front; }, 3000));

    wnd_.SetHold(TRUE);
    ForceNextGesture(1);
    Press(wnd_, kHomeAt.x, kHomeAt.y);
    Release(wnd_, kHomeAt.x, kHomeAt.y);
    EXPECT_EQ(std::vector<std::wstring>{L"HOME"}, wnd_.holds);
    EXPECT_EQ(std::vector<std::wstring>{L"HOME"}, wnd_.clicks);
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == today; }, 3000));
    DestroyWindow(front);
}

TEST_F(SkinWndTest, HoldingPowerOrCloseOpensTheirMenus)
{
    using Items = std::vector<std::pair<UINT, std::wstring>>;
    EXPECT_EQ((Items{{1106, L"Power Off"}, {1107, L"Reset"}}), MenuOfHold(wnd_, kPowerAt));
    EXPECT_EQ((Items{{1101, L"Next Window"}, {1102, L"Close"}, {1103, L"Close All"}, {0, L""}, {1105, L"Exit"}}),
              MenuOfHold(wnd_, kCloseAt));
    EXPECT_TRUE(wnd_.clicks.empty());
}

TEST_F(SkinWndTest, ExitFromTheCloseMenuEndsTheMessageLoop)
{
    wnd_.PostMessageW(WM_COMMAND, IDM_SKIN_EXIT, 0);
    UINT_PTR guard = SetTimer(nullptr, 0, 5000, nullptr);
    MSG msg;
    bool quit = false;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.wParam == guard)
            break;
        DispatchMessageW(&msg);
    }
    quit = msg.message == WM_QUIT;
    KillTimer(nullptr, guard);
    EXPECT_TRUE(quit);
    EXPECT_EQ(0u, msg.wParam) << "exit code";
}
