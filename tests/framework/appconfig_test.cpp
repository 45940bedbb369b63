// CAppConfig: key paths under SOFTWARE\ZARQ and the typed settings.
#include <gtest/gtest.h>

#include <registry.h>


#include <string>

#include "ketra_testkit.h"

namespace {

using namespace testkit;

class AppConfigTest : public RegistryScratchTest {
protected:
    AppConfigTest() : RegistryScratchTest(L"SOFTWARE\\ZARQ") {}

    // The section name that CAppConfig turns into this test's scratch key.
    std::wstring Section(const wchar_t* below = nullptr) const
    {
        std::wstring name = L"CorvaneTest" + std::to_wstring(GetCurrentProcessId());
        if (below)
            name += std::wstring(L"\\") + below;
        return name;
    }
};

TEST_F(AppConfigTest, OpenByNameCreatesSectionUnderZarq)
{
    EXPECT_FALSE(HasSubKey(L"fresh"));
    CAppConfig config(Section(L"fresh").c_str());
    ASSERT_TRUE(config.IsOpen());
    EXPECT_TRUE(HasSubKey(L"fresh"));
    ASSERT_TRUE(config.SetAt(L"name", L"value"));
    EXPECT_EQ(L"value", GetText(L"name", L"fresh"));

    wchar_t buffer[16];
    DWORD size = 16;
    EXPECT_TRUE(config.GetAt(L"name", buffer, &size));
    EXPECT_STREQ(L"value", buffer);
}

TEST_F(AppConfigTest, ParentAndNumberedForms)
{
    CAppConfig byParent(Path(), L"child");
    ASSERT_TRUE(byParent.IsOpen());
    EXPECT_TRUE(HasSubKey(L"child"));

    CAppConfig numbered;
    std::wstring records = std::wstring(Path()) + L"\\record";
    ASSERT_TRUE(numbered.Open(records.c_str(), 3));
    EXPECT_TRUE(HasSubKey(L"record\\3"));
    ASSERT_TRUE(numbered.Open(records.c_str(), -1));
    EXPECT_TRUE(HasSubKey(L"record\\-1"));
    numbered.Close();
    EXPECT_FALSE(numbered.IsOpen());
    EXPECT_FALSE(numbered.SetDWORD(L"closed", 1));

    CAppConfig none;
    EXPECT_FALSE(none.Open(nullptr, L"x"));
    EXPECT_FALSE(none.Open(nullptr, 1));
}

TEST_F(AppConfigTest, DoublesAreStoredWithFiveDecimals)
{
    CAppConfig config(Section().c_str());
    ASSERT_TRUE(config.SetDOUBLE(L"rate", 2.5));
    EXPECT_EQ(L"2.50000", GetText(L"rate"));
    double value = 0;
    EXPECT_TRUE(config.GetDOUBLE(L"rate", &value));
    EXPECT_DOUBLE_EQ(2.5, value);

    ASSERT_TRUE(config.SetDOUBLE(L"negative", -0.125));
    EXPECT_EQ(L"-0.12500", GetText(L"negative"));

    // Text GetDOUBLE could not read back is refused rather than written.
    EXPECT_FALSE(config.SetDOUBLE(L"huge", 1e30));
    EXPECT_FALSE(HasValue(L"huge"));
}

TEST_F(AppConfigTest, GetDoubleRejectsNonNumbers)
{
    PutText(L"word", L"abc");
    PutText(L"tail", L"2.5kg");
    PutText(L"spaced", L" 7.25 ");
    PutText(L"long", L"1.00000000000000000000000000000000000");
    CAppConfig config(Section().c_str());
    double value = 9;
    EXPECT_FALSE(config.GetDOUBLE(L"word", &value));
    EXPECT_FALSE(config.GetDOUBLE(L"tail", &value));
    EXPECT_FALSE(config.GetDOUBLE(L"long", &value));
    EXPECT_FALSE(config.GetDOUBLE(L"absent", &value));
    EXPECT_EQ(9, value);
    EXPECT_TRUE(config.GetDOUBLE(L"spaced", &value));
    EXPECT_DOUBLE_EQ(7.25, value);
}

TEST_F(AppConfigTest, NumbersAndFormattedText)
{
    CAppConfig config(Section().c_str());
    ASSERT_TRUE(config.SetINT(L"offset", -5));
    DWORD raw = 0;
    EXPECT_TRUE(config.GetDWORD(L"offset", &raw));
    EXPECT_EQ(0xFFFFFFFBu, raw);
    int offset = 0;
    EXPECT_TRUE(config.GetINT(L"offset", &offset));
    EXPECT_EQ(-5, offset);

    ASSERT_TRUE(config.Set(L"formatted", L"%ls-%d-%s", L"wide", 7, "narrow"));
    EXPECT_EQ(L"wide-7-narrow", GetText(L"formatted"));

    std::wstring tooLong(261, L'x');
    EXPECT_FALSE(config.Set(L"cut", L"%ls", tooLong.c_str()));
    EXPECT_FALSE(HasValue(L"cut"));
    std::wstring fits(260, L'y');
    EXPECT_TRUE(config.Set(L"full", L"%ls", fits.c_str()));
    EXPECT_EQ(fits, GetText(L"full"));
}

} // namespace
