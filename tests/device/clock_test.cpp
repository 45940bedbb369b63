// The device's own clock and time zone: the zone table and its arithmetic,
// coredll's time functions under a stopped clock (as system code links
// them), and the clock page choosing the zone the task bar shows.
#include <gtest/gtest.h>

#include <ketra_testkit.h>

#include "device_clock.h"

#include <set>
#include <vector>

using namespace testkit;

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

const DevZone& Zone(WORD key)
{
    const DevZone* zone = DevZoneByKey(key);
    EXPECT_NE(nullptr, zone) << key;
    static const DevZone kNone = {};
    return zone ? *zone : kNone;
}

// "hh:mm" of a local time, and whether it was daylight time.
std::string LocalAt(WORD key, const SYSTEMTIME& utc)
{
    SYSTEMTIME local = {};
    bool daylight = false;
    if (!DevZoneLocalFromUtc(Zone(key), utc, &local, &daylight))
        return "failed";
    char text[32];
    snprintf(text, sizeof(text), "%02u-%02u %02u:%02u %s", local.wMonth, local.wDay, local.wHour, local.wMinute,
             daylight ? "daylight" : "standard");
    return text;
}

bool SameFields(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

FILETIME FileTimeOf(const SYSTEMTIME& time)
{
    FILETIME file = {};
    SystemTimeToFileTime(&time, &file);
    return file;
}

// The task bar's clock corner as it shows on the screen now.
std::vector<COLORREF> TaskBarClockPixels()
{
    std::vector<COLORREF> pixels;
    HDC screen = GetDC(nullptr);
    for (int y = 4; y < 22; ++y)
        for (int x = 150; x < 214; ++x)
            pixels.push_back(GetPixel(screen, x, y));
    ReleaseDC(nullptr, screen);
    return pixels;
}

const wchar_t kZoneKeyPath[] = L"SOFTWARE/MICROSOFT/CLOCK";

DWORD StoredZone()
{
    DWORD value = 0, cb = sizeof(value);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kZoneKeyPath, L"TZIndex", RRF_RT_REG_DWORD, nullptr, &value, &cb) !=
        ERROR_SUCCESS)
        return 0xFFFFFFFF;
    return value;
}

} // namespace

TEST(DeviceZones, SeventyFourKeysInOrderWithRulesExactlyWhereDaylightIsKept)
{
    ASSERT_EQ(74, DevZoneCount());
    std::set<WORD> keys;
    int withDaylight = 0;
    for (int i = 0; i < DevZoneCount(); ++i) {
        const DevZone* zone = DevZoneAt(i);
        ASSERT_NE(nullptr, zone);
        if (i > 0) {
            EXPECT_LT(DevZoneAt(i - 1)->key, zone->key) << "keys ascend";
        }
        keys.insert(zone->key);
        bool rule = zone->standardStart.month != 0;
        EXPECT_EQ(rule, zone->daylightStart.month != 0) << zone->key;
        EXPECT_EQ(rule, zone->daylightName[0] != L'\0') << zone->key;
        EXPECT_LT(wcslen(zone->standardName), 32u);
        withDaylight += rule;
    }
    EXPECT_EQ(nullptr, DevZoneAt(74));
    EXPECT_EQ(74u, keys.size());
    EXPECT_EQ(25, withDaylight);
    EXPECT_EQ(nullptr, DevZoneByKey(113)) << "not a zone of the device";
    EXPECT_EQ(300, Zone(180).offset);
    EXPECT_EQ(780, Zone(300).offset);
}

TEST(DeviceZones, LocalTimeFollowsTheOldNorthernAndSouthernRules)
{
    EXPECT_EQ("07-01 08:00 daylight", LocalAt(35, Moment(2004, 7, 1, 12)));
    EXPECT_EQ("12-01 07:00 standard", LocalAt(35, Moment(2004, 12, 1, 12)));
    EXPECT_EQ("07-01 22:00 standard", LocalAt(255, Moment(2004, 7, 1, 12)));
    EXPECT_EQ("01-01 23:00 daylight", LocalAt(255, Moment(2004, 1, 1, 12)));
    EXPECT_EQ("07-01 13:00 daylight", LocalAt(85, Moment(2004, 7, 1, 12)));
    EXPECT_EQ("07-01 02:00 standard", LocalAt(2, Moment(2004, 7, 1, 12)));
    EXPECT_EQ("07-02 01:00 standard", LocalAt(300, Moment(2004, 7, 1, 12))) << "past midnight";
    // Before 2007: the first Sunday of April, not the second of March.
    EXPECT_EQ("03-20 07:00 standard", LocalAt(35, Moment(2004, 3, 20, 12)));
}

TEST(DeviceZones, TransitionStartsAreExcludedAndEndsIncluded)
{
    const DevZone& eastern = Zone(35);  // 2004: daylight from 4 April 02:00 to 31 October 02:00
    EXPECT_FALSE(DevZoneInDaylight(eastern, Moment(2004, 4, 4, 2, 0, 0)));
    EXPECT_TRUE(DevZoneInDaylight(eastern, Moment(2004, 4, 4, 2, 0, 1)));
    EXPECT_TRUE(DevZoneInDaylight(eastern, Moment(2004, 10, 31, 2, 0, 0)));
    EXPECT_FALSE(DevZoneInDaylight(eastern, Moment(2004, 10, 31, 2, 0, 1)));
    EXPECT_FALSE(DevZoneInDaylight(Zone(2), Moment(2004, 7, 1, 12)));

    // Week 5 is the last such weekday: February 2004 has a fifth Sunday, the 29th.
    DevZone leap = eastern;
    leap.daylightStart = {2, 0, 5, 2};
    EXPECT_FALSE(DevZoneInDaylight(leap, Moment(2004, 2, 29, 2)));
    EXPECT_TRUE(DevZoneInDaylight(leap, Moment(2004, 2, 29, 3)));
    // 2003 has four: the 23rd.
    EXPECT_TRUE(DevZoneInDaylight(leap, Moment(2003, 2, 23, 3)));
    EXPECT_FALSE(DevZoneInDaylight(leap, Moment(2003, 2, 23, 1)));
}

TEST(DeviceZones, WallClockTimesConvertBackToTheirMoment)
{
    const SYSTEMTIME moments[] = {Moment(2004, 7, 1, 12), Moment(2004, 12, 1, 12), Moment(2004, 1, 1, 0, 30)};
    for (WORD key : {35, 255, 85, 300, 0, 160}) {
        for (const SYSTEMTIME& utc : moments) {
            SYSTEMTIME local, back;
            ASSERT_TRUE(DevZoneLocalFromUtc(Zone(key), utc, &local));
            ASSERT_TRUE(DevZoneUtcFromLocal(Zone(key), local, &back));
            EXPECT_TRUE(SameFields(utc, back)) << "zone " << key << " " << LocalAt(key, utc);
        }
    }
}

TEST(DeviceClockState, ReadsOnlyWholeMoments)
{
    SYSTEMTIME time;
    ASSERT_TRUE(DevClockParse(L"2004-02-29 23:59:59", &time));
    EXPECT_EQ(0, time.wDayOfWeek) << "weekday filled in (a Sunday)";
    for (const wchar_t* bad : {L"2004-02-30 00:00:00", L"2004-2-01 00:00:00", L"2004-02-01T00:00:00",
                               L"2004-02-01 24:00:00", L"2004-02-01 00:00:00 ", L"", L"yesterday"})
        EXPECT_FALSE(DevClockParse(bad, &time)) << std::wstring(bad).size();
}

TEST(CoredllClock, StandsStillAtClockUtcInTheChosenZone)
{
    DeviceClock clock(L"2004-07-01 12:00:00", 35);
    SYSTEMTIME utc = {}, local = {};
    GetSystemTime(&utc);
    EXPECT_TRUE(SameFields(Moment(2004, 7, 1, 12), utc));
    EXPECT_EQ(4, utc.wDayOfWeek);
    GetLocalTime(&local);
    EXPECT_TRUE(SameFields(Moment(2004, 7, 1, 8), local));

    TIME_ZONE_INFORMATION info;
    memset(&info, 0xCC, sizeof(info));
    EXPECT_EQ((DWORD)TIME_ZONE_ID_DAYLIGHT, GetTimeZoneInformation(&info));
    EXPECT_EQ(300, info.Bias);
    EXPECT_EQ(0, info.StandardBias);
    EXPECT_EQ(-60, info.DaylightBias);
    EXPECT_STREQ(L"Eastern Standard Time", info.StandardName);
    EXPECT_STREQ(L"Eastern Daylight Time", info.DaylightName);
    // Day-of-week-in-month dates: the last Sunday of October, the first of April.
    EXPECT_EQ(0, info.StandardDate.wYear);
    EXPECT_EQ(10, info.StandardDate.wMonth);
    EXPECT_EQ(0, info.StandardDate.wDayOfWeek);
    EXPECT_EQ(5, info.StandardDate.wDay);
    EXPECT_EQ(2, info.StandardDate.wHour);
    EXPECT_EQ(4, info.DaylightDate.wMonth);
    EXPECT_EQ(1, info.DaylightDate.wDay);

    clock.SetZone(255);
    GetLocalTime(&local);
    EXPECT_TRUE(SameFields(Moment(2004, 7, 1, 22), local));
    EXPECT_EQ((DWORD)TIME_ZONE_ID_STANDARD, GetTimeZoneInformation(&info));
    EXPECT_EQ(-600, info.Bias);

    clock.SetZone(2);
    EXPECT_EQ((DWORD)TIME_ZONE_ID_UNKNOWN, GetTimeZoneInformation(&info));
    EXPECT_EQ(0, info.StandardDate.wMonth) << "no daylight time in Hawaii";

    // Stopped: the clock stands while the file-time clock and ticks run on.
    FILETIME before, after;
    GetSystemTimeAsFileTime(&before);
    Sleep(1100);
    GetSystemTimeAsFileTime(&after);
    EXPECT_NE(CompareFileTime(&before, &after), 0);
    GetSystemTime(&utc);
    EXPECT_TRUE(SameFields(Moment(2004, 7, 1, 12), utc));
}

TEST(CoredllClock, FileTimesConvertThroughTheDeviceZone)
{
    DeviceClock clock(L"2004-07-01 12:00:00", 35);
    FILETIME summer = FileTimeOf(Moment(2004, 7, 1, 12)), winter = FileTimeOf(Moment(2004, 12, 1, 12));
    summer.dwLowDateTime += 1234;  // below a millisecond, kept
    FILETIME local, back;
    SYSTEMTIME fields;
    ASSERT_TRUE(FileTimeToLocalFileTime(&summer, &local));
    FileTimeToSystemTime(&local, &fields);
    EXPECT_TRUE(SameFields(Moment(2004, 7, 1, 8), fields));
    ASSERT_TRUE(LocalFileTimeToFileTime(&local, &back));
    EXPECT_EQ(0, CompareFileTime(&summer, &back));

    ASSERT_TRUE(FileTimeToLocalFileTime(&winter, &local));
    FileTimeToSystemTime(&local, &fields);
    EXPECT_TRUE(SameFields(Moment(2004, 12, 1, 7), fields)) << "the rule of the moment, not of now";
    EXPECT_FALSE(FileTimeToLocalFileTime(&winter, nullptr));
}

TEST(CoredllClock, AMissingOrUnknownZoneIsGreenwich)
{
    DeviceClock clock(L"2004-07-01 12:00:00", 35);
    TIME_ZONE_INFORMATION info;
    SYSTEMTIME local;

    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kZoneKeyPath, L"TZIndex");
    GetTimeZoneInformation(&info);
    EXPECT_STREQ(L"GMT Standard Time", info.StandardName);
    GetLocalTime(&local);
    EXPECT_TRUE(SameFields(Moment(2004, 7, 1, 13), local)) << "British summer time";

    DeviceLog log;
    DWORD unknown = 999;
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, kZoneKeyPath, L"TZIndex", REG_DWORD, &unknown, sizeof(unknown));
    GetTimeZoneInformation(&info);
    EXPECT_STREQ(L"GMT Standard Time", info.StandardName);
    GetLocalTime(&local);
    EXPECT_EQ(13, local.wHour);
    EXPECT_TRUE(log.Contains(L"clock: unknown zone 999, using 85"));
    EXPECT_EQ(1, log.Count(L"clock: unknown zone")) << "warned once, not at every read";
}

TEST(CoredllClock, AClockUtcThatIsNoMomentLeavesTheClockRunning)
{
    DeviceClock clock(L"2004-07-01 12:00:00", 85);
    DeviceLog log;
    DevStateSetString(DEVICE_CLOCK_VALUE, L"2004-13-01 00:00:00");
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    EXPECT_GE(utc.wYear, 2024) << "the host's clock";
    EXPECT_TRUE(log.Contains(L"clock: ClockUtc \"2004-13-01 00:00:00\" is no moment, the clock runs"));
}

TEST(ClockPage, AZoneChosenInTheListMovesTheTaskBarClock)
{
    DeviceClock clock(L"2004-07-01 12:00:00", 85);
    DeviceLog log;
    DeviceProgram panel(L"\\Windows\\ctlpnl.exe", L"cplmain.cpl 16,0");
    HWND page = panel.WaitWindow(L"Settings: Clock", 15000);
    ASSERT_NE(nullptr, page);
    HWND list = FindWindowExW(page, nullptr, L"ListBox", nullptr);
    ASSERT_NE(nullptr, list);
    ASSERT_EQ(74, (int)SendMessageW(list, LB_GETCOUNT, 0, 0));
    int current = (int)SendMessageW(list, LB_GETCURSEL, 0, 0);
    wchar_t text[64] = L"";
    ASSERT_LT((int)SendMessageW(list, LB_GETTEXTLEN, current, 0), 64);
    SendMessageW(list, LB_GETTEXT, current, (LPARAM)text);
    EXPECT_STREQ(Zone(85).display, text);

    PumpMessages(700);  // the task bar looks at the clock four times a second
    std::vector<COLORREF> greenwich = TaskBarClockPixels();  // "1:00", British summer time

    // Tap Sydney's row as a user does.
    int sydney = -1;
    for (int row = 0; row < 74; ++row)
        if ((WORD)SendMessageW(list, LB_GETITEMDATA, row, 0) == 255)
            sydney = row;
    ASSERT_GE(sydney, 0);
    SendMessageW(list, LB_SETTOPINDEX, sydney, 0);
    RECT item = {};
    ASSERT_NE(LB_ERR, (int)SendMessageW(list, LB_GETITEMRECT, sydney, (LPARAM)&item));
    POINT tap = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    MapWindowPoints(list, nullptr, &tap, 1);
    ASSERT_TRUE(Tap(tap.x, tap.y));

    EXPECT_TRUE(log.WaitFor(L"clock: zone 255", 5000));
    EXPECT_EQ(255u, StoredZone());
    SYSTEMTIME local;
    GetLocalTime(&local);
    EXPECT_EQ(22, local.wHour);
    EXPECT_TRUE(PumpUntil([&] { return TaskBarClockPixels() != greenwich; }, 3000))
        << "the task bar shows 10:00 now";

    PostMessageW(page, WM_COMMAND, IDOK, 0);
    DWORD exitCode = 99;
    EXPECT_TRUE(panel.WaitExit(10000, &exitCode));
    EXPECT_EQ(0u, exitCode);
}
