// The pocket calculator strip on the side bar, seen on the screen: its keys
// blue and green while held, hit only strictly inside their squares, and
// its display read back by drawing the expected text the way it draws it.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ketra_testkit.h"

namespace {

using namespace testkit;

const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const RECT kDisplay = {5, 3, 120, 16};

struct Key {
    wchar_t name;
    int x, y;  // top-left corner of its 16 x 16 square
};
const Key kKeys[] = {{L'1', 133, 1}, {L'0', 209, 18}, {L'/', 57, 18}, {L'=', 95, 18}, {L'C', 114, 18}};

Key KeyOf(wchar_t name)
{
    for (const Key& key : kKeys)
        if (key.name == name)
            return key;
    ADD_FAILURE() << "no key " << (char)name;
    return kKeys[0];
}

// The display's text as the strip draws it: right-aligned Tahoma 14, white
// over a black copy one pixel right and down.  Each pixel of the display's
// rectangle (with the shadow's extra row and column) is white, black or
// left to the background.
const RECT kDisplayArea = {kDisplay.left, kDisplay.top, kDisplay.right + 1, kDisplay.bottom + 1};
const COLORREF kUntouched = RGB(1, 2, 3);

std::unique_ptr<PixelSurface> DrawDisplay(const wchar_t* text)
{
    auto surface = std::make_unique<PixelSurface>(230, 38, kUntouched);
    LOGFONTW logFont = {};
    logFont.lfHeight = 14;
    logFont.lfWeight = FW_NORMAL;
    logFont.lfCharSet = DEFAULT_CHARSET;
    wcscpy_s(logFont.lfFaceName, L"Tahoma");
    HFONT font = CreateFontIndirectW(&logFont);
    HGDIOBJ old = SelectObject(surface->dc(), font);
    SetBkMode(surface->dc(), TRANSPARENT);
    const UINT format = DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    RECT shadow = kDisplay;
    OffsetRect(&shadow, 1, 1);
    SetTextColor(surface->dc(), RGB(0, 0, 0));
    DrawTextW(surface->dc(), text, -1, &shadow, format);
    RECT face = kDisplay;
    SetTextColor(surface->dc(), kWhite);
    DrawTextW(surface->dc(), text, -1, &face, format);
    SelectObject(surface->dc(), old);
    DeleteObject(font);
    return surface;
}

// Where the screen differs from the drawing: a white or black pixel of the
// drawing that is not so on the screen, or black on the screen that the
// drawing left to the background (the bar's background may be white, never
// black).  Empty when the display shows the text.
std::string DisplayDifference(const PixelSurface& screen, const PixelSurface& expected)
{
    for (int y = kDisplayArea.top; y < kDisplayArea.bottom; ++y) {
        for (int x = kDisplayArea.left; x < kDisplayArea.right; ++x) {
            const COLORREF want = expected.At(x, y), got = screen.At(x, y);
            const bool differs = want == kUntouched ? got == RGB(0, 0, 0) : got != want;
            if (differs)
                return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
        }
    }
    return "";
}

class AbacorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(system_.Saved());
        bar_ = std::make_unique<AppletOnBar>(L"Pocket Calc");
        ASSERT_TRUE(bar_->Shown()) << "the bar does not show the pocket calculator";
    }
    void TearDown() override { bar_.reset(); }

    bool TapKeys(const wchar_t* keys)
    {
        for (const wchar_t* name = keys; *name; ++name) {
            const Key key = KeyOf(*name);
            if (!bar_->Tap(key.x + 8, key.y + 8))
                return false;
        }
        PumpMessages(100);
        return true;
    }
    // A point of the key's circle clear of its label.
    COLORREF KeyColour(const Key& key) const { return bar_->Pixel(key.x + 2, key.y + 8); }
    // Whether the display shows the text (waiting a moment for the paint).
    ::testing::AssertionResult Shows(const wchar_t* text) const
    {
        const std::unique_ptr<PixelSurface> expected = DrawDisplay(text);
        if (expected->Count(kDisplayArea, kWhite) == 0)
            return ::testing::AssertionFailure() << "the test drew no text";
        std::string difference;
        PumpUntil([&] { return (difference = DisplayDifference(*bar_->Capture(), *expected)).empty(); }, 2000);
        if (!difference.empty())
            return ::testing::AssertionFailure() << "the display differs from the drawing at " << difference;
        return ::testing::AssertionSuccess();
    }

    RegistrySandbox system_{{kSystemKey}};
    std::unique_ptr<AppletOnBar> bar_;
};

}  // namespace

TEST_F(AbacorTest, KeysAreBlueAndGreenWhileTheStylusHoldsThem)
{
    EXPECT_EQ(L"ABACOR", ClassOf(bar_->Window()));
    EXPECT_EQ(230, Width(bar_->Rect()));
    EXPECT_EQ(38, Height(bar_->Rect()));
    for (const Key& key : kKeys)
        EXPECT_EQ(kBlue, KeyColour(key)) << (char)key.name;
    EXPECT_TRUE(Shows(L"0"));

    const Key one = KeyOf(L'1');
    const RECT area = bar_->Rect();
    ASSERT_TRUE(StylusDown(area.left + one.x + 8, area.top + one.y + 8));
    EXPECT_TRUE(PumpUntil([&] { return KeyColour(one) == kGreen; }, 2000)) << "the held key is not green";
    EXPECT_EQ(kBlue, KeyColour(KeyOf(L'0')));
    EXPECT_TRUE(Shows(L"0")) << "a key acts only when it is let go";
    EXPECT_FALSE(Shows(L"1"));
    ASSERT_TRUE(StylusUp(area.left + one.x + 8, area.top + one.y + 8));
    EXPECT_TRUE(PumpUntil([&] { return KeyColour(one) == kBlue; }, 2000));
    EXPECT_TRUE(Shows(L"1"));
}

// A key's square is hit strictly inside: its corner is not the key's, the
// next point in is.
TEST_F(AbacorTest, ATapJustInsideAKeyCountsAndOneOnItsEdgeDoesNot)
{
    const Key one = KeyOf(L'1');
    ASSERT_TRUE(bar_->Tap(one.x, one.y + 8));
    ASSERT_TRUE(bar_->Tap(one.x + 8, one.y + 16));
    PumpMessages(100);
    EXPECT_TRUE(Shows(L"0"));
    ASSERT_TRUE(bar_->Tap(one.x + 1, one.y + 1));
    EXPECT_TRUE(Shows(L"1"));
    ASSERT_TRUE(bar_->Tap(one.x + 15, one.y + 15));
    EXPECT_TRUE(Shows(L"11"));
}

TEST_F(AbacorTest, DividingByZeroShowsErrorUntilTheNextKey)
{
    ASSERT_TRUE(TapKeys(L"1/0="));
    EXPECT_TRUE(Shows(L"Error"));
    ASSERT_TRUE(TapKeys(L"1"));
    EXPECT_TRUE(Shows(L"1"));
    ASSERT_TRUE(TapKeys(L"C"));
    EXPECT_TRUE(Shows(L"0"));
}
