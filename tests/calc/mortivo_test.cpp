// The loan calculator on the side bar, driven from outside as its user
// drives it: the keys, the term list, the swap, its three dialogs and the
// report it saves in the documents folder and opens in the browser.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "calc_skin_layout.h"
#include "ketra_testkit.h"
#include "loan_default_table.h"

namespace {

using namespace testkit;

const wchar_t kName[] = L"Loan Calc";
const wchar_t kConfigKey[] = L"SOFTWARE\\ZARQ\\Applets\\Loan";
const wchar_t kBrowserKey[] = L"Software\\Microsoft\\Internet Explorer\\Main";
const wchar_t kReport[] = L"\\My Documents\\LoanData.html";
const wchar_t kOtherReport[] = L"\\My Documents\\Other Loan.html";
enum { kTerm = 7700, kAmount = 7701, kRate = 7702, kPayment = 7703 };
enum { kAddTo = 1004, kNewFile = 1003, kNewName = 1005, kAddToFile = 1006 };

void EndBrowser()
{
    if (HWND browser = FindWindowW(L"IExplore", nullptr)) {
        PostMessageW(browser, WM_CLOSE, 0, 0);
        WaitNoWindow(L"IExplore", 5000);
    }
}

// A dialog of the bar's process by its title, once it shows.
HWND WaitForDialog(const wchar_t* title)
{
    HWND dialog = nullptr;
    PumpUntil([&] { return (dialog = FindWindowW(L"#32770", title)) != nullptr && IsWindowVisible(dialog); }, 10000);
    return dialog;
}

// The loan calculator on the bar with its default loan and no report; the
// registry and the reports are put back afterwards.
class MortivoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(system_.Saved());
        ASSERT_TRUE(browserSettings_.Saved());
        EndBrowser();
        for (const wchar_t* report : {kReport, kOtherReport}) {
            saved_[report == kReport ? 0 : 1] = ReadBytes(report);
            DeleteFileW(report);
        }
        DeleteKey(kConfigKey);
        Show();
    }
    void TearDown() override
    {
        MessageBoxes::DismissAll();
        calc_.reset();
        EndBrowser();
        for (const wchar_t* report : {kReport, kOtherReport}) {
            const std::string& bytes = saved_[report == kReport ? 0 : 1];
            if (bytes.empty())
                DeleteFileW(report);
            else
                WriteBytes(report, bytes);
        }
    }

    void Show()
    {
        calc_ = std::make_unique<CalcOnBar>(kName, L"LoanSkin.xml");
        ASSERT_TRUE(calc_->Shown()) << "the bar does not show the loan calculator";
    }
    void Press(std::initializer_list<const wchar_t*> names) { ASSERT_TRUE(calc_->Press(names)); }
    std::wstring Text(int id) const { return calc_->Text(id); }
    HWND Box(int id) const { return calc_->Box(id); }
    // Taps SAVE with a report there: the dialog that asks what to do.
    HWND OpenSaveDialog()
    {
        calc_->Press({L"SAVE"});
        return WaitForDialog(L"Save to compare");
    }

    RegistrySandbox system_{{kSystemKey}};
    RegistrySandbox browserSettings_{{kBrowserKey}, HKEY_CURRENT_USER};
    std::string saved_[2];
    std::unique_ptr<CalcOnBar> calc_;
};

}  // namespace

TEST_F(MortivoTest, ShowsTheMonthlyPaymentOfTheDefaultLoan)
{
    EXPECT_EQ(L"Mortivo", ClassOf(calc_->Window()));
    EXPECT_EQ(L"200,000.00", Text(kAmount));
    EXPECT_EQ(L"6.125", Text(kRate));
    EXPECT_EQ(L"30", calc_->List(kTerm).SelectedText());
    EXPECT_EQ(14, calc_->List(kTerm).Count());
    EXPECT_EQ(L"1,215.22", Text(kPayment));
    EXPECT_FALSE(IsWindowEnabled(Box(kPayment))) << "the payment is computed, not typed";
    EXPECT_TRUE(IsWindowEnabled(Box(kAmount)));
}

TEST_F(MortivoTest, ToggleMakesThePaymentTheInputAndComputesTheAmount)
{
    Press({L"TOGGLE"});
    EXPECT_TRUE(IsWindowEnabled(Box(kPayment)));
    EXPECT_FALSE(IsWindowEnabled(Box(kAmount)));
    // The first key after a pause starts a new number in the payment box.
    Press({L"NUM1", L"NUM2", L"NUM1", L"NUM5", L"DOT", L"NUM2", L"DOT", L"NUM2"});
    EXPECT_EQ(L"1,215.22", Text(kPayment));
    EXPECT_EQ(L"199,999.82", Text(kAmount));

    Press({L"TOGGLE", L"CLEAR", L"NUM5", L"NUM0", L"NUM0", L"NUM0", L"NUM0"});
    EXPECT_EQ(L"50,000", Text(kAmount));
    EXPECT_EQ(L"303.81", Text(kPayment));
}

TEST_F(MortivoTest, TheRateBoxTakesTheKeysWhileItHasTheFocus)
{
    ASSERT_TRUE(TapWindow(Box(kRate)));
    Press({L"CLEAR"});
    EXPECT_EQ(L"0", Text(kRate));
    EXPECT_EQ(L"555.56", Text(kPayment));  // a rate of 0 divides the amount evenly
    Press({L"NUM5"});
    EXPECT_EQ(L"5", Text(kRate));
    EXPECT_EQ(L"1,073.64", Text(kPayment));
    EXPECT_EQ(L"200,000.00", Text(kAmount));
}

// Wine reports a tap in the open list before it closes the list; after
// the choice no box has the focus, and the keys go to the amount, never
// into the computed payment that the next recompute would overwrite.
TEST_F(MortivoTest, ATermChosenFromTheOpenListCountsAndKeysStillReachTheInput)
{
    ASSERT_TRUE(calc_->List(kTerm).TapChoose(L"15"));
    EXPECT_EQ(L"1,701.25", calc_->WaitText(kPayment, L"1,701.25"));
    ASSERT_TRUE(calc_->List(kTerm).TapChoose(L"1"));
    EXPECT_EQ(L"17,224.78", calc_->WaitText(kPayment, L"17,224.78"));
    Press({L"NUM5"});
    EXPECT_EQ(L"5", Text(kAmount));
    EXPECT_EQ(L"0.43", Text(kPayment));
}

TEST_F(MortivoTest, ANumberTypedWithTheKeyboardCountsAsItIsTyped)
{
    ASSERT_TRUE(TapWindow(Box(kAmount)));
    PressKey(VK_END);
    for (int i = 0; i < 10; ++i)
        PressKey(VK_BACK);
    for (WORD key : {'1', '0', '0', '0', '0', '0'})
        PressKey(key);
    EXPECT_EQ(L"100000", calc_->WaitText(kAmount, L"100000"));
    EXPECT_EQ(L"607.61", Text(kPayment));
}

TEST_F(MortivoTest, SaveWritesTheReportClosesTheBarAndOpensItInTheBrowser)
{
    DeviceLog log;
    WriteDword(kBrowserKey, L"Show_URLToolBar", 1, HKEY_CURRENT_USER);
    Press({L"SAVE"});
    ASSERT_TRUE(PumpUntil([] { return FindWindowW(L"IExplore", nullptr) != nullptr; }, 15000))
        << "no browser came up";
    EXPECT_EQ(kDefaultLoanTable, ReadBytes(kReport));
    EXPECT_TRUE(log.Contains(L"launch: \\My Documents\\LoanData.html")) << ToUtf8(log.First(L"launch"));
    EXPECT_TRUE(log.WaitFor(L"iexplore: ", 5000));
    EXPECT_EQ(0u, ReadDword(kBrowserKey, L"Show_URLToolBar", 0xDEADBEEF, HKEY_CURRENT_USER));
    EXPECT_FALSE(BarIsOpen()) << "the bar stayed open over the report";
}

// A browser already showing a report is ended first: the report always
// opens in a fresh one.
TEST_F(MortivoTest, SavingAgainAddsTheNewResultAboveTheFirst)
{
    Press({L"SAVE"});
    HWND first = WaitForWindow(L"IExplore", 15000);
    ASSERT_TRUE(first);
    SendToBar(WM_KETRA_OPEN);
    ASSERT_TRUE(TapWindow(Box(kRate)));
    Press({L"CLEAR", L"NUM5"});
    HWND dialog = OpenSaveDialog();
    ASSERT_TRUE(dialog) << "no dialog asked where to save";
    EXPECT_EQ(L"LoanData.html", ControlText(GetDlgItem(dialog, kAddToFile)));
    ASSERT_TRUE(TapWindow(GetDlgItem(dialog, kAddTo)));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, 5000)) << "the dialog stayed open";

    const std::string report = ReadBytes(kReport);
    const size_t second = report.find("<table>", 1);
    ASSERT_NE(std::string::npos, second) << report;
    EXPECT_NE(std::string::npos, report.substr(0, second).find("<font size=2>5.000%</font>"));
    EXPECT_EQ(kDefaultLoanTable, report.substr(second));
    EXPECT_FALSE(IsWindow(first)) << "the browser showing the first result was not ended";
    EXPECT_TRUE(WaitForWindow(L"IExplore", 15000));
}

TEST_F(MortivoTest, MakeANewFileAsksBeforeReplacingOneAndNoKeepsTheDialog)
{
    ASSERT_TRUE(WriteBytes(kReport, "first"));
    ASSERT_TRUE(WriteBytes(kOtherReport, "other"));
    HWND dialog = OpenSaveDialog();
    ASSERT_TRUE(dialog);
    HWND name = GetDlgItem(dialog, kNewName);

    // A name no file can have: nothing written, the dialog stays.
    SendWaiting(name, WM_SETTEXT, 0, (LPARAM)L"a:b");
    ASSERT_TRUE(TapWindow(GetDlgItem(dialog, kNewFile)));
    EXPECT_EQ(L"<no box>", MessageBoxes::WaitFor(L"Warning", nullptr, 500));
    EXPECT_TRUE(IsWindow(dialog));

    SendWaiting(name, WM_SETTEXT, 0, (LPARAM)L"Other Loan");
    ASSERT_TRUE(TapWindow(GetDlgItem(dialog, kNewFile)));
    EXPECT_EQ(L"The file exists. Do you want to replace it?", MessageBoxes::WaitFor(L"Warning"));
    ASSERT_TRUE(MessageBoxes::Answer(IDNO, L"Warning"));
    PumpMessages(300);
    EXPECT_TRUE(IsWindow(dialog)) << "No closed the dialog";
    EXPECT_EQ("other", ReadBytes(kOtherReport));

    ASSERT_TRUE(TapWindow(GetDlgItem(dialog, kNewFile)));
    EXPECT_EQ(L"The file exists. Do you want to replace it?", MessageBoxes::WaitFor(L"Warning"));
    ASSERT_TRUE(MessageBoxes::Answer(IDYES, L"Warning"));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, 5000));
    EXPECT_EQ(kDefaultLoanTable, ReadBytes(kOtherReport));
    EXPECT_EQ("first", ReadBytes(kReport));
    EXPECT_TRUE(WaitForWindow(L"IExplore", 15000));

    // The new name is the report's from now on.
    SendToBar(WM_KETRA_OPEN);
    ASSERT_TRUE(ChooseApplet(L"About"));
    EXPECT_TRUE(PumpUntil([] { return ReadText(kConfigKey, L"html") == L"Other Loan"; }, 5000))
        << ToUtf8(ReadText(kConfigKey, L"html"));
}

TEST_F(MortivoTest, TheSummaryShowsTheLoansFigures)
{
    Press({L"SUMMARY"});
    HWND dialog = WaitForDialog(L"Loan Summary");
    ASSERT_TRUE(dialog);
    const wchar_t* expected[] = {L"200000.00", L"30 Yrs", L"6.125 %", L"1215.22", L"437479.59", L"237479.59"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(expected[i], ControlText(GetDlgItem(dialog, 1001 + i))) << "field " << i;
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, 5000));
}

TEST_F(MortivoTest, TheAmortizationShowsTheGraphAndEveryMonthFromNextMonth)
{
    Press({L"GRAPH"});
    HWND dialog = WaitForDialog(L"Principal and Interest");
    ASSERT_TRUE(dialog);
    RemoteListView list(GetDlgItem(dialog, 1011));
    ASSERT_TRUE(list.Ready());
    EXPECT_EQ(360, list.Count());
    SYSTEMTIME today;
    GetLocalTime(&today);
    wchar_t first[16];
    swprintf(first, 16, L"%02d/%02d", today.wMonth % 12 + 1, today.wYear % 100 + today.wMonth / 12);
    EXPECT_EQ(first, list.Text(0));

    HWND graph = GetDlgItem(dialog, 1010);
    EXPECT_EQ(200, Width(WindowRect(graph)));
    EXPECT_EQ(80, Height(WindowRect(graph)));
    PumpMessages(300);
    EXPECT_EQ(RGB(255, 0, 0), ScreenPixel(graph, 12, 66));
    EXPECT_EQ(RGB(0, 255, 0), ScreenPixel(graph, 12, 67));
    EXPECT_EQ(RGB(255, 255, 255), ScreenPixel(graph, 15, 40));
    EXPECT_EQ(RGB(0, 255, 0), ScreenPixel(graph, 186, 3));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, 5000));
}

// A stored term index outside the list counts as 30 years (a term of 0
// would divide by zero); the loan is stored when the bar switches away.
TEST_F(MortivoTest, StoresTheLoanWhenSwitchedAwayAndMendsABadTerm)
{
    ASSERT_TRUE(calc_->List(kTerm).TapChoose(L"20"));
    EXPECT_EQ(L"1,447.32", calc_->WaitText(kPayment, L"1,447.32"));
    ASSERT_TRUE(ChooseApplet(L"About"));
    ASSERT_TRUE(PumpUntil([] { return HasValue(kConfigKey, L"term"); }, 5000));
    EXPECT_EQ(11u, ReadDword(kConfigKey, L"term"));
    EXPECT_EQ(L"200000.00000", ReadText(kConfigKey, L"amt"));
    EXPECT_EQ(L"6.12500", ReadText(kConfigKey, L"tax"));
    EXPECT_EQ(L"LoanData", ReadText(kConfigKey, L"html"));

    calc_.reset();
    WriteDword(kConfigKey, L"term", 40);
    WriteText(kConfigKey, L"amt", L"100000");
    WriteText(kConfigKey, L"html", L"..\\..\\Windows\\win");  // no report name
    Show();
    EXPECT_EQ(L"30", calc_->List(kTerm).SelectedText());
    EXPECT_EQ(L"607.61", Text(kPayment));
    ASSERT_TRUE(ChooseApplet(L"About"));
    EXPECT_TRUE(PumpUntil([] { return ReadText(kConfigKey, L"html") == L"LoanData"; }, 5000));
}
