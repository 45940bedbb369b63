// Number text: grouping, ungrouping and fixed-point printing, at the edges
// of the 260-character buffers.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "number_text.h"

namespace {

std::wstring Grouped(const wchar_t* text, int* result = nullptr)
{
    wchar_t buffer[kNumberTextLength];
    wcscpy_s(buffer, text);
    int ok = AddComma(buffer);
    if (result)
        *result = ok;
    return buffer;
}

std::wstring Printed(double value, int digits)
{
    wchar_t buffer[kNumberTextLength];
    PrintDouble(value, digits, buffer);
    return buffer;
}

}  // namespace

TEST(NumberText, AddCommaGroupsTheIntegerPartFromThePoint)
{
    EXPECT_EQ(L"1,234,567.891", Grouped(L"1234567.891"));
    EXPECT_EQ(L"-123,456", Grouped(L"-123456"));
    EXPECT_EQ(L"-123", Grouped(L"-123"));
    EXPECT_EQ(L"-1,234.5678", Grouped(L"-1234.5678"));
    EXPECT_EQ(L"1,234", Grouped(L"1234"));
    EXPECT_EQ(L"123", Grouped(L"123"));
    EXPECT_EQ(L"0.123456", Grouped(L"0.123456"));  // the fraction is never grouped
    EXPECT_EQ(L"12,34", Grouped(L"12,34"));        // already grouped: as it is
    EXPECT_EQ(L"", Grouped(L""));
}

// The grouped text and its terminator must fit 260 characters; the old
// check let a 260-character result overwrite the byte after the buffer.
TEST(NumberText, AddCommaRefusesAResultWithoutRoomForItsTerminator)
{
    int ok = 0;
    std::wstring fits(195, L'9');  // 195 digits and 64 commas: 259 characters
    EXPECT_EQ(259u, Grouped(fits.c_str(), &ok).size());
    EXPECT_EQ(1, ok);

    std::wstring tooLong = std::wstring(193, L'9') + L".12";  // 193 + 64 + 3 = 260
    EXPECT_EQ(tooLong, Grouped(tooLong.c_str(), &ok));
    EXPECT_EQ(0, ok);
    std::wstring justFits = std::wstring(193, L'9') + L".1";
    EXPECT_EQ(259u, Grouped(justFits.c_str(), &ok).size());
    EXPECT_EQ(1, ok);
}

TEST(NumberText, RemoveCommaTakesOutEveryComma)
{
    wchar_t text[] = L",1,234,,567.8,";
    RemoveComma(text);
    EXPECT_STREQ(L"1234567.8", text);
}

TEST(NumberText, PrintDoubleUsesFixedDecimalsAndExponentsOnlyWhenTheFixedFormCannotFit)
{
    EXPECT_EQ(L"3.28084", Printed(3.280839895013123, 5));
    EXPECT_EQ(L"-1.500", Printed(-1.5, 3));
    EXPECT_EQ(L"42", Printed(42.2, 0));
    EXPECT_EQ(L"0", Printed(0.2, -4));  // no negative precision
    EXPECT_EQ(259u, Printed(ldexp(1.0, 847), 3).size());  // 255 digits and ".000" still fit
    EXPECT_EQ(L"7.508e+255", Printed(ldexp(1.0, 850), 3));  // 256 digits do not
    EXPECT_EQ(L"-1.79769e+308", Printed(-1.7976931348623157e308, 5));
    EXPECT_LT(Printed(1e300, 250).size(), 260u);
}
