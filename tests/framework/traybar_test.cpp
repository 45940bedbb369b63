// The icon tray: item squares, stylus taps, the text message and drawing.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "widgets.h"

#include "ketra_testkit.h"

namespace {

using namespace testkit;

// Cell c of the test strip is filled with this colour.
COLORREF CellColour(int cell) { return RGB(40 + 50 * cell, 200 - 40 * cell, 90); }

// A parent window with a child that owns the tray.
class TrayTest : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TrayTestWindow";
        ::RegisterClassW(&wc);  // fails harmlessly after the first test
        parent = ::CreateWindowW(L"TrayTestWindow", L"tray parent", WS_POPUP, 0, 0, 200, 60, nullptr, nullptr,
                                 wc.hInstance, nullptr);
        ASSERT_NE(nullptr, parent);
        HWND child = ::CreateWindowW(L"TrayTestWindow", L"tray owner", WS_CHILD, 0, 0, 200, 60, parent, nullptr,
                                     wc.hInstance, nullptr);
        ASSERT_NE(nullptr, child);
        owner.Attach(child);
        tray.Create(CRect(10, 5, 130, 31), static_cast<CImage*>(nullptr), &owner);
        tray.Add(0, L"Alpha", CTrayItem::kPostText);
        tray.Add(1, L"Beta", CTrayItem::kReportToCaller);
        tray.Add(2, L"Gamma", 9);
    }
    void TearDown() override {
        tray.RemoveAll();
        owner.Detach();  // destroyed with its parent
        if (parent) ::DestroyWindow(parent);
    }

    // Stylus down and up; the result of the release.
    int Tap(POINT down, POINT up) {
        tray.OnLButtonDown(down);
        return tray.OnLButtonUp(up);
    }

    bool TakePosted(MSG* msg) { return ::PeekMessageW(msg, parent, CTrayBar::kTextMessage, CTrayBar::kTextMessage, PM_REMOVE); }

    HWND parent = nullptr;
    CWnd owner;
    CTrayBar tray;
};

}  // namespace

TEST_F(TrayTest, ItemsOccupyTwentyPixelSquaresFromTheCorner) {
    EXPECT_EQ(-1, tray.GetItem(CPoint(10 + 2, 15)));
    EXPECT_EQ(0, tray.GetItem(CPoint(10 + 3, 5 + 3)));
    EXPECT_EQ(0, tray.GetItem(CPoint(10 + 22, 5 + 22)));
    EXPECT_EQ(1, tray.GetItem(CPoint(10 + 23, 15)));
    EXPECT_EQ(2, tray.GetItem(CPoint(10 + 43, 15)));
    EXPECT_EQ(-1, tray.GetItem(CPoint(10 + 63, 15)));  // past the last item
    EXPECT_EQ(-1, tray.GetItem(CPoint(10 + 43, 5 + 23)));
    EXPECT_EQ(nullptr, tray.GetTrayItem(3));
    EXPECT_EQ(nullptr, tray.GetTrayItem(-1));
    ASSERT_NE(nullptr, tray.GetTrayItem(2));
    EXPECT_STREQ(L"Gamma", tray.GetTrayItem(2)->m_szText);
}

TEST_F(TrayTest, ReleasingOnAPostingItemSendsItsTextToTheOwnersParent) {
    MSG msg;
    EXPECT_EQ(1, Tap(CPoint(20, 15), CPoint(21, 16)));
    EXPECT_EQ(0, tray.GetSelect());
    ASSERT_TRUE(TakePosted(&msg));
    EXPECT_EQ(parent, msg.hwnd);
    EXPECT_EQ(reinterpret_cast<WPARAM>(tray.GetTrayItem(0)->m_szText), msg.wParam);
    EXPECT_STREQ(L"Alpha", reinterpret_cast<const wchar_t*>(msg.wParam));
    EXPECT_FALSE(TakePosted(&msg));
}

TEST_F(TrayTest, OtherReleasesPostNothing) {
    MSG msg;
    EXPECT_EQ(1, Tap(CPoint(20, 15), CPoint(40, 15)));  // down on item 0, up on item 1
    EXPECT_EQ(1, Tap(CPoint(20, 15), CPoint(12, 15)));  // up on no item
    EXPECT_EQ(0, Tap(CPoint(40, 15), CPoint(40, 15)));  // the caller acts on item 1
    EXPECT_EQ(1, tray.GetSelect());
    EXPECT_EQ(1, Tap(CPoint(60, 15), CPoint(60, 15)));  // an inert kind
    EXPECT_EQ(-1, tray.OnLButtonDown(CPoint(200, 15)));
    EXPECT_EQ(-1, tray.GetSelect());
    EXPECT_FALSE(TakePosted(&msg));
}

TEST_F(TrayTest, LongTextsAreCutToThirtyOneCharacters) {
    const std::wstring longText(80, L'x');
    tray.Add(3, longText.c_str(), CTrayItem::kPostText);
    EXPECT_EQ(std::wstring(31, L'x'), tray.GetTrayItem(3)->m_szText);
    EXPECT_TRUE(tray.RemoveAll());
    EXPECT_EQ(0, tray.GetCount());
    EXPECT_EQ(-1, tray.GetItem(CPoint(20, 15)));
}

TEST_F(TrayTest, DrawsEachItemsIconCellInItsSquare) {
    ScratchFolder scratch(L"traybar");
    const std::wstring strip = scratch / L"tray_strip.bmp";
    ASSERT_TRUE(WriteBmp(strip, 16 * 3, 16, [](int x, int) { return CellColour(x / 16); }));
    ASSERT_TRUE(tray.LoadImageW(strip.c_str()));
    tray.RemoveAll();
    tray.Add(2, L"first shows cell 2", 0);
    tray.Add(0, L"second shows cell 0", 0);

    PixelSurface surface(140, 40, RGB(0, 0, 0));
    CDC dc(surface.dc());
    tray.DrawBar(&dc);
    EXPECT_EQ(CellColour(2), surface.At(10 + 3, 5 + 3));
    EXPECT_EQ(CellColour(2), surface.At(10 + 18, 5 + 18));
    EXPECT_EQ(RGB(0, 0, 0), surface.At(10 + 19, 5 + 3));  // cells are 16 pixels wide
    EXPECT_EQ(CellColour(0), surface.At(10 + 23, 5 + 3));
    EXPECT_EQ(RGB(0, 0, 0), surface.At(10 + 43, 5 + 3));
}
