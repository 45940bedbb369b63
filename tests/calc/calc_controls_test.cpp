// The calculators' boxes and keypad window, in one process: the grouped
// number box as typed into, list text read within its buffer, and the
// keypad's characters, clearing and new-number pause.
#include <gtest/gtest.h>
#include <windows.h>

#include <ketra_host.h>

#include <string>

#include "calc_controls.h"
#include "calc_wnd.h"
#include "numwnd.h"

namespace {

UINT g_focusRequests = 0;

LRESULT CALLBACK ParentProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KETRA_CONTROL && wParam == KETRA_CONTROL_FOCUS_ON)
        ++g_focusRequests;
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// A top-level window standing in for the side bar.
class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"CalcControlsParent";
        ::RegisterClassW(&wc);
        parent = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 240, 200, nullptr, nullptr,
                                   wc.hInstance, nullptr);
        ASSERT_TRUE(parent);
    }
    void TearDown() override { ::DestroyWindow(parent); }

    HWND parent = nullptr;
};

// Records what the keypad hands on.
class CKeypadProbe : public CNumWnd {
public:
    void OnNumChar(wchar_t ch) override { typed += ch; }
    void OnNumClear() override { typed += L'#'; }
    void Press(const wchar_t* name)
    {
        CButton button;
        button.SetCommand(name);
        OnClicked(&button, CPoint(0, 0));
    }

    std::wstring typed;
};

// Counts what the calculator window asks of its applet.
class CCalcProbe : public CCalcWnd {
public:
    explicit CCalcProbe(const wchar_t* skinFile) : CCalcWnd(L"CalcWndProbe", skinFile) {}
    using CCalcWnd::TakeListChoice;
    using CCalcWnd::TakeTyping;
    CNumEdit& KeyTarget() override { return box; }
    void LoadSettings() override { ++loads; }
    void SaveSettings() override { ++saves; }
    void Recompute() override { ++recomputes; }

    int loads = 0;
    int saves = 0;
    int recomputes = 0;
    CNumEdit box;
};

}  // namespace

TEST_F(ControlsTest, NumberBoxGroupsWhatIsTypedAndGivesItBackWithoutCommas)
{
    CNumEdit box;
    ASSERT_TRUE(box.Create(L"EDIT", L"", WS_VISIBLE | ES_RIGHT | ES_AUTOHSCROLL, CRect(0, 0, 200, 20), parent, 7));
    box.Clear();
    EXPECT_STREQ(L"0", box.CEdit::GetText());
    for (wchar_t ch : std::wstring(L"1234567"))
        box.TypeChar(ch);  // the lone "0" is replaced, the caret follows the text
    EXPECT_STREQ(L"1,234,567", box.CEdit::GetText());
    EXPECT_STREQ(L"1234567", box.GetText());
    box.TypeChar(L'.');
    box.TypeChar(L'5');
    EXPECT_STREQ(L"1,234,567.5", box.CEdit::GetText());

    box.SetText(-1234.5678, 2);
    EXPECT_STREQ(L"-1,234.57", box.CEdit::GetText());
    box.SetText(L"9876");
    EXPECT_STREQ(L"9,876", box.CEdit::GetText());
    wchar_t plain[kNumberTextLength];
    EXPECT_EQ(4, box.GetText(plain));
    EXPECT_STREQ(L"9876", plain);
}

// List items longer than the box's 260-character buffer used to be copied
// into it whole.
TEST_F(ControlsTest, ComboBoxReadsListTextOnlyWhenItFits)
{
    CComboBox combo;
    ASSERT_TRUE(combo.Create(L"COMBOBOX", L"", WS_VISIBLE | CBS_DROPDOWN | WS_VSCROLL, CRect(0, 0, 200, 100),
                             parent, 8));
    combo.AddString(L"Length");
    combo.AddString(std::wstring(300, L'm').c_str());
    combo.InsertString(0, L"Area");
    EXPECT_EQ(3, combo.GetCount());
    EXPECT_STREQ(L"Area", combo.GetLBText(0));
    EXPECT_STREQ(L"", combo.GetLBText(2));
    wchar_t text[kNumberTextLength];
    EXPECT_EQ(CB_ERR, combo.GetLBText(9, text));
    combo.SetCurSel(1);
    EXPECT_STREQ(L"Length", combo.GetDroppedText());
    combo.SetText(L"2+3");
    combo.TypeChar(L'x');  // the caret sits at the start after setting the text
    EXPECT_EQ(4u, wcslen(combo.GetText()));
    combo.Clear();
    EXPECT_STREQ(L"", combo.GetText());
}

TEST(Keypad, OnlyTheKeypadNamesTypeCharacters)
{
    EXPECT_EQ(L'7', CNumWnd::KeypadChar(L"NUM7"));
    EXPECT_EQ(L'.', CNumWnd::KeypadChar(L"DOT"));
    EXPECT_EQ(L'-', CNumWnd::KeypadChar(L"MINUS"));
    // Any name holding "NUM" used to type its fourth character.
    EXPECT_EQ(0, CNumWnd::KeypadChar(L"NUM"));
    EXPECT_EQ(0, CNumWnd::KeypadChar(L"NUMBER"));
    EXPECT_EQ(0, CNumWnd::KeypadChar(L"ENUM1"));
    EXPECT_EQ(0, CNumWnd::KeypadChar(L"NUM12"));
    EXPECT_EQ(0, CNumWnd::KeypadChar(L"CLEAR"));
}

// The high words of the two times used to be compared on their own, so a
// number typed quickly was cleared whenever the high word ticked over.
TEST(Keypad, ANewNumberStartsAfterFiveSecondsMeasuredOnTheWholeTime)
{
    const ULONGLONG tick = 0x100000000ULL;
    EXPECT_FALSE(CNumWnd::StartsNewNumber(5 * tick - 10, 5 * tick + 10));
    EXPECT_FALSE(CNumWnd::StartsNewNumber(tick, tick + CNumWnd::kNewNumberDelay));
    EXPECT_TRUE(CNumWnd::StartsNewNumber(tick, tick + CNumWnd::kNewNumberDelay + 1));
    EXPECT_TRUE(CNumWnd::StartsNewNumber(0, CNumWnd::Now()));  // the first press
    EXPECT_TRUE(CNumWnd::StartsNewNumber(tick + 1, tick));     // the clock went back
}

TEST_F(ControlsTest, KeypadWindowAsksForTheFocusAndClearsBeforeANewNumber)
{
    CKeypadProbe keypad;
    g_focusRequests = 0;
    ASSERT_TRUE(keypad.Create(parent, L"CalcKeypadProbe"));
    EXPECT_EQ(1u, g_focusRequests);
    EXPECT_EQ(0u, keypad.GetExStyle() & WS_EX_NOACTIVATE);
    EXPECT_NE(0u, keypad.GetExStyle() & WS_EX_TOOLWINDOW);
    EXPECT_NE(0u, keypad.GetStyle() & WS_CLIPCHILDREN);  // the skin never paints over its boxes

    keypad.Press(L"NUM1");  // the first press after creation clears first
    keypad.Press(L"DOT");
    keypad.Press(L"MINUS");
    keypad.Press(L"NUMBER");
    keypad.Press(L"TOGGLE");
    keypad.Press(L"CLEAR");
    EXPECT_EQ(L"#1.-#", keypad.typed);

    keypad.typed.clear();
    keypad.m_ullLastPress = CNumWnd::Now() - CNumWnd::kNewNumberDelay - 10000000;
    keypad.Press(L"NUM9");
    EXPECT_EQ(L"#9", keypad.typed);

    keypad.typed.clear();
    keypad.m_bAutoClear = 0;
    keypad.m_ullLastPress = 0;
    keypad.Press(L"NUM4");
    EXPECT_EQ(L"4", keypad.typed);
}

// Settings are stored again only by a window that showed them: one whose
// skin failed would write its defaults over what the user had kept.
TEST_F(ControlsTest, CalculatorWindowWithoutItsSkinLeavesNoWindowAndStoresNothing)
{
    CCalcProbe calc(L"NoSuchSkin.xml");
    EXPECT_EQ(0, calc.Open(parent, ::GetModuleHandleW(nullptr)));
    EXPECT_FALSE(calc.GetSafeHwnd());
    EXPECT_EQ(1, calc.loads);
    EXPECT_EQ(0, calc.saves);
}

TEST_F(ControlsTest, CalculatorWindowRecomputesOnKeysTypingAndOnlyOnChoicesFromAnOpenList)
{
    CCalcProbe calc(L"NoSuchSkin.xml");
    ASSERT_TRUE(calc.Create(parent, L"CalcWndProbeBoxes"));
    ASSERT_TRUE(calc.box.Create(L"EDIT", L"", kCalcNumberStyle, CRect(0, 0, 100, 20), calc.GetSafeHwnd(), 8));
    calc.box.Clear();
    for (wchar_t ch : std::wstring(L"1.5.2"))
        calc.OnNumChar(ch);  // the second point is not typed, nor recomputed
    EXPECT_STREQ(L"1.52", calc.box.GetText());
    EXPECT_EQ(4, calc.recomputes);
    calc.OnNumClear();
    EXPECT_STREQ(L"0", calc.box.GetText());
    EXPECT_EQ(5, calc.recomputes);

    calc.recomputes = 0;
    EXPECT_EQ(0, calc.TakeTyping(EN_UPDATE));
    EXPECT_EQ(0, calc.recomputes);
    EXPECT_EQ(0, calc.TakeTyping(EN_CHANGE));
    EXPECT_EQ(1, calc.recomputes);

    CComboBox list;
    ASSERT_TRUE(list.Create(L"COMBOBOX", L"", kCalcListStyle, CRect(0, 0, 100, 80), calc.GetSafeHwnd(), 9));
    list.AddString(L"10");
    list.AddString(L"15");
    list.SetCurSel(1);
    int index = 0;
    calc.TakeListChoice(list, index);  // the list is closed: a notice of no choice
    EXPECT_EQ(0, index);
    EXPECT_EQ(1, calc.recomputes);

    calc.DestroyWindow();
    EXPECT_EQ(0, calc.saves);  // made without its skin
}
