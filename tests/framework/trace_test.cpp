// CWnd::TRACE and CWnd::WriteLog: formatting, the 1023-character bound and
// appending to the log file.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "wndframe.h"

#include "ketra_testkit.h"

namespace {

using namespace testkit;

const wchar_t kLogPath[] = L"\\My Documents\\ZARQLOG.txt";

std::wstring Digits(size_t count)
{
    std::wstring text;
    for (size_t i = 0; i < count; ++i)
        text += (wchar_t)(L'0' + i % 10);
    return text;
}

TEST(TraceTest, BoxShowsTheFormattedText)
{
    BoxAnswerer answerer(L"TRACE");
    CWnd::TRACE(L"value %d of %ls", 5, L"five");
    EXPECT_EQ(L"value 5 of five", answerer.Text());
}

TEST(TraceTest, LongTextIsCutToTheBuffer)
{
    std::wstring text = Digits(2000);
    BoxAnswerer answerer(L"TRACE");
    CWnd::TRACE(L"%ls", text.c_str());
    EXPECT_EQ(text.substr(0, 1023), answerer.Text());
}

TEST(WriteLogTest, AppendsOneLinePerCallToTheExistingLog)
{
    ASSERT_TRUE(WriteBytes(kLogPath, "earlier\r\n"));
    CWnd::WriteLog(L"first %d", 1);
    CWnd::WriteLog(L"%ls", L"second");
    EXPECT_EQ("earlier\r\nfirst 1\r\nsecond\r\n", ReadBytes(kLogPath));
    DeleteFileW(kLogPath);
}

TEST(WriteLogTest, CreatesTheLogAndCutsLongLines)
{
    DeleteFileW(kLogPath);
    std::wstring text = Digits(2000);
    CWnd::WriteLog(L"%ls", text.c_str());
    std::string expected(text.begin(), text.begin() + 1023);
    EXPECT_EQ(expected + "\r\n", ReadBytes(kLogPath));
    DeleteFileW(kLogPath);
}

}  // namespace
