// Theme schedules: both file forms with each reader's defaults and bounds,
// the writer's exact bytes, and the rotator's position steps.
#include <gtest/gtest.h>

#include <schedule.h>

#include "../../themes/rotator/rotation.h"
#include "theme_test_support.h"

using testkit::ReadBytes;
using testkit::ScratchFolder;

namespace {

std::string Utf16(const std::wstring& text)
{
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

CSchedule Parse(const std::string& bytes, ScheduleReader reader)
{
    CSchedule schedule;
    schedule.interval = -99;  // marks "never parsed"
    EXPECT_TRUE(ParseSchedule(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()), reader,
                              &schedule));
    return schedule;
}

} // namespace

TEST(ScheduleText, ReadsWhatTheEditorWrites)
{
    ScratchFolder folder(L"schedule-text");
    CSchedule written;
    written.interval = 1505;
    written.order = CSchedule::kRandom;
    written.themes = {L"\\My Documents\\Ocean.tsk", L"\\Windows\\Glacier.tsk"};
    std::wstring path = folder / L"Schedule1.tsc";
    ASSERT_TRUE(WriteScheduleFile(path.c_str(), written));

    std::string bytes;
    ASSERT_TRUE(ReadBytes(path, &bytes));
    EXPECT_EQ(Utf16(L"1505\r\nrandom\r\n2\r\n\\My Documents\\Ocean.tsk\r\n\\Windows\\Glacier.tsk\r\n"), bytes)
        << "UTF-16LE, no byte-order mark, CR LF";

    CSchedule read;
    ASSERT_TRUE(ReadScheduleFile(path.c_str(), ScheduleReader::Rotator, &read));
    EXPECT_EQ(1505, read.interval);
    EXPECT_EQ(CSchedule::kRandom, read.order);
    EXPECT_EQ(written.themes, read.themes);

    written.order = CSchedule::kSequential;
    written.themes.clear();
    ASSERT_TRUE(WriteScheduleFile(path.c_str(), written));
    ASSERT_TRUE(ReadBytes(path, &bytes));
    EXPECT_EQ(Utf16(L"1505\r\nsequential\r\n0\r\n"), bytes);
}

TEST(ScheduleText, DefaultsAndBounds)
{
    // An interval below 1 is 0 for the rotator (a 10-second tick); the
    // editor takes only negative ones as 0.
    EXPECT_EQ(0, Parse(Utf16(L"-3\r\nsequential\r\n0\r\n"), ScheduleReader::Rotator).interval);
    EXPECT_EQ(0, Parse(Utf16(L"-3\r\nsequential\r\n0\r\n"), ScheduleReader::Editor).interval);
    EXPECT_EQ(0, Parse(Utf16(L"0\r\nsequential\r\n0\r\n"), ScheduleReader::Rotator).interval);

    // Empty lines do not count; a type other than "random" (any case) is
    // sequential; a byte-order mark is skipped.
    CSchedule loose = Parse(Utf16(L"\xFEFF" L"7\n\n\rRaNdOm\r\n\r\n1\r\n\\a.tsk\r\n"), ScheduleReader::Rotator);
    EXPECT_EQ(7, loose.interval);
    EXPECT_EQ(CSchedule::kRandom, loose.order);
    EXPECT_EQ(std::vector<std::wstring>{L"\\a.tsk"}, loose.themes);
    EXPECT_EQ(CSchedule::kSequential, Parse(Utf16(L"5\r\nshuffle\r\n0\r\n"), ScheduleReader::Rotator).order);

    // A count beyond the text takes what is there; an overlong path is
    // passed over.
    std::wstring longPath = L"\\" + std::wstring(MAX_PATH, L'x') + L".tsk";
    CSchedule counted = Parse(Utf16(L"5\r\nsequential\r\n99999\r\n\\a.tsk\r\n" + longPath + L"\r\n\\b.tsk"),
                              ScheduleReader::Rotator);
    EXPECT_EQ((std::vector<std::wstring>{L"\\a.tsk", L"\\b.tsk"}), counted.themes);
    // And a count below the list's length takes that many.
    EXPECT_EQ(1u, Parse(Utf16(L"5\r\nsequential\r\n1\r\n\\a.tsk\r\n\\b.tsk\r\n"), ScheduleReader::Rotator).themes.size());

    CSchedule untouched;
    untouched.interval = 42;
    EXPECT_FALSE(ParseSchedule(nullptr, 0, ScheduleReader::Rotator, &untouched));
    EXPECT_FALSE(ReadScheduleFile(L"\\Temp\\no such schedule.tsc", ScheduleReader::Rotator, &untouched));
    EXPECT_EQ(42, untouched.interval);
}

TEST(ScheduleXml, ReadersAndTheirDefaults)
{
    std::string full = "<rotateinfo><count>2</count><delay>15</delay><type>Random</type>"
                       "<theme000>\\a.tsk</theme000><theme001>\\b.tsk</theme001><theme002>\\c.tsk</theme002>"
                       "</rotateinfo>";
    CSchedule read = Parse(full, ScheduleReader::Rotator);
    EXPECT_EQ(15, read.interval);
    EXPECT_EQ(CSchedule::kRandom, read.order);
    EXPECT_EQ((std::vector<std::wstring>{L"\\a.tsk", L"\\b.tsk"}), read.themes) << "count says two";

    // A delay of 0 or none: 5 minutes for the rotator, 0 for the editor; no
    // count: no themes.
    std::string bare = "<rotateinfo><delay>0</delay><type>sequential</type><theme000>\\a.tsk</theme000></rotateinfo>";
    EXPECT_EQ(5, Parse(bare, ScheduleReader::Rotator).interval);
    EXPECT_EQ(0, Parse(bare, ScheduleReader::Editor).interval);
    EXPECT_TRUE(Parse(bare, ScheduleReader::Rotator).themes.empty());
    EXPECT_EQ(5, Parse("<rotateinfo><count>0</count></rotateinfo>", ScheduleReader::Rotator).interval);
    EXPECT_EQ(0, Parse("<rotateinfo><count>0</count></rotateinfo>", ScheduleReader::Editor).interval);

    // A count far beyond the elements costs no more than the elements.
    CSchedule huge = Parse("<rotateinfo><count>2000000000</count><theme000>\\a.tsk</theme000></rotateinfo>",
                           ScheduleReader::Rotator);
    EXPECT_EQ(std::vector<std::wstring>{L"\\a.tsk"}, huge.themes);

    CSchedule broken;
    broken.interval = 42;
    std::string bad = "<rotateinfo><count>";
    EXPECT_FALSE(ParseSchedule(reinterpret_cast<const BYTE*>(bad.data()), (DWORD)bad.size(), ScheduleReader::Rotator,
                               &broken));
    EXPECT_EQ(42, broken.interval);
}

TEST(ScheduleNumbers, CommandLineTakesOneDigitFrom0To3)
{
    EXPECT_EQ(2, ScheduleFromCommandLine(L"2"));
    EXPECT_EQ(0, ScheduleFromCommandLine(L" 0 "));
    EXPECT_EQ(-1, ScheduleFromCommandLine(L""));
    EXPECT_EQ(-1, ScheduleFromCommandLine(L"4"));
    EXPECT_EQ(-1, ScheduleFromCommandLine(L"12"));
    EXPECT_EQ(-1, ScheduleFromCommandLine(L"-1"));
    EXPECT_EQ(-1, ScheduleFromCommandLine(nullptr));
}

TEST(RotationSteps, SelectingContinuesAfterTheStoredPosition)
{
    // The schedule in use already: after the stored position.
    EXPECT_EQ(3, SelectedPosition(5, true, 2, 0, CSchedule::kSequential, 0));
    EXPECT_EQ(4, NextPosition(5, 3, CSchedule::kSequential, 0)) << "so the next advance applies theme 4";
    EXPECT_EQ(0, SelectedPosition(5, true, 4, 0, CSchedule::kSequential, 0));
    EXPECT_LT(SelectedPosition(5, true, 0xFFFFFFFF, 0, CSchedule::kSequential, 0), 5) << "a stored value out of range";
    // Another schedule: its first theme, or a random one.
    EXPECT_EQ(0, SelectedPosition(5, false, 3, 2, CSchedule::kSequential, 1234));
    EXPECT_EQ(4, SelectedPosition(5, false, 3, 2, CSchedule::kRandom, 9));
    EXPECT_EQ(3, SelectedPosition(5, false, 3, 2, CSchedule::kRandom, 7)) << "not the previous position";
    // Empty schedules stay at 0 without dividing by their count.
    EXPECT_EQ(0, SelectedPosition(0, true, 7, 0, CSchedule::kSequential, 0));
    EXPECT_EQ(0, SelectedPosition(0, false, 7, 0, CSchedule::kRandom, 5));
    EXPECT_EQ(0, NextPosition(0, 3, CSchedule::kRandom, 5));
}

TEST(RotationSteps, RandomNeverRepeatsAPosition)
{
    unsigned random = 12345;
    int position = 0;
    for (int i = 0; i < 2000; ++i) {
        random = random * 1103515245 + 12345;
        int next = NextPosition(3, position, CSchedule::kRandom, random >> 8);
        ASSERT_NE(position, next) << "step " << i;
        ASSERT_GE(next, 0);
        ASSERT_LT(next, 3);
        position = next;
    }
    EXPECT_EQ(0, NextPosition(1, 0, CSchedule::kRandom, 77)) << "one theme has nowhere else to go";
    EXPECT_EQ(0, NextPosition(3, 2, CSchedule::kSequential, 0));
}
