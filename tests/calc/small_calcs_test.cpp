// The currency, tip, price and pocket calculators without their windows:
// every pair of currencies and the rates that cannot be used, the tip and
// price figures, and the pocket calculator's keys one after another.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "currency.h"
#include "ketra_testkit.h"
#include "number_text.h"
#include "pocket_calc.h"
#include "price.h"
#include "tip_split.h"

namespace {

using namespace testkit;

const wchar_t kCurrencyKey[] = L"SOFTWARE\\ZARQ\\Applets\\Currency";

std::wstring Shown(double value)
{
    wchar_t text[kNumberTextLength];
    PrintDouble(value, 2, text);
    AddComma(text);
    return text;
}

// The pocket calculator's display after the keys, without its padding.
std::wstring Keys(CPocketCalc& calc, const wchar_t* keys)
{
    for (const wchar_t* key = keys; *key; ++key)
        calc.Press(*key);
    std::wstring shown = calc.Display();
    return shown.substr(shown.find_first_not_of(L' ') == std::wstring::npos ? shown.size()
                                                                             : shown.find_first_not_of(L' '));
}

std::wstring Keys(const wchar_t* keys)
{
    CPocketCalc calc;
    return Keys(calc, keys);
}

class CurrencyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(saved_.Saved());
        DeleteKey(kCurrencyKey);
    }
    RegistrySandbox saved_{{kCurrencyKey}};
};

}  // namespace

TEST_F(CurrencyTest, EveryPairConvertsThroughTheDollar)
{
    CCurrencyCategory currencies;
    currencies.Load();
    ASSERT_EQ(kCurrencyCount, currencies.GetUnitCount());
    for (int from = 0; from < kCurrencyCount; ++from) {
        for (int to = 0; to < kCurrencyCount; ++to) {
            double out = 0;
            ASSERT_TRUE(currencies.Convert(from, to, 100.0, out));
            const double expected = from == to ? 100.0 : 100.0 * (1 / kCurrencies[from].rate) * kCurrencies[to].rate;
            EXPECT_DOUBLE_EQ(expected, out) << from << " to " << to;
        }
    }
    double out = 0;
    currencies.Convert(0, 7, 1.0, out);
    EXPECT_EQ(L"118.76", Shown(out));
    currencies.Convert(5, 2, 100.0, out);
    EXPECT_EQ(L"63.33", Shown(out));
    wchar_t name[kUnitNameLength];
    currencies.GetUnitFullName(6, name);
    EXPECT_STREQ(L"Hong Kong Dollar", name);
}

// A stored rate that is not a number above 0 keeps the default: no division
// by zero, no "inf" shown.  Names are cut to 31 characters.
TEST_F(CurrencyTest, StoredRatesThatCannotBeUsedKeepTheDefaults)
{
    WriteText(kCurrencyKey, L"Rate1", L"2.5");
    WriteText(kCurrencyKey, L"Rate2", L"0");
    WriteText(kCurrencyKey, L"Rate3", L"-1.5");
    WriteText(kCurrencyKey, L"Rate4", L"abc");
    WriteText(kCurrencyKey, L"Rate5", L"1e-320");  // its reciprocal is infinite
    WriteText(kCurrencyKey, L"Rate6", L"inf");
    WriteDword(kCurrencyKey, L"Rate7", 5);
    WriteText(kCurrencyKey, L"UnitName1", std::wstring(40, L'A') + L"B");
    WriteText(kCurrencyKey, L"UnitName2", L"");
    CCurrencyCategory currencies;
    currencies.Load();
    EXPECT_EQ(2.5, currencies.GetRate(1));
    for (int unit = 2; unit < kCurrencyCount; ++unit)
        EXPECT_EQ(kCurrencies[unit].rate, currencies.GetRate(unit)) << unit;
    wchar_t name[kUnitNameLength];
    currencies.GetUnitFullName(1, name);
    EXPECT_EQ(std::wstring(31, L'A'), name);
    currencies.GetUnitFullName(2, name);
    EXPECT_STREQ(L"British Pound", name);

    double out = 0;
    currencies.Convert(2, 1, 100.0, out);
    EXPECT_EQ(L"387.00", Shown(out));  // 100 / 0.646 * 2.5
    EXPECT_FALSE(currencies.SetCurrency(3, L"Loonie", 0));
    EXPECT_EQ(1.559, currencies.GetRate(3));
}

TEST(TipAndPrice, TheFiguresOfABillAndADiscountedPrice)
{
    const STipSplit split = SplitBill(100, 15, 4);
    EXPECT_EQ(L"15.00", Shown(split.tip));
    EXPECT_EQ(L"115.00", Shown(split.total));
    EXPECT_EQ(L"28.75", Shown(split.each));
    EXPECT_EQ(55.0, SplitBill(50, 10, 0).each) << "never 0 people";

    const SPrice price = PriceWithTax(100, 20, 8.35);
    EXPECT_EQ(L"80.00", Shown(price.discounted));
    EXPECT_EQ(L"86.68", Shown(price.withTax));
    // The tax counts on the discounted price as computed, not as shown.
    EXPECT_EQ(L"7.51", Shown(PriceWithTax(10.01, 25, 8.35).discounted));
    EXPECT_EQ(L"8.13", Shown(PriceWithTax(10.01, 25, 8.35).withTax));  // 8.14 from 7.51
    EXPECT_EQ(L"0.00", Shown(PriceWithTax(100, 100, 8.35).withTax));
}

TEST(PocketCalc, PlusIsReplacedNotEvaluatedAndEqualsRepeats)
{
    CPocketCalc calc;
    EXPECT_EQ(L"0", Keys(calc, L""));
    EXPECT_EQ(L"5", Keys(calc, L"2+3="));
    EXPECT_EQ(L"8", Keys(calc, L"="));
    EXPECT_EQ(L"11", Keys(calc, L"="));
    EXPECT_EQ(L"12", Keys(L"2+3*4="));
    EXPECT_EQ(L"3.5", Keys(L"7/2="));
    EXPECT_EQ(L"-2", Keys(L"3-5="));
    EXPECT_EQ(L"4", Keys(L"2+="));  // the entry typed is the operand
    EXPECT_EQ(L"2.5", Keys(L"1.5+1="));
    EXPECT_EQ(L"7", Keys(L"7="));
}

TEST(PocketCalc, AfterEqualsADigitStartsANewNumberAndAnOperatorGoesOn)
{
    CPocketCalc calc;
    EXPECT_EQ(L"5", Keys(calc, L"2+3="));
    EXPECT_EQ(L"4", Keys(calc, L"4"));
    EXPECT_EQ(L"9", Keys(calc, L"="));  // the pending "+" with the new entry
    EXPECT_EQ(L"18", Keys(calc, L"*2="));
    EXPECT_EQ(L"0", Keys(calc, L"C"));
    EXPECT_EQ(L"6", Keys(calc, L"6="));  // "C" forgot the pending operation
}

TEST(PocketCalc, EntriesTakeOnePointSixteenPlacesAndNoLeadingZero)
{
    EXPECT_EQ(L"0", Keys(L"000"));
    EXPECT_EQ(L"1.25", Keys(L"1..2.5"));
    EXPECT_EQ(L"1234567890123456", Keys(L"12345678901234567"));
    EXPECT_EQ(L".5", Keys(L".5"));
    EXPECT_EQ(L"0", Keys(L"5-5="));
    EXPECT_EQ(L"7", Keys(L"5-5=07"));  // after a result of 0 a zero is ignored
}

TEST(PocketCalc, ErrorsShowUntilTheNextKey)
{
    CPocketCalc calc;
    EXPECT_EQ(L"Error", Keys(calc, L"1/0="));
    EXPECT_TRUE(calc.IsError());
    EXPECT_EQ(L"5", Keys(calc, L"5"));
    EXPECT_FALSE(calc.IsError());
    EXPECT_EQ(L"Error", Keys(calc, L"C1/0="));
    EXPECT_EQ(L"0", Keys(calc, L"C"));

    // Beyond twelve digits either way: an entry at its operator, a result at "=".
    EXPECT_EQ(L"Error", Keys(L"9999999999999+"));
    EXPECT_EQ(L"Error", Keys(L"999999999999*9="));
    EXPECT_EQ(L"Error", Keys(L"0-999999999999=="));
    // Whole results of twelve digits print whole (they never fit an int).
    EXPECT_EQ(L"999999999999", Keys(L"999999999998+1="));
    EXPECT_EQ(L"-999999999999", Keys(L"0-999999999999="));
    EXPECT_EQ(L"123456789012", Keys(L"123456789012+0="));
}
