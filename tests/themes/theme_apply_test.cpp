// Applying themes, seen from outside: the registry, the files in \Windows,
// the device log and the screen of the test device's shell.  The device's
// theme settings and pictures are put back after each test.
#include <gtest/gtest.h>

#include <imgdecmp.h>
#include <wchar.h>


#include "theme_test_support.h"

namespace {

using testkit::DeviceLog;
using testkit::PumpUntil;
using testkit::ReadBytes;
using testkit::ScreenPixel;
using testkit::ScratchFolder;

const wchar_t kColourKey[] = L"SOFTWARE\\Microsoft\\Color";
const wchar_t kTodayKey[] = L"Software\\Microsoft\\Today";
const wchar_t kTodayFile[] = L"\\Windows\\tdywater.gif";
const wchar_t kStartFile[] = L"\\Windows\\stwater.gif";
const wchar_t* const kColourNames[] = {L"4", L"6", L"5", L"8", L"9", L"7", L"10", L"13", L"14", L"25", L"26"};
const DWORD kScreenWaitMs = 5000;

// Within a few steps of each channel: gradients and the X server's depth.
bool Near(COLORREF a, COLORREF b, int tolerance = 8)
{
    return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

DWORD CALLBACK ReadData(LPSTR buffer, DWORD size, LPARAM file)
{
    DWORD read = 0;
    return ReadFile(reinterpret_cast<HANDLE>(file), buffer, size, &read, nullptr) ? read : 0;
}

// A pixel of a picture file, decoded by the device's decoder.
COLORREF PicturePixel(const wchar_t* path, int x, int y)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return CLR_INVALID;
    HBITMAP bitmap = nullptr;
    BYTE work[1024];
    DecompressImageInfo request = {};
    request.dwSize = sizeof request;
    request.pbBuffer = work;
    request.dwBufferMax = sizeof work;
    request.phBM = &bitmap;
    request.iBitDepth = 24;
    request.lParam = reinterpret_cast<LPARAM>(file);
    request.iScale = 100;
    request.pfnGetData = ReadData;
    request.crTransparentOverride = 0xFFFFFFFF;
    DecompressImageIndirect(&request);
    CloseHandle(file);
    if (!bitmap)
        return CLR_INVALID;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return colour;
}

std::string Bytes(const wchar_t* path)
{
    return testkit::ReadBytes(path);
}

bool ReadColourValue(int index, COLORREF* colour)
{
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kColourKey, kColourNames[index], RRF_RT_REG_BINARY | RRF_RT_REG_DWORD,
                     nullptr, &value, &size) != ERROR_SUCCESS)
        return false;
    *colour = value;
    return true;
}

bool TodayValueExists(const wchar_t* name)
{
    return testkit::HasValue(kTodayKey, name, HKEY_CURRENT_USER);
}

std::wstring TodayString(const wchar_t* name)
{
    return testkit::ReadText(kTodayKey, name, HKEY_CURRENT_USER);
}

// The screen's points that show the theme: the task bar's ends, the
// command bar, and the Today picture below the rows and items.
const POINT kBarLeft = {1, 24};
const POINT kBarRight = {238, 24};
const POINT kCommandBar = {120, 310};
const POINT kPicture = {200, 240};  // (200, 214) of the picture

void ExpectThemeOnScreen(const CTskColor& colours, const wchar_t* pictureFile)
{
    const COLORREF picture = PicturePixel(pictureFile, kPicture.x, kPicture.y - 26);
    ASSERT_NE(CLR_INVALID, picture);
    EXPECT_TRUE(PumpUntil(
        [&] {
            return Near(ScreenPixel(kCommandBar.x, kCommandBar.y), colours.m_color[5]) &&
                   Near(ScreenPixel(kBarLeft.x, kBarLeft.y), colours.m_color[2]) &&
                   Near(ScreenPixel(kBarRight.x, kBarRight.y), colours.m_color[3]) &&
                   Near(ScreenPixel(kPicture.x, kPicture.y), picture, 2);
        },
        kScreenWaitMs))
        << std::hex << "command bar 0x" << ScreenPixel(kCommandBar.x, kCommandBar.y) << " (want 0x"
        << colours.m_color[5] << "), task bar 0x" << ScreenPixel(kBarLeft.x, kBarLeft.y) << "..0x"
        << ScreenPixel(kBarRight.x, kBarRight.y) << " (want 0x" << colours.m_color[2] << "..0x" << colours.m_color[3]
        << "), picture 0x" << ScreenPixel(kPicture.x, kPicture.y) << " (want 0x" << picture << ")";
}

} // namespace

class ThemeApply : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_state.Saved()); }
    ScratchFolder m_folder{L"apply"};
    ThemeState m_state;
};


TEST_F(ThemeApply, TwoSamplesInTurnReachRegistryFilesLogAndScreen)
{
    for (const wchar_t* sample : {L"Ocean.tsk", L"Sunset.tsk"}) {
        std::wstring theme = m_folder / sample;
        ASSERT_TRUE(CopyFileW(ThemeFixture(sample).c_str(), theme.c_str(), FALSE));
        CTskColor colours;
        ASSERT_TRUE(FixtureColours(sample, &colours));
        TempSlots expected(m_folder, L"E.");
        CTskInfo record;
        ASSERT_TRUE(ReadTheme(theme.c_str(), &record, expected.Paths()));
        testkit::WriteDword(kTodayKey, L"UseStartImage", 1, HKEY_CURRENT_USER);

        DeviceLog log;
        testkit::TestWindow listener(L"ThemeListener", RECT{-20, -20, -10, -10});
        ASSERT_TRUE(ApplyTheme(theme.c_str()));

        for (int i = 0; i < CTskColor::kCount; ++i) {
            COLORREF stored = 0;
            ASSERT_TRUE(ReadColourValue(i, &stored)) << "value " << kColourNames[i];
            EXPECT_EQ(colours.m_color[i], stored) << "value " << kColourNames[i];
        }
        EXPECT_EQ(theme, TodayString(L"Skin"));
        EXPECT_FALSE(TodayValueExists(L"UseStartImage")) << "two pictures";
        EXPECT_EQ(Bytes(record.m_szToday), Bytes(kTodayFile));
        EXPECT_EQ(Bytes(record.m_szStart), Bytes(kStartFile));
        wchar_t inForce[MAX_PATH];
        ASSERT_TRUE(GetCurThemeName(inForce, MAX_PATH));
        EXPECT_EQ(theme, inForce);
        // The temporary files beside the library are gone again.
        EXPECT_FALSE(testkit::FileExists(L"\\Windows\\ApplyTmp.000")) << "left behind";

        EXPECT_TRUE(log.WaitFor(L"today: theme \"" + theme + L"\"", kScreenWaitMs));
        // Every top-level window hears of it, this test's own too.
        EXPECT_TRUE(PumpUntil(
            [&] {
                for (const auto& message : listener.Messages(WM_WININICHANGE))
                    if (message.wParam == 0xF2)
                        return true;
                return false;
            },
            kScreenWaitMs));
        ExpectThemeOnScreen(colours, kTodayFile);
    }
}

TEST_F(ThemeApply, EqualPicturesUseTheStartPictureOnToday)
{
    CTskColor colours;
    ASSERT_TRUE(FixtureColours(L"Night.tsk", &colours));
    TempSlots slots(m_folder, L"N.");
    CTskInfo record;
    ASSERT_TRUE(ReadTheme(ThemeFixture(L"Night.tsk").c_str(), &record, slots.Paths()));
    std::string todayBefore = Bytes(kTodayFile);
    // The Start picture stands for both.
    wcscpy_s(record.m_szToday, MAX_PATH, record.m_szStart);
    ASSERT_TRUE(ApplyTheme(&record, nullptr));

    DWORD use = 0;
    DWORD size = sizeof use;
    ASSERT_EQ(ERROR_SUCCESS,
              RegGetValueW(HKEY_CURRENT_USER, kTodayKey, L"UseStartImage", RRF_RT_REG_DWORD, nullptr, &use, &size));
    EXPECT_EQ(1u, use);
    EXPECT_EQ(todayBefore, Bytes(kTodayFile)) << "no Today picture is copied";
    EXPECT_EQ(L"ZARQDUMMY.TSK", TodayString(L"Skin"));
    ExpectThemeOnScreen(colours, kStartFile);
}

TEST_F(ThemeApply, WatermarkShowsUntilAnApplyDeletesIt)
{
    ASSERT_TRUE(ApplyTheme(ThemeFixture(L"Meadow.tsk").c_str()));
    // A picture of another theme as the watermark.
    TempSlots slots(m_folder, L"W.");
    CTskInfo other;
    ASSERT_TRUE(ReadTheme(ThemeFixture(L"Night.tsk").c_str(), &other, slots.Paths()));
    std::wstring watermark = m_folder / L"watermark.gif";
    ASSERT_TRUE(CopyFileW(other.m_szToday, watermark.c_str(), FALSE));
    testkit::WriteText(kTodayKey, L"Watermark", watermark, HKEY_CURRENT_USER);
    testkit::BroadcastSettingChange(0xF2);
    COLORREF marked = PicturePixel(watermark.c_str(), kPicture.x, kPicture.y - 26);
    EXPECT_TRUE(PumpUntil([&] { return Near(ScreenPixel(kPicture.x, kPicture.y), marked, 2); }, kScreenWaitMs))
        << "the watermark does not show";

    ASSERT_TRUE(ApplyTheme(ThemeFixture(L"Meadow.tsk").c_str()));
    EXPECT_FALSE(TodayValueExists(L"Watermark"));
    COLORREF meadow = PicturePixel(kTodayFile, kPicture.x, kPicture.y - 26);
    EXPECT_TRUE(PumpUntil([&] { return Near(ScreenPixel(kPicture.x, kPicture.y), meadow, 2); }, kScreenWaitMs))
        << "the theme's picture is not back";
}

TEST_F(ThemeApply, AnimatedThemeInForceReadsBackAnimated)
{
    ASSERT_TRUE(ApplyTheme(ThemeFixture(L"Aurora.tsk").c_str()));
    TempSlots slots(m_folder, L"C.");
    CTskInfo current;
    ASSERT_TRUE(ReadTheme(L"<current>", &current, slots.Paths()));
    EXPECT_EQ(1u, current.m_bAnimated) << "a save of the theme in force keeps its animation";
    EXPECT_EQ(Bytes(L"\\Windows\\at2k.swf"), Bytes(current.m_szAniMovie));
    CTskColor colours;
    ASSERT_TRUE(FixtureColours(L"Aurora.tsk", &colours));
    EXPECT_EQ(colours.m_color[5], current.m_color[5]);

    testkit::DeleteValue(kTodayKey, L"Skin", HKEY_CURRENT_USER);
    wchar_t name[MAX_PATH];
    ASSERT_TRUE(GetCurThemeName(name, MAX_PATH));
    EXPECT_STREQ(L"<default>", name);
}

// The built-in Start picture comes from ROM whatever RAM holds, also when a
// read that never finished left its parked picture behind.
TEST_F(ThemeApply, DefaultThemeComesFromRom)
{
    const std::string rom = Bytes(L"R:\\Windows\\stwater.gif");
    ASSERT_FALSE(rom.empty());
    ASSERT_TRUE(ApplyTheme(ThemeFixture(L"Ocean.tsk").c_str()));
    const std::string applied = Bytes(kStartFile);
    ASSERT_NE(rom, applied);

    std::wstring target = m_folder / L"default.gif";
    CTskInfo info;
    ASSERT_TRUE(ReadDefault(&info, target.c_str()));
    EXPECT_EQ(rom, Bytes(target.c_str()));
    EXPECT_STREQ(target.c_str(), info.m_szStart);
    EXPECT_STREQ(target.c_str(), info.m_szToday);
    EXPECT_EQ(applied, Bytes(kStartFile)) << "the RAM picture is back in place";

    // A stale parked picture beside a newer one is outdated.
    ASSERT_TRUE(testkit::WriteBytes(L"\\Windows\\ZARQTMP.GIF", "stale"));
    ASSERT_TRUE(ReadDefault(&info, target.c_str()));
    EXPECT_EQ(rom, Bytes(target.c_str()));
    EXPECT_EQ(applied, Bytes(kStartFile));
    EXPECT_FALSE(testkit::FileExists(L"\\Windows\\ZARQTMP.GIF"));

    // A parked picture without one in place is the user's: it goes back.
    ASSERT_TRUE(MoveFileW(kStartFile, L"\\Windows\\ZARQTMP.GIF"));
    ASSERT_TRUE(ReadDefault(&info, target.c_str()));
    EXPECT_EQ(rom, Bytes(target.c_str()));
    EXPECT_EQ(applied, Bytes(kStartFile));

    // "<default>" applied: both pictures are the ROM one.
    ASSERT_TRUE(ApplyTheme(L"<default>"));
    EXPECT_EQ(rom, Bytes(kStartFile));
    EXPECT_EQ(L"<default>", TodayString(L"Skin"));
}

// Programs applying by path share the temporary files beside the library:
// one waits while another holds the lock.
TEST_F(ThemeApply, ApplyingByPathWaitsForTheLock)
{
    HANDLE lock = CreateMutexW(nullptr, TRUE, L"ZarqTessaryApplyTmp");
    ASSERT_NE(nullptr, lock);
    struct Job {
        std::wstring theme;
        volatile LONG done = 0;
        int result = 0;
    } job;
    job.theme = ThemeFixture(L"Amber.tsk");
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](LPVOID p) -> DWORD {
            Job* j = static_cast<Job*>(p);
            j->result = ApplyTheme(j->theme.c_str());
            InterlockedExchange(&j->done, 1);
            return 0;
        },
        &job, 0, nullptr);
    ASSERT_NE(nullptr, thread);
    Sleep(500);
    EXPECT_EQ(0, job.done) << "applied while another held the lock";
    ReleaseMutex(lock);
    // The broadcast reaches this thread's windows too: keep taking messages.
    EXPECT_TRUE(PumpUntil([&] { return job.done != 0; }, 10000));
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    CloseHandle(lock);
    EXPECT_EQ(1, job.result);
    EXPECT_EQ(job.theme, TodayString(L"Skin"));
}
