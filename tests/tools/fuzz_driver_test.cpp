// The fuzz driver against a harness with planted faults (fuzz_selftest):
// each fault ends the run with its own report and keeps the input that
// caused it; a case slow only once goes on; a child that ends before it
// ran all its cases fails the run.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

const wchar_t kOut[] = L"D:\\Temp\\fuzz_driver_test";

struct RunResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;
};

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\'));
}

// Runs fuzz_selftest.exe with the fault planted; its exit code and output.
RunResult RunSelfTest(const wchar_t* fault, int count)
{
    RunResult result;
    SetEnvironmentVariableW(L"KETRA_FUZZ_SELFTEST", fault);
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return result;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    std::wstring command = L"\"" + ProgramFolder() + L"\\fuzz_selftest.exe\" --count " + std::to_wstring(count) +
                           L" --out " + kOut;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process = {};
    const BOOL started =
        CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableW(L"KETRA_FUZZ_SELFTEST", nullptr);
    CloseHandle(writeEnd);
    if (started) {
        char buffer[512];
        DWORD read = 0;
        while (ReadFile(readEnd, buffer, sizeof(buffer), &read, nullptr) && read)
            result.output.append(buffer, read);
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &result.exitCode);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(readEnd);
    return result;
}

// Names of the inputs kept, starting with prefix.
std::vector<std::wstring> Kept(const wchar_t* prefix)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((std::wstring(kOut) + L"\\selftest\\" + prefix + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

void Clear()
{
    const std::wstring folder = std::wstring(kOut) + L"\\selftest";
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
}

class FuzzDriverTest : public ::testing::Test {
protected:
    void SetUp() override { Clear(); }
    void TearDown() override { Clear(); }
};

bool Has(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

TEST_F(FuzzDriverTest, ACleanRunReportsItsCount)
{
    const RunResult run = RunSelfTest(L"", 300);
    EXPECT_EQ(0u, run.exitCode) << run.output;
    EXPECT_TRUE(Has(run.output, "selftest: 300 inputs in")) << run.output;
    for (const wchar_t* kept : {L"crash", L"hang", L"heap", L"failed"})
        EXPECT_TRUE(Kept(kept).empty()) << "a clean run kept inputs";
}

TEST_F(FuzzDriverTest, EachFaultKeepsItsInputAndFails)
{
    struct Expectation {
        const wchar_t* fault;
        const char* report;
        const wchar_t* kept;
    };
    const Expectation cases[] = {
        {L"crash", "crashed", L"crash-case"},
        {L"hang", "hangs (over 1000 ms)", L"hang-case"},
        {L"overrun", "the heap was damaged", L"heap-case"},
        {L"check", "a planted failure", L"failed-case"},
    };
    for (const Expectation& expected : cases) {
        Clear();
        const RunResult run = RunSelfTest(expected.fault, 300);
        EXPECT_NE(0u, run.exitCode) << "fault " << expected.fault << ": " << run.output;
        EXPECT_TRUE(Has(run.output, expected.report)) << "fault " << expected.fault << ": " << run.output;
        const std::vector<std::wstring> kept = Kept(expected.kept);
        ASSERT_FALSE(kept.empty()) << "fault " << expected.fault << " kept no input";
        // The planted faults strike on kind 0 only: the input kept is that case.
        bool kindZero = false;
        for (const std::wstring& name : kept)
            kindZero = kindZero || name.find(L"-kind0.bin") != std::wstring::npos;
        EXPECT_TRUE(kindZero) << "fault " << expected.fault << " kept another case";
    }
}

TEST_F(FuzzDriverTest, ACaseSlowOnlyOnceGoesOn)
{
    DeleteFileW((std::wstring(kOut) + L"\\selftest\\slow-once.marker").c_str());
    const RunResult run = RunSelfTest(L"slowonce", 300);
    DeleteFileW((std::wstring(kOut) + L"\\selftest\\slow-once.marker").c_str());
    EXPECT_EQ(0u, run.exitCode) << run.output;
    EXPECT_TRUE(Has(run.output, "once but not again")) << run.output;
    EXPECT_TRUE(Kept(L"hang-case").empty()) << "the input of a case that ran fine again was kept";
}

// Regression: the parent took a child that ended early with exit code 0
// for a clean run of every case.
TEST_F(FuzzDriverTest, AChildThatEndsEarlyFailsTheRun)
{
    const RunResult run = RunSelfTest(L"quit", 300);
    EXPECT_NE(0u, run.exitCode) << run.output;
    EXPECT_TRUE(Has(run.output, "the child ended having run")) << run.output;
}

}  // namespace
