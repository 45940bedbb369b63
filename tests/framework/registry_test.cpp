// CRegistry: opening, size reporting, typed reads, the read-only flag, enumeration, deletion.
#include <gtest/gtest.h>

#include <registry.h>


#include <algorithm>
#include <string>

#include "ketra_testkit.h"

namespace {

using namespace testkit;

class RegistryTest : public RegistryScratchTest {
protected:
    void OpenScratch(BOOL readOnly = FALSE)
    {
        ASSERT_TRUE(m_reg.Open(HKEY_LOCAL_MACHINE, Path(), readOnly));
    }
    CRegistry m_reg;
};

TEST_F(RegistryTest, OpenRulesAndClose)
{
    CRegistry reg;
    EXPECT_TRUE(reg.Close()); // closing a closed object succeeds
    EXPECT_FALSE(reg.Open(HKEY_LOCAL_MACHINE, nullptr));
    std::wstring missing = std::wstring(Path()) + L"\\missing";
    EXPECT_FALSE(reg.Open(HKEY_LOCAL_MACHINE, missing.c_str()));
    EXPECT_FALSE(HasSubKey(L"missing"));
    ASSERT_TRUE(reg.Open(HKEY_LOCAL_MACHINE, missing.c_str(), FALSE, TRUE));
    EXPECT_TRUE(HasSubKey(L"missing"));
    EXPECT_EQ(HKEY_LOCAL_MACHINE, reg.GetBaseHandle());

    // Device-style paths start with a backslash.
    std::wstring devicePath = std::wstring(L"\\") + Path();
    ASSERT_TRUE(reg.Open(HKEY_LOCAL_MACHINE, devicePath.c_str()));
    EXPECT_TRUE(reg.WriteString(L"reached", L"yes"));
    EXPECT_EQ(L"yes", GetText(L"reached"));

    // A failed open leaves the object closed.
    EXPECT_FALSE(reg.Open(HKEY_LOCAL_MACHINE, missing.append(L"\\deeper").c_str()));
    EXPECT_FALSE(reg.IsOpen());
    EXPECT_FALSE(reg.WriteDWORD(L"reached", 2));
}

TEST_F(RegistryTest, ReadStringReportsSizeWithTerminator)
{
    PutText(L"name", L"hello");
    OpenScratch();

    DWORD size = 0;
    EXPECT_FALSE(m_reg.ReadString(L"name", nullptr, &size));
    EXPECT_EQ(6u, size);

    wchar_t small[5];
    std::fill(std::begin(small), std::end(small), L'#');
    size = 5;
    EXPECT_FALSE(m_reg.ReadString(L"name", small, &size));
    EXPECT_EQ(6u, size);
    EXPECT_EQ(L'#', small[0]); // nothing copied on failure

    wchar_t exact[7];
    std::fill(std::begin(exact), std::end(exact), L'#');
    size = 6;
    EXPECT_TRUE(m_reg.ReadString(L"name", exact, &size));
    EXPECT_STREQ(L"hello", exact);
    EXPECT_EQ(6u, size);
    EXPECT_EQ(L'#', exact[6]); // no write past the stated size

    size = 6;
    wchar_t untouched[8] = L"keep";
    EXPECT_FALSE(m_reg.ReadString(L"absent", untouched, &size));
    EXPECT_STREQ(L"keep", untouched);
    EXPECT_EQ(6u, size);
}

TEST_F(RegistryTest, ReadStringLimitIs261Characters)
{
    PutText(L"longest", std::wstring(260, L'a'));
    PutText(L"long", std::wstring(300, L'b'));
    const wchar_t raw[3] = {L'a', L'b', L'c'}; // stored without a terminator
    PutValue(L"raw", REG_SZ, raw, sizeof(raw));
    OpenScratch();

    wchar_t buffer[400];
    DWORD size = 400;
    EXPECT_TRUE(m_reg.ReadString(L"longest", buffer, &size));
    EXPECT_EQ(261u, size);
    EXPECT_EQ(std::wstring(260, L'a'), buffer);

    buffer[0] = L'#';
    size = 400;
    EXPECT_FALSE(m_reg.ReadString(L"long", buffer, &size));
    EXPECT_EQ(L'#', buffer[0]);
    EXPECT_EQ(400u, size);

    EXPECT_TRUE(m_reg.ReadString(L"raw", buffer, &size));
    EXPECT_STREQ(L"abc", buffer);
    EXPECT_EQ(4u, size);
}

TEST_F(RegistryTest, ReadDWORDTakesFourByteNumberOrBinary)
{
    const BYTE four[4] = {0x78, 0x56, 0x34, 0x12};
    const BYTE two[2] = {1, 2};
    PutValue(L"binary4", REG_BINARY, four, sizeof(four));
    PutValue(L"binary2", REG_BINARY, two, sizeof(two));
    PutText(L"text", L"a"); // also four bytes
    OpenScratch();
    ASSERT_TRUE(m_reg.WriteDWORD(L"number", 42));

    DWORD value = 7;
    EXPECT_TRUE(m_reg.ReadDWORD(L"number", &value));
    EXPECT_EQ(42u, value);
    EXPECT_TRUE(m_reg.ReadDWORD(L"binary4", &value));
    EXPECT_EQ(0x12345678u, value);

    value = 7;
    EXPECT_FALSE(m_reg.ReadDWORD(L"binary2", &value));
    EXPECT_FALSE(m_reg.ReadDWORD(L"text", &value));
    EXPECT_FALSE(m_reg.ReadDWORD(L"absent", &value));
    EXPECT_EQ(7u, value);
}

TEST_F(RegistryTest, ReadOnlyRefusesEveryChange)
{
    PutText(L"text", L"original");
    CRegistry child;
    ASSERT_TRUE(child.Open(HKEY_LOCAL_MACHINE, (std::wstring(Path()) + L"\\child").c_str(), FALSE, TRUE));
    OpenScratch(TRUE);

    const BYTE blob[2] = {1, 2};
    EXPECT_FALSE(m_reg.WriteString(L"text", L"changed"));
    EXPECT_FALSE(m_reg.WriteDWORD(L"number", 1));
    EXPECT_FALSE(m_reg.WriteBlob(L"blob", blob, sizeof(blob)));
    EXPECT_FALSE(m_reg.DeleteValue(L"text"));
    EXPECT_FALSE(m_reg.DeleteSubKey(L"child"));

    EXPECT_EQ(L"original", GetText(L"text"));
    EXPECT_FALSE(HasValue(L"number"));
    EXPECT_FALSE(HasValue(L"blob"));
    EXPECT_TRUE(HasSubKey(L"child"));
}

TEST_F(RegistryTest, BlobsAreBinaryOnly)
{
    OpenScratch();
    const BYTE data[5] = {9, 8, 7, 6, 5};
    ASSERT_TRUE(m_reg.WriteBlob(L"blob", data, sizeof(data)));
    ASSERT_TRUE(m_reg.WriteString(L"text", L"not binary"));

    DWORD size = 0;
    EXPECT_TRUE(m_reg.ReadBlob(L"blob", nullptr, &size));
    EXPECT_EQ(5u, size);

    BYTE small[4] = {0, 0, 0, 0};
    size = sizeof(small);
    EXPECT_FALSE(m_reg.ReadBlob(L"blob", small, &size));
    EXPECT_EQ(5u, size);
    EXPECT_EQ(0, small[0]);

    BYTE buffer[8] = {};
    size = sizeof(buffer);
    EXPECT_TRUE(m_reg.ReadBlob(L"blob", buffer, &size));
    EXPECT_EQ(5u, size);
    EXPECT_EQ(0, memcmp(buffer, data, sizeof(data)));

    BYTE untouched[32] = {};
    size = sizeof(untouched);
    EXPECT_FALSE(m_reg.ReadBlob(L"text", untouched, &size));
    EXPECT_EQ(0, untouched[0]);
    EXPECT_EQ(32u, size);
}

TEST_F(RegistryTest, EnumeratesNamesWithSizes)
{
    OpenScratch();
    ASSERT_TRUE(m_reg.WriteDWORD(L"first", 1));
    CRegistry child;
    ASSERT_TRUE(child.Open(HKEY_LOCAL_MACHINE, (std::wstring(Path()) + L"\\sub").c_str(), FALSE, TRUE));

    wchar_t name[261];
    DWORD size = 261;
    EXPECT_TRUE(m_reg.EnumValues(name, &size, 0));
    EXPECT_STREQ(L"first", name);
    EXPECT_EQ(6u, size);
    size = 261;
    EXPECT_FALSE(m_reg.EnumValues(name, &size, 1)); // no more items

    size = 3;
    EXPECT_FALSE(m_reg.EnumKeys(name, &size, 0));
    EXPECT_EQ(4u, size);
    EXPECT_TRUE(m_reg.EnumKeys(name, &size, 0));
    EXPECT_STREQ(L"sub", name);
}

TEST_F(RegistryTest, DeleteSubKeyTakesItsSubtree)
{
    OpenScratch();
    CRegistry deep;
    ASSERT_TRUE(deep.Open(HKEY_LOCAL_MACHINE, (std::wstring(Path()) + L"\\tree\\branch").c_str(), FALSE, TRUE));
    ASSERT_TRUE(deep.WriteDWORD(L"value", 1));
    deep.Close();

    EXPECT_FALSE(m_reg.DeleteSubKey(nullptr));
    EXPECT_FALSE(m_reg.DeleteSubKey(L""));
    EXPECT_TRUE(m_reg.DeleteSubKey(L"tree"));
    EXPECT_FALSE(HasSubKey(L"tree"));

    ASSERT_TRUE(m_reg.WriteString(L"gone", L"soon"));
    EXPECT_FALSE(m_reg.DeleteValue(nullptr));
    EXPECT_TRUE(m_reg.DeleteValue(L"gone"));
    EXPECT_FALSE(HasValue(L"gone"));
}

} // namespace
