// The level meter: slider arithmetic and the pixels it draws.
#include <gtest/gtest.h>
#include <windows.h>

#include "widgets.h"

#include "ketra_testkit.h"

namespace {

using namespace testkit;

constexpr COLORREF kBackdrop = RGB(10, 20, 30);
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;

// A 100 x 20 meter at (10, 10) on a 130 x 50 surface, range 0-100.
class MeterTest : public ::testing::Test {
protected:
    void SetUp() override { meter.Create(0, CRect(10, 10, 110, 30)); }
    void Paint() {
        surface.Fill(kBackdrop);
        CDC dc(surface.dc());
        dc.SelectStockObject(BLACK_PEN);
        meter.Draw(&dc);
    }

    CMeterBar meter;
    PixelSurface surface{130, 50, kBackdrop};
};

}  // namespace

TEST_F(MeterTest, DraggingSetsThePositionUnderTheStylus) {
    EXPECT_FALSE(meter.OnMouseMove(CPoint(50, 20)));  // no stylus down yet
    EXPECT_EQ(0, meter.GetPos());
    EXPECT_FALSE(meter.OnLButtonDown(CPoint(7, 20)));  // more than 2 pixels off
    ASSERT_TRUE(meter.OnLButtonDown(CPoint(8, 20)));
    EXPECT_TRUE(meter.IsMouseDown());
    EXPECT_TRUE(meter.OnMouseMove(CPoint(10 + 37, 20)));
    EXPECT_EQ(37, meter.GetPos());
    meter.OnMouseMove(CPoint(400, 20));
    EXPECT_EQ(100, meter.GetPos());
    meter.OnMouseMove(CPoint(-50, 20));
    EXPECT_EQ(0, meter.GetPos());
    EXPECT_TRUE(meter.OnLButtonUp(CPoint(0, 0)));
    EXPECT_FALSE(meter.IsMouseDown());
    EXPECT_FALSE(meter.OnMouseMove(CPoint(60, 20)));
    EXPECT_EQ(0, meter.GetPos());
}

TEST_F(MeterTest, VerticalSliderCountsUpFromTheBottomWithinItsRange) {
    meter.SetBarStyle(CMeterBar::kSolid, 2);
    meter.SetRange(20, 70);  // 50 steps over 20 pixels of height
    EXPECT_EQ(20, meter.GetPos());
    EXPECT_EQ(20, meter.GetPos(CPoint(50, 30)));
    EXPECT_EQ(45, meter.GetPos(CPoint(50, 20)));
    EXPECT_EQ(45, meter.GetPos());
    EXPECT_EQ(25, meter.GetAbsPos());
    EXPECT_EQ(70, meter.SetPos(70));
    EXPECT_EQ(70, meter.SetPos(71));  // refused outside the range
    EXPECT_EQ(70, meter.SetPos(19));
}

TEST_F(MeterTest, AnEmptyRangeOrRectangleStaysAtTheMinimum) {
    meter.SetRange(5, 5);
    EXPECT_EQ(5, meter.GetPos(CPoint(60, 20)));
    Paint();  // must neither divide by zero nor draw a bar
    EXPECT_EQ(kWhite, surface.At(60, 20));
    meter.SetRange(0, 100);
    meter.m_rect = CRect(10, 10, 10, 30);
    EXPECT_EQ(0, meter.GetPos(CPoint(60, 20)));
}

TEST_F(MeterTest, SolidBarFillsItsShareInsideTheInsetWithTheAutomaticColour) {
    meter.SetPos(50);
    Paint();
    EXPECT_EQ(kBlack, surface.At(10, 20));   // the frame with the current pen
    EXPECT_EQ(kWhite, surface.At(11, 20));   // inset area stays white
    EXPECT_EQ(MeterColour::kAmber, surface.At(12, 20));
    EXPECT_EQ(MeterColour::kAmber, surface.At(12 + 47, 13));
    EXPECT_EQ(kWhite, surface.At(12 + 48, 20));  // trunc(50 * 96 / 100) = 48 pixels
    EXPECT_EQ(kWhite, surface.At(50, 11));
    EXPECT_EQ(kBackdrop, surface.At(5, 5));
}

TEST_F(MeterTest, AutomaticColourBandsAndFixedColour) {
    const struct { int position; COLORREF colour; } cases[] = {
        {29, MeterColour::kRed}, {30, MeterColour::kAmber}, {60, MeterColour::kAmber}, {61, MeterColour::kGreen}};
    for (const auto& c : cases) {
        meter.SetPos(c.position);
        Paint();
        EXPECT_EQ(c.colour, surface.At(13, 20)) << c.position;
    }
    meter.SetBarStyle(CMeterBar::kSolid | CMeterBar::kHorizontal, 0, RGB(1, 2, 3));
    meter.SetPos(10);
    Paint();
    EXPECT_EQ(RGB(1, 2, 3), surface.At(11, 11));  // no inset: the bar covers the frame
}

TEST_F(MeterTest, DashedBarDrawsCutDashesAndNothingAtTheMinimum) {
    meter.SetBarStyle(CMeterBar::kHorizontal, 2);
    Paint();
    for (int x = 11; x < 109; ++x) EXPECT_EQ(kWhite, surface.At(x, 20)) << x;

    meter.SetPos(12);  // trunc(12 * 96 / 100) = 11 pixels: dashes 0-3, 5-8, 10
    Paint();
    const int on[] = {0, 3, 5, 8, 10};
    const int off[] = {4, 9, 11, 12};
    for (int x : on) EXPECT_EQ(MeterColour::kRed, surface.At(12 + x, 20)) << x;
    for (int x : off) EXPECT_EQ(kWhite, surface.At(12 + x, 20)) << x;
}

TEST_F(MeterTest, VerticalDashesGrowUpward) {
    meter.SetBarStyle(0, 2);
    meter.SetPos(100);  // the whole 16 pixels of height
    Paint();
    EXPECT_EQ(MeterColour::kGreen, surface.At(50, 27));  // bottom row of the bar
    EXPECT_EQ(kWhite, surface.At(50, 27 - 4));         // the first gap
    EXPECT_EQ(MeterColour::kGreen, surface.At(50, 27 - 5));
    EXPECT_EQ(MeterColour::kGreen, surface.At(50, 12));  // top row
}
