#include "failure_report.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "device_log.h"
#include "files.h"
#include "message_boxes.h"
#include "screen.h"
#include "window_find.h"

namespace testkit {

namespace {

const size_t kLogLines = 60;

std::wstring Widen(const char* text)
{
    return FromUtf8(text ? text : "");
}

std::wstring ProgramName()
{
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path, n < MAX_PATH ? n : 0);
    name = name.substr(name.find_last_of(L"\\/") + 1);
    return name.substr(0, name.find_last_of(L'.'));
}

class FailureReport : public ::testing::EmptyTestEventListener {
public:
    void OnTestStart(const ::testing::TestInfo&) override
    {
        log_.Restart();
        reported_ = false;
    }

    void OnTestPartResult(const ::testing::TestPartResult& result) override
    {
        if (!result.failed() || reported_)
            return;
        reported_ = true;
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::wstring name = ProgramName();
        if (test)
            name += L"." + Widen(test->test_suite_name()) + L"." + Widen(test->name());
        for (wchar_t& c : name)
            if (wcschr(L"/\\:*?\"<>|", c))
                c = L'_';
        const std::wstring folder = TestFolder() + L"..\\test-failures\\";
        CreateDirectoryW(folder.c_str(), nullptr);
        const std::wstring base = folder + name;

        std::wstring text = L"Windows, top first:\n";
        for (const std::wstring& line : DescribeWindows())
            text += L"  " + line + L"\n";
        text += L"Message boxes:\n  " + MessageBoxes::Describe() + L"\n";
        std::vector<std::wstring> lines = log_.Lines();
        if (lines.size() > kLogLines)
            lines.erase(lines.begin(), lines.end() - (std::ptrdiff_t)kLogLines);
        text += L"Device log since the test started (last " + std::to_wstring(kLogLines) + L" lines):\n";
        for (const std::wstring& line : lines)
            text += L"  " + line + L"\n";
        const bool shot = SaveScreenshot(base + L".png");
        const bool written = WriteUtf8(base + L".txt", text);
        printf("[ report   ] %s%s%s\n", ToUtf8(base).c_str(), shot ? ".png " : " (no screenshot) ",
               written ? "and .txt (windows, boxes, device log)" : "(no text report)");
        fflush(stdout);
    }

private:
    DeviceLog log_;
    bool reported_ = false;
};

}  // namespace

void InstallFailureReport()
{
    ::testing::UnitTest::GetInstance()->listeners().Append(new FailureReport);
}

}  // namespace testkit
