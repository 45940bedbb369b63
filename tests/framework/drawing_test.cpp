// Drawing objects and contexts: selection bookkeeping, lines, fills, fonts
// and shadowed text, checked on the pixels of a memory surface.
#include <gtest/gtest.h>

#include "drawing.h"

#include "ketra_testkit.h"

namespace {

using namespace testkit;

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kBlack = RGB(0, 0, 0);

TEST(DrawingObjects, ReleaseObjectRestoresWhatEachSelectionDisplaced)
{
    PixelSurface surface(16, 8, kWhite);
    CDC dc(surface.dc());
    HGDIOBJ original = GetCurrentObject(surface.dc(), OBJ_PEN);
    CPen red(PS_SOLID, 1, kRed);
    CPen blue(PS_SOLID, 1, kBlue);

    EXPECT_EQ(dc.SelectObject(&red), original);
    EXPECT_EQ(dc.SelectObject(&blue), red.GetSafeHandle());
    EXPECT_TRUE(dc.Line(0, 2, 10, 2));
    dc.ReleaseObject(&blue);
    EXPECT_EQ(GetCurrentObject(surface.dc(), OBJ_PEN), red.GetSafeHandle());
    EXPECT_TRUE(dc.Line(0, 4, 10, 4));
    dc.ReleaseObject(&red);
    EXPECT_EQ(GetCurrentObject(surface.dc(), OBJ_PEN), original);

    // A polyline leaves out its last point.
    EXPECT_EQ(surface.At(0, 2), kBlue);
    EXPECT_EQ(surface.At(9, 2), kBlue);
    EXPECT_EQ(surface.At(10, 2), kWhite);
    EXPECT_EQ(surface.At(0, 4), kRed);
}

TEST(DrawingObjects, LineToDrawsFromTheCurrentPosition)
{
    PixelSurface surface(16, 16, kWhite);
    CDC dc(surface.dc());
    CPen red(PS_SOLID, 1, kRed);
    dc.SelectObject(&red);

    dc.MoveTo(2, 5);
    EXPECT_TRUE(dc.LineTo(6, 5));
    EXPECT_TRUE(dc.LineTo(6, 9));
    const CPoint previous = dc.MoveTo(0, 0);
    dc.ReleaseObject(&red);

    EXPECT_EQ(previous, CPoint(6, 9));
    EXPECT_EQ(surface.At(1, 5), kWhite);
    EXPECT_EQ(surface.At(2, 5), kRed);
    EXPECT_EQ(surface.At(5, 5), kRed);
    EXPECT_EQ(surface.At(6, 5), kRed);  // drawn by the second segment
    EXPECT_EQ(surface.At(6, 8), kRed);
    EXPECT_EQ(surface.At(6, 9), kWhite);
}

TEST(DrawingObjects, FillRectUsesTheGivenOrTheSelectedBrush)
{
    PixelSurface surface(12, 6, kWhite);
    CDC dc(surface.dc());
    CBrush blue(kBlue);
    CBrush red(kRed);
    const RECT left = {1, 1, 4, 4};
    const RECT right = {6, 1, 9, 4};

    dc.FillRect(&left, &blue);
    dc.SelectObject(&red);
    dc.FillRect(&right, nullptr);
    dc.ReleaseObject(&red);

    EXPECT_EQ(surface.At(1, 1), kBlue);
    EXPECT_EQ(surface.At(3, 3), kBlue);
    EXPECT_EQ(surface.At(4, 4), kWhite);
    EXPECT_EQ(surface.At(6, 1), kRed);
    EXPECT_EQ(surface.At(9, 4), kWhite);
}

TEST(DrawingObjects, OwnershipMovesWithAssignmentAndDetach)
{
    CPen pen(PS_SOLID, 1, kRed);
    HGDIOBJ first = pen.GetSafeHandle();
    pen = CreatePen(PS_SOLID, 2, kBlue);
    EXPECT_EQ(GetObjectType(first), 0u) << "the replaced pen must be deleted";

    HGDIOBJ second = pen.Detach();
    EXPECT_EQ(pen.DeleteObject(), FALSE);
    EXPECT_EQ(GetObjectType(second), (DWORD)OBJ_PEN) << "a detached pen belongs to the caller";
    EXPECT_TRUE(pen.Attach(second));
    EXPECT_FALSE(pen.Attach(nullptr));
    EXPECT_EQ(pen.GetSafeHandle(), second);
}

TEST(DrawingObjects, CreateFontSetsHeightFaceAndWeightOnly)
{
    CFont font;
    ASSERT_TRUE(font.CreateFont(13, L"Tahoma", FW_BOLD));
    LOGFONTW logFont = {};
    ASSERT_EQ(GetObjectW(font.GetSafeHandle(), sizeof(logFont), &logFont), (int)sizeof(logFont));
    EXPECT_EQ(logFont.lfHeight, 13);
    EXPECT_EQ(logFont.lfWeight, FW_BOLD);
    EXPECT_EQ(logFont.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(logFont.lfItalic, 0);
    EXPECT_STREQ(logFont.lfFaceName, L"Tahoma");

    // A face name the platform would cut is refused instead.
    CFont tooLong;
    EXPECT_FALSE(tooLong.CreateFont(13, L"A face name far longer than thirty-one characters", FW_NORMAL));
    EXPECT_EQ(tooLong.GetSafeHandle(), nullptr);
}

// Text drawn the plain way, for comparison with ShadowTextOut.
void DrawTahoma(HDC hdc, int x, int y, LPCWSTR text, COLORREF colour)
{
    CDC dc(hdc);
    CFont font;
    ASSERT_TRUE(font.CreateFont(13, L"Tahoma", FW_NORMAL));
    dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(colour);
    dc.TextOut(x, y, text);
    dc.ReleaseObject(&font);
}

int CountDifferences(const PixelSurface& a, const PixelSurface& b)
{
    int differences = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differences += a.At(x, y) != b.At(x, y);
    return differences;
}

TEST(ShadowText, DrawsTheTextTwiceOnePixelApart)
{
    PixelSurface shadowed(60, 24, kWhite);
    PixelSurface twice(60, 24, kWhite);
    PixelSurface once(60, 24, kWhite);
    CDC(shadowed.dc()).ShadowTextOut(4, 3, L"Wg", 13, kBlack, kBlack);
    DrawTahoma(twice.dc(), 5, 4, L"Wg", kBlack);
    DrawTahoma(twice.dc(), 4, 3, L"Wg", kBlack);
    DrawTahoma(once.dc(), 4, 3, L"Wg", kBlack);

    EXPECT_EQ(CountDifferences(shadowed, twice), 0);
    EXPECT_GT(CountDifferences(shadowed, once), 0) << "the shadow must show";
    EXPECT_GT(CountDifferences(once, PixelSurface(60, 24, kWhite)), 0) << "no text was drawn";
}

TEST(ShadowText, TextLiesOverItsShadowAndTheContextIsPutBack)
{
    PixelSurface shadowed(60, 24, kWhite);
    PixelSurface text(60, 24, kWhite);
    PixelSurface shadow(60, 24, kWhite);
    HFONT originalFont = static_cast<HFONT>(GetCurrentObject(shadowed.dc(), OBJ_FONT));
    CDC(shadowed.dc()).ShadowTextOut(4, 3, L"Wg", 13, kBlue, kRed);
    DrawTahoma(text.dc(), 4, 3, L"Wg", kRed);
    DrawTahoma(shadow.dc(), 5, 4, L"Wg", kBlue);

    for (int y = 0; y < shadowed.height(); ++y) {
        for (int x = 0; x < shadowed.width(); ++x) {
            const COLORREF expected = text.At(x, y) != kWhite ? kRed : shadow.At(x, y);
            ASSERT_EQ(shadowed.At(x, y), expected) << "at " << x << "," << y;
        }
    }
    EXPECT_EQ(GetTextColor(shadowed.dc()), kRed);
    EXPECT_EQ(GetBkMode(shadowed.dc()), OPAQUE);
    EXPECT_EQ(GetCurrentObject(shadowed.dc(), OBJ_FONT), originalFont);
}

} // namespace
