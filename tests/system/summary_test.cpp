// The system summary: its rows worked out from readings (labels, values,
// clamps, cards), its meters' blocks, and on the device the window, its
// meters from the device state and its single instance.
#include <string>

#include <summary_rows.h>

#include "ketra_testkit.h"
#include "system_fixtures.h"

using namespace testkit;
using namespace SummaryRows;

namespace {

Readings OnBattery(BYTE percent)
{
    Readings readings;
    readings.powerKnown = true;
    readings.batteryFlag = 1;
    readings.batteryPercent = percent;
    readings.backupFlag = 1;
    readings.backupPercent = 100;
    return readings;
}

std::wstring Label(const Readings& readings, int row)
{
    MeterRow rows[kRowCount];
    BuildRows(readings, rows);
    return rows[row].label;
}

}  // namespace

TEST(SummaryRows, BatteryRowsClampAndNameThePowerSource)
{
    MeterRow rows[kRowCount];
    Readings readings = OnBattery(57);
    BuildRows(readings, rows);
    EXPECT_STREQ(L"Main Battery : 57% (BT)", rows[0].label);
    EXPECT_EQ(57, rows[0].value);
    EXPECT_EQ(117, rows[0].icon);
    EXPECT_STREQ(L"Backup Battery : 100%", rows[1].label);
    EXPECT_EQ(121, rows[1].icon);

    readings.acLine = 1;
    readings.batteryPercent = 255;  // no reading
    readings.backupPercent = 255;
    BuildRows(readings, rows);
    EXPECT_STREQ(L"Main Battery : 0% (AC)", rows[0].label);
    EXPECT_EQ(0, rows[0].value);
    EXPECT_EQ(120, rows[0].icon);
    EXPECT_STREQ(L"Backup Battery : 0%", rows[1].label);
    EXPECT_EQ(0, rows[1].value);

    // No battery at all: the icon alone.
    readings.batteryFlag = 128;
    BuildRows(readings, rows);
    EXPECT_TRUE(rows[0].iconOnly);
    EXPECT_FALSE(rows[1].iconOnly);
}

TEST(SummaryRows, MemoryStoreAndCardsInMegabytesAndPercent)
{
    Readings readings = OnBattery(80);
    readings.memoryFree = 12 * 1048576 + 1048576 / 4;
    readings.memoryTotal = 49 * 1048576;
    readings.storeFree = 0;
    readings.storeTotal = 0;  // an unknown store: no division by zero
    readings.cards[0] = {true, L"Storage Card", 3 * 1024, 12 * 1024};
    readings.cards[2] = {true, L"CF Card", 512, 0};  // its size unknown
    MeterRow rows[kRowCount];
    BuildRows(readings, rows);
    EXPECT_STREQ(L"12.25MB FREE (Memory)", rows[2].label);
    EXPECT_EQ(25, rows[2].value);
    EXPECT_STREQ(L"0.00MB FREE (Storage)", rows[3].label);
    EXPECT_EQ(0, rows[3].value);
    EXPECT_STREQ(L"3.00MB FREE (Storage Card)", rows[4].label);
    EXPECT_EQ(25, rows[4].value);
    EXPECT_STREQ(L"Not Installed", rows[5].label);
    EXPECT_EQ(0, rows[5].value);
    EXPECT_STREQ(L"0.50MB FREE (CF Card)", rows[6].label);
    EXPECT_EQ(0, rows[6].value);
    for (int i = 4; i < kRowCount; ++i)
        EXPECT_EQ(kCard, rows[i].kind);
}

TEST(SummaryRows, ALongCardNameIsCutAtTheLabelsEnd)
{
    Readings readings = OnBattery(80);
    readings.cards[1].present = true;
    std::wstring name(MAX_PATH - 1, L'n');
    wcsncpy(readings.cards[1].name, name.c_str(), MAX_PATH - 1);
    const std::wstring label = Label(readings, 5);
    EXPECT_EQ(size_t(kLabelChars - 1), label.size());
    EXPECT_EQ(L"0.00MB FREE (nnn", label.substr(0, 16));
}

TEST(SummaryRows, RowsAndMetersSitWhereTheyShould)
{
    EXPECT_EQ((RECT{15, 10, 202, 49}), RowRect(0));
    EXPECT_EQ((RECT{15, 41, 202, 88}), RowRect(1));
    EXPECT_EQ((RECT{15, 88, 202, 127}), RowRect(2));
    EXPECT_EQ((RECT{15, 228, 202, 283}), RowRect(6));
    EXPECT_EQ((RECT{67, 27, 200, 39}), MeterFrame(RowRect(0)));
    EXPECT_EQ((RECT{69, 29, 198, 37}), MeterInside(RowRect(0)));
}

TEST(SummaryRows, MeterBlocksStayInsideTheMeter)
{
    const RECT inside = {69, 29, 198, 37};  // 129 wide
    EXPECT_TRUE(MeterBlocks(inside, 0).empty());
    EXPECT_TRUE(MeterBlocks(inside, -3).empty());

    std::vector<RECT> one = MeterBlocks(inside, 1);
    ASSERT_EQ(1u, one.size());
    EXPECT_EQ((RECT{69, 29, 74, 37}), one[0]);

    for (int value : {50, 99, 100, 255}) {
        SCOPED_TRACE(value);
        const std::vector<RECT> blocks = MeterBlocks(inside, value);
        const int filled = 129 * std::min(value, 100) / 100;
        EXPECT_EQ(size_t(std::min(filled / 6 + 1, 22)), blocks.size());
        for (size_t i = 0; i < blocks.size(); ++i) {
            EXPECT_EQ(LONG(69 + 6 * i), blocks[i].left);
            EXPECT_LE(blocks[i].right, inside.right);
            EXPECT_GT(blocks[i].right, blocks[i].left);
        }
    }
}

TEST(SummaryRows, MeterColoursByKindAndLevel)
{
    EXPECT_EQ(COLORREF(0x0000E8), MeterColour(kBattery, 29));
    EXPECT_EQ(COLORREF(0x00E8E8), MeterColour(kBattery, 30));
    EXPECT_EQ(COLORREF(0x00E8E8), MeterColour(kBattery, 60));
    EXPECT_EQ(COLORREF(0x00C080), MeterColour(kBattery, 61));
    EXPECT_EQ(COLORREF(0xFF8080), MeterColour(kMemory, 10));
    EXPECT_EQ(COLORREF(0x808000), MeterColour(kCard, 10));
}

// ---- On the device ---------------------------------------------------------------------

namespace {

const wchar_t kSummaryClass[] = L"CORWND";

// A row's meter inside, in the summary's drawing (its dialog's client area).
int Blocks(HWND page, int row, COLORREF colour)
{
    const RECT inside = MeterInside(RowRect(row));
    int count = 0;
    for (int x = inside.left; x < inside.right; ++x)
        count += ScreenPixel(page, x, (inside.top + inside.bottom) / 2) == colour;
    return count;
}

}  // namespace

TEST(SummaryOnDevice, ShowsTheDeviceAndRunsOnce)
{
    DeviceState state;
    state.Set(L"ACLineStatus", 1);
    state.Set(L"BatteryFlag", 1);
    state.Set(L"BatteryLifePercent", 255);
    state.Set(L"BackupBatteryLifePercent", 100);
    state.Set(L"MemoryTotal", 100 * 1024 * 1024);
    state.Set(L"MemoryAvailable", 50 * 1024 * 1024);
    systemtest::StorageCards cards({L"Card A", L"Card B"});
    systemtest::SetCardSpace(L"Card A", 900, 1000);
    systemtest::SetCardSpace(L"Card B", 900, 4000);
    state.Set(L"StorageCards", L"Card A;Card B");

    ProgramDriver summary(std::wstring(kInstallFolder) + L"Summary.exe", kSummaryClass);
    ASSERT_TRUE(summary.Started());
    EXPECT_EQ(L"SystemInfo", TextOf(summary.Main()));
    HWND page = FindChild(summary.Main(), L"#32770");
    ASSERT_NE(nullptr, page);
    ASSERT_TRUE(PumpUntil([&] { return Blocks(page, 2, 0xFF8080) > 0; }, 5000));

    EXPECT_EQ(0, Blocks(page, 0, 0x0000E8)) << "a reading of 255 shows as a level";
    EXPECT_GT(Blocks(page, 1, 0x00C080), 100);  // the backup battery, full
    // Half of 129 pixels: 11 blocks of 5.
    EXPECT_EQ(55, Blocks(page, 2, 0xFF8080));
    EXPECT_GT(Blocks(page, 4, 0x808000), 2 * Blocks(page, 5, 0x808000)) << "90% and 22.5% of the cards";
    EXPECT_EQ(0, Blocks(page, 6, 0x808000));     // no third card

    // The two-second refresh follows the device.
    state.Set(L"MemoryAvailable", 100 * 1024 * 1024);
    EXPECT_TRUE(PumpUntil([&] { return Blocks(page, 2, 0xFF8080) == 21 * 5 + 3; }, 5000));

    // A second start brings this one forward.
    BringToFront(TodayScreen());
    DeviceProgram second(std::wstring(kInstallFolder) + L"Summary.exe");
    EXPECT_TRUE(second.WaitExit(10000));
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == summary.Main(); }, 5000));
    EXPECT_EQ(1, CountProcesses(L"Summary.exe"));
    EXPECT_TRUE(summary.CloseByOkCorner());
}
