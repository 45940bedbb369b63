// The device's input panel from outside, with the note pad in front: its
// button beside the menu bar, raising the panel, typing with the built-in
// keyboard, and switching methods from the button's menu.
#include "input_fixture.h"

#include <algorithm>

namespace {

using namespace testkit;
using namespace inputtest;

const POINT kKeyboardOrigin = {kSipKeyboardPanel.left, kSipKeyboardPanel.top};

bool RectIs(const RECT& rect, int left, int top, int right, int bottom)
{
    return rect.left == left && rect.top == top && rect.right == right && rect.bottom == bottom;
}

using InputPanelTest = InputTest;

TEST_F(InputPanelTest, ButtonShowsBesideAMenuBarUnlessTheProgramHidesIt)
{
    Notes notes;
    ASSERT_TRUE(notes.InFront());
    ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(PanelButton()) != FALSE; }, 3000));
    EXPECT_TRUE(RectIs(WindowRect(PanelButton()), 204, 294, 240, 320));
    EXPECT_TRUE(RectIs(WindowRect(SHFindMenuBar(notes.Window())), 0, 294, 204, 320));

    EXPECT_TRUE(SHFullScreen(notes.Window(), SHFS_HIDESIPBUTTON));
    EXPECT_TRUE(PumpUntil([] { return !IsWindowVisible(PanelButton()); }, 3000));
    EXPECT_TRUE(SHFullScreen(notes.Window(), SHFS_SHOWSIPBUTTON));
    EXPECT_TRUE(PumpUntil([] { return IsWindowVisible(PanelButton()) != FALSE; }, 3000));

    // The Today screen has no menu bar.
    SetForegroundWindow(TodayScreen());
    EXPECT_TRUE(PumpUntil([] { return !IsWindowVisible(PanelButton()); }, 3000));
}

TEST_F(InputPanelTest, ButtonRaisesThePanelAndEveryProgramHearsIt)
{
    TestWindow listener(L"SipListener", {0, 0, 1, 1});
    Notes notes;
    ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(PanelButton()) != FALSE; }, 3000));
    // The button's left part, its picture, raises the panel.
    const RECT button = WindowRect(PanelButton());
    ASSERT_TRUE(Tap(button.left + 10, button.top + 13));
    ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(Panel()) != FALSE; }, 3000));
    EXPECT_TRUE(RectIs(WindowRect(Panel()), 0, 214, 240, 294));
    EXPECT_TRUE(notes.InFront()) << "the tap left the note pad in front";

    SIPINFO info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(SipGetInfo(&info));
    EXPECT_EQ((DWORD)(SIPF_ON | SIPF_DOCKED), info.fdwFlags);
    EXPECT_TRUE(RectIs(info.rcSipRect, 0, 214, 240, 294));
    EXPECT_TRUE(RectIs(info.rcVisibleDesktop, 0, 26, 240, 214));
    SIPINFO byParameter = {};
    byParameter.cbSize = sizeof(byParameter);
    ASSERT_TRUE(SHSipInfo(SPI_GETSIPINFO, 0, &byParameter, 0));
    EXPECT_EQ(info.fdwFlags, byParameter.fdwFlags);
    info.cbSize = 40;  // the 32-bit record's size is refused here
    EXPECT_FALSE(SipGetInfo(&info));

    EXPECT_TRUE(PumpUntil(
        [&] {
            for (const RecordedMessage& m : listener.Messages(WM_SETTINGCHANGE))
                if (m.wParam == SPI_SETSIPINFO)
                    return true;
            return false;
        },
        3000));
    // The note pad heard it too, and ends above the panel.
    EXPECT_TRUE(PumpUntil([&] { return WindowRect(notes.Window()).bottom == 214; }, 3000));

    // The second tap lowers it; the visible desktop reaches the bottom again.
    ASSERT_TRUE(Tap(button.left + 10, button.top + 13));
    ASSERT_TRUE(PumpUntil([] { return !IsWindowVisible(Panel()); }, 3000));
    info.cbSize = sizeof(info);
    ASSERT_TRUE(SipGetInfo(&info));
    EXPECT_EQ((DWORD)SIPF_DOCKED, info.fdwFlags);
    EXPECT_TRUE(RectIs(info.rcVisibleDesktop, 0, 26, 240, 320));
    EXPECT_TRUE(PumpUntil([&] { return WindowRect(notes.Window()).bottom == 294; }, 3000));
}

TEST_F(InputPanelTest, KeyboardTypesEachCharacterOnceIntoTheProgramInFront)
{
    Notes notes;
    ASSERT_TRUE(SipShowIM(SIPF_ON));
    ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(Panel()) != FALSE; }, 3000));
    notes.BringToFront();

    // "Hi", Backspace, "i", Enter, "x": Shift is one-shot.
    ASSERT_TRUE(TapKey(SipKeyForVirtualKey(VK_SHIFT), kKeyboardOrigin));
    ASSERT_TRUE(TapKey(SipKeyForCharacter(L'h'), kKeyboardOrigin));
    ASSERT_TRUE(TapKey(SipKeyForCharacter(L'i'), kKeyboardOrigin));
    EXPECT_TRUE(PumpUntil([&] { return notes.Text() == L"Hi"; }, 3000)) << notes.Text();
    ASSERT_TRUE(TapKey(SipKeyForVirtualKey(VK_BACK), kKeyboardOrigin));
    EXPECT_TRUE(PumpUntil([&] { return notes.Text() == L"H"; }, 3000)) << notes.Text();
    ASSERT_TRUE(TapKey(SipKeyForCharacter(L'i'), kKeyboardOrigin));
    ASSERT_TRUE(TapKey(SipKeyForVirtualKey(VK_RETURN), kKeyboardOrigin));
    ASSERT_TRUE(TapKey(SipKeyForCharacter(L'x'), kKeyboardOrigin));
    EXPECT_TRUE(PumpUntil([&] { return notes.Text() == L"Hi\r\nx"; }, 3000)) << notes.Text();
    EXPECT_TRUE(notes.InFront());
}

TEST_F(InputPanelTest, MenuChoiceSwitchesTheMethodTheDefaultAndThePanel)
{
    Notes notes;
    ASSERT_TRUE(SipShowIM(SIPF_ON));
    ASSERT_TRUE(PumpUntil([] { return IsWindowVisible(PanelButton()) != FALSE; }, 3000));
    ASSERT_TRUE(ChooseFromButtonMenu(L"Probe Pad"));
    ASSERT_TRUE(log.WaitFor(L"sip: method Probe Pad", 5000));
    EXPECT_EQ(kProbePadText, DefaultMethodText());
    EXPECT_TRUE(RectIs(WindowRect(Panel()), 0, 234, 240, 294));  // its 60 pixels
    // GetInfo, Select, RegisterCallback and Showing, in that order.
    EXPECT_LT(log.Find(L"probeim: GetInfo"), log.Find(L"probeim: Select"));
    EXPECT_LT(log.Find(L"probeim: Select"), log.Find(L"probeim: RegisterCallback"));
    EXPECT_LT(log.Find(L"probeim: RegisterCallback"), log.Find(L"probeim: Showing"));
    EXPECT_TRUE(log.Contains(L"callback answers IUnknown: yes, IIMCallback: yes, another: no"));
    EXPECT_TRUE(PumpUntil([&] { return notes.InFront(); }, 3000)) << "the menu hands the front back";

    // Switching away deselects, then releases.
    ASSERT_TRUE(UseMethod(CLSID_SipKeyboard));
    EXPECT_LT(log.Find(L"probeim: Deselect"), log.Find(L"probeim: Release"));
    EXPECT_TRUE(RectIs(WindowRect(Panel()), 0, 214, 240, 294));
    EXPECT_EQ(SIPKBD_CLSID_TEXT, DefaultMethodText());
}

TEST_F(InputPanelTest, MethodsListInstalledOnesAndRefuseOthers)
{
    const std::vector<std::wstring> names = MethodNames();
    for (const wchar_t* name : {L"Keyboard", L"KtIM Class", L"Probe Pad"})
        EXPECT_NE(names.end(), std::find(names.begin(), names.end(), name)) << name;
    EXPECT_EQ(-1, SipEnumIM(nullptr));

    // A class that is no input method changes nothing.
    CLSID notAMethod = CLSID_StdGlobalInterfaceTable;
    EXPECT_FALSE(SipSetCurrentIM(&notAMethod));
    EXPECT_TRUE(IsEqualCLSID(CLSID_SipKeyboard, CurrentMethod()));
    CLSID byParameter = {};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETCURRENTIM, 0, &byParameter, 0));
    EXPECT_TRUE(IsEqualCLSID(CLSID_SipKeyboard, byParameter));
}

}  // namespace
