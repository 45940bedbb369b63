// The applet registry against the device registry, in a scratch branch.
#include <gtest/gtest.h>

#include <string>

#include "axreg.h"

namespace {

const wchar_t kBranch[] = L"SOFTWARE\\ZARQ\\TestApplets";

class AxRegTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, kBranch);
        CRegistry branch;
        ASSERT_TRUE(branch.Open(HKEY_LOCAL_MACHINE, kBranch, FALSE, TRUE));
    }
    void TearDown() override { RegDeleteTreeW(HKEY_LOCAL_MACHINE, kBranch); }

    static void Add(LPCWSTR name, DWORD order, DWORD enabled = 1, DWORD type = 0, LPCWSTR group = L"Default")
    {
        CAxDllInfo info;
        ASSERT_TRUE(CAxReg::InitInfo(&info, kBranch, name));
        std::wstring dll = std::wstring(L"\\Program Files\\") + name + L".dll";
        wcsncpy(info.szDLL, dll.c_str(), CAxDllInfo::kDllChars - 1);
        wcsncpy(info.szGroup, group, CAxDllInfo::kGroupChars - 1);
        info.dwOrder = order;
        info.dwEnabled = enabled;
        info.dwType = type;
        ASSERT_TRUE(CAxReg::AddAppletInfo(&info));
    }

    static std::wstring Path(LPCWSTR name) { return std::wstring(kBranch) + L"\\" + name; }

    static bool HasValue(LPCWSTR keyPath, LPCWSTR value)
    {
        return RegGetValueW(HKEY_LOCAL_MACHINE, keyPath, value, RRF_RT_ANY, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS;
    }
};

TEST_F(AxRegTest, WritesEveryValueAndReadsThemBack)
{
    Add(L"Clock", 7, 1, 0, L"Time");
    for (LPCWSTR value : {L"Type", L"Options", L"Order", L"Enabled", L"DLL", L"Group", L"Notify"})
        EXPECT_TRUE(HasValue(Path(L"Clock").c_str(), value)) << value;

    CAxDllInfo info;
    CAxReg::InitInfo(&info, kBranch, L"Clock");
    info.dwNotify = 9;  // absent values other than Notify keep their fields
    ASSERT_TRUE(CAxReg::GetAppletInfo(&info));
    EXPECT_STREQ(L"\\Program Files\\Clock.dll", info.szDLL);
    EXPECT_STREQ(L"Time", info.szGroup);
    EXPECT_EQ(7u, info.dwOrder);
    EXPECT_EQ(0u, info.dwNotify);
    EXPECT_TRUE(CAxReg::HasApplet(kBranch, L"Clock"));
    EXPECT_TRUE(CAxReg::DelAppletInfo(&info));
    EXPECT_FALSE(CAxReg::HasApplet(kBranch, L"Clock"));
    EXPECT_FALSE(CAxReg::GetAppletInfo(&info));
}

TEST_F(AxRegTest, FailsToChangeAMissingOrUnnamedRegistration)
{
    CAxDllInfo info;
    CAxReg::InitInfo(&info, kBranch, L"Missing");
    EXPECT_FALSE(CAxReg::ChangeAppletInfo(&info));
    EXPECT_FALSE(CAxReg::HasApplet(kBranch, L"Missing"));
    // An unnamed record must not write into the branch key itself.
    CAxReg::InitInfo(&info, kBranch, L"");
    EXPECT_FALSE(CAxReg::AddAppletInfo(&info));
    EXPECT_FALSE(HasValue(kBranch, L"Type"));
}

TEST_F(AxRegTest, CutsOverLongTextToItsField)
{
    Add(L"Long", 0);
    std::wstring dll(200, L'd');
    std::wstring group(100, L'g');
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_LOCAL_MACHINE, Path(L"Long").c_str(), L"DLL", REG_SZ,
                                             dll.c_str(), (DWORD)((dll.size() + 1) * 2)));
    ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_LOCAL_MACHINE, Path(L"Long").c_str(), L"Group", REG_SZ,
                                             group.c_str(), (DWORD)((group.size() + 1) * 2)));
    CAxDllInfo info;
    CAxReg::InitInfo(&info, kBranch, L"Long");
    ASSERT_TRUE(CAxReg::GetAppletInfo(&info));
    EXPECT_EQ(dll.substr(0, 127), info.szDLL);
    EXPECT_EQ(group.substr(0, 63), info.szGroup);
}

TEST_F(AxRegTest, LoadingSortsAndRenumbersTheOrders)
{
    Add(L"A", 5);
    Add(L"B", 2);
    Add(L"C", 2);
    CAxRegList list;
    ASSERT_TRUE(list.LoadList(kBranch));
    ASSERT_EQ(3, list.GetCount());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ((DWORD)i, list.GetDllInfo(i)->dwOrder);
    EXPECT_STREQ(L"A", list.GetDllInfo(2)->szName);

    // Saving makes the renumbering permanent.
    ASSERT_TRUE(list.SaveList(kBranch));
    DWORD order = 0, size = sizeof(order);
    ASSERT_EQ(ERROR_SUCCESS,
              RegGetValueW(HKEY_LOCAL_MACHINE, Path(L"A").c_str(), L"Order", RRF_RT_DWORD, nullptr, &order, &size));
    EXPECT_EQ(2u, order);
}

// The host reloads one list object on every menu command: each load shows
// the branch as it is now, every value of each registration read again.
TEST_F(AxRegTest, ALoadedListFollowsTheBranch)
{
    Add(L"A", 1);
    Add(L"B", 2, 0, 0, L"Tools");
    CAxRegList list;
    ASSERT_TRUE(list.LoadList(kBranch));
    ASSERT_EQ(2, list.GetCount());

    ASSERT_TRUE(CAxReg::DelApplet(kBranch, L"A"));
    Add(L"C", 0);
    Add(L"B", 3, 1, 0, L"Games");
    ASSERT_TRUE(list.LoadList(kBranch));
    ASSERT_EQ(2, list.GetCount());
    EXPECT_EQ(2, list.GetEnableCount());
    EXPECT_STREQ(L"C", list.GetDllInfo(0)->szName);
    const CAxDllInfo* b = list.GetDllInfo(1);
    EXPECT_STREQ(L"B", b->szName);
    EXPECT_STREQ(kBranch, b->szKey);
    EXPECT_STREQ(L"Games", b->szGroup);
    EXPECT_STREQ(L"\\Program Files\\B.dll", b->szDLL);

    // A branch that went away leaves an empty list, not the last one.
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kBranch);
    EXPECT_FALSE(list.LoadList(kBranch));
    EXPECT_EQ(0, list.GetCount());
}

TEST_F(AxRegTest, EnabledHiddenAndEnumeration)
{
    Add(L"Shown", 0, 1, 0);
    Add(L"Hidden", 1, 1, 1);
    Add(L"Odd", 2, 2, 0);
    Add(L"Off", 3, 0, 0);
    CAxRegList list;
    ASSERT_TRUE(list.LoadList(kBranch));
    EXPECT_EQ(3, list.GetEnableCount());  // type is not considered in the count
    EXPECT_TRUE(list.IsEnabled(0));
    EXPECT_FALSE(list.IsEnabled(1));
    EXPECT_TRUE(list.IsHidden(1));
    EXPECT_TRUE(list.IsEnabled(2));
    EXPECT_FALSE(list.IsEnabled(3));
    EXPECT_FALSE(list.IsEnabled(4));  // out of range

    CAxDllInfo out;
    std::wstring seen;
    list.Reset();
    while (list.EnumEnableApplet(&out))
        seen += std::wstring(out.szName) + L";";
    EXPECT_EQ(L"Shown;Hidden;", seen);  // Enabled 2 is skipped
    seen.clear();
    list.Reset();
    while (list.EnumApplet(&out))
        seen += std::wstring(out.szName) + L";";
    EXPECT_EQ(L"Shown;Hidden;Odd;Off;", seen);
}

TEST_F(AxRegTest, SavingWritesOnlyLoadedRegistrations)
{
    Add(L"Keep", 0);
    Add(L"Gone", 1);
    // A configuration section under the branch: a key without Type.
    CRegistry config;
    ASSERT_TRUE(config.Open(HKEY_LOCAL_MACHINE, Path(L"Settings").c_str(), FALSE, TRUE));
    ASSERT_TRUE(config.WriteDWORD(L"Colour", 3));
    config.Close();

    CAxRegList list;
    ASSERT_TRUE(list.LoadList(kBranch));
    EXPECT_EQ(2, list.GetCount());  // the section is no registration
    ASSERT_TRUE(CAxReg::DelApplet(kBranch, L"Gone"));
    ASSERT_TRUE(list.SaveList(kBranch));
    EXPECT_FALSE(CAxReg::HasApplet(kBranch, L"Gone"));
    EXPECT_FALSE(HasValue(Path(L"Settings").c_str(), L"Type"));
    EXPECT_FALSE(HasValue(Path(L"Settings").c_str(), L"DLL"));
    EXPECT_FALSE(HasValue(kBranch, L"Type"));

    CAxDllInfo gone;
    CAxReg::InitInfo(&gone, kBranch, L"Gone");
    EXPECT_TRUE(CAxReg::AddAppletInfo(&gone));
    EXPECT_TRUE(CAxReg::HasApplet(kBranch, L"Gone"));
}

TEST_F(AxRegTest, EmptyAndMissingBranches)
{
    CAxRegList list;
    EXPECT_TRUE(list.LoadList(kBranch));
    EXPECT_EQ(0, list.GetCount());
    EXPECT_EQ(nullptr, list.GetDllInfo(0));
    CAxDllInfo out;
    EXPECT_FALSE(list.EnumApplet(&out));

    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kBranch);
    EXPECT_FALSE(list.LoadList(kBranch));
    EXPECT_FALSE(list.SaveList(kBranch));
    EXPECT_EQ(0, CAxReg::GetAppletCount(kBranch));
}

}  // namespace
