// The world clock applet: in the test's own process under a stand-in host
// (its export, colours, updates), and on the real side bar (its menu, the
// program it opens, the program's relayed 1032, the bar's show and hide).
#include <gtest/gtest.h>

#include <ketra_testkit.h>
#include <zonath.h>

#include "clock_pixels.h"
#include "clock_style.h"
#include "device_clock.h"

using namespace testkit;
using namespace clocktest;

namespace {

const wchar_t kLibrary[] = L"\\Program Files\\ZARQ\\Ketra\\Globora.dll";
const wchar_t kAppletName[] = L"World Clock";
const wchar_t kSlotsKey[] = L"SOFTWARE\\ZARQ\\Dalvo";
const wchar_t kColoursKey[] = L"Software\\ZARQ\\Ketra\\Colors";

void SetSlot(int slot, const std::wstring& city, const std::wstring& nation)
{
    WriteText(kSlotsKey, (L"City" + std::to_wstring(slot)).c_str(), city);
    WriteText(kSlotsKey, (L"Nation" + std::to_wstring(slot)).c_str(), nation);
}

// Where a box's name and time start in the applet.
POINT NameAt(int slot)
{
    return {globora::kAppletBoxOrigins[slot].x + globora::kBoxName.x,
            globora::kAppletBoxOrigins[slot].y + globora::kBoxName.y};
}
POINT TimeAt(int slot, const std::wstring& text)
{
    POINT offset = text.size() < 10 ? globora::kBoxTimeShort : globora::kBoxTimeLong;
    return {globora::kAppletBoxOrigins[slot].x + offset.x, globora::kAppletBoxOrigins[slot].y + offset.y};
}

class WorldClockApplet : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(registry_.Saved());
        DeleteKey(kColoursKey);
        SetSlot(0, L"London", L"United Kingdom");
        SetSlot(1, L"New York, NY", L"USA");
        SetSlot(2, L"Tokyo", L"Japan");
        SetSlot(3, L"Sydney, NSW", L"Australia");
    }
    void TearDown() override { EndProcesses(L"Globora.exe"); }

    DeviceClock clock_{L"2004-07-01 12:00:00", 85};
    RegistrySandbox registry_{{L"SOFTWARE\\ZARQ"}};
};

} // namespace

TEST_F(WorldClockApplet, MadeOnceAtATimeInTheBarsColours)
{
    WriteDword(kColoursKey, L"2", RGB(200, 220, 240));
    AppletHost host(kLibrary, globora::kAppletWidth, globora::kAppletHeight);
    ASSERT_TRUE(host.Loaded());
    HWND first = host.Create();
    ASSERT_NE(nullptr, first);
    wchar_t cls[32] = L"";
    GetClassNameW(first, cls, 32);
    EXPECT_STREQ(L"Vornel1", cls);
    RECT rect;
    GetClientRect(first, &rect);
    EXPECT_EQ(236, rect.right);
    EXPECT_EQ(90, rect.bottom);

    host.Show();
    std::unique_ptr<PixelSurface> painted = host.Paint();
    EXPECT_EQ(globora::kAppletBackground, painted->At(1, 1)) << "colour 1 by default";
    EXPECT_EQ(RGB(200, 220, 240), painted->At(globora::kAppletBoxOrigins[0].x + 3, globora::kAppletBoxOrigins[0].y + 37))
        << "colour 2 from the registry";

    // A second creation replaces the first window; a destroyed one is never handed out.
    HWND second = host.Create();
    ASSERT_NE(nullptr, second);
    EXPECT_TRUE(IsWindow(second));
    EXPECT_FALSE(IsWindow(first) && first != second);
}

TEST_F(WorldClockApplet, UpdatesRestWhileTheBarIsHidden)
{
    AppletOnBar bar(kAppletName);
    ASSERT_TRUE(bar.Shown());
    bar.Send(WM_KETRA_APPLETHIDDEN);
    clock_.Stop(L"2004-07-01 12:05:00");
    PumpMessages(1500);
    EXPECT_EQ(0, TextDifference(bar.Window(), TimeAt(0, L" 1:00:00 "), L" 1:00:00 ", globora::kDigitFont,
                                globora::kAppletText, globora::kAppletBoxFill))
        << "hidden: still 1:00";
    bar.Send(WM_KETRA_APPLETSHOWN);
    PumpMessages(1500);
    EXPECT_EQ(0, TextDifference(bar.Window(), TimeAt(0, L" 1:05:00 "), L" 1:05:00 ", globora::kDigitFont,
                                globora::kAppletText, globora::kAppletBoxFill))
        << "shown: 1:05";
}

TEST_F(WorldClockApplet, ABoxTapListsTheCityAndSettingsOpensTheProgram)
{
    AppletOnBar bar(kAppletName);
    ASSERT_TRUE(bar.Shown());
    const POINT box = globora::kAppletBoxOrigins[0];
    ASSERT_TRUE(bar.Tap(box.x + 50, box.y + 20));
    std::string why;
    EXPECT_TRUE(PopupMenuShows({{L"London", true}, {L"United Kingdom", true}, {L"Phone: +44-171", true}, {L""},
                                {L"Settings..."}},
                               &why))
        << why;

    // Singapore has no area code; between boxes counts as box 0.
    SetSlot(0, L"Singapore", L"Singapore");
    bar.SendToBar(WM_KETRA_RELAY);
    ASSERT_TRUE(bar.Tap(box.x + globora::kAppletBoxSize.cx + 2, 44));
    EXPECT_TRUE(PopupMenuShows({{L"Singapore", true}, {L"Singapore", true}, {L"Phone: +65", true}, {L""},
                                {L"Settings..."}},
                               &why))
        << why;

    // "Settings...", the last entry, starts the program beside the applet.
    ASSERT_TRUE(bar.Tap(box.x + 50, box.y + 20));
    ASSERT_NE(nullptr, WaitForPopupMenu(5000));
    PressKey(VK_UP);
    PressKey(VK_RETURN);
    HWND program = WaitForWindow(L"GLOBORA_CLASS", 15000);
    ASSERT_NE(nullptr, program);
    PostMessageW(program, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitNoWindow(L"GLOBORA_CLASS", 10000));
}

TEST_F(WorldClockApplet, AnEmptyBoxOffersOnlySettings)
{
    SetSlot(3, L"Atlantis", L"Ocean");
    AppletOnBar bar(kAppletName);
    ASSERT_TRUE(bar.Shown());
    const POINT box = globora::kAppletBoxOrigins[3];
    ASSERT_TRUE(bar.Tap(box.x + 50, box.y + 20));
    std::string why;
    EXPECT_TRUE(PopupMenuShows({{L"Settings..."}}, &why)) << why;
}

TEST_F(WorldClockApplet, ARelayedChangeIsRedrawnAndOpensTheBar)
{
    AppletOnBar bar(kAppletName);
    ASSERT_TRUE(bar.Shown());
    bar.SendToBar(WM_KETRA_CLOSE);
    ASSERT_TRUE(PumpUntil([] { return !BarIsOpen(); }, 5000)) << "the bar slides under a stopped clock";
    SetSlot(0, L"Tokyo", L"Japan");
    bar.SendToBar(WM_KETRA_RELAY);
    EXPECT_TRUE(PumpUntil([] { return BarIsOpen(); }, 5000));
    PumpMessages(500);
    EXPECT_EQ(0, TextDifference(bar.Window(), NameAt(0), L"Tokyo", globora::kNameFont, globora::kAppletText,
                                globora::kAppletBoxFill));
    EXPECT_EQ(0, TextDifference(bar.Window(), TimeAt(0, L" 9:00:00 "), L" 9:00:00 ", globora::kDigitFont,
                                globora::kAppletText, globora::kAppletBoxFill));
}
