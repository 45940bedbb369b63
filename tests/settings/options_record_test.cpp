// The pieces of the Options page that need no window: the options record
// when its key cannot be had, and reading a button's program.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "hardware_buttons.h"
#include "ketra_testkit.h"
#include "options_record.h"

namespace {

std::string ProgramLog()
{
    return testkit::ReadBytes(L"D:\\My Documents\\ZARQLOG.txt");
}

}  // namespace

TEST(OptionsRecord, AFailedLoadKeepsTheDefaultsAndSavesNothing)
{
    const size_t logged = ProgramLog().size();
    // No key opens under a root that is no key at all.
    const HKEY noRoot = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x7654));
    COptionsRecord record;
    EXPECT_FALSE(record.Load(noRoot));
    EXPECT_FALSE(record.IsLoaded());
    EXPECT_NE(std::string::npos, ProgramLog().find("Failed to Load Default Registry Setting", logged));
    EXPECT_FALSE(record.Save());
    EXPECT_STREQ(L"\\Windows\\lowbatt.wav", record.m_szSndOpen);
    EXPECT_STREQ(L"\\Windows\\StWater.gif", record.m_szBkImage);
    EXPECT_EQ(6u, record.m_dwWinMode);
}

TEST(OptionsRecord, PathsLongerThanTheFieldAreRefusedWhole)
{
    COptionsRecord record;
    std::wstring longest(COptionsRecord::kTextLength - 1, L'a');
    EXPECT_TRUE(COptionsRecord::SetText(record.m_szSndClose, longest.c_str()));
    EXPECT_EQ(longest, record.m_szSndClose);
    std::wstring tooLong(COptionsRecord::kTextLength, L'b');
    EXPECT_FALSE(COptionsRecord::SetText(record.m_szSndClose, tooLong.c_str()));
    EXPECT_EQ(longest, record.m_szSndClose);
}

TEST(HardwareButtons, TheProgramsTitleIgnoresQuotesAndArguments)
{
    struct Case {
        const wchar_t* command;
        const wchar_t* title;
    } cases[] = {
        {L"\"\\x\\Ketra.exe\"", L"Ketra"},
        {L"\"\\Program Files\\My.Tools\\Ketra.exe\" -a b.c", L"Ketra"},
        {L"\\Windows\\Ketra.exe", L"Ketra"},
        {L"\"\\Windows\\ctlpnl.exe\" cplmain.cpl 12,0", L"ctlpnl"},
        {L"\"\\Windows\\Ketra", L"Ketra"},
        {L"", L""},
    };
    for (const Case& c : cases) {
        wchar_t title[MAX_PATH] = L"unchanged";
        EXPECT_TRUE(CommandFileTitle(c.command, title, MAX_PATH)) << c.command;
        EXPECT_STREQ(c.title, title) << c.command;
    }
}
