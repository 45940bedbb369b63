// Helpers of the skin window tests: a test skin written into a scratch
// folder, skin windows that record their clicks, stylus messages sent
// straight to a window.
#pragma once

#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "mmskinwnd.h"
#include "ketra_testkit.h"
#include "skinwnd.h"

// Colours that are exact in every picture the tests write.
inline COLORREF RowColour(int y)
{
    return RGB(y & 0xFF, 0x40, 0x80);
}

// The test bar: a 60-pixel wide main skin at (20, 60) whose 60 x 60
// background has RowColour(y) in row y, bands of head and foot rows, and a
// mask with a 10-pixel column per button in its top 20 rows; the minimised
// skin is a 20 x 20 tab at the same place with "SLIDE" and "MOVE".
struct BarSkin {
    int left = 20, top = 60, width = 60, height = 100;
    int head = 20, foot = 10;
    bool minimised = true;
    std::wstring extraButtons;  // more <button> elements, verbatim
};
// Points of the buttons in the main skin (client coordinates).
constexpr POINT kHomeAt = {5, 5}, kMoveAt = {15, 5}, kCloseAt = {25, 5}, kPowerAt = {35, 5},
                kSlideAt = {45, 5}, kNobodyAt = {55, 5};
// ... and in the minimised tab.
constexpr POINT kTabSlideAt = {5, 5}, kTabMoveAt = {15, 5};
constexpr COLORREF kTabColour = RGB(10, 200, 10);
// Writes the pictures and skin.xml into folder; returns the skin file's path.
std::wstring WriteBarSkin(const std::wstring& folder, const BarSkin& skin = BarSkin());

// A skin window that records the buttons it was told of.
template <class Base>
class Recording : public Base {
public:
    int OnClicked(CButton* button, CPoint point) override
    {
        clicks.push_back(button ? button->GetCommand() : L"?");
        return Base::OnClicked(button, point);
    }
    int OnTapHold(CButton* button, CPoint point) override
    {
        holds.push_back(button ? button->GetCommand() : L"?");
        return Base::OnTapHold(button, point);
    }
    std::vector<std::wstring> clicks;
    std::vector<std::wstring> holds;
};
using TestSkinWnd = Recording<CSkinWnd>;

// A sliding window that, like the side-bar host, closes itself when the
// task-bar hook reports a tap on the task bar's corner and auto-close is on.
class TestSlideWnd : public Recording<CMMSkinWnd> {
public:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SKIN_HOOKNOTIFY && wParam == 2) {
            ++cornerTaps;
            if (IsAutoClose())
                Minimize();
            return 1;
        }
        return Recording<CMMSkinWnd>::OnMessage(message, wParam, lParam);
    }
    void OnPrepareSlide(CRect rect) override { prepared.push_back(rect); }
    int cornerTaps = 0;
    std::vector<CRect> prepared;
};

// Readable rectangles in test failures.
inline void PrintTo(const CRect& rect, std::ostream* out)
{
    *out << "(" << rect.left << ", " << rect.top << ", " << rect.right << ", " << rect.bottom << ")";
}

// Stylus messages sent straight to a window, at client coordinates.
void Press(HWND wnd, int x, int y);
void Drag(HWND wnd, int x, int y);
void Release(HWND wnd, int x, int y);
