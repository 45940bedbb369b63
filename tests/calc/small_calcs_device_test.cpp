// The currency, tip and price calculators on the side bar, driven from
// outside: worked examples tapped on their keys and lists, the currency
// settings dialog with its digit pad and input panel button, and the
// values they keep when the bar switches away (or mend when stored wrong).
#include <gtest/gtest.h>
#include <sip.h>

#include <memory>
#include <string>

#include "calc_skin_layout.h"
#include "ketra_testkit.h"

namespace {

using namespace testkit;

const wchar_t kCurrencyKey[] = L"SOFTWARE\\ZARQ\\Applets\\Currency";
const wchar_t kTipKey[] = L"SOFTWARE\\ZARQ\\Applets\\Tip";
const wchar_t kPriceKey[] = L"SOFTWARE\\ZARQ\\Applets\\Price";

enum { kUnit1 = 7700, kInput = 7701, kUnit2 = 7702, kResult = 7703 };
enum { kTip = 1001, kPeople = 1002, kBill = 1003, kTipAmount = 1004, kTotal = 1005, kEach = 1006 };
enum { kPrice = 7700, kDiscount = 7701, kDiscounted = 7702, kTax = 7703, kAmount = 7704 };
// "Currency Settings"
enum { kRateFirst = 1000, kNameFirst = 1021, kReset = 5, kChangeNames = 6, kSip = 7 };

// A skin calculator on the bar with its settings section emptied first.
class SkinCalcTest : public ::testing::Test {
protected:
    void Show(const wchar_t* name, const wchar_t* skin)
    {
        calc_ = std::make_unique<CalcOnBar>(name, skin);
        ASSERT_TRUE(calc_->Shown()) << "the bar does not show " << ToUtf8(name);
    }
    void Press(std::initializer_list<const wchar_t*> names) { ASSERT_TRUE(calc_->Press(names)); }
    std::wstring Text(int id) const { return calc_->Text(id); }
    bool Choose(int list, const std::wstring& item) { return calc_->List(list).TapChoose(item); }
    // Switches the bar away, which stores the calculator's values.
    void SwitchAway() { ASSERT_TRUE(ChooseApplet(L"About")); }
    // Ends the bar (which puts the registry back as it found it), lets the
    // test store values, and shows the calculator again.
    template <typename Store>
    void Reshow(const wchar_t* name, const wchar_t* skin, Store store)
    {
        calc_.reset();
        store();
        Show(name, skin);
    }

    RegistrySandbox system_{{kSystemKey}};  // over every bar a test starts
    std::unique_ptr<CalcOnBar> calc_;
};

class MonettaTest : public SkinCalcTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(system_.Saved());
        DeleteKey(kCurrencyKey);
        Show(L"Currency Calc", L"CurSkin.xml");
    }
    void TearDown() override
    {
        MessageBoxes::DismissAll();
        if (HWND dialog = FindWindowW(L"#32770", L"Currency Settings"))
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        calc_.reset();
        SipShowIM(SIPF_OFF);
    }
    HWND OpenSettings()
    {
        calc_->Press({L"SETTING"});
        HWND dialog = nullptr;
        PumpUntil([&] { return (dialog = FindWindowW(L"#32770", L"Currency Settings")) && IsWindowVisible(dialog); },
                  10000);
        return dialog;
    }
    // Taps a cell of the dialog's drawn digit pad (1 2 / 3 4 / ... / 9 0 / C .).
    static bool TapPad(HWND dialog, int cell)
    {
        const int x = cell % 2 ? 168 : 145, y = 40 + (cell / 2) * 18;
        return TapClient(dialog, x + 10, y + 8);
    }
};

class GratiloTest : public SkinCalcTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(system_.Saved());
        DeleteKey(kTipKey);
        Show(L"Tip Calc", L"TipSkin.xml");
    }
};

class TagoraTest : public SkinCalcTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(system_.Saved());
        DeleteKey(kPriceKey);
        Show(L"Price Calc", L"PcSkin.xml");
    }
};

}  // namespace

TEST_F(MonettaTest, ConvertsBetweenTheChosenCurrenciesAndToggleSwapsThem)
{
    EXPECT_EQ(L"Monetta", ClassOf(calc_->Window()));
    EXPECT_EQ(L"1", Text(kInput));
    EXPECT_EQ(L"US Dollar", calc_->List(kUnit1).SelectedText());
    EXPECT_EQ(L"Australian Dollar", calc_->List(kUnit2).SelectedText());
    EXPECT_EQ(L"1.82", Text(kResult));
    ASSERT_TRUE(Choose(kUnit2, L"Japanese Yen"));
    EXPECT_EQ(L"118.76", calc_->WaitText(kResult, L"118.76"));

    ASSERT_TRUE(Choose(kUnit1, L"Euro"));
    ASSERT_TRUE(Choose(kUnit2, L"British Pound"));
    Press({L"CLEAR", L"NUM1", L"NUM0", L"NUM0"});
    EXPECT_EQ(L"63.33", Text(kResult));

    // Back the other way, starting again at 1: 1.02 / 0.646.
    Press({L"TOGGLE"});
    EXPECT_EQ(L"British Pound", calc_->List(kUnit1).SelectedText());
    EXPECT_EQ(L"Euro", calc_->List(kUnit2).SelectedText());
    EXPECT_EQ(L"1", Text(kInput));
    EXPECT_EQ(L"1.58", Text(kResult));
}

// The pad types into the focused rate field; OK stores the fields and the
// converter shows the new rate at once.
TEST_F(MonettaTest, SettingsStoreTheRatesTypedOnThePadAndTheResultFollows)
{
    HWND dialog = OpenSettings();
    ASSERT_TRUE(dialog) << "no settings dialog";
    EXPECT_EQ(L"1.00", ControlText(GetDlgItem(dialog, kRateFirst)));
    EXPECT_EQ(L"1.820", ControlText(GetDlgItem(dialog, kRateFirst + 1)));
    EXPECT_EQ(L"118.760", ControlText(GetDlgItem(dialog, kRateFirst + 7)));
    EXPECT_EQ(L"Japanese Yen", ControlText(GetDlgItem(dialog, kNameFirst + 7)));

    ASSERT_TRUE(TapWindow(GetDlgItem(dialog, kRateFirst + 1)));
    ASSERT_TRUE(TapPad(dialog, 10));  // C
    ASSERT_TRUE(TapPad(dialog, 1));   // 2
    ASSERT_TRUE(TapPad(dialog, 11));  // .
    ASSERT_TRUE(TapPad(dialog, 4));   // 5
    ASSERT_TRUE(TapPad(dialog, 11));  // a second "." is not typed
    EXPECT_EQ(L"2.5", ControlText(GetDlgItem(dialog, kRateFirst + 1)));

    // Reset brings back the stored rates; typed again, OK keeps them.
    SendWaiting(dialog, WM_COMMAND, kReset, 0);
    EXPECT_EQ(L"1.820", ControlText(GetDlgItem(dialog, kRateFirst + 1)));
    SendWaiting(GetDlgItem(dialog, kRateFirst + 1), WM_SETTEXT, 0, (LPARAM)L"2.5");
    SendWaiting(GetDlgItem(dialog, kRateFirst + 2), WM_SETTEXT, 0, (LPARAM)L"0");  // not a rate
    ASSERT_TRUE(TapWindow(GetDlgItem(dialog, IDOK)));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, 5000));
    EXPECT_EQ(L"2.5", ReadText(kCurrencyKey, L"Rate1"));
    EXPECT_FALSE(HasValue(kCurrencyKey, L"Rate2")) << "a rate of 0 was stored";
    EXPECT_EQ(L"British Pound", ReadText(kCurrencyKey, L"UnitName2"));
    EXPECT_EQ(L"2.50", calc_->WaitText(kResult, L"2.50"));
}

TEST_F(MonettaTest, NamesBecomeEditableWithTheInputPanelAtHand)
{
    DeviceState state;
    state.Set(L"SipUp", 0);
    HWND dialog = OpenSettings();
    ASSERT_TRUE(dialog);
    HWND name = GetDlgItem(dialog, kNameFirst + 5);
    HWND toggle = GetDlgItem(dialog, kChangeNames);
    EXPECT_EQ(L"Change Currency Name", ControlText(toggle));
    EXPECT_TRUE(GetWindowLongW(name, GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kSip)));

    ASSERT_TRUE(TapWindow(toggle));
    EXPECT_EQ(L"Lock Currency Name", ControlText(toggle));
    EXPECT_FALSE(GetWindowLongW(name, GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(GetWindowLongW(name, GWL_STYLE) & WS_BORDER);
    ASSERT_TRUE(IsWindowEnabled(GetDlgItem(dialog, kSip)));
    ASSERT_TRUE(TapWindow(GetDlgItem(dialog, kSip)));
    EXPECT_TRUE(PumpUntil([&] { return state.Get(L"SipUp") == 1; }, 5000)) << "the panel did not come up";

    // Locking the names again puts the panel away (the raised panel covers
    // the button, so the test presses it without the stylus).
    SendWaiting(dialog, WM_COMMAND, MAKEWPARAM(kChangeNames, BN_CLICKED), (LPARAM)toggle);
    EXPECT_EQ(L"Change Currency Name", ControlText(toggle));
    EXPECT_TRUE(PumpUntil([&] { return state.Get(L"SipUp") == 0; }, 5000)) << "the panel stayed up";
    EXPECT_TRUE(GetWindowLongW(name, GWL_STYLE) & ES_READONLY);

    SendWaiting(name, WM_SETTEXT, 0, (LPARAM)L"Euro Cash");
    SendWaiting(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }, 5000));
    EXPECT_EQ(L"Euro Cash", ReadText(kCurrencyKey, L"UnitName5"));
    EXPECT_EQ(5, calc_->List(kUnit1).Find(L"Euro Cash"));
}

TEST_F(MonettaTest, KeepsTheCurrenciesAndMendsOnesStoredOutsideTheList)
{
    ASSERT_TRUE(Choose(kUnit1, L"Chinese Yuan"));
    ASSERT_TRUE(Choose(kUnit2, L"Hong Kong Dollar"));
    SwitchAway();
    ASSERT_TRUE(PumpUntil([] { return HasValue(kCurrencyKey, L"Unit2"); }, 5000));
    EXPECT_EQ(4u, ReadDword(kCurrencyKey, L"Unit1"));
    EXPECT_EQ(6u, ReadDword(kCurrencyKey, L"Unit2"));

    Reshow(L"Currency Calc", L"CurSkin.xml", [] {
        WriteDword(kCurrencyKey, L"Unit1", 3);
        WriteDword(kCurrencyKey, L"Unit2", 99);
        WriteText(kCurrencyKey, L"Rate3", L"0");  // kept at the default
    });
    EXPECT_EQ(L"Canadian Dollar", calc_->List(kUnit1).SelectedText());
    EXPECT_EQ(L"Australian Dollar", calc_->List(kUnit2).SelectedText());
    EXPECT_EQ(L"1.17", Text(kResult));  // 1 / 1.559 * 1.82
}

TEST_F(GratiloTest, SplitsABillWithItsTipAndKeepsTheLists)
{
    EXPECT_EQ(L"Gratilo", ClassOf(calc_->Window()));
    EXPECT_EQ(L"10", calc_->List(kTip).SelectedText());
    EXPECT_EQ(L"3", calc_->List(kPeople).SelectedText());
    EXPECT_EQ(L"0", Text(kBill));
    Press({L"NUM1", L"NUM0", L"NUM0"});
    EXPECT_EQ(L"10.00", Text(kTipAmount));
    EXPECT_EQ(L"36.67", Text(kEach));
    ASSERT_TRUE(Choose(kTip, L"15"));
    ASSERT_TRUE(Choose(kPeople, L"4"));
    EXPECT_EQ(L"28.75", calc_->WaitText(kEach, L"28.75"));
    EXPECT_EQ(L"15.00", Text(kTipAmount));
    EXPECT_EQ(L"115.00", Text(kTotal));

    SwitchAway();
    ASSERT_TRUE(PumpUntil([] { return HasValue(kTipKey, L"each"); }, 5000));
    EXPECT_EQ(4u, ReadDword(kTipKey, L"tip"));
    EXPECT_EQ(3u, ReadDword(kTipKey, L"each"));

    // Stored positions outside the lists: never 0 people.
    Reshow(L"Tip Calc", L"TipSkin.xml", [] {
        WriteDword(kTipKey, L"tip", 8);
        WriteDword(kTipKey, L"each", 0xFFFFFFFF);
    });
    EXPECT_EQ(L"10", calc_->List(kTip).SelectedText());
    EXPECT_EQ(L"3", calc_->List(kPeople).SelectedText());
    Press({L"NUM9", L"DOT", L"NUM9", L"DOT", L"NUM9"});
    EXPECT_EQ(L"9.99", Text(kBill));  // the second "." was not typed
    EXPECT_EQ(L"3.66", Text(kEach));
}

TEST_F(TagoraTest, DiscountsAPriceAndAddsTheTaxTypedIntoItsBox)
{
    EXPECT_EQ(L"Tagora", ClassOf(calc_->Window()));
    EXPECT_EQ(L"10", calc_->List(kDiscount).SelectedText());
    EXPECT_EQ(L"8.35", Text(kTax));
    EXPECT_EQ(-1, calc_->List(kDiscount).Find(L"5"));
    EXPECT_EQ(-1, calc_->List(kDiscount).Find(L"55"));
    Press({L"NUM1", L"NUM0", L"NUM0"});
    ASSERT_TRUE(Choose(kDiscount, L"20"));
    EXPECT_EQ(L"80.00", calc_->WaitText(kDiscounted, L"80.00"));
    EXPECT_EQ(L"86.68", Text(kAmount));

    // Keys go to the tax box while it has the focus, and to the price
    // again once it has lost it.
    ASSERT_TRUE(TapWindow(calc_->Box(kTax)));
    Press({L"CLEAR", L"NUM5"});
    EXPECT_EQ(L"5", Text(kTax));
    EXPECT_EQ(L"84.00", Text(kAmount));
    ASSERT_TRUE(TapWindow(calc_->Box(kDiscounted)));
    Press({L"NUM0"});
    EXPECT_EQ(L"1,000", Text(kPrice));
    EXPECT_EQ(L"840.00", Text(kAmount));

    SwitchAway();
    ASSERT_TRUE(PumpUntil([] { return HasValue(kPriceKey, L"tax"); }, 5000));
    EXPECT_EQ(3u, ReadDword(kPriceKey, L"dc"));
    EXPECT_EQ(L"5.00000", ReadText(kPriceKey, L"tax"));

    Reshow(L"Price Calc", L"PcSkin.xml", [] {
        WriteDword(kPriceKey, L"dc", 16);
        WriteText(kPriceKey, L"tax", L"5.00000");
    });
    EXPECT_EQ(L"10", calc_->List(kDiscount).SelectedText());
    EXPECT_EQ(L"5.00", Text(kTax));
}
