// The summary's rows: readings, labels, values, places and meter blocks.
#include "summary_rows.h"

#include <corvane.h>
#include <cedevice.h>
#include <strsafe.h>

#include "resource.h"

namespace SummaryRows {

namespace {

constexpr BYTE kNoBattery = 128;  // BATTERY_FLAG_NO_BATTERY
constexpr double kBytesPerMB = 1.0 / 1048576.0;
constexpr double kKBPerMB = 1.0 / 1024.0;

// Cut at the label's limit rather than failing: a long card name still
// shows its space.
void Format(MeterRow* row, const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    StringCchVPrintfW(row->label, kLabelChars, format, args);
    va_end(args);
}

void BuildBattery(MeterRow* row, bool known, BYTE flag, BYTE percent, bool main, bool external)
{
    row->kind = kBattery;
    const int shown = known ? BatteryPercent(percent) : 0;
    row->value = shown;
    row->iconOnly = known && flag == kNoBattery;
    if (main) {
        row->icon = external ? IDI_EXTERNAL_POWER : IDI_BATTERY;
        Format(row, L"Main Battery : %d%% (%ls)", shown, external ? L"AC" : L"BT");
    } else {
        row->icon = IDI_BACKUP_BATTERY;
        Format(row, L"Backup Battery : %d%%", shown);
    }
}

}  // namespace

int Percent(ULONGLONG part, ULONGLONG whole)
{
    if (whole == 0)
        return 0;
    ULONGLONG percent = part >= whole ? 100 : part * 100 / whole;
    return static_cast<int>(percent);
}

int BatteryPercent(BYTE percent)
{
    return percent > 100 ? 0 : percent;
}

Readings ReadDevice()
{
    Readings readings;
    SYSTEM_POWER_STATUS_EX power = {};
    readings.powerKnown = GetSystemPowerStatusEx(&power, TRUE) != FALSE;
    if (readings.powerKnown) {
        readings.acLine = power.ACLineStatus;
        readings.batteryFlag = power.BatteryFlag;
        readings.batteryPercent = power.BatteryLifePercent;
        readings.backupFlag = power.BackupBatteryFlag;
        readings.backupPercent = power.BackupBatteryLifePercent;
    }
    CSI::GetMemoryStatus(&readings.memoryFree, &readings.memoryTotal);
    CSI::GetStoreStatus(&readings.storeFree, &readings.storeTotal);
    for (int i = 0; i < kCardRows; ++i) {
        CardReading& card = readings.cards[i];
        card.present = CSI::GetSTCardInfo(i, card.name, &card.freeKB, &card.totalKB, MAX_PATH) != FALSE;
    }
    return readings;
}

void BuildRows(const Readings& readings, MeterRow rows[kRowCount])
{
    const bool external = readings.powerKnown && readings.acLine == 1;
    BuildBattery(&rows[0], readings.powerKnown, readings.batteryFlag, readings.batteryPercent, true, external);
    BuildBattery(&rows[1], readings.powerKnown, readings.backupFlag, readings.backupPercent, false, false);

    rows[2].kind = kMemory;
    rows[2].icon = IDI_MEMORY;
    rows[2].value = Percent(readings.memoryFree, readings.memoryTotal);
    Format(&rows[2], L"%2.2fMB FREE (Memory)", static_cast<double>(readings.memoryFree) * kBytesPerMB);

    rows[3].kind = kMemory;
    rows[3].icon = IDI_STORE;
    rows[3].value = Percent(readings.storeFree, readings.storeTotal);
    Format(&rows[3], L"%2.2fMB FREE (Storage)", static_cast<double>(readings.storeFree) * kBytesPerMB);

    for (int i = 0; i < kCardRows; ++i) {
        MeterRow& row = rows[4 + i];
        const CardReading& card = readings.cards[i];
        row.kind = kCard;
        row.icon = IDI_CARD;
        if (!card.present) {
            row.value = 0;
            Format(&row, L"Not Installed");
            continue;
        }
        row.value = Percent(card.freeKB, card.totalKB);
        Format(&row, L"%2.2fMB FREE (%ls)", static_cast<double>(card.freeKB) * kKBPerMB, card.name);
    }
}

RECT RowRect(int row)
{
    int top = 10 + 39 * row;
    if (row == 1 || row == 3 || row == 5)
        top -= 8;
    else if (row == 6)
        top -= 16;
    return RECT{15, top, 202, 49 + 39 * row};
}

RECT MeterFrame(const RECT& row)
{
    // The row shrunk by 2, its text starting 50 pixels in.
    const int left = row.left + 2 + 50;
    const int top = row.top + 2;
    return RECT{left, top + 15, row.right - 2, top + 27};
}

RECT MeterInside(const RECT& row)
{
    RECT inside = MeterFrame(row);
    InflateRect(&inside, -2, -2);
    return inside;
}

std::vector<RECT> MeterBlocks(const RECT& inside, int value)
{
    std::vector<RECT> blocks;
    if (value < 1)
        return blocks;
    if (value > 100)
        value = 100;
    const int width = inside.right - inside.left;
    const int filled = width * value / 100;
    const int count = filled / 6 + 1;
    for (int i = 0; i < count; ++i) {
        RECT block = {inside.left + 6 * i, inside.top, inside.left + 6 * i + 5, inside.bottom};
        if (block.left >= inside.right)
            break;
        if (block.right > inside.right)
            block.right = inside.right;
        blocks.push_back(block);
    }
    return blocks;
}

COLORREF MeterColour(int kind, int value)
{
    switch (kind) {
    case kBattery:
        return value < 30 ? 0x0000E8 : value < 61 ? 0x00E8E8 : 0x00C080;
    case kMemory:
        return 0xFF8080;
    default:
        return 0x808000;
    }
}

}  // namespace SummaryRows
