// The harness can read and write the registry, in a scratch key it removes.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

TEST(HarnessRegistry, ScratchKeyRoundTripAndRemoval)
{
    const std::wstring subKey = L"Software\\HarnessScratch" + std::to_wstring(GetCurrentProcessId());
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, nullptr, 0,
                                             KEY_READ | KEY_WRITE, nullptr, &key, nullptr));
    const wchar_t text[] = L"scratch \x00E9";
    DWORD number = 0xC0FFEE;
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(key, L"Text", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                            sizeof(text)));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(key, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                                            sizeof(number)));

    // A canary after the buffer shows any overrun.
    wchar_t read[32];
    wmemset(read, L'#', 32);
    DWORD type = 0, cb = sizeof(text);
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, L"Text", nullptr, &type, reinterpret_cast<BYTE*>(read), &cb));
    EXPECT_EQ((DWORD)REG_SZ, type);
    EXPECT_EQ(sizeof(text), cb);
    EXPECT_STREQ(text, read);
    EXPECT_EQ(L'#', read[sizeof(text) / sizeof(wchar_t)]);

    DWORD readNumber = 0;
    cb = sizeof(readNumber);
    EXPECT_EQ(ERROR_SUCCESS,
              RegQueryValueExW(key, L"Number", nullptr, &type, reinterpret_cast<BYTE*>(&readNumber), &cb));
    EXPECT_EQ((DWORD)REG_DWORD, type);
    EXPECT_EQ(number, readNumber);
    RegCloseKey(key);

    ASSERT_EQ(ERROR_SUCCESS, RegDeleteTreeW(HKEY_CURRENT_USER, subKey.c_str()));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExW(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_READ, &key));
}
