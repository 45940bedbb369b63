// The biorhythm arithmetic.
#include "biorhythm.h"

#include <cmath>

namespace {

// 2 pi as the chart has always used it: not full precision, and the values
// shown (99.77 rounds to 100 on day 6) depend on it.
const double kTwoPi = 6.283184;
const double kValueScale = 0.3;
const LONGLONG kFileTimeUnitsPerDay = 864000000000LL;
const int kFirstYear = 1900;
const int kLastYear = 2100;

bool MidnightFileTime(const SYSTEMTIME& date, LONGLONG* units)
{
    SYSTEMTIME midnight = {};
    midnight.wYear = date.wYear;
    midnight.wMonth = date.wMonth;
    midnight.wDay = date.wDay;
    FILETIME file;
    if (!::SystemTimeToFileTime(&midnight, &file))
        return false;
    *units = (LONGLONG)(((ULONGLONG)file.dwHighDateTime << 32) | file.dwLowDateTime);
    return true;
}

}  // namespace

const BioCycle kBioCycles[kBioCycleCount] = {
    {L"Physical", 23, RGB(192, 192, 192)},
    {L"Emotional", 28, RGB(255, 255, 0)},
    {L"Intellectual", 33, RGB(0, 255, 255)},
    {L"Intuitive", 38, RGB(255, 0, 255)},
};

bool IsValidBirthday(int year, int month, int day)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < kFirstYear || year > kLastYear || month < 1 || month > 12 || day < 1)
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int length = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
    return day <= length;
}

bool BioDayCount(const SYSTEMTIME& date, const SYSTEMTIME& birthday, LONGLONG* days)
{
    LONGLONG dateUnits, birthUnits;
    if (!MidnightFileTime(date, &dateUnits) || !MidnightFileTime(birthday, &birthUnits))
        return false;
    *days = (dateUnits - birthUnits) / kFileTimeUnitsPerDay;
    return true;
}

int RoundHalfAwayFromZero(double value)
{
    return (int)(value > 0 ? value + 0.5 : value - 0.5);
}

int BioValue(LONGLONG days, int period)
{
    return RoundHalfAwayFromZero(100.0 * std::sin(kTwoPi * (double)days / period));
}

int BioChartX(int dayOffset)
{
    return kChartTodayX + kChartDayWidth * dayOffset;
}

int BioValueHeight(int value)
{
    return RoundHalfAwayFromZero(kValueScale * value);
}

int BioChartY(int value)
{
    return kChartZeroY - BioValueHeight(value);
}

int BioDayOffsetAt(int x)
{
    return RoundHalfAwayFromZero((double)(x - kChartTodayX) / kChartDayWidth);
}
