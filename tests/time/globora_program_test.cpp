// The world clock program, driven from outside as its user drives it, on a
// device whose clock stands at 1 July 2004 12:00 UTC in London's zone and
// whose four cities are the first-run ones.
#include <gtest/gtest.h>

#include <ketra_testkit.h>
#include <zonath.h>

#include "clock_pixels.h"
#include "clock_style.h"
#include "clock_text.h"
#include "device_clock.h"

#include <memory>

using namespace testkit;
using namespace clocktest;

namespace {

const wchar_t kProgram[] = L"\\Program Files\\ZARQ\\Ketra\\Globora.exe";
const wchar_t kProgramClass[] = L"GLOBORA_CLASS";
const wchar_t kSlotsKey[] = L"SOFTWARE\\ZARQ\\Dalvo";
const DWORD kWait = 15000;

const UINT kClockCommand = 1101;
const UINT kToBarCommand = 1102;
const UINT kExitCommand = 1104;
const int kCityListId = 1001;

// Where the box time of a slot starts, in window coordinates.
POINT BoxTimeAt(int slot, const std::wstring& text)
{
    POINT offset = text.size() < 10 ? globora::kBoxTimeShort : globora::kBoxTimeLong;
    return {globora::kBoxOrigins[slot].x + offset.x, globora::kBoxesTop + globora::kBoxOrigins[slot].y + offset.y};
}

POINT HeaderAt(POINT offset)
{
    return {globora::kHeaderFrame.left + offset.x, globora::kHeaderFrame.top + offset.y};
}

class WorldClockProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(registry_.Saved());
        SetSlot(0, L"London", L"United Kingdom");
        SetSlot(1, L"New York, NY", L"USA");
        SetSlot(2, L"Tokyo", L"Japan");
        SetSlot(3, L"Sydney, NSW", L"Australia");
    }
    void TearDown() override
    {
        if (program_ && program_->Running())
            program_->CloseWindow();
        program_.reset();
        EndProcesses(L"ctlpnl.exe");
        if (KetraFindBar())
            CloseBar();
    }

    static void SetSlot(int slot, const std::wstring& city, const std::wstring& nation)
    {
        WriteText(kSlotsKey, (L"City" + std::to_wstring(slot)).c_str(), city);
        WriteText(kSlotsKey, (L"Nation" + std::to_wstring(slot)).c_str(), nation);
    }
    static std::wstring Slot(int slot, const wchar_t* what)
    {
        return ReadText(kSlotsKey, (what + std::to_wstring(slot)).c_str());
    }

    void Start()
    {
        program_ = std::make_unique<ProgramDriver>(kProgram, kProgramClass);
        ASSERT_TRUE(program_->Started());
        PumpMessages(500);  // the first tick
    }
    HWND Main() const { return program_->Main(); }
    // A stylus tap at a point of the window.
    bool TapAt(int x, int y) const { return TapClient(Main(), x, y); }

    const CCityInfo* City(const wchar_t* name, const wchar_t* country) const
    {
        const CCityInfo* city = nullptr;
        GetCityInfo(name, country, &city);
        return city;
    }

    DeviceClock clock_{L"2004-07-01 12:00:00", 85};
    RegistrySandbox registry_{{L"SOFTWARE\\ZARQ"}};
    std::unique_ptr<ProgramDriver> program_;
};

} // namespace

TEST_F(WorldClockProgram, DotsOnTheMapAndTheFourClocks)
{
    Start();
    // London flashes once a second (inverted for 300 ms): each dot is red
    // at some moment.
    const POINT dots[] = {{119, 75}, {70, 84}, {213, 88}, {220, 142}};
    for (POINT dot : dots) {
        EXPECT_TRUE(PumpUntil([&] { return ScreenPixel(Main(), dot.x, dot.y) == globora::kDot; }, 3000))
            << "no red dot at " << dot.x << "," << dot.y;
    }
    // 13:00 in London, 08:00 in New York, 21:00 in Tokyo, 22:00 in Sydney.
    const wchar_t* times[] = {L" 1:00:00 ", L" 8:00:00 ", L" 9:00:00 ", L" 10:00:00 "};
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(0, TextDifference(Main(), BoxTimeAt(slot, times[slot]), times[slot], globora::kDigitFont,
                                    globora::kText, globora::kBoxFill))
            << "slot " << slot;
    }
    // The boxes end above the menu bar.
    RECT client;
    GetClientRect(Main(), &client);
    EXPECT_GE(client.bottom, globora::kBoxAreas[3].bottom);
}

TEST_F(WorldClockProgram, ASecondStartBringsTheFirstForward)
{
    Start();
    SetForegroundWindow(TodayScreen());
    DeviceProgram second(kProgram);
    DWORD exitCode = 99;
    ASSERT_TRUE(second.WaitExit(kWait, &exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ(1, CountWindows(kProgramClass));
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == Main(); }, 3000));
}

TEST_F(WorldClockProgram, LiftingTheStylusOffersTheNearestCities)
{
    Start();
    // (120, 116) is longitude 0, latitude 0.
    const CCityInfo* nearest[kMaxNearCities];
    WORD count = 0;
    ASSERT_TRUE(GetCityInfo(0.0, 0.0, nearest, &count));
    std::vector<MenuItem> items;
    for (int i = 0; i < count; ++i)
        items.push_back({std::wstring(nearest[i]->szName) + L", " + nearest[i]->szCountry});

    ASSERT_TRUE(TapAt(120, 116));
    std::string why;
    EXPECT_TRUE(PopupMenuShows(items, &why)) << why;

    // Again, and the first entry is chosen: the header shows that city.
    ASSERT_TRUE(TapAt(120, 116));
    ASSERT_NE(nullptr, WaitForPopupMenu(5000));
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    PumpMessages(500);
    wchar_t line[globora::kLineChars];
    ASSERT_TRUE(globora::FormatCityLine(*nearest[0], line, globora::kLineChars));
    EXPECT_EQ(0, TextDifference(Main(), HeaderAt(globora::kHeaderCityLine1), line, globora::kHeaderCityFont,
                                globora::kText, globora::kFill, true));
    SYSTEMTIME time;
    ASSERT_TRUE(GetTimeByTzIndex(nearest[0]->wTzIndex, &time));
    ASSERT_TRUE(globora::FormatCityTime(time, line, globora::kLineChars));
    EXPECT_EQ(0, TextDifference(Main(), HeaderAt(globora::kHeaderCityLine2), line, globora::kHeaderCityFont,
                                globora::kText, globora::kFill, true));
}

TEST_F(WorldClockProgram, TheCityListChoosesAndExitStoresAndTellsTheBar)
{
    // Two cities share the start of a name: the list opens on the slot's own row.
    SetSlot(2, L"San Jose, CA", L"USA");
    ASSERT_NE(nullptr, StartBar(L"Probe"));
    Start();
    DeviceLog log;

    const RECT& box = globora::kBoxAreas[2];
    ASSERT_TRUE(TapAt(box.right - 8, box.top + 8));  // the list icon
    HWND list = program_->Control(kCityListId, 5000);
    ASSERT_NE(nullptr, list);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(list) != FALSE; }, 3000));
    const CCityInfo* table = CCityList::GetList();
    EXPECT_EQ(City(L"San Jose, CA", L"USA") - table, SendMessageW(list, LB_GETCURSEL, 0, 0));

    // Tokyo's row, tapped.
    const int tokyo = (int)(City(L"Tokyo", L"Japan") - table);
    SendMessageW(list, LB_SETTOPINDEX, tokyo, 0);
    RECT row = {};
    ASSERT_NE(LB_ERR, (int)SendMessageW(list, LB_GETITEMRECT, tokyo, (LPARAM)&row));
    POINT at = {(row.left + row.right) / 2, (row.top + row.bottom) / 2};
    MapWindowPoints(list, nullptr, &at, 1);
    ASSERT_TRUE(Tap(at.x, at.y));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(list); }, 3000)) << "a choice closes the list";

    ASSERT_TRUE(program_->CloseWith(kExitCommand));
    EXPECT_EQ(L"Tokyo", Slot(2, L"City"));
    EXPECT_EQ(L"Japan", Slot(2, L"Nation"));
    EXPECT_EQ(L"London", Slot(0, L"City"));
    EXPECT_TRUE(log.WaitFor(L"probe: msg 1032", 3000));
}

TEST_F(WorldClockProgram, ItsButtonsOpenTheClockPageAndTheBar)
{
    ASSERT_NE(nullptr, StartBar(L"Probe"));
    Start();
    DeviceLog log;
    program_->MenuCommand(kClockCommand);
    EXPECT_TRUE(log.WaitFor(L"ctlpnl: cplmain.cpl 16,0", 5000));
    EndProcesses(L"ctlpnl.exe");

    program_->MenuCommand(kToBarCommand);
    EXPECT_TRUE(PumpUntil([] { return CurrentApplet() == L"World Clock"; }, 5000));
    EXPECT_TRUE(PumpUntil([] { return AppletWindowOnBar(L"Vornel1") != nullptr; }, 5000));
}

TEST_F(WorldClockProgram, WithoutTheBarOrItsFolderTheSwitchStartsNothing)
{
    DeleteValue(L"SOFTWARE\\ZARQ\\KETRA", L"path");
    Start();
    DeviceLog log;
    program_->MenuCommand(kToBarCommand);
    PumpMessages(1500);
    EXPECT_EQ(0, CountProcesses(L"ketra.exe"));
    EXPECT_EQ(0, log.Count(L"Ketra.exe")) << "nothing launched";
}

TEST_F(WorldClockProgram, SlotsWithoutACityShowNoTimeAndTakeNoEmptyCopy)
{
    SetSlot(1, L"New York, NY", L"");  // no nation: empty
    SetSlot(0, L"Abuja", L"Nigeria");  // a zone the table lacks: name only
    SetSlot(2, L"", L"");
    SetSlot(3, L"", L"");
    Start();
    const RECT box1 = {globora::kBoxOrigins[1].x + 2, globora::kBoxesTop + globora::kBoxOrigins[1].y + 2,
                       globora::kBoxOrigins[1].x + 80, globora::kBoxesTop + globora::kBoxOrigins[1].y + 37};
    EXPECT_EQ(0, OtherPixels(Main(), box1, globora::kBoxFill)) << "an empty box";
    EXPECT_EQ(0, TextDifference(Main(), {globora::kBoxOrigins[0].x + globora::kBoxName.x,
                                         globora::kBoxesTop + globora::kBoxOrigins[0].y + globora::kBoxName.y},
                                L"Abuja", globora::kNameFont, globora::kText, globora::kBoxFill));
    const RECT time0 = {globora::kBoxOrigins[0].x + 4, globora::kBoxesTop + globora::kBoxOrigins[0].y + 15,
                        globora::kBoxOrigins[0].x + 80, globora::kBoxesTop + globora::kBoxOrigins[0].y + 37};
    EXPECT_EQ(0, OtherPixels(Main(), time0, globora::kBoxFill)) << "Abuja shows no time";

    // Abuja is current; copied into slot 2 it stays after closing.  Slot 3
    // keeps its emptiness when nothing was chosen for it.
    const RECT& box2 = globora::kBoxAreas[2];
    ASSERT_TRUE(TapAt(box2.right - 24, box2.top + 8));
    ASSERT_TRUE(program_->CloseWindow());
    EXPECT_EQ(L"Abuja", Slot(2, L"City"));
    EXPECT_EQ(L"", Slot(3, L"City"));
}

TEST_F(WorldClockProgram, WithoutACurrentCityTheHeaderStaysAClock)
{
    for (int slot = 0; slot < 4; ++slot)
        SetSlot(slot, L"", L"");
    Start();
    // A tap on the header would show the current city: there is none.
    ASSERT_TRUE(TapAt(120, 25));
    PumpMessages(1200);
    SYSTEMTIME local;
    GetLocalTime(&local);
    wchar_t clock[globora::kLineChars];
    ASSERT_TRUE(globora::FormatHeaderClock(local, clock, globora::kLineChars));
    EXPECT_EQ(0, TextDifference(Main(), HeaderAt(globora::kHeaderClockText), clock, globora::kHeaderClockFont,
                                globora::kText, globora::kFill, true));
    // A copy into a box with no current city does nothing.
    const RECT& box0 = globora::kBoxAreas[0];
    ASSERT_TRUE(TapAt(box0.right - 24, box0.top + 8));
    ASSERT_TRUE(program_->CloseWindow());
    EXPECT_EQ(L"", Slot(0, L"City"));
}
