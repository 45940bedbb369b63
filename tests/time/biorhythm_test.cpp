// The biorhythm arithmetic: values, day counts that ignore the time of day,
// stored birthdays that are checked, and the chart's coordinates.
#include <gtest/gtest.h>

#include "biorhythm.h"

namespace {

SYSTEMTIME Date(int year, int month, int day, int hour = 0, int minute = 0)
{
    SYSTEMTIME date = {};
    date.wYear = (WORD)year;
    date.wMonth = (WORD)month;
    date.wDay = (WORD)day;
    date.wHour = (WORD)hour;
    date.wMinute = (WORD)minute;
    return date;
}

LONGLONG Days(const SYSTEMTIME& date, const SYSTEMTIME& birthday)
{
    LONGLONG days = 0x7FFF;
    EXPECT_TRUE(BioDayCount(date, birthday, &days));
    return days;
}

}  // namespace

TEST(Biorhythm, PhysicalValuesOnKnownDays)
{
    EXPECT_EQ(0, BioValue(0, 23));
    EXPECT_EQ(100, BioValue(6, 23));   // 99.77
    EXPECT_EQ(94, BioValue(7, 23));    // 94.23
    EXPECT_EQ(0, BioValue(23, 23));    // -0.00013
    EXPECT_EQ(-98, BioValue(-5, 23));  // -97.91
    for (const BioCycle& cycle : kBioCycles)
        EXPECT_EQ(0, BioValue(0, cycle.period)) << "every cycle starts at 0 on the birthday";
}

// With the time of day kept, the day before a future birthday counted 0 and
// every count before a birthday came out one short.
TEST(Biorhythm, DayCountsIgnoreTheTimeOfDay)
{
    const SYSTEMTIME birthday = Date(2004, 1, 15);
    EXPECT_EQ(-1, Days(Date(2004, 1, 14, 23, 59), birthday));
    EXPECT_EQ(-5, Days(Date(2004, 1, 10, 12, 0), birthday));
    EXPECT_EQ(0, Days(Date(2004, 1, 15, 18, 30), birthday));
    EXPECT_EQ(5, Days(Date(2004, 1, 20, 0, 1), Date(2004, 1, 15, 23, 0)));
    EXPECT_EQ(2, Days(Date(2004, 3, 1), Date(2004, 2, 28)));  // across the leap day
    EXPECT_EQ(36524, Days(Date(2000, 1, 1), Date(1900, 1, 1)));
}

TEST(Biorhythm, OnlyRealDatesFrom1900To2100AreBirthdays)
{
    EXPECT_TRUE(IsValidBirthday(2000, 1, 1));
    EXPECT_TRUE(IsValidBirthday(2000, 2, 29));
    EXPECT_TRUE(IsValidBirthday(1900, 1, 1));
    EXPECT_TRUE(IsValidBirthday(2100, 12, 31));
    EXPECT_FALSE(IsValidBirthday(1900, 2, 29));
    EXPECT_FALSE(IsValidBirthday(2003, 4, 31));
    EXPECT_FALSE(IsValidBirthday(1899, 12, 31));
    EXPECT_FALSE(IsValidBirthday(2101, 1, 1));
    EXPECT_FALSE(IsValidBirthday(2000, 13, 1));
    EXPECT_FALSE(IsValidBirthday(2000, 0, 1));
    EXPECT_FALSE(IsValidBirthday(2000, 1, 0));
    EXPECT_FALSE(IsValidBirthday(2000, 1, 40));
}

TEST(Biorhythm, ChartCoordinates)
{
    EXPECT_EQ(106, BioChartX(kChartFirstDay));
    EXPECT_EQ(166, BioChartX(0));
    EXPECT_EQ(223, BioChartX(kChartLastDay));
    EXPECT_EQ(17, BioChartY(100));
    EXPECT_EQ(47, BioChartY(0));
    EXPECT_EQ(76, BioChartY(-98));  // 29.4 pixels below the zero line
    EXPECT_EQ(30, BioValueHeight(100));
    EXPECT_EQ(-30, BioValueHeight(-100));
    EXPECT_EQ(2, BioValueHeight(5));  // 1.5 rounds away from zero

    // A tap stands for the nearest day, halves away from today.
    EXPECT_EQ(0, BioDayOffsetAt(166));
    EXPECT_EQ(0, BioDayOffsetAt(167));
    EXPECT_EQ(1, BioDayOffsetAt(168));
    EXPECT_EQ(-1, BioDayOffsetAt(164));
    EXPECT_EQ(0, BioDayOffsetAt(165));
    EXPECT_EQ(-24, BioDayOffsetAt(95));
    EXPECT_EQ(23, BioDayOffsetAt(235));
}
