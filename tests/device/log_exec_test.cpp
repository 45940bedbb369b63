// `devctl log` and `devctl exec`.
#include <gtest/gtest.h>

#include "devlog.h"

#include "ketra_testkit.h"

using namespace testkit;

TEST(DeviceLog, PrintsLinesOfEveryProcessWithUnixLineEnds)
{
    unsigned long marker = GetTickCount();
    DevLog(L"devctl-test", L"marker %lu \x00E9", marker);

    DevctlResult r = RunDevctl({L"log"});
    ASSERT_EQ(0u, r.exitCode) << r.err;
    EXPECT_EQ(std::wstring::npos, r.out.find(L'\r'));
    bool found = false;
    for (const std::wstring& line : r.Lines())
        found = found || line == L"devctl-test: marker " + std::to_wstring(marker) + L" \x00E9";
    EXPECT_TRUE(found) << testing::PrintToString(r.out);
}

TEST(DeviceExec, StartsAProgramWithItsArguments)
{
    // devctl starts devctl, which writes an argument with a space into the registry.
    const std::wstring subKey = L"Software\\DevctlExec" + std::to_wstring(GetCurrentProcessId());
    RegDeleteTreeW(HKEY_CURRENT_USER, subKey.c_str());
    DevctlResult r = RunDevctl({L"exec", DevctlPath(), L"reg", L"set", L"HKCU\\" + subKey, L"Arg", L"sz",
                                L"two words \"quoted\""});
    ASSERT_EQ(0u, r.exitCode) << r.err;

    wchar_t value[64] = {};
    bool written = PumpUntil(
        [&] {
            DWORD cb = sizeof(value);
            return RegGetValueW(HKEY_CURRENT_USER, subKey.c_str(), L"Arg", RRF_RT_REG_SZ, nullptr, value, &cb) ==
                   ERROR_SUCCESS;
        },
        10000);
    EXPECT_TRUE(written);
    EXPECT_STREQ(L"two words \"quoted\"", value);
    RegDeleteTreeW(HKEY_CURRENT_USER, subKey.c_str());

    r = RunDevctl({L"exec", L"D:\\No Such Folder\\nothing.exe"});
    EXPECT_EQ(1u, r.exitCode);
    EXPECT_FALSE(r.err.empty());
}
