// The analog dial's geometry: where the twelve marks sit and the shapes of
// the hands. Pure arithmetic, so the figures can be checked without
// drawing anything.
//
// Angles are radians clockwise from twelve o'clock, with pi taken as
// 3.1415926535 throughout (the marks and hands of older releases sat on
// exactly these pixels).
#pragma once

#include <windows.h>

struct ClockDial {
    POINT centre;
    int radius;  // distance of the marks, and length of the minute and second hands
};

// The dial drawn in an area (right and bottom exclusive): centred in it,
// with a radius of half its width less one.
ClockDial DialOf(const RECT& area);

double HourAngle(int hour, int minute);  // hour 0-23; past twelve it wraps
double MinuteAngle(int minute);
double SecondAngle(int second);

// The centre of the mark at a minute position (0, 5, ... 55), rounded.
POINT DialMarkCentre(const ClockDial& dial, int minute);
// The point length pixels from the centre towards angle, truncated.
POINT DialPoint(const ClockDial& dial, double angle, int length);
// A hand as a four-point polygon: its tip, the centre moved 2 pixels to one
// side, 2 pixels back along the hand and 2 pixels to the other side.
void DialHandPolygon(const ClockDial& dial, double angle, int length, POINT points[4]);

// The hour hand stops this much short of the marks.
constexpr int kHourHandShortfall = 6;
