// Dovrel's wrappers against their controls, in one process: each method
// answers what its control message answers, the text getters stay inside
// their buffers, and the self-drawn track bar paints and tracks its thumb.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "dovrel.h"
#include "ketra_testkit.h"

namespace {

const RECT kBox = {10, 10, 200, 120};

// A hidden top-level window the controls live in.
class DovrelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        parent = ::CreateWindowExW(0, L"STATIC", L"dovrel", WS_POPUP, 0, 0, 240, 320, nullptr, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(parent);
    }
    void TearDown() override { ::DestroyWindow(parent); }

    HWND parent = nullptr;
};

DWORD StyleOf(HWND hWnd)
{
    return (DWORD)::GetWindowLongW(hWnd, GWL_STYLE);
}

std::wstring ClassOf(HWND hWnd)
{
    wchar_t name[64] = L"";
    ::GetClassNameW(hWnd, name, 64);
    return name;
}

SYSTEMTIME Day(WORD year, WORD month, WORD day)
{
    SYSTEMTIME time = {};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    return time;
}

}  // namespace

TEST_F(DovrelTest, ComboBoxSortsItsDropDownListAndReadsItemsWithinTheBuffer)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(kBox, parent, 51));
    EXPECT_EQ(L"ComboBox", ClassOf(combo));
    // The control keeps its scroll bar for its list; the other bits stay.
    const DWORD comboBits = (CComboBox::kDefaultStyle | WS_CHILD) & ~WS_VSCROLL;
    EXPECT_EQ(comboBits, StyleOf(combo) & comboBits);
    EXPECT_EQ(51, ::GetDlgCtrlID(combo));

    EXPECT_EQ(0, combo.AddString(L"Pear"));
    EXPECT_EQ(0, combo.AddString(L"Apple"));  // sorted in front
    EXPECT_EQ(2, combo.InsertString(-1, L"Zucchini"));
    EXPECT_EQ(3, combo.GetCount());
    EXPECT_EQ(CB_ERR, combo.GetCurSel());
    EXPECT_EQ(1, combo.SetCurSel(1));
    EXPECT_EQ(1, combo.GetCurSel());
    EXPECT_STREQ(L"Pear", combo.GetDroppedText());
    EXPECT_STREQ(L"Apple", combo.GetLBText(0));
    wchar_t item[9];
    EXPECT_EQ(8, combo.GetLBText(2, item, 9));       // "Zucchini" and its terminator
    EXPECT_STREQ(L"Zucchini", item);
    EXPECT_EQ(CB_ERR, combo.GetLBText(2, item, 8));  // no room for the terminator
    EXPECT_STREQ(L"", item);
    EXPECT_EQ(CB_ERR, combo.GetLBText(7, item, 8));
    EXPECT_FALSE(combo.GetDroppedState());
    combo.SendMessageW(CB_SHOWDROPDOWN, TRUE);
    EXPECT_TRUE(combo.GetDroppedState());
    combo.SendMessageW(CB_SHOWDROPDOWN, FALSE);
    combo.ResetContent();
    EXPECT_EQ(0, combo.GetCount());
}

// An item longer than the object's 260-character buffer used to be copied
// into it whole.
TEST_F(DovrelTest, ComboBoxRefusesAnItemLongerThanItsOwnBuffer)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(kBox, parent, 52));
    std::wstring longItem(300, L'w');
    ASSERT_EQ(0, combo.AddString(longItem.c_str()));
    ASSERT_EQ(1, combo.AddString(std::wstring(259, L'x').c_str()));
    EXPECT_STREQ(L"", combo.GetLBText(0));
    EXPECT_EQ(259u, wcslen(combo.GetLBText(1)));
}

TEST_F(DovrelTest, EditableComboBoxAndEditBoxTypeSetAndClearTheirText)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(kBox, parent, 53, WS_VISIBLE | CBS_DROPDOWN | CBS_AUTOHSCROLL));
    EXPECT_EQ(0u, StyleOf(combo) & CBS_SORT);
    combo.SetText(L"12");
    combo.SendMessageW(CB_SETEDITSEL, 0, MAKELPARAM(2, 2));
    combo.TypeChar(L'3');
    EXPECT_STREQ(L"123", combo.GetText());
    combo.Clear();
    EXPECT_STREQ(L"", combo.GetText());

    CEdit edit;
    ASSERT_TRUE(edit.Create(L"EDIT", L"", WS_VISIBLE | ES_AUTOHSCROLL, kBox, parent, 54));
    edit.SetText(L"ab");
    edit.SendMessageW(EM_SETSEL, 2, 2);
    edit.TypeChar(L'c');
    EXPECT_STREQ(L"abc", edit.GetText());
    edit.SetText(std::wstring(300, L'q').c_str());
    EXPECT_EQ(259u, wcslen(edit.GetText()));  // cut to the buffer, terminated
    wchar_t small[4];
    EXPECT_EQ(3, edit.GetText(small, 4));
    EXPECT_STREQ(L"qqq", small);
    edit.Clear();
    EXPECT_STREQ(L"", edit.GetText());
}

TEST_F(DovrelTest, ListBoxFindsItemsByPrefixAndKeepsTheSelection)
{
    CListBox list;
    ASSERT_TRUE(list.Create(kBox, parent, 55));
    EXPECT_EQ(L"ListBox", ClassOf(list));
    const DWORD listBits = (CListBox::kDefaultStyle | WS_CHILD) & ~WS_VSCROLL;  // shown when needed
    EXPECT_EQ(listBits, StyleOf(list) & listBits);
    list.AddString(L"Berlin");
    list.AddString(L"Bern");
    list.AddString(L"Athens");
    EXPECT_EQ(3, list.GetCount());
    EXPECT_EQ(LB_ERR, list.GetCurSel());
    EXPECT_EQ(0, list.FindString(-1, L"ber"));   // case is ignored, first match
    EXPECT_EQ(1, list.FindString(0, L"BER"));    // search starts after the given item
    EXPECT_EQ(2, list.FindString(-1, L"Athens"));
    EXPECT_EQ(LB_ERR, list.FindString(-1, L"Cairo"));
    EXPECT_EQ(1, list.SetCurSel(1));
    EXPECT_EQ(1, list.GetCurSel());
    wchar_t text[260];
    EXPECT_EQ(4, list.GetText(1, text));
    EXPECT_STREQ(L"Bern", text);
    EXPECT_EQ(LB_ERR, list.GetText(9, text));
    list.AddString(std::wstring(400, L'L').c_str());
    EXPECT_EQ(LB_ERR, list.GetText(3, text));
    EXPECT_STREQ(L"", text);
    list.ResetContent();
    EXPECT_EQ(0, list.GetCount());
}

TEST_F(DovrelTest, DatePickerKeepsItsTimeRangeAndCalendarColours)
{
    CDateTimeCtrl picker;
    ASSERT_TRUE(picker.Create(WS_VISIBLE | DTS_SHORTDATEFORMAT, kBox, parent, 56));
    EXPECT_EQ(L"SysDateTimePick32", ClassOf(picker));
    SYSTEMTIME range[2] = {Day(2000, 1, 1), Day(2030, 12, 31)};
    EXPECT_TRUE(picker.SetRange(GDTR_MIN | GDTR_MAX, range));
    SYSTEMTIME back[2] = {};
    EXPECT_EQ((DWORD)(GDTR_MIN | GDTR_MAX), picker.GetRange(back));
    EXPECT_EQ(2030, back[1].wYear);
    SYSTEMTIME day = Day(2004, 2, 29);
    EXPECT_TRUE(picker.SetTime(&day));
    SYSTEMTIME read = {};
    EXPECT_EQ((DWORD)GDT_VALID, picker.GetTime(&read));
    EXPECT_EQ(29, read.wDay);
    EXPECT_EQ(2, read.wMonth);
    EXPECT_TRUE(picker.SetFormat(L"yyyy'-'MM'-'dd"));
    picker.SetMonthCalColor(MCSC_TITLEBK, RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), picker.GetMonthCalColor(MCSC_TITLEBK));
}

TEST_F(DovrelTest, MonthCalendarFromAPointTakesItsMinimumSizeAndTheAskedVisibility)
{
    CMonthCalCtrl hidden;
    ASSERT_TRUE(hidden.Create(0, POINT{5, 7}, parent, 57));
    EXPECT_EQ(L"SysMonthCal32", ClassOf(hidden));
    RECT minimum, window;
    ASSERT_TRUE(hidden.GetMinReqRect(&minimum));
    ::GetWindowRect(hidden, &window);
    ::MapWindowPoints(nullptr, parent, (POINT*)&window, 2);
    EXPECT_EQ(5, window.left);
    EXPECT_EQ(7, window.top);
    EXPECT_EQ(minimum.right - minimum.left, window.right - window.left);
    EXPECT_EQ(minimum.bottom - minimum.top, window.bottom - window.top);
    EXPECT_GT(window.right - window.left, 0);
    EXPECT_EQ(0u, StyleOf(hidden) & WS_VISIBLE);

    CMonthCalCtrl shown;
    ASSERT_TRUE(shown.Create(WS_VISIBLE, POINT{0, 0}, parent, 58));
    EXPECT_NE(0u, StyleOf(shown) & WS_VISIBLE);

    SYSTEMTIME day = Day(2003, 6, 15);
    EXPECT_TRUE(shown.SetCurSel(&day));
    SYSTEMTIME read = {};
    EXPECT_TRUE(shown.GetCurSel(&read));
    EXPECT_EQ(15, read.wDay);
    shown.SetToday(&day);
    EXPECT_TRUE(shown.GetToday(&read));
    EXPECT_EQ(2003, read.wYear);
    EXPECT_EQ(1, shown.GetMaxSelCount());  // a single-day calendar
    shown.SetFirstDayOfWeek(6);
    EXPECT_EQ(6u, LOWORD(shown.GetFirstDayOfWeek()));
    shown.SetMonthDelta(3);
    EXPECT_EQ(3, shown.GetMonthDelta());
    shown.SetColor(MCSC_MONTHBK, RGB(9, 8, 7));
    EXPECT_EQ(RGB(9, 8, 7), shown.GetColor(MCSC_MONTHBK));
    SYSTEMTIME months[2] = {};
    EXPECT_GE(shown.GetMonthRange(GMR_VISIBLE, months), 1);
}

TEST_F(DovrelTest, SliderKeepsRangeSelectionTicsAndItsPositionWhenVerified)
{
    CSliderCtrl slider;
    ASSERT_TRUE(slider.Create(WS_VISIBLE | TBS_AUTOTICKS | TBS_ENABLESELRANGE, kBox, parent, 59));
    EXPECT_EQ(L"msctls_trackbar32", ClassOf(slider));
    slider.SetRange(10, 50);
    int low = 0, high = 0;
    slider.GetRange(low, high);
    EXPECT_EQ(10, low);
    EXPECT_EQ(50, high);
    slider.SetRangeMax(60);
    EXPECT_EQ(60, slider.GetRangeMax());
    slider.SetPos(30);
    EXPECT_EQ(30, slider.GetPos());
    // Verifying used to set the position to 0 (then clamped to the minimum).
    slider.VerifyPos();
    EXPECT_EQ(30, slider.GetPos());
    slider.SetPos(500);
    EXPECT_EQ(60, slider.GetPos());
    slider.SetSelection(20, 40);
    int start = 0, end = 0;
    slider.GetSelection(start, end);
    EXPECT_EQ(20, start);
    EXPECT_EQ(40, end);
    slider.ClearSel();
    slider.GetSelection(start, end);
    EXPECT_EQ(start, end);
    EXPECT_EQ(1, slider.SetLineSize(7));  // the old line size
    EXPECT_EQ(7, slider.GetLineSize());
    slider.SetPageSize(9);
    EXPECT_EQ(9, slider.GetPageSize());
    slider.ClearTics();
    EXPECT_EQ(2, slider.GetNumTics());  // the two ends
    EXPECT_TRUE(slider.SetTic(25));
    EXPECT_EQ(3, slider.GetNumTics());
    EXPECT_EQ(25, slider.GetTic(0));
    ASSERT_NE(nullptr, slider.GetTicArray());
    EXPECT_EQ(25u, slider.GetTicArray()[0]);
    RECT channel = {}, thumb = {};
    slider.GetChannelRect(&channel);
    slider.GetThumbRect(&thumb);
    EXPECT_GT(channel.right, channel.left);
    EXPECT_GT(thumb.bottom, thumb.top);
    EXPECT_GT(slider.GetTicPos(0), channel.left);
}

TEST_F(DovrelTest, TrackBarPaintsItsThumbIdleAndWhileDraggedAndForgetsTheDragWithTheCapture)
{
    CTrackBar bar;
    ASSERT_TRUE(bar.Create(CRect(0, 0, 200, 30), parent, 60, FALSE));
    EXPECT_EQ((DWORD)TBS_AUTOTICKS, StyleOf(bar) & (TBS_AUTOTICKS | TBS_VERT));
    bar.SetRange(0, 100);
    bar.SetPos(50);
    CRect thumb = bar.GetDrawnThumbRect();
    EXPECT_EQ(CTrackBar::kThumbWidth, thumb.Width());
    EXPECT_EQ(0, thumb.top);
    RECT own;
    bar.GetThumbRect(&own);
    EXPECT_NEAR((own.left + own.right) / 2, (thumb.left + thumb.right) / 2, 1);

    testkit::PixelSurface surface(200, 30, RGB(0, 0, 0));
    auto paint = [&] {
        surface.Fill(RGB(0, 0, 0));
        bar.SendMessageW(WM_PRINTCLIENT, (WPARAM)surface.dc(), PRF_CLIENT);
    };
    CPoint centre = thumb.CenterPoint();
    paint();
    EXPECT_EQ(CTrackBar::kBackground, surface.At(199, 29));
    EXPECT_EQ(CTrackBar::kThumbIdle, surface.At(centre.x, centre.y));
    EXPECT_EQ(CTrackBar::kThumbOutline, surface.At(thumb.left + 3, centre.y));  // shrunk by 3 at the left
    EXPECT_EQ(CTrackBar::kBackground, surface.At(thumb.left + 2, centre.y));

    bar.SendMessageW(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    EXPECT_TRUE(bar.IsDragging());
    paint();
    EXPECT_EQ(CTrackBar::kThumbDragging, surface.At(centre.x, centre.y));
    bar.SendMessageW(WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
    EXPECT_FALSE(bar.IsDragging());
    paint();
    EXPECT_EQ(CTrackBar::kThumbIdle, surface.At(centre.x, centre.y));

    bar.SendMessageW(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    ASSERT_TRUE(bar.IsDragging());
    ::SetCapture(parent);  // the pen goes elsewhere
    EXPECT_FALSE(bar.IsDragging());
    ::ReleaseCapture();

    bar.SendMessageW(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(195, 25));  // beside the thumb
    EXPECT_FALSE(bar.IsDragging());
    bar.SendMessageW(WM_LBUTTONUP, 0, MAKELPARAM(195, 25));
}

TEST_F(DovrelTest, VerticalTrackBarCentresItsThumbVerticallyAtTheLeftEdge)
{
    CTrackBar bar;
    ASSERT_TRUE(bar.Create(CRect(0, 0, 30, 200), parent, 61, TRUE));
    EXPECT_EQ((DWORD)(TBS_AUTOTICKS | TBS_VERT), StyleOf(bar) & (TBS_AUTOTICKS | TBS_VERT));
    bar.SetRange(0, 10);
    bar.SetPos(0);
    CRect thumb = bar.GetDrawnThumbRect();
    EXPECT_EQ(0, thumb.left);
    EXPECT_EQ(CTrackBar::kThumbHeight, thumb.Height());
    EXPECT_GE(thumb.top, 0);  // never above the bar
    bar.SetPos(10);
    EXPECT_GT(bar.GetDrawnThumbRect().top, thumb.top);
}
