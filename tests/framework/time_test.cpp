// CTime and CTimeSpan: field conversions, the FAT form, limits and arithmetic.
#include <gtest/gtest.h>

#include <coretypes.h>

namespace {

TEST(TimeSpanTest, PartsOfOneDayTwoHoursThreeMinutesFourSeconds)
{
    CTimeSpan span(1, 2, 3, 4);
    EXPECT_EQ(93784u, span.GetTotalSeconds());
    EXPECT_EQ(1, span.GetDays());
    EXPECT_EQ(2, span.GetHours());
    EXPECT_EQ(3, span.GetMinutes());
    EXPECT_EQ(4, span.GetSeconds());
}

TEST(TimeTest, FieldsRoundTrip)
{
    CTime time(2004, 2, 29, 23, 59, 58);
    ASSERT_NE(0u, time.GetTime());
    EXPECT_EQ(2004, time.GetYear());
    EXPECT_EQ(2, time.GetMonth());
    EXPECT_EQ(29, time.GetDay());
    EXPECT_EQ(23, time.GetHour());
    EXPECT_EQ(59, time.GetMinute());
    EXPECT_EQ(58, time.GetSecond());
    EXPECT_EQ(1, time.GetDayOfWeek()); // a Sunday

    CTime later = time + CTimeSpan(0, 0, 0, 2);
    EXPECT_EQ(3, later.GetMonth());
    EXPECT_EQ(1, later.GetDay());
    EXPECT_EQ(0, later.GetHour());
    EXPECT_EQ(CTimeSpan(2), later - time);
}

TEST(TimeTest, FirstDayOf1970IsThursday)
{
    // Noon keeps the date 1970-01-01 whatever the zone's offset.
    EXPECT_EQ(5, CTime(1970, 1, 1, 12, 0, 0).GetDayOfWeek());
    EXPECT_EQ(7, CTime(2000, 1, 1, 12, 0, 0).GetDayOfWeek());
}

TEST(TimeTest, LocalTmFieldsAndStaticBuffer)
{
    CTime time(2004, 3, 1, 8, 30, 0);
    struct tm own;
    ASSERT_EQ(&own, time.GetLocalTm(&own));
    EXPECT_EQ(104, own.tm_year);
    EXPECT_EQ(2, own.tm_mon);
    EXPECT_EQ(60, own.tm_yday); // after 29 February
    EXPECT_EQ(0, own.tm_isdst);
    EXPECT_EQ(1, own.tm_wday);

    struct tm* shared = time.GetLocalTm();
    ASSERT_NE(nullptr, shared);
    CTime(2001, 12, 31, 0, 0, 0).GetLocalTm();
    EXPECT_EQ(364, shared->tm_yday); // the next call overwrote it
}

TEST(TimeTest, RangeLimitsAndBadFields)
{
    SYSTEMTIME old = {};
    old.wYear = 1899;
    old.wMonth = 12;
    old.wDay = 31;
    EXPECT_EQ(0u, CTime(old).GetTime());
    EXPECT_EQ(0u, CTime(2004, 13, 1, 0, 0, 0).GetTime());
    EXPECT_EQ(0u, CTime(2004, 2, 30, 0, 0, 0).GetTime());
    EXPECT_EQ(0u, CTime(2004, -1, 1, 0, 0, 0).GetTime());
    // Before 1970 there is no unsigned count of seconds; no wrap into the 2080s.
    EXPECT_EQ(0u, CTime(1950, 6, 1, 0, 0, 0).GetTime());
    // Unsigned all the way to 2106.
    CTime late(0xFFFFFF00u);
    EXPECT_TRUE(CTime(5) < late);
    EXPECT_EQ(2106, late.GetYear());
}

TEST(TimeTest, FatDateAndTimeWords)
{
    // 2004-03-15 13:45:30: date = (24 << 9) | (3 << 5) | 15, time = (13 << 11) | (45 << 5) | 15.
    WORD date = static_cast<WORD>((24 << 9) | (3 << 5) | 15);
    WORD time = static_cast<WORD>((13 << 11) | (45 << 5) | 15);
    CTime stamp(date, time);
    EXPECT_EQ(CTime(2004, 3, 15, 13, 45, 30), stamp);
    EXPECT_EQ(30, stamp.GetSecond());
}

TEST(TimeTest, SystemTimeAndFileTimeAgree)
{
    CTime time(2010, 7, 4, 10, 20, 30);
    SYSTEMTIME local;
    ASSERT_TRUE(time.GetAsSystemTime(local));
    EXPECT_EQ(2010, local.wYear);
    EXPECT_EQ(7, local.wMonth);
    EXPECT_EQ(4, local.wDay);
    EXPECT_EQ(10, local.wHour);
    EXPECT_EQ(0, local.wMilliseconds);
    EXPECT_EQ(time, CTime(local));

    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    CTime fromFile(now);
    CTime current = CTime::GetCurrentTime();
    LONG difference = static_cast<LONG>(current.GetTime() - fromFile.GetTime());
    EXPECT_GE(difference, 0);
    EXPECT_LE(difference, 2);
}

} // namespace
