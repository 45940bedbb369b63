// Applying themes, seen from outside: the registry, the files in \Windows,
// the device log and the screen of the test device's shell.  The device's
// theme settings and pictures are put back after each test.
#include <gtest/gtest.h>

#include <imgdecmp.h>
#include <wchar.h>

#include <functional>

#include "theme_test_support.h"

namespace {

const wchar_t kColourKey[] = L"SOFTWARE\\Microsoft\\Color";
const wchar_t kTodayKey[] = L"Software\\Microsoft\\Today";
const wchar_t kTodayFile[] = L"\\Windows\\tdywater.gif";
const wchar_t kStartFile[] = L"\\Windows\\stwater.gif";
const wchar_t kDeviceLog[] = L"\\Windows\\devlog.txt";
const char* const kColourNames[] = {"4", "6", "5", "8", "9", "7", "10", "13", "14", "25", "26"};

// Dispatches messages until done() holds or the time is up.
bool Eventually(const std::function<bool()>& done, DWORD ms = 5000)
{
    ULONGLONG start = GetTickCount64();
    while (!done()) {
        if (GetTickCount64() - start > ms)
            return done();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(30);
    }
    return true;
}

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return colour;
}

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
    std::string bytes;
    ReadBytes(path, &bytes);
    return bytes;
}

bool ReadColourValue(int index, COLORREF* colour)
{
    wchar_t name[4];
    swprintf(name, 4, L"%hs", kColourNames[index]);
    DWORD value = 0;
    DWORD size = sizeof value;
    return RegGetValueW(HKEY_LOCAL_MACHINE, kColourKey, name, RRF_RT_REG_BINARY | RRF_RT_REG_DWORD, nullptr, &value,
                        &size) == ERROR_SUCCESS &&
           (*colour = value, true);
}

bool TodayValueExists(const wchar_t* name)
{
    return RegGetValueW(HKEY_CURRENT_USER, kTodayKey, name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::wstring TodayString(const wchar_t* name)
{
    wchar_t text[MAX_PATH] = L"";
    DWORD size = sizeof text;
    RegGetValueW(HKEY_CURRENT_USER, kTodayKey, name, RRF_RT_REG_SZ, nullptr, text, &size);
    return text;
}

std::string DeviceLog()
{
    return Bytes(kDeviceLog);
}

// What an apply changes, kept and put back: the two pictures, the colour
// values and the Today settings.
class ThemeState {
public:
    ThemeState()
    {
        m_today = Bytes(kTodayFile);
        m_start = Bytes(kStartFile);
        RegExportable(HKEY_LOCAL_MACHINE, kColourKey, &m_colours);
        RegExportable(HKEY_CURRENT_USER, kTodayKey, &m_todayValues);
    }
    ~ThemeState()
    {
        WriteBytes(kTodayFile, m_today);
        WriteBytes(kStartFile, m_start);
        Restore(HKEY_LOCAL_MACHINE, kColourKey, m_colours);
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kTodayKey, L"UseStartImage");
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kTodayKey, L"Skin");
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kTodayKey, L"Watermark");
        Restore(HKEY_CURRENT_USER, kTodayKey, m_todayValues);
        DWORD_PTR ignored;
        SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0xF2, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    }

private:
    struct Value {
        std::wstring name;
        DWORD type;
        std::string data;
    };
    static void RegExportable(HKEY root, const wchar_t* path, std::vector<Value>* values)
    {
        HKEY key;
        if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return;
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            DWORD nameLength = 256;
            BYTE data[1024];
            DWORD size = sizeof data;
            DWORD type = 0;
            if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS)
                break;
            values->push_back(Value{name, type, std::string(reinterpret_cast<char*>(data), size)});
        }
        RegCloseKey(key);
    }
    static void Restore(HKEY root, const wchar_t* path, const std::vector<Value>& values)
    {
        for (const Value& value : values)
            RegSetKeyValueW(root, path, value.name.c_str(), value.type, value.data.data(), (DWORD)value.data.size());
    }

    std::string m_today, m_start;
    std::vector<Value> m_colours, m_todayValues;
};

class ThemeApply : public ::testing::Test {
protected:
    ScratchFolder m_folder{L"apply"};
    ThemeState m_state;
};

// The screen's points that show the theme: the task bar's ends, the
// command bar, and the Today picture below the rows and items.
const POINT kBarLeft = {1, 24};
const POINT kBarRight = {238, 24};
const POINT kCommandBar = {120, 310};
const POINT kPicture = {200, 240};  // (200, 214) of the picture

void ExpectThemeOnScreen(const std::wstring& theme, const CTskColor& colours, const wchar_t* pictureFile)
{
    const COLORREF picture = PicturePixel(pictureFile, kPicture.x, kPicture.y - 26);
    ASSERT_NE(CLR_INVALID, picture);
    EXPECT_TRUE(Eventually([&] {
        return Near(ScreenPixel(kCommandBar.x, kCommandBar.y), colours.m_color[5]) &&
               Near(ScreenPixel(kBarLeft.x, kBarLeft.y), colours.m_color[2]) &&
               Near(ScreenPixel(kBarRight.x, kBarRight.y), colours.m_color[3]) &&
               Near(ScreenPixel(kPicture.x, kPicture.y), picture, 2);
    })) << "the screen does not show " << theme.size() << "-character theme: command bar 0x" << std::hex
        << ScreenPixel(kCommandBar.x, kCommandBar.y) << " (want 0x" << colours.m_color[5] << "), bar 0x"
        << ScreenPixel(kBarLeft.x, kBarLeft.y) << "..0x" << ScreenPixel(kBarRight.x, kBarRight.y) << ", picture 0x"
        << ScreenPixel(kPicture.x, kPicture.y) << " (want 0x" << picture << ")";
}

} // namespace

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
        RegSetKeyValueW(HKEY_CURRENT_USER, kTodayKey, L"UseStartImage", REG_DWORD, "\1\0\0\0", 4);

        size_t logBefore = DeviceLog().size();
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
        EXPECT_FALSE(FileExists(L"\\Windows\\ApplyTmp.000")) << "left behind";

        std::string expectedLine = "today: theme \"";
        for (wchar_t c : theme)
            expectedLine.push_back(static_cast<char>(c));
        expectedLine += "\"";
        EXPECT_TRUE(Eventually([&] { return DeviceLog().find(expectedLine, logBefore) != std::string::npos; }))
            << "no log line " << expectedLine;
        ExpectThemeOnScreen(theme, colours, kTodayFile);
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
    ExpectThemeOnScreen(L"Night", colours, kStartFile);
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
    RegSetKeyValueW(HKEY_CURRENT_USER, kTodayKey, L"Watermark", REG_SZ, watermark.c_str(),
                    (DWORD)((watermark.size() + 1) * sizeof(wchar_t)));
    DWORD_PTR ignored;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0xF2, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    COLORREF marked = PicturePixel(watermark.c_str(), kPicture.x, kPicture.y - 26);
    EXPECT_TRUE(Eventually([&] { return Near(ScreenPixel(kPicture.x, kPicture.y), marked, 2); }))
        << "the watermark does not show";

    ASSERT_TRUE(ApplyTheme(ThemeFixture(L"Meadow.tsk").c_str()));
    EXPECT_FALSE(TodayValueExists(L"Watermark"));
    COLORREF meadow = PicturePixel(kTodayFile, kPicture.x, kPicture.y - 26);
    EXPECT_TRUE(Eventually([&] { return Near(ScreenPixel(kPicture.x, kPicture.y), meadow, 2); }))
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

    RegDeleteKeyValueW(HKEY_CURRENT_USER, kTodayKey, L"Skin");
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
    ASSERT_TRUE(WriteBytes(L"\\Windows\\ZARQTMP.GIF", "stale"));
    ASSERT_TRUE(ReadDefault(&info, target.c_str()));
    EXPECT_EQ(rom, Bytes(target.c_str()));
    EXPECT_EQ(applied, Bytes(kStartFile));
    EXPECT_FALSE(FileExists(L"\\Windows\\ZARQTMP.GIF"));

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
    EXPECT_TRUE(Eventually([&] { return job.done != 0; }, 10000));
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    CloseHandle(lock);
    EXPECT_EQ(1, job.result);
    EXPECT_EQ(job.theme, TodayString(L"Skin"));
}
