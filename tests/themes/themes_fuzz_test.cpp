// The theme files' and schedules' readers against mutated input.
//
// The mutated cases run in a child process with Wine's heap checks on
// (WINEDEBUG=warn+heap), every heap validated every few cases; a crash, a
// hang or a damaged heap fails the test.  A fixed seed makes every failure
// repeat.  The number of cases is kept small here; KETRA_FUZZ_CASES raises
// it for a long run.
#include <gtest/gtest.h>

#include <schedule.h>
#include <stdlib.h>
#include <wchar.h>

#include "../skin/fuzz_mutator.h"
#include "theme_test_support.h"

namespace {

const int kDefaultCases = 1500;
const int kValidateEvery = 10;
const DWORD kChildTimeoutMs = 280 * 1000;

int Cases()
{
    wchar_t text[16];
    DWORD length = GetEnvironmentVariableW(L"KETRA_FUZZ_CASES", text, 16);
    int cases = length > 0 && length < 16 ? _wtoi(text) : 0;
    return cases > 0 ? cases : kDefaultCases;
}

int InvalidHeaps()
{
    HANDLE heaps[256];
    DWORD count = GetProcessHeaps(256, heaps);
    int invalid = 0;
    for (DWORD i = 0; i < count && i < 256; ++i)
        invalid += !HeapValidate(heaps[i], 0, nullptr);
    return invalid;
}

std::string Utf16(const std::wstring& text)
{
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

bool IsSlot(const wchar_t* path, const CTskTempFiles& temp)
{
    for (int slot = 0; slot < kTskTempCount; ++slot)
        if (wcscmp(path, temp.Path(slot)) == 0)
            return true;
    return false;
}

} // namespace

TEST(ThemeFuzz, ReadersSurviveMutatedInputUnderHeapChecks)
{
    wchar_t self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    std::wstring command = std::wstring(L"\"") + self + L"\" --gtest_also_run_disabled_tests --gtest_filter=ThemeFuzzCases.*";
    ASSERT_TRUE(SetEnvironmentVariableW(L"WINEDEBUG", L"-all,err+heap,warn+heap"));
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    BOOL started = CreateProcessW(self, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child);
    SetEnvironmentVariableW(L"WINEDEBUG", nullptr);
    ASSERT_TRUE(started);
    CloseHandle(child.hThread);
    DWORD waited = WaitForSingleObject(child.hProcess, Cases() > kDefaultCases ? INFINITE : kChildTimeoutMs);
    if (waited != WAIT_OBJECT_0)
        TerminateProcess(child.hProcess, 99);
    DWORD code = 0;
    GetExitCodeProcess(child.hProcess, &code);
    CloseHandle(child.hProcess);
    EXPECT_EQ(WAIT_OBJECT_0, waited) << "the mutated cases hung";
    EXPECT_EQ(0u, code) << "the mutated cases failed or crashed (exit code 0x" << std::hex << code << ")";
}

TEST(ThemeFuzzCases, DISABLED_MutatedThemeFiles)
{
    ScratchFolder scratch(L"fuzz-tsk");
    CTskInfo still = MakeRecord(scratch, 300, 200, false);
    CTskInfo animated = MakeRecord(scratch, 100, 150, true);
    ASSERT_TRUE(WriteTheme((scratch / L"still.tsk").c_str(), &still));
    ASSERT_TRUE(WriteTheme((scratch / L"animated.tsk").c_str(), &animated));
    std::string seeds[3];
    ASSERT_TRUE(ReadBytes(scratch / L"still.tsk", &seeds[0]));
    ASSERT_TRUE(ReadBytes(scratch / L"animated.tsk", &seeds[1]));
    ASSERT_TRUE(ReadBytes(ThemeFixture(L"Aurora.tsk"), &seeds[2]));  // gcab's blocks run across members
    const char* tokens = "ZARQQV~1.000|tdywater.001|0stwater.002|0000at2k.004|.255|.|\x01\x00\x00\x00\x06\x00" "4|"
                         "\x00\x01\x00\x00\x00\x00\x40|STWATER|TDYWATER|SWF|HTM|ATC|MSCF|MSCE";

    const std::wstring file = scratch / L"fuzz.tsk";
    CTskTempFiles temp;
    ASSERT_TRUE(temp.Form((scratch.Path() + L"\\").c_str(), L"F."));
    FuzzRandom random(20011203);
    const int cases = Cases();
    for (int i = 0; i < cases; ++i) {
        const std::string& seed = seeds[random.Below(3)];
        std::string input;
        switch (random.Below(4)) {
        case 0: input = Truncate(seed, seed.size(), random); break;
        case 1: input = Scramble(seed, random, tokens); break;
        default: input = ExtremeValues(seed, random.OneIn(2) ? 260 : seed.size(), random); break;
        }
        // Mostly keep the size field true, so that the rest is what the
        // reader has to deal with.
        if (input.size() >= 12 && !random.OneIn(4))
            PutDword(input, 8, static_cast<uint32_t>(input.size()));
        ASSERT_TRUE(WriteBytes(file, input));

        CTskInfo read;
        int ok = ReadTheme(file.c_str(), &read, temp.Paths());
        int ani = IsAniTsk(file.c_str());
        ASSERT_TRUE(ani == 0 || ani == 1) << "case " << i;
        if (ok) {
            for (const wchar_t* path : {read.m_szStart, read.m_szToday, read.m_szAniControl, read.m_szAniMovie,
                                        read.m_szAniPage})
                ASSERT_TRUE(!*path || IsSlot(path, temp)) << "case " << i << ": a path outside the slots";
            if (*read.m_szAniPage) {
                GetAniTskHeight(read.m_szAniPage);
                GetAniTskBackColor(read.m_szAniPage);
                SaveAniTskPreviewHtml((scratch / L"preview.htm").c_str(), &read, 76, 52);
            }
        }
        if (i % kValidateEvery == kValidateEvery - 1) {
            ASSERT_EQ(0, InvalidHeaps()) << "heap damaged by one of the cases up to " << i;
        }
    }
}

TEST(ThemeFuzzCases, DISABLED_MutatedSchedules)
{
    const std::string seeds[] = {
        Utf16(L"15\r\nrandom\r\n3\r\n\\My Documents\\Ocean.tsk\r\n\\Windows\\Glacier.tsk\r\n\\a.tsk\r\n"),
        "<rotateinfo><count>2</count><delay>3</delay><type>random</type><theme000>\\a.tsk</theme000>"
        "<theme001>\\b.tsk</theme001></rotateinfo>",
    };
    const char* tokens = "\r|\n|\xFF\xFE|<|>|</rotateinfo>|<count>|99999999999|-1|<theme999>|&#0;|\x00\x00";
    FuzzRandom random(20240229);
    const int cases = Cases();
    for (int i = 0; i < cases; ++i) {
        // XML goes through the platform's parser: fewer of those.
        const std::string& seed = seeds[random.OneIn(5) ? 1 : 0];
        std::string input = random.OneIn(3) ? Truncate(seed, seed.size(), random) : Scramble(seed, random, tokens);
        for (ScheduleReader reader : {ScheduleReader::Rotator, ScheduleReader::Editor}) {
            CSchedule schedule;
            if (!ParseSchedule(reinterpret_cast<const BYTE*>(input.data()), static_cast<DWORD>(input.size()), reader,
                               &schedule))
                continue;
            ASSERT_LE(schedule.themes.size(), CSchedule::kMaxThemes) << "case " << i;
            ASSERT_GE(schedule.interval, 0) << "case " << i;
            for (const std::wstring& path : schedule.themes)
                ASSERT_LT(path.size(), static_cast<size_t>(MAX_PATH)) << "case " << i;
        }
        if (i % kValidateEvery == kValidateEvery - 1) {
            ASSERT_EQ(0, InvalidHeaps()) << "heap damaged by one of the cases up to " << i;
        }
    }
}
