// The analog dial's geometry.
#include "clock_dial.h"

#include <cmath>

namespace {

// pi / 30, pi / 6 and pi / 360 with pi = 3.1415926535.
const double kRadiansPerMinute = 0.10471975511666667;
const double kRadiansPerHour = 0.5235987755833333;
const double kRadiansPerMinuteOfHour = 0.008726646259722222;

const int kHandHalfWidth = 2;

}  // namespace

ClockDial DialOf(const RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    ClockDial dial;
    dial.centre.x = area.left + width / 2;
    dial.centre.y = area.top + height / 2;
    dial.radius = width / 2 - 1;
    return dial;
}

double HourAngle(int hour, int minute)
{
    return hour * kRadiansPerHour + minute * kRadiansPerMinuteOfHour;
}

double MinuteAngle(int minute)
{
    return minute * kRadiansPerMinute;
}

double SecondAngle(int second)
{
    return second * kRadiansPerMinute;
}

POINT DialMarkCentre(const ClockDial& dial, int minute)
{
    const double angle = MinuteAngle(minute);
    POINT point;
    point.x = (LONG)(dial.centre.x + dial.radius * std::sin(angle) + 0.5);
    point.y = (LONG)(dial.centre.y - dial.radius * std::cos(angle) + 0.5);
    return point;
}

POINT DialPoint(const ClockDial& dial, double angle, int length)
{
    POINT point;
    point.x = (LONG)(dial.centre.x + length * std::sin(angle));
    point.y = (LONG)(dial.centre.y - length * std::cos(angle));
    return point;
}

void DialHandPolygon(const ClockDial& dial, double angle, int length, POINT points[4])
{
    const double sine = std::sin(angle);
    const double cosine = std::cos(angle);
    const double cx = dial.centre.x;
    const double cy = dial.centre.y;
    points[0] = DialPoint(dial, angle, length);
    // The hand points along (sin, -cos); (cos, sin) is square to it.
    points[1] = {(LONG)(cx + kHandHalfWidth * cosine), (LONG)(cy + kHandHalfWidth * sine)};
    points[2] = {(LONG)(cx - kHandHalfWidth * sine), (LONG)(cy + kHandHalfWidth * cosine)};
    points[3] = {(LONG)(cx - kHandHalfWidth * cosine), (LONG)(cy - kHandHalfWidth * sine)};
}
