// The loan calculator's arithmetic, graph and report file, without the
// window: the figures a 30-year loan has always shown, the bars of its
// graph drawn into a memory picture, and the report written, added to and
// left alone when it cannot be read.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <memory>
#include <string>

#include "ketra_testkit.h"
#include "loan_default_table.h"
#include "loan_graph.h"
#include "loan_math.h"
#include "loan_report.h"
#include "number_text.h"

namespace {

using namespace testkit;

std::wstring Money(double value)
{
    wchar_t text[kNumberTextLength];
    PrintDouble(value, 2, text);
    AddComma(text);
    return text;
}

const SLoanResult kDefaultLoan = {200000.0, 30, 6.125, LoanPayment(200000.0, 6.125, 30)};

}  // namespace

TEST(LoanMath, ThePaymentsAndAmountsALoanHasAlwaysShown)
{
    EXPECT_EQ(L"1,215.22", Money(LoanPayment(200000.0, 6.125, 30)));
    EXPECT_EQ(L"1,000.00", Money(LoanPayment(12000.0, 0, 1)));  // a rate of 0 divides evenly
    EXPECT_EQ(L"1,701.25", Money(LoanPayment(200000.0, 6.125, 15)));
    EXPECT_EQ(L"199,999.82", Money(LoanPrincipal(6.125, 30, 1215.22)));
    EXPECT_EQ(L"12,000.00", Money(LoanPrincipal(0, 1, 1000.0)));
    EXPECT_DOUBLE_EQ(1020.8333333333333, LoanInterest(200000.0, 6.125));
}

// A stored index outside the list counts as the default: a term of 0
// years would divide by zero in the payment and in the graph.
TEST(LoanMath, TermsComeFromTheListAndNeverAreZero)
{
    EXPECT_EQ(1, TermYears(0));
    EXPECT_EQ(10, TermYears(9));
    EXPECT_EQ(30, TermYears(13));
    for (int bad : {-1, 14, 1000, INT_MIN})
        EXPECT_EQ(30, TermYears(bad)) << bad;
}

TEST(LoanMath, TheScheduleRepaysTheLoanMonthByMonth)
{
    std::unique_ptr<SMonthPart[]> schedule(LoanSchedule(200000.0, 6.125, 30));
    ASSERT_TRUE(schedule);
    EXPECT_EQ(L"194.39", Money(schedule[0].principal));
    EXPECT_EQ(L"1,020.83", Money(schedule[0].interest));
    EXPECT_EQ(L"1,209.05", Money(schedule[359].principal));
    EXPECT_EQ(L"6.17", Money(schedule[359].interest));
    double balance = 200000.0, interest = 0;
    for (int i = 0; i < 360; ++i) {
        balance -= schedule[i].principal;
        interest += schedule[i].interest;
    }
    EXPECT_NEAR(0, balance, 1e-6);
    EXPECT_EQ(L"237,479.59", Money(interest));

    SMonthPart totals[kMaxYears];
    YearlyTotals(schedule.get(), 30, totals);
    EXPECT_NEAR(12 * 1215.2210791613816, totals[7].principal + totals[7].interest, 1e-6);
    EXPECT_EQ(nullptr, LoanSchedule(200000.0, 6.125, 0));
}

TEST(LoanGraph, ThirtyYearsMakeBarsFiveWideFromXTenRedAboveGreen)
{
    std::unique_ptr<SMonthPart[]> schedule(LoanSchedule(200000.0, 6.125, 30));
    SMonthPart totals[kMaxYears];
    YearlyTotals(schedule.get(), 30, totals);
    SGraphBar bars[kMaxYears];
    ASSERT_EQ(30, GraphBars(totals, 30, bars));
    EXPECT_EQ(10, bars[0].left);
    EXPECT_EQ(5, bars[0].width);
    EXPECT_EQ(16, bars[1].left);
    EXPECT_EQ(67, bars[0].redBottom);
    EXPECT_EQ(3, bars[29].redBottom);

    PixelSurface picture(kGraphWidth, kGraphHeight, RGB(1, 2, 3));
    DrawLoanGraph(picture.dc(), bars, 30);
    EXPECT_EQ(kInterestColour, picture.At(10, 0));
    EXPECT_EQ(kInterestColour, picture.At(14, 66));
    EXPECT_EQ(kPrincipalColour, picture.At(10, 67));
    EXPECT_EQ(kPrincipalColour, picture.At(14, 79));
    EXPECT_EQ(RGB(255, 255, 255), picture.At(15, 40)) << "the gap between two bars";
    EXPECT_EQ(RGB(255, 255, 255), picture.At(9, 40)) << "left of the first bar";
    EXPECT_EQ(kInterestColour, picture.At(184, 2));
    EXPECT_EQ(kPrincipalColour, picture.At(184, 3));
    EXPECT_EQ(RGB(255, 255, 255), picture.At(189, 40)) << "right of the last bar";
    const RECT all = {0, 0, kGraphWidth, kGraphHeight};
    EXPECT_EQ(30 * 5 * 80, picture.Count(all, kInterestColour) + picture.Count(all, kPrincipalColour));
}

TEST(LoanGraph, OtherTermsAreCentredAndANothingToScaleByDrawsNoBars)
{
    const SMonthPart sevenYears[7] = {{10, 10}, {11, 9}, {12, 8}, {13, 7}, {14, 6}, {15, 5}, {16, 4}};
    SGraphBar bars[kMaxYears];
    ASSERT_EQ(7, GraphBars(sevenYears, 7, bars));
    EXPECT_EQ(27, bars[0].width);  // trunc(200 / 7) = 28 apart, drawn 1 narrower
    EXPECT_EQ(2, bars[0].left);    // trunc((200 - 7 * 28 + 1) / 2)
    EXPECT_EQ(30, bars[1].left);
    EXPECT_EQ(40, bars[0].redBottom);
    EXPECT_EQ(16, bars[6].redBottom);

    const SMonthPart nothing[1] = {{0, 0}};
    EXPECT_EQ(0, GraphBars(nothing, 1, bars));
    const SMonthPart unknown[1] = {{NAN, 1}};
    EXPECT_EQ(0, GraphBars(unknown, 1, bars));
    PixelSurface picture(kGraphWidth, kGraphHeight, RGB(1, 2, 3));
    DrawLoanGraph(picture.dc(), bars, 0);
    const RECT all = {0, 0, kGraphWidth, kGraphHeight};
    EXPECT_EQ(kGraphWidth * kGraphHeight, picture.Count(all, RGB(255, 255, 255)));
}

TEST(LoanMath, MonthLabelsStartTheMonthAfterTodayAndRunPastTheCentury)
{
    wchar_t label[16];
    MonthLabel(5, 2026, 0, label, 16);
    EXPECT_STREQ(L"06/26", label);
    MonthLabel(12, 2026, 0, label, 16);
    EXPECT_STREQ(L"01/27", label);
    MonthLabel(12, 2026, 359, label, 16);
    EXPECT_STREQ(L"12/56", label);
    MonthLabel(6, 2090, 120, label, 16);
    EXPECT_STREQ(L"07/100", label);
}

TEST(LoanReport, TheDefaultLoansTableByteForByte)
{
    EXPECT_EQ(kDefaultLoanTable, LoanReportTable(kDefaultLoan));
    const std::string zero = LoanReportTable(SLoanResult{12000.0, 1, 0, 1000.0});
    EXPECT_NE(std::string::npos, zero.find("<font size=2>0.000%</font>"));
    EXPECT_NE(std::string::npos, zero.find("<font size=2>1 Years</font>"));
    EXPECT_NE(std::string::npos, zero.find("<font size=2>0.00</font></td><td><font size=2>12,000.00</font>"));
}

TEST(LoanReport, NamesThatCannotMakeAReportFileAreRefused)
{
    wchar_t path[MAX_PATH];
    ASSERT_TRUE(ReportPath(L"\\My Documents", L"LoanData", path));
    EXPECT_STREQ(L"\\My Documents\\LoanData.html", path);
    for (const wchar_t* bad : {L"", L"a\\b", L"a/b", L"a:b", L"a*b", L"a?b", L"a\"b", L"a<b", L"a>b", L"a|b", L"a\tb"}) {
        EXPECT_FALSE(ReportPath(L"\\My Documents", bad, path)) << ToUtf8(bad);
        EXPECT_STREQ(L"", path);
    }
    // "\My Documents\" is 14 characters and ".html" 5: 240 fit in 259.
    EXPECT_TRUE(ReportPath(L"\\My Documents", std::wstring(240, L'x').c_str(), path));
    EXPECT_EQ(259u, wcslen(path));
    EXPECT_FALSE(ReportPath(L"\\My Documents", std::wstring(241, L'x').c_str(), path));
}

TEST(LoanReport, AddingPutsTheNewTableAboveWhatTheFileHeld)
{
    ScratchFolder folder(L"loan_report");
    const std::wstring file = folder / L"LoanData.html";
    ASSERT_TRUE(WriteNewReport(file.c_str(), "first"));
    EXPECT_EQ("first", ReadBytes(file));
    ASSERT_TRUE(AddToReport(file.c_str(), "second"));
    ASSERT_TRUE(AddToReport(file.c_str(), "third"));
    EXPECT_EQ("thirdsecondfirst", ReadBytes(file));
    ASSERT_TRUE(WriteNewReport(file.c_str(), kDefaultLoanTable));
    EXPECT_EQ(kDefaultLoanTable, ReadBytes(file));

    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder / L"*").c_str(), &found);
    int files = 0;
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found))
        files += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    FindClose(search);
    EXPECT_EQ(1, files) << "a temporary file was left beside the report";
}

// The old content is read whole before anything is written: a file that
// cannot be read, or is larger than a report grows, is left as it is.
TEST(LoanReport, AFileThatCannotBeReadIsLeftAsItIs)
{
    ScratchFolder folder(L"loan_report_locked");
    const std::wstring file = folder / L"LoanData.html";
    ASSERT_TRUE(WriteBytes(file, "old results"));
    {
        HANDLE lock = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, lock);
        EXPECT_FALSE(AddToReport(file.c_str(), "new"));
        CloseHandle(lock);
    }
    EXPECT_EQ("old results", ReadBytes(file));

    ASSERT_TRUE(WriteBytes(file, std::string(kMaxReportBytes + 1, 'x')));
    EXPECT_FALSE(AddToReport(file.c_str(), "new"));
    EXPECT_EQ(kMaxReportBytes + 1, ReadBytes(file).size());
    EXPECT_FALSE(AddToReport((folder / L"missing.html").c_str(), "new"));
    EXPECT_FALSE(FileExists(folder / L"missing.html"));
}
