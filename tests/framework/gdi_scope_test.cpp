// The selection guard and the settings pages' title, on a memory surface.
#include <gtest/gtest.h>

#include "drawing.h"
#include "ketra_testkit.h"

namespace {

using namespace testkit;

TEST(SelectObjectTest, PutsBackWhatItDisplacedInTurn)
{
    PixelSurface surface(40, 40, RGB(255, 255, 255));
    HDC dc = surface.dc();
    const HGDIOBJ originalPen = GetCurrentObject(dc, OBJ_PEN);
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    CPen blue(PS_SOLID, 1, RGB(0, 0, 255));
    {
        CSelectObject outer(dc, red);
        EXPECT_TRUE(outer.IsSelected());
        EXPECT_EQ(red.GetSafeHandle(), GetCurrentObject(dc, OBJ_PEN));
        {
            CSelectObject inner(dc, blue);
            EXPECT_EQ(blue.GetSafeHandle(), GetCurrentObject(dc, OBJ_PEN));
            EXPECT_EQ(red.GetSafeHandle(), inner.GetPrevious());
        }
        EXPECT_EQ(red.GetSafeHandle(), GetCurrentObject(dc, OBJ_PEN));
    }
    EXPECT_EQ(originalPen, GetCurrentObject(dc, OBJ_PEN));

    // A selection that failed puts nothing back (the pen stays as it was).
    {
        CSelectObject nothing(dc, nullptr);
        EXPECT_FALSE(nothing.IsSelected());
        SelectObject(dc, red);
    }
    EXPECT_EQ(red.GetSafeHandle(), GetCurrentObject(dc, OBJ_PEN));
    SelectObject(dc, originalPen);
}

TEST(PageTitleTest, TitleAndLineInTheirPlacesAndTheContextAsItWas)
{
    PixelSurface surface(240, 40, RGB(255, 255, 255));
    HDC dc = surface.dc();
    SetTextColor(dc, RGB(1, 2, 3));
    SetBkMode(dc, OPAQUE);
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);

    CorPaintPageTitle(dc, L"Clock Settings");

    EXPECT_EQ(240, surface.Count(RECT{0, kPageTitleLineY, 240, kPageTitleLineY + 1}, RGB(0, 0, 0)));
    const int titlePixels = surface.Count(RECT{0, 0, 240, kPageTitleLineY}, kPageTitleColour);
    EXPECT_GT(titlePixels, 100) << "no bold title in 0x804000";
    EXPECT_EQ(0, surface.Count(RECT{0, 0, kPageTitleLeft, kPageTitleLineY}, kPageTitleColour)) << "text left of x = 7";
    EXPECT_EQ(240 * 17, surface.Count(RECT{0, kPageTitleLineY + 1, 240, 40}, RGB(255, 255, 255)))
        << "painted below the line";

    EXPECT_EQ(RGB(1, 2, 3), GetTextColor(dc));
    EXPECT_EQ(OPAQUE, GetBkMode(dc));
    EXPECT_EQ(font, GetCurrentObject(dc, OBJ_FONT));
    EXPECT_EQ(pen, GetCurrentObject(dc, OBJ_PEN));
}

}  // namespace
