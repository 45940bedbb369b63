// CRegistryWatch: what counts as a change below the watched key, and that a
// key deleted and made anew is watched afresh rather than through its old
// handle.
#include <gtest/gtest.h>

#include <registry_watch.h>

#include <string>

#include "ketra_testkit.h"

namespace {

using namespace testkit;

class RegistryWatchTest : public RegistryScratchTest {
protected:
    std::wstring Watched() const { return std::wstring(Path()) + L"\\list"; }
    std::wstring Below(const wchar_t* subkey) const { return Watched() + L"\\" + subkey; }

    static void SetNumber(const std::wstring& path, const wchar_t* name, DWORD value)
    {
        ASSERT_EQ(ERROR_SUCCESS,
                  RegSetKeyValueW(HKEY_LOCAL_MACHINE, path.c_str(), name, REG_DWORD, &value, sizeof(value)));
    }
    static void DeleteTree(const std::wstring& path)
    {
        ASSERT_EQ(ERROR_SUCCESS, RegDeleteTreeW(HKEY_LOCAL_MACHINE, path.c_str()));
        ASSERT_NE(ERROR_SUCCESS, RegDeleteKeyW(HKEY_LOCAL_MACHINE, path.c_str()));  // gone with its tree
    }
};

TEST_F(RegistryWatchTest, ChangesBelowTheKeyAreReportedOnce)
{
    SetNumber(Below(L"one"), L"Order", 1);
    CRegistryWatch watch(HKEY_LOCAL_MACHINE, Watched().c_str());
    EXPECT_TRUE(watch.TakeChange());  // nothing read yet
    EXPECT_FALSE(watch.TakeChange());

    DWORD value = 0;
    DWORD bytes = sizeof(value);
    RegGetValueW(HKEY_LOCAL_MACHINE, Below(L"one").c_str(), L"Order", RRF_RT_REG_DWORD, nullptr, &value, &bytes);
    EXPECT_FALSE(watch.TakeChange()) << "a read is no change";

    SetNumber(Below(L"one"), L"Order", 2);
    EXPECT_TRUE(watch.TakeChange()) << "a value of a subkey";
    EXPECT_FALSE(watch.TakeChange());

    SetNumber(Below(L"two"), L"Order", 3);
    EXPECT_TRUE(watch.TakeChange()) << "a new subkey";
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, Below(L"two").c_str(), L"Order"));
    EXPECT_TRUE(watch.TakeChange()) << "a deleted value";
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyW(HKEY_LOCAL_MACHINE, Below(L"two").c_str()));
    EXPECT_TRUE(watch.TakeChange()) << "a deleted subkey";
    EXPECT_FALSE(watch.TakeChange());

    SetNumber(Path(), L"Beside", 1);
    EXPECT_FALSE(watch.TakeChange()) << "a value beside the key";
}

TEST_F(RegistryWatchTest, KeyDeletedAndMadeAnewIsWatchedAfresh)
{
    CRegistryWatch watch(HKEY_LOCAL_MACHINE, Watched().c_str());
    EXPECT_TRUE(watch.TakeChange()) << "missing";
    EXPECT_TRUE(watch.TakeChange()) << "still missing: no notice to rely on";

    SetNumber(Watched(), L"Made", 1);
    EXPECT_TRUE(watch.TakeChange());
    EXPECT_FALSE(watch.TakeChange());

    // Deleted while empty of subkeys: only its parent hears of it.
    DeleteTree(Watched());
    SetNumber(Below(L"one"), L"Order", 1);
    EXPECT_TRUE(watch.TakeChange());
    EXPECT_FALSE(watch.TakeChange());
    SetNumber(Below(L"one"), L"Order", 2);
    EXPECT_TRUE(watch.TakeChange()) << "the new key is the one watched";
}

}  // namespace
