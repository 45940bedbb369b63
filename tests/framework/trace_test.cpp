// CWnd::TRACE and CWnd::WriteLog: formatting, the 1023-character bound and
// appending to the log file.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>

#include "wndframe.h"

namespace {

const wchar_t kLogPath[] = L"\\My Documents\\ZARQLOG.txt";

// The TRACE box blocks its caller: a helper thread finds it, reads its text
// (the message box's static control 0xFFFF) and presses OK.
class TraceBoxAnswerer {
public:
    TraceBoxAnswerer() : m_thread([this] { Answer(); }) {}
    ~TraceBoxAnswerer()
    {
        if (m_thread.joinable())
            m_thread.join();
    }
    // Waits for the helper; the text of the box, or empty if none appeared.
    std::wstring Text()
    {
        m_thread.join();
        return m_text;
    }
    bool Found() const { return m_found; }

private:
    void Answer()
    {
        for (int tries = 0; tries < 200; ++tries) {
            HWND box = FindWindowW(L"#32770", L"TRACE");
            DWORD pid = 0;
            if (box && GetWindowThreadProcessId(box, &pid) && pid == GetCurrentProcessId()) {
                wchar_t text[4096] = L"";
                GetDlgItemTextW(box, 0xFFFF, text, 4096);
                m_text = text;
                m_found = true;
                SendMessageW(box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(50);
        }
    }

    std::wstring m_text;
    bool m_found = false;
    std::thread m_thread;
};

std::wstring Digits(size_t count)
{
    std::wstring text;
    for (size_t i = 0; i < count; ++i)
        text += (wchar_t)(L'0' + i % 10);
    return text;
}

std::string ReadLog()
{
    HANDLE file = CreateFileW(kLogPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got)
        content.append(buffer, got);
    CloseHandle(file);
    return content;
}

void WriteWholeLog(const std::string& content)
{
    HANDLE file = CreateFileW(kLogPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD done = 0;
    WriteFile(file, content.data(), (DWORD)content.size(), &done, nullptr);
    CloseHandle(file);
}

TEST(TraceTest, BoxShowsTheFormattedText)
{
    TraceBoxAnswerer answerer;
    CWnd::TRACE(L"value %d of %ls", 5, L"five");
    EXPECT_EQ(L"value 5 of five", answerer.Text());
}

TEST(TraceTest, LongTextIsCutToTheBuffer)
{
    std::wstring text = Digits(2000);
    TraceBoxAnswerer answerer;
    CWnd::TRACE(L"%ls", text.c_str());
    EXPECT_EQ(text.substr(0, 1023), answerer.Text());
    EXPECT_TRUE(answerer.Found());
}

TEST(WriteLogTest, AppendsOneLinePerCallToTheExistingLog)
{
    WriteWholeLog("earlier\r\n");
    CWnd::WriteLog(L"first %d", 1);
    CWnd::WriteLog(L"%ls", L"second");
    EXPECT_EQ("earlier\r\nfirst 1\r\nsecond\r\n", ReadLog());
    DeleteFileW(kLogPath);
}

TEST(WriteLogTest, CreatesTheLogAndCutsLongLines)
{
    DeleteFileW(kLogPath);
    std::wstring text = Digits(2000);
    CWnd::WriteLog(L"%ls", text.c_str());
    std::string expected(text.begin(), text.begin() + 1023);
    EXPECT_EQ(expected + "\r\n", ReadLog());
    DeleteFileW(kLogPath);
}

}  // namespace
