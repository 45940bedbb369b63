// The calendars' month arithmetic: lengths, steps across years, and the
// grid of weeks with the sixth week folded into the first row.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "month_grid.h"

namespace {

SYSTEMTIME Month(int year, int month)
{
    SYSTEMTIME date = {};
    date.wYear = (WORD)year;
    date.wMonth = (WORD)month;
    date.wDay = 1;
    return date;
}

}  // namespace

TEST(MonthGrid, FebruaryFollowsTheGregorianLeapYears)
{
    EXPECT_EQ(29, DaysInMonth(2000, 2));
    EXPECT_EQ(28, DaysInMonth(1900, 2));
    EXPECT_EQ(29, DaysInMonth(2004, 2));
    EXPECT_EQ(28, DaysInMonth(2003, 2));
    EXPECT_EQ(30, DaysInMonth(2004, 4));
    EXPECT_EQ(31, DaysInMonth(2004, 12));
    EXPECT_EQ(0, DaysInMonth(2004, 0));
    EXPECT_EQ(0, DaysInMonth(2004, 13));
}

TEST(MonthGrid, StepsCarryTheYearBothWaysAndGiveTheFirstDaysWeekday)
{
    SYSTEMTIME month = Month(2004, 1);
    month.wDay = 15;
    ASSERT_TRUE(StepMonth(&month, -1));
    EXPECT_EQ(2003, month.wYear);
    EXPECT_EQ(12, month.wMonth);
    EXPECT_EQ(1, month.wDay);
    EXPECT_EQ(1, month.wDayOfWeek);  // 1 December 2003, a Monday

    ASSERT_TRUE(StepMonth(&month, 1));
    EXPECT_EQ(2004, month.wYear);
    EXPECT_EQ(1, month.wMonth);
    EXPECT_EQ(4, month.wDayOfWeek);  // a Thursday

    ASSERT_TRUE(StepMonth(&month, -25));
    EXPECT_EQ(2001, month.wYear);
    EXPECT_EQ(12, month.wMonth);
    ASSERT_TRUE(StepMonth(&month, 13));
    EXPECT_EQ(2003, month.wYear);
    EXPECT_EQ(1, month.wMonth);
}

TEST(MonthGrid, AStepBeyondThePlatformsDatesLeavesTheMonthAlone)
{
    SYSTEMTIME month = Month(1601, 1);
    EXPECT_FALSE(StepMonth(&month, -1));
    EXPECT_EQ(1601, month.wYear);
    EXPECT_EQ(1, month.wMonth);
}

TEST(MonthGrid, DaysRunAlongTheWeekAndStartANewRowAfterSaturday)
{
    // February 2004 starts on a Sunday.
    EXPECT_EQ(0, MonthDayCell(0, 1).column);
    EXPECT_EQ(0, MonthDayCell(0, 1).row);
    EXPECT_EQ(6, MonthDayCell(0, 7).column);
    EXPECT_EQ(0, MonthDayCell(0, 8).column);
    EXPECT_EQ(1, MonthDayCell(0, 8).row);
    EXPECT_EQ(0, MonthDayCell(0, 29).column);
    EXPECT_EQ(4, MonthDayCell(0, 29).row);
}

TEST(MonthGrid, TheSixthWeekTakesTheEmptyCellsOfTheFirstRow)
{
    // May 2004 starts on a Saturday: the 30th and 31st fall in a sixth week.
    EXPECT_EQ(6, MonthDayCell(6, 1).column);
    EXPECT_EQ(0, MonthDayCell(6, 2).column);
    EXPECT_EQ(1, MonthDayCell(6, 2).row);
    EXPECT_EQ(0, MonthDayCell(6, 30).column);
    EXPECT_EQ(0, MonthDayCell(6, 30).row);
    EXPECT_EQ(1, MonthDayCell(6, 31).column);
    EXPECT_EQ(0, MonthDayCell(6, 31).row);
    // October 2004 starts on a Friday: only the 31st does.
    EXPECT_EQ(6, MonthDayCell(5, 30).column);
    EXPECT_EQ(4, MonthDayCell(5, 30).row);
    EXPECT_EQ(0, MonthDayCell(5, 31).column);
    EXPECT_EQ(0, MonthDayCell(5, 31).row);
}

// Every month of two centuries fits its five rows with no two days in one cell.
TEST(MonthGrid, NoMonthPutsTwoDaysInOneCell)
{
    for (int year = 1900; year <= 2100; ++year) {
        for (int m = 1; m <= 12; ++m) {
            SYSTEMTIME first = Month(year, m);
            ASSERT_TRUE(FirstOfMonth(&first));
            std::set<std::pair<int, int>> used;
            for (int day = 1; day <= DaysInMonth(year, m); ++day) {
                const DayCell cell = MonthDayCell(first.wDayOfWeek, day);
                ASSERT_LT(cell.row, kWeekRows);
                ASSERT_EQ((first.wDayOfWeek + day - 1) % 7, cell.column) << "a day keeps its weekday's column";
                ASSERT_TRUE(used.insert({cell.column, cell.row}).second) << year << "-" << m << "-" << day;
            }
        }
    }
}
