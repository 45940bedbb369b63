// The analog dial's geometry for Clockra's 50-pixel dial.
#include <gtest/gtest.h>

#include "clock_dial.h"
#include "ketra_testkit.h"

namespace {

POINT Pt(int x, int y)
{
    return {x, y};
}

const RECT kDialArea = {165, 2, 215, 52};

}  // namespace

TEST(ClockDial, SitsInTheMiddleOfItsArea)
{
    const ClockDial dial = DialOf(kDialArea);
    EXPECT_EQ(Pt(190, 27), dial.centre);
    EXPECT_EQ(24, dial.radius);
}

TEST(ClockDial, MarksAreRoundedOntoTheCircle)
{
    const ClockDial dial = DialOf(kDialArea);
    EXPECT_EQ(Pt(190, 3), DialMarkCentre(dial, 0));
    EXPECT_EQ(Pt(214, 27), DialMarkCentre(dial, 15));
    EXPECT_EQ(Pt(190, 51), DialMarkCentre(dial, 30));
    EXPECT_EQ(Pt(166, 27), DialMarkCentre(dial, 45));
    EXPECT_EQ(Pt(202, 6), DialMarkCentre(dial, 5));    // 201.99... + 0.5
    EXPECT_EQ(Pt(169, 15), DialMarkCentre(dial, 50));
    EXPECT_EQ(Pt(178, 6), DialMarkCentre(dial, 55));
}

TEST(ClockDial, HandsAtHalfPastThree)
{
    const ClockDial dial = DialOf(kDialArea);
    POINT hand[4];
    DialHandPolygon(dial, HourAngle(3, 30), dial.radius - kHourHandShortfall, hand);
    EXPECT_EQ(Pt(207, 31), hand[0]);  // tip, 18 pixels out
    EXPECT_EQ(Pt(189, 28), hand[1]);
    EXPECT_EQ(Pt(188, 26), hand[2]);
    EXPECT_EQ(Pt(190, 25), hand[3]);

    DialHandPolygon(dial, MinuteAngle(30), dial.radius, hand);
    EXPECT_EQ(Pt(190, 51), hand[0]);
    EXPECT_EQ(Pt(188, 27), hand[1]);
    EXPECT_EQ(Pt(189, 25), hand[2]);
    EXPECT_EQ(Pt(192, 26), hand[3]);

    // The clock reads hours 0-23: half past fifteen points the same way.
    POINT afternoon[4];
    DialHandPolygon(dial, HourAngle(15, 30), dial.radius - kHourHandShortfall, afternoon);
    DialHandPolygon(dial, HourAngle(3, 30), dial.radius - kHourHandShortfall, hand);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(hand[i], afternoon[i]);

    // Hand points are truncated, not rounded: with pi a little short, the
    // second hand at 15 ends a hair above the middle row.
    EXPECT_EQ(Pt(214, 26), DialPoint(dial, SecondAngle(15), dial.radius));
}
