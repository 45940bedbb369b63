// `devctl reg get/set/del` against the registry the device's programs see.
#include <gtest/gtest.h>

#include "ketra_testkit.h"


namespace {

using namespace testkit;

class DevctlRegistry : public testing::Test {
protected:
    void SetUp() override
    {
        subKey_ = L"Software\\DevctlTest" + std::to_wstring(GetCurrentProcessId());
        path_ = L"HKCU\\" + subKey_;
        RegDeleteTreeW(HKEY_CURRENT_USER, subKey_.c_str());
    }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, subKey_.c_str()); }

    std::wstring ReadString(const wchar_t* name)
    {
        wchar_t value[256] = {};
        DWORD cb = sizeof(value);
        if (RegGetValueW(HKEY_CURRENT_USER, subKey_.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &cb))
            return L"(missing)";
        return value;
    }

    std::wstring subKey_;
    std::wstring path_;
};

} // namespace

TEST_F(DevctlRegistry, StringsRoundTripIncludingTheDefaultValue)
{
    const std::wstring text = L"Gr\x00FC\x00DF" L"e \"quoted\" C:\\path";
    DevctlResult r = RunDevctl({L"reg", L"set", path_ + L"\\Sub", L"Name", L"sz", text});
    ASSERT_EQ(0u, r.exitCode) << r.err;
    r = RunDevctl({L"reg", L"get", path_ + L"\\Sub", L"Name"});
    EXPECT_EQ(0u, r.exitCode) << r.err;
    EXPECT_EQ(text + L"\n", r.out);

    ASSERT_EQ(0u, RunDevctl({L"reg", L"set", path_, L"", L"sz", L"default text"}).exitCode);
    EXPECT_EQ(L"default text", ReadString(nullptr));
    EXPECT_EQ(L"default text\n", RunDevctl({L"reg", L"get", path_, L""}).out);

    // An empty string is a value, not a missing one.
    ASSERT_EQ(0u, RunDevctl({L"reg", L"set", path_, L"Empty", L"sz", L""}).exitCode);
    r = RunDevctl({L"reg", L"get", path_, L"Empty"});
    EXPECT_EQ(0u, r.exitCode);
    EXPECT_EQ(L"\n", r.out);
}

TEST_F(DevctlRegistry, NumbersAndBinaryValues)
{
    ASSERT_EQ(0u, RunDevctl({L"reg", L"set", path_, L"Big", L"dword", L"0xFFFFFFFE"}).exitCode);
    EXPECT_EQ(L"4294967294\n", RunDevctl({L"reg", L"get", path_, L"Big"}).out);
    ASSERT_EQ(0u, RunDevctl({L"reg", L"set", path_, L"Minus", L"dword", L"-1"}).exitCode);
    EXPECT_EQ(L"4294967295\n", RunDevctl({L"reg", L"get", path_, L"Minus"}).out);

    DWORD stored = 0, cb = sizeof(stored);
    ASSERT_EQ(ERROR_SUCCESS,
              RegGetValueW(HKEY_CURRENT_USER, subKey_.c_str(), L"Big", RRF_RT_REG_DWORD, nullptr, &stored, &cb));
    EXPECT_EQ(0xFFFFFFFEu, stored);

    const BYTE bytes[] = {0x01, 0xAB, 0xFF};
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_CURRENT_USER, subKey_.c_str(), L"Bytes", REG_BINARY, bytes,
                                             sizeof(bytes)));
    EXPECT_EQ(L"01 ab ff\n", RunDevctl({L"reg", L"get", path_, L"Bytes"}).out);

    EXPECT_EQ(2u, RunDevctl({L"reg", L"set", path_, L"Bad", L"dword", L"ten"}).exitCode);
    EXPECT_EQ(2u, RunDevctl({L"reg", L"set", path_, L"Bad", L"qword", L"1"}).exitCode);
    EXPECT_EQ(L"(missing)", ReadString(L"Bad"));
}

TEST_F(DevctlRegistry, DeleteRemovesValuesAndWholeTrees)
{
    ASSERT_EQ(0u, RunDevctl({L"reg", L"set", path_, L"Keep", L"sz", L"k"}).exitCode);
    ASSERT_EQ(0u, RunDevctl({L"reg", L"set", path_, L"Drop", L"sz", L"d"}).exitCode);
    ASSERT_EQ(0u, RunDevctl({L"reg", L"set", path_ + L"\\Deep\\Deeper", L"X", L"dword", L"1"}).exitCode);

    EXPECT_EQ(0u, RunDevctl({L"reg", L"del", path_, L"Drop"}).exitCode);
    EXPECT_EQ(1u, RunDevctl({L"reg", L"get", path_, L"Drop"}).exitCode);
    EXPECT_EQ(L"k", ReadString(L"Keep"));
    EXPECT_EQ(1u, RunDevctl({L"reg", L"del", path_, L"Drop"}).exitCode) << "deleting a missing value";

    EXPECT_EQ(0u, RunDevctl({L"reg", L"del", path_}).exitCode);
    HKEY key;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExW(HKEY_CURRENT_USER, subKey_.c_str(), 0, KEY_READ, &key));
    EXPECT_EQ(1u, RunDevctl({L"reg", L"del", path_}).exitCode) << "deleting a missing key";
    EXPECT_EQ(1u, RunDevctl({L"reg", L"get", path_, L"Keep"}).exitCode);
}

TEST_F(DevctlRegistry, RootsAreCheckedAndNeverDeletedWhole)
{
    EXPECT_EQ(2u, RunDevctl({L"reg", L"get", L"HKXX\\Software", L"x"}).exitCode);
    EXPECT_EQ(2u, RunDevctl({L"reg", L"del", L"HKCU"}).exitCode);
    EXPECT_EQ(2u, RunDevctl({L"reg", L"del", L"HKCU\\"}).exitCode);
    EXPECT_EQ(2u, RunDevctl({L"reg", L"frob", path_}).exitCode);
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, &key));
    RegCloseKey(key);
}
