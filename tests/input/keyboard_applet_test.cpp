// The keyboard applet on the side bar: it hosts the input method named like
// it in a window of the method's panel height, types into the program in
// front without taking the front, makes the empty KtIM the device's method,
// and the device's method menu closes the bar while it shows the keyboard.
#include "input_fixture.h"

namespace {

using namespace testkit;
using namespace inputtest;

// The Default skin: the applet area starts 24 pixels down, the bar ends 8
// pixels below it.
const int kAreaTop = 24;
const int kBottomMargin = 8;

bool PanelIsEmpty()
{
    SIPINFO info = {};
    info.cbSize = sizeof(info);
    return SipGetInfo(&info) && info.rcSipRect.bottom == info.rcSipRect.top && Height(WindowRect(Panel())) == 0;
}

using KeyboardAppletTest = InputTest;

TEST_F(KeyboardAppletTest, KeyboardHostsTheBuiltInKeyboardAndEmptiesThePanel)
{
    AppletOnBar keyboard(L"Keyboard");
    ASSERT_TRUE(keyboard.Shown());
    EXPECT_EQ(L"Tapira", ClassOf(keyboard.Window()));
    const RECT applet = keyboard.Rect();
    EXPECT_EQ(240, Width(applet));
    EXPECT_EQ(80, Height(applet));
    HWND panel = FindChild(keyboard.Window(), L"Static", 1111);
    ASSERT_NE(nullptr, panel);
    EXPECT_EQ(240, Width(WindowRect(panel)));
    EXPECT_EQ(80, Height(WindowRect(panel)));
    EXPECT_NE(nullptr, FindChild(panel, L"SipKeyboard"));
    EXPECT_EQ(kAreaTop + 80 + kBottomMargin, Height(BarRect()));

    EXPECT_EQ(L"Keyboard", ReadText(KETRA_OPTIONS_KEY, L"LastIM"));
    EXPECT_TRUE(IsEqualCLSID(kKtIM, CurrentMethod()));
    EXPECT_EQ(kKtIMText, DefaultMethodText());
    EXPECT_TRUE(log.Contains(L"sip: method KtIM Class"));
    EXPECT_TRUE(PanelIsEmpty());
}

TEST_F(KeyboardAppletTest, TapsOnTheBarTypeIntoTheProgramInFront)
{
    Notes notes;
    AppletOnBar keyboard(L"Keyboard");
    ASSERT_TRUE(keyboard.Shown());
    notes.BringToFront();
    ASSERT_TRUE(notes.InFront());
    for (wchar_t c : {L'h', L'i'}) {
        POINT at = SipKeyCentre(*SipKeyForCharacter(c), {0, 0});
        ASSERT_TRUE(keyboard.Tap(at.x, at.y));
    }
    EXPECT_TRUE(PumpUntil([&] { return notes.Text() == L"hi"; }, 3000)) << notes.Text();
    EXPECT_TRUE(notes.InFront()) << "the keyboard took the front";
    // Nor does a tap on the bar's own surface (below the applet).
    const RECT bar = BarRect();
    ASSERT_TRUE(Tap(bar.left + 60, bar.bottom - 3));
    PumpMessages(300);
    EXPECT_TRUE(notes.InFront()) << "the bar took the front";
    POINT at = SipKeyCentre(*SipKeyForVirtualKey(VK_BACK), {0, 0});
    ASSERT_TRUE(keyboard.Tap(at.x, at.y));
    EXPECT_TRUE(PumpUntil([&] { return notes.Text() == L"h"; }, 3000)) << notes.Text();
}

TEST_F(KeyboardAppletTest, NameInAnotherCaseFindsTheMethod)
{
    AppletOnBar keyboard(L"keyboard");
    ASSERT_TRUE(keyboard.Shown());
    EXPECT_NE(nullptr, FindChild(keyboard.Window(), L"SipKeyboard"));
    EXPECT_EQ(L"keyboard", ReadText(KETRA_OPTIONS_KEY, L"LastIM"));
}

TEST_F(KeyboardAppletTest, ProbePadGetsItsHeightAndIsDeselectedThenReleased)
{
    AppletOnBar pad(L"Probe Pad");
    ASSERT_TRUE(pad.Shown());
    EXPECT_EQ(60, Height(pad.Rect()));
    EXPECT_EQ(kAreaTop + 60 + kBottomMargin, Height(BarRect()));
    EXPECT_LT(log.Find(L"probeim: GetInfo"), log.Find(L"probeim: Select"));
    EXPECT_LT(log.Find(L"probeim: RegisterCallback"), log.Find(L"probeim: Showing"));
    EXPECT_TRUE(log.Contains(L"callback answers IUnknown: yes, IIMCallback: yes, another: no"));

    ASSERT_TRUE(ChooseApplet(L"About"));
    ASSERT_NE(-1, log.Find(L"probeim: Deselect"));
    EXPECT_LT(log.Find(L"probeim: Deselect"), log.Find(L"probeim: Release"));
    EXPECT_TRUE(IsEqualCLSID(kKtIM, CurrentMethod())) << "KtIM stays current";
}

TEST_F(KeyboardAppletTest, PickingAMethodClosesTheBarOnlyWhileItShowsTheKeyboard)
{
    Notes notes;
    AppletOnBar keyboard(L"Keyboard");
    ASSERT_TRUE(keyboard.Shown());
    notes.BringToFront();
    ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(PanelButton()) != FALSE; }, 3000));
    ASSERT_TRUE(ChooseFromButtonMenu(L"Keyboard"));
    EXPECT_TRUE(PumpUntil([] { return IsEqualCLSID(CLSID_SipKeyboard, CurrentMethod()); }, 5000));
    EXPECT_TRUE(PumpUntil([] { return !BarIsOpen(); }, 5000));

    // Shown again, the applet makes KtIM current again.
    SendToBar(WM_KETRA_OPEN);
    EXPECT_TRUE(PumpUntil([] { return IsEqualCLSID(kKtIM, CurrentMethod()); }, 5000));

    // Once the bar went on to another applet, the choice leaves it open.
    ASSERT_TRUE(ChooseApplet(L"About"));
    notes.BringToFront();
    ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(PanelButton()) != FALSE; }, 3000));
    log.Restart();
    ASSERT_TRUE(ChooseFromButtonMenu(L"Keyboard"));
    ASSERT_TRUE(log.WaitFor(L"sip: method Keyboard", 5000));
    PumpMessages(300);
    EXPECT_TRUE(BarIsOpen());
}

}  // namespace
