// The phone pack's pieces without windows: the line files, the dialer's
// loading rules, the canned-text list, the SMS sender's number rules and
// the contacts applet's rows and tabs.
#include <gtest/gtest.h>

#include <windows.h>

#include <ketra_testkit.h>

#include "call_list.h"
#include "canned_list.h"
#include "contact_rows.h"
#include "line_file.h"
#include "sms_send.h"

namespace {

using namespace testkit;
typedef std::vector<std::wstring> Texts;

// ---- line files -----------------------------------------------------------------

TEST(LineFileTest, ReadsEveryLineEndSkipsEmptyLinesAndKeepsToItsLimits)
{
    ScratchFolder folder(L"linefile");
    const std::wstring path = folder / L"lines.txt";
    ASSERT_TRUE(WriteBytes(path, "one\r\ntwo\nthree\r\r\n\r\nfour-is-long\rfive"));
    Texts entries;
    ASSERT_TRUE(LineFile::Read(path.c_str(), 10, 6, &entries));
    EXPECT_EQ(Texts({L"one", L"two", L"three", L"four-i", L"five"}), entries);
    ASSERT_TRUE(LineFile::Read(path.c_str(), 2, 259, &entries));
    EXPECT_EQ(Texts({L"one", L"two"}), entries);
    EXPECT_FALSE(LineFile::Read((folder / L"missing.txt").c_str(), 10, 259, &entries));
    EXPECT_TRUE(entries.empty());
}

TEST(LineFileTest, WritesWholeLinesInTheDeviceCodePage)
{
    ScratchFolder folder(L"linefile");
    const std::wstring path = folder / L"lines.txt";
    Texts entries = {L"Gr\u00fc\u00dfe", L"", L"two\r\nlines"};
    for (int i = 0; i < 12; ++i)
        entries.push_back(L"n" + std::to_wstring(i));
    ASSERT_TRUE(LineFile::Write(path.c_str(), entries));
    EXPECT_EQ("Gr\xfc\xdf" "e\r\ntwo  lines\r\nn0\r\nn1\r\nn2\r\nn3\r\nn4\r\nn5\r\nn6\r\nn7\r\n", ReadBytes(path));
    Texts back;
    ASSERT_TRUE(LineFile::Read(path.c_str(), 10, 259, &back));
    EXPECT_EQ(L"Gr\u00fc\u00dfe", back[0]);
    EXPECT_EQ(10u, back.size());
    EXPECT_FALSE(FileExists(path + L".tmp"));

    // A file that cannot be replaced stays as it was.
    HANDLE locked = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked);
    EXPECT_FALSE(LineFile::Write(path.c_str(), Texts({L"lost"})));
    CloseHandle(locked);
    EXPECT_EQ(10u, (LineFile::Read(path.c_str(), 10, 259, &back), back.size()));
    EXPECT_FALSE(FileExists(path + L".tmp"));
}

// ---- the dialer's list -------------------------------------------------------------

TEST(CallListTest, LoadingRules)
{
    CCallList list;
    list.SetRemoved({L"(503) 555-0164"});
    list.AddRecord(L"(425) 555-0100", L"", nullptr);                    // listed without a name
    list.AddRecord(nullptr, L"No number", nullptr);                     // skipped
    list.AddRecord(L"Office (425) 555-0180", L"", nullptr);             // from "(" on
    list.AddRecord(L"(425) 555-0100", L"Ivanova, Katya", L"m");         // fills in the name
    list.AddRecord(L"(425) 555-0100", L"Someone else", nullptr);        // keeps it
    list.AddRecord(L"(503) 555-0164", L"Removed", nullptr);             // on the removed list
    list.AddRecord(L"+49 151 5550 1122", L"Brandt, Oskar", nullptr);    // no "(": whole
    const std::wstring longNumber(40, L'7');
    list.AddRecord(longNumber.c_str(), std::wstring(80, L'x').c_str(), L"w");
    ASSERT_EQ(4, list.Count());
    EXPECT_EQ(L"(425) 555-0100", list.At(0).number);
    EXPECT_EQ(L"Ivanova, Katya (m)", list.At(0).name);
    EXPECT_EQ(L"(425) 555-0180", list.At(1).number);
    EXPECT_EQ(L"", list.At(1).name);
    EXPECT_EQ(L"+49 151 5550 1122", list.At(2).number);
    EXPECT_EQ(longNumber, list.At(3).number) << "a long number is kept whole, never dialled cut";
    EXPECT_EQ(CCallList::kNameChars, list.At(3).name.size());
}

TEST(CallListTest, PagingRemovingAndAnEmptyList)
{
    CCallList list;
    list.Next();
    list.Previous();
    EXPECT_FALSE(list.RemoveCurrent());
    EXPECT_EQ(nullptr, list.CurrentEntry());
    for (const wchar_t* number : {L"1", L"2", L"3"})
        list.AddRecord(number, L"", nullptr);
    list.Previous();
    EXPECT_EQ(L"3", list.CurrentEntry()->number);
    list.Next();
    EXPECT_EQ(L"1", list.CurrentEntry()->number);
    list.Previous();
    ASSERT_TRUE(list.RemoveCurrent());  // the last entry: the position wraps
    EXPECT_EQ(L"1", list.CurrentEntry()->number);
    ASSERT_TRUE(list.RemoveCurrent());
    ASSERT_TRUE(list.RemoveCurrent());
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(Texts({L"3", L"1", L"2"}), list.Removed());

    // The removed list keeps the latest hundred.
    for (int i = 0; i < 120; ++i) {
        list.AddRecord(std::to_wstring(1000 + i).c_str(), L"", nullptr);
        list.RemoveCurrent();
    }
    EXPECT_EQ(CCallList::kRemovedKept, list.Removed().size());
    EXPECT_EQ(L"1119", list.Removed().back());
}

// ---- "My Text" ---------------------------------------------------------------------

TEST(CannedListTest, NewDeleteAndTypingKeepTenEntries)
{
    CCannedList list;
    list.Load({L"a", L"b"});
    EXPECT_EQ(0, list.Editing());
    EXPECT_EQ(CCannedList::kReplaced, list.Typed(L"A"));
    ASSERT_TRUE(list.New());
    EXPECT_EQ(2, list.Editing());
    EXPECT_EQ(CCannedList::kReplaced, list.Typed(std::wstring(300, L'z')));
    EXPECT_EQ(CCannedList::kMaxChars, list.Entries()[2].size());
    list.Select(1);
    ASSERT_TRUE(list.Delete());
    EXPECT_EQ(1, list.Editing()) << "the entry now at that place is edited";
    ASSERT_TRUE(list.Delete());
    EXPECT_EQ(-1, list.Editing());
    EXPECT_FALSE(list.Delete()) << "\"D\" with nothing being edited does nothing";
    EXPECT_EQ(Texts({L"A"}), list.Entries());

    EXPECT_EQ(CCannedList::kAdded, list.Typed(L"typed"));
    EXPECT_EQ(1, list.Editing());
    while (list.Entries().size() < CCannedList::kMaxEntries)
        ASSERT_TRUE(list.New());
    EXPECT_FALSE(list.New());
    list.Select(-1);
    EXPECT_EQ(CCannedList::kRefused, list.Typed(L"eleventh"));
    EXPECT_EQ(CCannedList::kMaxEntries, list.Entries().size());
}

// ---- the SMS sender's numbers --------------------------------------------------------

TEST(SmsSendTest, NumberRulesAndTheRecentList)
{
    EXPECT_TRUE(SmsSend::IsValidNumber(L"+1 (425) 555-0100"));
    EXPECT_FALSE(SmsSend::IsValidNumber(L"555-CALL"));
    EXPECT_FALSE(SmsSend::IsValidNumber(L""));
    EXPECT_TRUE(SmsSend::IsValidNumber(std::wstring(255, L'1')));
    EXPECT_FALSE(SmsSend::IsValidNumber(std::wstring(256, L'1'))) << "longer than an address holds";
    EXPECT_EQ(Texts({L"2", L"1", L"3"}), SmsSend::WithNumberOnTop({L"1", L"2", L"3", L"2"}, L"2"));
}

// ---- the contacts applet ------------------------------------------------------------

TEST(ContactRowsTest, BucketsForNoneThreeAndTwelveContacts)
{
    TabBuckets none = TabBuckets::For(0);
    EXPECT_EQ(0, none.count);
    EXPECT_EQ(-1, none.BucketOf(0));

    TabBuckets three = TabBuckets::For(3);
    EXPECT_EQ(3, three.count);
    EXPECT_EQ(2, three.BucketOf(2));
    EXPECT_EQ(0, three.BucketOf(0)) << "never a bucket past those in use";

    TabBuckets twelve = TabBuckets::For(12);
    EXPECT_EQ(5, twelve.count);
    EXPECT_EQ((std::vector<int>{0, 2, 4, 7, 9, 12}), std::vector<int>(twelve.boundary, twelve.boundary + 6));
    EXPECT_EQ(2, twelve.BucketOf(6));
    EXPECT_EQ(4, twelve.BucketOf(11));
}

TEST(ContactRowsTest, LabelsAndNumbers)
{
    EXPECT_EQ(L"A~B", TabLabel(L"Adams", L"Baker", false));
    EXPECT_EQ(L"A", TabLabel(L"Ann", L"Amy", false));
    EXPECT_EQ(L"C", TabLabel(L"Carter", L"Zed", true));
    EXPECT_EQ(L"?~B", TabLabel(L"", L"Baker", false)) << "an empty file-as reads as ?";

    ContactRow row;
    row.AddNumber(L"+1 (425) 555-0101", kMobile);
    row.AddNumber(L"", kWork);
    row.AddNumber(L"1234567890 1234567890 1234567890 99", kHome);
    EXPECT_EQ(kMobile | kHome, row.categories);
    ASSERT_EQ(2u, row.numbers.size());
    EXPECT_EQ(L"12345678901234567890123456789", row.numbers[1].number) << "cut at 31, then spaces out";
    EXPECT_EQ(L"+1(425)555-0101", row.Shown());
    EXPECT_TRUE(row.Advance());
    EXPECT_EQ(L"12345678901234567890123456789", row.Shown());
    EXPECT_TRUE(row.Advance());
    EXPECT_EQ(L"+1(425)555-0101", row.Shown());
    ContactRow none;
    EXPECT_FALSE(none.Advance());
    EXPECT_EQ(L"", none.Shown());
}

}  // namespace
