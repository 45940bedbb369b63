// Zonath: the city and zone tables, the lookups over them and the time
// arithmetic, fed given zones and moments; then its answers under the
// device's stopped clock.
#include <gtest/gtest.h>

#include <zonath.h>

#include "device_clock.h"

#include <math.h>

#include <set>
#include <string>
#include <vector>

namespace {

SYSTEMTIME Moment(WORD year, WORD month, WORD day, WORD hour, WORD minute = 0, WORD second = 0)
{
    SYSTEMTIME time = {};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    return time;
}

// "YYYY-MM-DD hh:mm:ss" of a time, for readable comparisons.
std::string Text(const SYSTEMTIME& time)
{
    char text[32];
    snprintf(text, sizeof(text), "%04u-%02u-%02u %02u:%02u:%02u", (unsigned)time.wYear, (unsigned)time.wMonth,
             (unsigned)time.wDay, (unsigned)time.wHour, (unsigned)time.wMinute, (unsigned)time.wSecond);
    return text;
}

const CTZInfo& Zone(WORD key)
{
    const CTZInfo* zone = nullptr;
    EXPECT_TRUE(GetTzInfoByTzIndex(key, &zone)) << key;
    static const CTZInfo kNone = {};
    return zone ? *zone : kNone;
}

const CCityInfo* City(const wchar_t* name, const wchar_t* country)
{
    const CCityInfo* city = nullptr;
    GetCityInfo(name, country, &city);
    return city;
}

// A device on UTC, without daylight time.
TIME_ZONE_INFORMATION UtcDevice()
{
    TIME_ZONE_INFORMATION device = {};
    return device;
}

CCityInfo SyntheticCity(const wchar_t* name, double longitude, double latitude)
{
    CCityInfo city = {};
    wcsncpy(city.szName, name, 39);
    city.dLongitude = longitude;
    city.dLatitude = latitude;
    return city;
}

std::string NameOf(const CCityInfo* city)
{
    if (!city)
        return "(none)";
    std::wstring name = city->szName;
    return std::string(name.begin(), name.end());
}

} // namespace

TEST(ZonathTables, CitiesAreSortedWithTheirKnownRows)
{
    const CCityInfo* cities = CCityList::GetList();
    ASSERT_EQ(473, CCityList::GetCount());
    const wchar_t* first[] = {L"Aberdeen", L"Abu Dhabi", L"Abuja", L"Accra"};
    for (int i = 0; i < 4; ++i)
        EXPECT_STREQ(first[i], cities[i].szName);
    EXPECT_STREQ(L"Zagreb", cities[470].szName);
    EXPECT_STREQ(L"Zaragoza", cities[471].szName);
    EXPECT_STREQ(L"Zurich", cities[472].szName);

    std::set<std::wstring> countries;
    int american = 0;
    for (int i = 0; i < 473; ++i) {
        const CCityInfo& city = cities[i];
        ASSERT_LT(wcsnlen(city.szName, 40), 40u) << i;
        ASSERT_LT(wcsnlen(city.szCountry, 64), 64u) << i;
        EXPECT_EQ(3u, wcsnlen(city.szCode, 4)) << NameOf(&city);
        EXPECT_EQ(0, city.wReserved);
        if (i > 0) {
            EXPECT_LE(_wcsicmp(cities[i - 1].szName, city.szName), 0) << NameOf(&city);
        }
        WORD position;
        if (wcscmp(city.szName, L"Abuja") != 0) {
            EXPECT_TRUE(GetArrIndexByTzIndex(city.wTzIndex, &position)) << NameOf(&city);
        }
        countries.insert(city.szCountry);
        american += wcscmp(city.szCountry, L"USA") == 0;
    }
    EXPECT_EQ(179u, countries.size());
    EXPECT_EQ(124, american);

    struct Row {
        const wchar_t* name;
        const wchar_t* country;
        double longitude, latitude;
        const wchar_t* code;
        WORD calling, area, zone;
    } rows[] = {
        {L"Aberdeen", L"United Kingdom", -2.07, 57.13, L"ABZ", 44, 1224, 85},
        {L"Abu Dhabi", L"United Arab Emirates", 54.52, 24.42, L"AUH", 971, 2, 165},
        {L"Honolulu, HI", L"USA", -157.85, 21.3, L"HNL", 1, 808, 2},
        {L"London", L"United Kingdom", -0.06, 51.51, L"LHR", 44, 171, 85},
        {L"New York, NY", L"USA", -73.99, 40.74, L"JFK", 1, 212, 35},
        {L"Sydney, NSW", L"Australia", 151.12, -33.96, L"SYD", 61, 2, 255},
        {L"Tokyo", L"Japan", 139.76, 35.67, L"NRT", 81, 3, 235},
        {L"Abuja", L"Nigeria", 7.26, 9.01, L"ABV", 234, 9, 113},
    };
    for (const Row& row : rows) {
        const CCityInfo* city = City(row.name, row.country);
        ASSERT_NE(nullptr, city) << std::wstring(row.name).size();
        EXPECT_EQ(row.longitude, city->dLongitude);
        EXPECT_EQ(row.latitude, city->dLatitude);
        EXPECT_STREQ(row.code, city->szCode);
        EXPECT_EQ(row.calling, city->wCallingCode);
        EXPECT_EQ(row.area, city->wAreaCode);
        EXPECT_EQ(row.zone, city->wTzIndex);
    }
    // No area code is 65535, never a negative number.
    const CCityInfo* singapore = City(L"Singapore", L"Singapore");
    ASSERT_NE(nullptr, singapore);
    EXPECT_EQ(kNoAreaCode, singapore->wAreaCode);
}

TEST(ZonathTables, ZonesAndRulesAsTheDeviceKnowsThem)
{
    WORD position = 99;
    EXPECT_TRUE(GetArrIndexByTzIndex(35, &position));
    EXPECT_EQ(11, position);
    EXPECT_FALSE(GetArrIndexByTzIndex(113, &position));
    EXPECT_EQ(11, position) << "untouched";

    const CTZInfo* zone = &g_TZInfo[0];
    EXPECT_FALSE(GetTzInfoByArrIndex(74, &zone));
    EXPECT_EQ(nullptr, zone);
    ASSERT_TRUE(GetTzInfoByArrIndex(73, &zone));
    EXPECT_STREQ(L"G+13 Nuku'alofa", zone->szName);
    // Kept as the world clock always showed them.
    EXPECT_STREQ(L"G+4 Yekaterinburg", Zone(180).szName);
    EXPECT_EQ(300, Zone(180).lOffset);
    EXPECT_STREQ(L"G-1 Cape Verde Starndard Time", Zone(77).szName);
    EXPECT_STREQ(L"G+2 Estern Europe, Bucharest", Zone(115).szName);

    // Every zone keeping daylight time has rules, and only those; the rules
    // stand in key order, as the device's own zone table has them.
    std::set<WORD> ruled;
    for (int i = 0; i < kDstRuleCount; ++i) {
        ruled.insert(g_DstRules[i].wTzIndex);
        if (i > 0) {
            EXPECT_LT(g_DstRules[i - 1].wTzIndex, g_DstRules[i].wTzIndex);
        }
    }
    for (const CTZInfo& entry : g_TZInfo) {
        EXPECT_EQ(entry.dwDaylight != 0, ruled.count(entry.wTzIndex) == 1) << entry.wTzIndex;
        const DevZone* device = DevZoneByKey(entry.wTzIndex);
        ASSERT_NE(nullptr, device) << entry.wTzIndex;
        EXPECT_EQ(entry.lOffset, device->offset) << entry.wTzIndex;
        EXPECT_EQ(entry.dwDaylight != 0, device->standardStart.month != 0) << entry.wTzIndex;
    }
    for (const CDstRule& rule : g_DstRules) {
        const DevZone* device = DevZoneByKey(rule.wTzIndex);
        ASSERT_NE(nullptr, device);
        EXPECT_EQ(rule.standardStart.wMonth, device->standardStart.month);
        EXPECT_EQ(rule.standardStart.wWeek, device->standardStart.week);
        EXPECT_EQ(rule.standardStart.wHour, device->standardStart.hour);
        EXPECT_EQ(rule.daylightStart.wMonth, device->daylightStart.month);
        EXPECT_EQ(rule.daylightStart.wDayOfWeek, device->daylightStart.weekday);
        EXPECT_EQ(rule.daylightStart.wWeek, device->daylightStart.week);
    }
    EXPECT_EQ(29, g_MonthDays[1][2]);
    EXPECT_EQ(28, g_MonthDays[0][2]);
}

TEST(ZonathCities, ByNameAndCountryInAnyCase)
{
    const CCityInfo* london = City(L"London", L"United Kingdom");
    ASSERT_NE(nullptr, london);
    EXPECT_EQ(london, City(L"london", L"UNITED KINGDOM"));
    EXPECT_EQ(nullptr, City(L"London", L"Canada")) << "the country counts too";
    EXPECT_EQ(nullptr, City(L"Lond", L"United Kingdom")) << "whole names only";
    // Two cities of one name in two countries.
    const CCityInfo* costaRica = City(L"San Jose", L"Costa Rica");
    const CCityInfo* california = City(L"San Jose, CA", L"USA");
    ASSERT_TRUE(costaRica && california);
    EXPECT_NE(costaRica, california);

    const CCityInfo* found = london;
    EXPECT_FALSE(GetCityInfo(L"Atlantis", L"Ocean", &found));
    EXPECT_EQ(nullptr, found);
    EXPECT_FALSE(GetCityInfo(nullptr, L"USA", &found));
    EXPECT_FALSE(GetCityInfo(L"London", L"", &found));
}

TEST(ZonathCities, NearestSevenAtAberdeenAndNoneMidOcean)
{
    const CCityInfo* aberdeen = City(L"Aberdeen", L"United Kingdom");
    ASSERT_NE(nullptr, aberdeen);
    const CCityInfo* nearby[kMaxNearCities] = {};
    WORD count = 0;
    ASSERT_TRUE(GetCityInfo(aberdeen->dLongitude, aberdeen->dLatitude, nearby, &count));
    ASSERT_GE(count, 2);
    ASSERT_LE(count, kMaxNearCities);
    EXPECT_EQ(aberdeen, nearby[0]);
    double previous = -1;
    for (int i = 0; i < count; ++i) {
        double dx = nearby[i]->dLongitude - aberdeen->dLongitude, dy = nearby[i]->dLatitude - aberdeen->dLatitude;
        double d = dx * dx + dy * dy;
        EXPECT_LT(d, 49.0);
        EXPECT_GE(d, previous) << "nearest first";
        previous = d;
    }

    const CCityInfo* untouched[kMaxNearCities] = {aberdeen};
    WORD kept = 99;
    EXPECT_FALSE(GetCityInfo(-140.0, -45.0, untouched, &kept));
    EXPECT_EQ(99, kept);
    EXPECT_EQ(aberdeen, untouched[0]);
    const CCityInfo* close = aberdeen;
    EXPECT_FALSE(GetCloseCityInfo(-140.0, -45.0, &close));
    EXPECT_EQ(nullptr, close);
}

TEST(ZonathCities, WholeDegreesAgainstExactDistanceAroundAnIsolatedCity)
{
    // Papeete has no other city within 7 degrees.
    const CCityInfo* papeete = City(L"Papeete", L"French Polynesia");
    ASSERT_NE(nullptr, papeete);
    const CCityInfo* nearby[kMaxNearCities];
    WORD count = 0;
    const CCityInfo* close = nullptr;

    // 6.9 degrees west and south: 6^2 + 6^2 = 72 by whole degrees, 95.22 exactly.
    EXPECT_FALSE(GetCloseCityInfo(papeete->dLongitude - 6.9, papeete->dLatitude - 6.9, &close));
    EXPECT_FALSE(GetCityInfo(papeete->dLongitude - 6.9, papeete->dLatitude - 6.9, nearby, &count));
    // 4.9: 32 and 48.02, nearby by both measures.
    EXPECT_TRUE(GetCloseCityInfo(papeete->dLongitude - 4.9, papeete->dLatitude - 4.9, &close));
    EXPECT_EQ(papeete, close);
    ASSERT_TRUE(GetCityInfo(papeete->dLongitude - 4.9, papeete->dLatitude - 4.9, nearby, &count));
    EXPECT_EQ(1, count);
    EXPECT_EQ(papeete, nearby[0]);
    // 6.9 east and 0.5 north: whole degrees 36 < 49, exact 47.86: nearby by both.
    EXPECT_TRUE(GetCloseCityInfo(papeete->dLongitude - 6.9, papeete->dLatitude + 0.5, &close));
}

TEST(ZonathCities, TiesAndTheSevenLimitOnAGivenList)
{
    // Two at distance 4, one at 1, one at exactly 49 (not nearby), six more at 9.
    std::vector<CCityInfo> list = {
        SyntheticCity(L"TieA", 2, 0),  SyntheticCity(L"TieB", 0, 2), SyntheticCity(L"One", 1, 0),
        SyntheticCity(L"Edge", 7, 0),  SyntheticCity(L"C1", 3, 0),   SyntheticCity(L"C2", -3, 0),
        SyntheticCity(L"C3", 0, 3),    SyntheticCity(L"C4", 0, -3),  SyntheticCity(L"C5", 0, -3),
        SyntheticCity(L"C6", -3, 0.0),
    };
    const CCityInfo* found[kMaxNearCities] = {};
    int count = FindNearCities(list.data(), (int)list.size(), 0, 0, found);
    ASSERT_EQ(7, count);
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i)
        names.push_back(NameOf(found[i]));
    // Equals keep table order (a later one goes after); of the six at 9 the
    // first four fit, the rest fall off.
    EXPECT_EQ((std::vector<std::string>{"One", "TieA", "TieB", "C1", "C2", "C3", "C4"}), names);

    // Whole degrees: the first of equals stays.
    std::vector<CCityInfo> equals = {SyntheticCity(L"First", 2.7, 0), SyntheticCity(L"Second", 0, 2.2),
                                     SyntheticCity(L"Far", 6.5, 6.5)};
    EXPECT_EQ("First", NameOf(FindCloseCity(equals.data(), 3, 0, 0)));
    EXPECT_EQ("(none)", NameOf(FindCloseCity(equals.data() + 2, 1, 0, 0))) << "36 + 36 = 72";
    EXPECT_EQ(0, FindNearCities(equals.data(), 3, 100, 0, found));
}

TEST(ZonathTime, ZoneTimeFromADeviceOnUtc)
{
    SYSTEMTIME time = {};
    TIME_ZONE_INFORMATION utc = UtcDevice();
    ASSERT_TRUE(ZoneTimeFromDevice(utc, Moment(2004, 7, 1, 12), Zone(35), &time));
    EXPECT_EQ("2004-07-01 08:00:00", Text(time));
    ASSERT_TRUE(ZoneTimeFromDevice(utc, Moment(2004, 12, 1, 12), Zone(35), &time));
    EXPECT_EQ("2004-12-01 07:00:00", Text(time));
    ASSERT_TRUE(ZoneTimeFromDevice(utc, Moment(2004, 7, 1, 12), Zone(255), &time));
    EXPECT_EQ("2004-07-01 22:00:00", Text(time));
    ASSERT_TRUE(ZoneTimeFromDevice(utc, Moment(2004, 7, 1, 12), Zone(300), &time));
    EXPECT_EQ("2004-07-02 01:00:00", Text(time));
    ASSERT_TRUE(ZoneTimeFromDevice(utc, Moment(2004, 7, 1, 12), Zone(193), &time));
    EXPECT_EQ("2004-07-01 17:45:00", Text(time));

    EXPECT_TRUE(IsZoneDaylightTime(255, Moment(2004, 1, 1, 12)));
    EXPECT_FALSE(IsZoneDaylightTime(255, Moment(2004, 7, 1, 12)));
    EXPECT_FALSE(IsZoneDaylightTime(2, Moment(2004, 7, 1, 12))) << "no rule, no daylight time";
}

TEST(ZonathTime, TransitionsStartExcludedEndIncludedFifthWeekIsTheLast)
{
    // Key 35 in 2004: daylight time from 4 April 02:00 to 31 October 02:00.
    EXPECT_FALSE(IsZoneDaylightTime(35, Moment(2004, 4, 4, 2, 0, 0)));
    EXPECT_TRUE(IsZoneDaylightTime(35, Moment(2004, 4, 4, 2, 0, 1)));
    EXPECT_TRUE(IsZoneDaylightTime(35, Moment(2004, 10, 31, 2, 0, 0)));
    EXPECT_FALSE(IsZoneDaylightTime(35, Moment(2004, 10, 31, 2, 0, 1)));

    // February 2004 has five Sundays: week 5 is the 29th; 2003's last is the 23rd.
    CDstMoment lastFebruarySunday = {2, 0, 5, 2};
    CDstMoment octoberEnd = {10, 0, 5, 2};
    EXPECT_FALSE(IsDaylightTime(Moment(2004, 2, 29, 2), lastFebruarySunday, octoberEnd));
    EXPECT_TRUE(IsDaylightTime(Moment(2004, 2, 29, 2, 0, 1), lastFebruarySunday, octoberEnd));
    EXPECT_FALSE(IsDaylightTime(Moment(2004, 2, 28, 12), lastFebruarySunday, octoberEnd));
    EXPECT_TRUE(IsDaylightTime(Moment(2003, 2, 23, 3), lastFebruarySunday, octoberEnd));
    EXPECT_FALSE(IsDaylightTime(Moment(2003, 2, 23, 1), lastFebruarySunday, octoberEnd));
}

TEST(ZonathTime, DeviceZonesByRuleByAbsoluteDatesAndWithout)
{
    // A London device in summer: local 13:00 is 12:00 UTC.
    TIME_ZONE_INFORMATION london = {};
    london.StandardDate = {0, 10, 0, 5, 3, 0, 0, 0};
    london.DaylightDate = {0, 3, 0, 5, 2, 0, 0, 0};
    london.DaylightBias = -60;
    EXPECT_TRUE(IsDeviceDaylightTime(london, Moment(2004, 7, 1, 13)));
    SYSTEMTIME time = {};
    ASSERT_TRUE(ZoneTimeFromDevice(london, Moment(2004, 7, 1, 13), Zone(35), &time));
    EXPECT_EQ("2004-07-01 08:00:00", Text(time));
    ASSERT_TRUE(ZoneTimeFromDevice(london, Moment(2004, 12, 1, 12), Zone(35), &time));
    EXPECT_EQ("2004-12-01 07:00:00", Text(time));

    // Month 0: never daylight time, whatever else the dates say.
    TIME_ZONE_INFORMATION none = london;
    none.StandardDate.wMonth = 0;
    EXPECT_FALSE(IsDeviceDaylightTime(none, Moment(2004, 7, 1, 13)));

    // A year in the standard date: both dates are moments of their own.
    TIME_ZONE_INFORMATION absolute = london;
    absolute.StandardDate = {2004, 9, 0, 15, 0, 0, 0, 0};
    absolute.DaylightDate = {2004, 5, 0, 20, 0, 0, 0, 0};
    EXPECT_TRUE(IsDeviceDaylightTime(absolute, Moment(2004, 7, 1, 12)));
    EXPECT_FALSE(IsDeviceDaylightTime(absolute, Moment(2004, 5, 10, 12)));
    EXPECT_FALSE(IsDeviceDaylightTime(absolute, Moment(2004, 9, 20, 12)));
}

TEST(ZonathTime, VisitTimeTakesTheSourcesDaylightHourOff)
{
    SYSTEMTIME time = {};
    // New York in summer, 08:00 (12:00 UTC), is 13:00 in summer London.
    SYSTEMTIME source = Moment(2004, 7, 1, 8);
    ASSERT_TRUE(GetVisitTimeByTzIndex(35, &source, 85, &time));
    EXPECT_EQ("2004-07-01 13:00:00", Text(time));
    // Winter both: 07:00 is 12:00.
    source = Moment(2004, 12, 1, 7);
    ASSERT_TRUE(GetVisitTimeByTzIndex(35, &source, 85, &time));
    EXPECT_EQ("2004-12-01 12:00:00", Text(time));
    // Sydney's summer, 1 January 23:00, is noon in London.
    source = Moment(2004, 1, 1, 23);
    ASSERT_TRUE(GetVisitTimeByTzIndex(255, &source, 85, &time));
    EXPECT_EQ("2004-01-01 12:00:00", Text(time));

    SYSTEMTIME untouched = Moment(1999, 1, 1, 0);
    EXPECT_FALSE(GetVisitTimeByTzIndex(113, &source, 85, &untouched));
    EXPECT_FALSE(GetVisitTimeByTzIndex(35, &source, 113, &untouched));
    GetVisitTimeByArrIndex(74, &source, 0, &untouched);
    GetVisitTimeByArrIndex(0, &source, 74, &untouched);
    EXPECT_EQ("1999-01-01 00:00:00", Text(untouched));
    WORD newYork = 0, london = 0;
    ASSERT_TRUE(GetArrIndexByTzIndex(35, &newYork) && GetArrIndexByTzIndex(85, &london));
    source = Moment(2004, 7, 1, 8);
    GetVisitTimeByArrIndex(newYork, &source, london, &untouched);
    EXPECT_EQ("2004-07-01 13:00:00", Text(untouched));
}

TEST(ZonathDevice, TimesNowFollowTheDevicesStoppedClockAndZone)
{
    DeviceClock clock(L"2004-07-01 12:00:00", 85);
    SYSTEMTIME time = {};
    ASSERT_TRUE(GetTimeByTzIndex(35, &time));
    EXPECT_EQ("2004-07-01 08:00:00", Text(time));
    ASSERT_TRUE(GetTimeByTzIndex(255, &time));
    EXPECT_EQ("2004-07-01 22:00:00", Text(time));
    ASSERT_TRUE(GetTimeByTzIndex(235, &time));
    EXPECT_EQ("2004-07-01 21:00:00", Text(time));
    ASSERT_TRUE(GetTimeByTzIndex(85, &time));
    EXPECT_EQ("2004-07-01 13:00:00", Text(time));

    // The device somewhere else: the answers stay.
    clock.SetZone(255);
    ASSERT_TRUE(GetTimeByTzIndex(35, &time));
    EXPECT_EQ("2004-07-01 08:00:00", Text(time));
    clock.Stop(L"2004-12-01 12:00:00");
    ASSERT_TRUE(GetTimeByTzIndex(35, &time));
    EXPECT_EQ("2004-12-01 07:00:00", Text(time));

    // Abuja's key is not a zone: no time, output untouched; nor a position past the end.
    SYSTEMTIME untouched = Moment(1999, 1, 1, 0);
    EXPECT_FALSE(GetTimeByTzIndex(113, &untouched));
    GetTimeByArrIndex(74, &untouched);
    GetTimeByArrIndex(0xFFFF, &untouched);
    EXPECT_EQ("1999-01-01 00:00:00", Text(untouched));
    GetTimeByArrIndex(73, &untouched);
    EXPECT_EQ("2004-12-02 01:00:00", Text(untouched));
}

TEST(ZonathDevice, SystemZoneKeyWithAndWithoutTheKey)
{
    DeviceClock clock(L"2004-07-01 12:00:00", 35);
    WORD key = 0;
    ASSERT_TRUE(GetSystemTZIndex(&key));
    EXPECT_EQ(35, key);

    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, DEVICE_CLOCK_KEY, DEVICE_ZONE_VALUE);
    key = 7;
    EXPECT_FALSE(GetSystemTZIndex(&key));
    EXPECT_EQ(7, key);
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyW(HKEY_LOCAL_MACHINE, DEVICE_CLOCK_KEY));
    EXPECT_FALSE(GetSystemTZIndex(&key));
    EXPECT_EQ(7, key);
}
