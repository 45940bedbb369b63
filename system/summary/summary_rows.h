// What the system summary shows: seven meter rows (main and backup battery,
// program memory, object store, three storage cards), each a kind, a value
// in percent and a label, worked out from the device's readings; and where
// each row and its meter's blocks go.
#pragma once

#include <windows.h>

#include <vector>

namespace SummaryRows {

constexpr int kRowCount = 7;
constexpr int kCardRows = 3;
constexpr int kLabelChars = 256;  // 255 characters and the terminator

enum Kind { kBattery = 0, kMemory = 1, kCard = 2 };

struct MeterRow {
    int kind = kBattery;
    int value = 0;          // 0..100
    int icon = 0;           // resource id
    bool iconOnly = false;  // a battery row without a battery
    wchar_t label[kLabelChars] = L"";
};

struct CardReading {
    bool present = false;
    wchar_t name[MAX_PATH] = L"";
    DWORD freeKB = 0;
    DWORD totalKB = 0;
};

// The device as the summary reads it.
struct Readings {
    bool powerKnown = false;
    BYTE acLine = 0;
    BYTE batteryFlag = 0;
    BYTE batteryPercent = 0;
    BYTE backupFlag = 0;
    BYTE backupPercent = 0;
    ULONGLONG memoryFree = 0, memoryTotal = 0;
    ULONGLONG storeFree = 0, storeTotal = 0;
    CardReading cards[kCardRows];
};

// Reads the device (power status, memory, object store, storage cards).
Readings ReadDevice();
void BuildRows(const Readings& readings, MeterRow rows[kRowCount]);

// part of whole in percent, 0 for an unknown (zero) whole, at most 100.
int Percent(ULONGLONG part, ULONGLONG whole);
// A battery percentage as shown: above 100 (255: no reading) shows 0.
int BatteryPercent(BYTE percent);

// Row i's rectangle in the window (rows 1, 3 and 5 start 8 pixels higher
// and row 6 16, the rows' bottoms stay).
RECT RowRect(int row);
// The meter's frame and its inside, from a row's rectangle.
RECT MeterFrame(const RECT& row);
RECT MeterInside(const RECT& row);
// The blocks of a meter of value v in its inside: 5 pixels wide, 6 apart,
// from the left, as many as W'/6 + 1 for a filled width W'; none below 1.
// Each is cut to the inside, so none spills out of the meter.
std::vector<RECT> MeterBlocks(const RECT& inside, int value);
COLORREF MeterColour(int kind, int value);

}  // namespace SummaryRows
