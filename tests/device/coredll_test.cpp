// coredll.dll: the device's kernel services and the device behaviour of
// desktop functions, seen by a program that links coredll like the system.
#include <gtest/gtest.h>

#include <cedevice.h>
#include <pkfuncs.h>

#include <mmsystem.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "devlog.h"
#include "ketra_testkit.h"


namespace {

using namespace testkit;

// Names of a folder's entries as FindFirstFileW/FindNextFileW list them,
// with their attributes.
std::vector<std::pair<std::wstring, DWORD>> ListFolder(const std::wstring& pattern)
{
    std::vector<std::pair<std::wstring, DWORD>> entries;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return entries;
    do
        entries.emplace_back(data.cFileName, data.dwFileAttributes);
    while (FindNextFileW(find, &data));
    EXPECT_TRUE(FindClose(find));
    return entries;
}

} // namespace

// The link order of system targets puts coredll ahead of the desktop
// libraries: each overridden function is bound to coredll's export.
TEST(CoreDllLinking, DesktopFunctionsBindToCoreDll)
{
    HMODULE coredll = GetModuleHandleW(L"coredll.dll");
    ASSERT_TRUE(coredll);
    const struct {
        const char* name;
        const void* bound;
    } functions[] = {
        {"GlobalMemoryStatus", reinterpret_cast<const void*>(&GlobalMemoryStatus)},
        {"FindFirstFileW", reinterpret_cast<const void*>(&FindFirstFileW)},
        {"FindNextFileW", reinterpret_cast<const void*>(&FindNextFileW)},
        {"FindClose", reinterpret_cast<const void*>(&FindClose)},
        {"GetDiskFreeSpaceExW", reinterpret_cast<const void*>(&GetDiskFreeSpaceExW)},
        {"SystemParametersInfoW", reinterpret_cast<const void*>(&SystemParametersInfoW)},
        {"keybd_event", reinterpret_cast<const void*>(&keybd_event)},
        {"ExtEscape", reinterpret_cast<const void*>(&ExtEscape)},
        {"waveOutGetVolume", reinterpret_cast<const void*>(&waveOutGetVolume)},
        {"waveOutSetVolume", reinterpret_cast<const void*>(&waveOutSetVolume)},
        {"RegDeleteKeyW", reinterpret_cast<const void*>(&RegDeleteKeyW)},
    };
    for (const auto& f : functions)
        EXPECT_EQ(reinterpret_cast<const void*>(GetProcAddress(coredll, f.name)), f.bound) << f.name;
}

TEST(CoreDllPower, StatusComesFromTheDeviceState)
{
    DeviceState state;
    state.Set(L"ACLineStatus", AC_LINE_ONLINE);
    state.Set(L"BatteryFlag", BATTERY_FLAG_CHARGING);
    state.Set(L"BatteryLifePercent", 42);
    state.Set(L"BackupBatteryFlag", 0);
    state.Set(L"BackupBatteryLifePercent", BATTERY_PERCENTAGE_UNKNOWN);

    SYSTEM_POWER_STATUS_EX2 ex2;
    ASSERT_EQ(sizeof(ex2), GetSystemPowerStatusEx2(&ex2, sizeof(ex2), TRUE));
    EXPECT_EQ(AC_LINE_ONLINE, ex2.ACLineStatus);
    EXPECT_EQ(BATTERY_FLAG_CHARGING, ex2.BatteryFlag);
    EXPECT_EQ(42, ex2.BatteryLifePercent);
    EXPECT_EQ(0, ex2.BackupBatteryFlag);
    EXPECT_EQ(BATTERY_PERCENTAGE_UNKNOWN, ex2.BackupBatteryLifePercent);

    SYSTEM_POWER_STATUS_EX ex;
    ASSERT_TRUE(GetSystemPowerStatusEx(&ex, TRUE));
    EXPECT_EQ(0, memcmp(&ex, &ex2, sizeof(ex)));

    // A short record gets only what fits; the bytes after it stay untouched.
    BYTE buffer[8];
    memset(buffer, 0xCC, sizeof(buffer));
    EXPECT_EQ(3u, GetSystemPowerStatusEx2((PSYSTEM_POWER_STATUS_EX2)buffer, 3, TRUE));
    EXPECT_EQ(AC_LINE_ONLINE, buffer[0]);
    EXPECT_EQ(42, buffer[2]);
    EXPECT_EQ(0xCC, buffer[3]);

    // Without state the device is on battery, with a believable charge.
    state.Delete(L"ACLineStatus");
    state.Delete(L"BatteryLifePercent");
    ASSERT_TRUE(GetSystemPowerStatusEx2(&ex2, sizeof(ex2), TRUE));
    EXPECT_EQ(AC_LINE_OFFLINE, ex2.ACLineStatus);
    EXPECT_LE(ex2.BatteryLifePercent, 100);
}

TEST(CoreDllMemory, MemoryAndStoreAreDeviceSized)
{
    DeviceState state;
    state.Set(L"MemoryTotal", 64 << 20);
    state.Set(L"MemoryAvailable", 16 << 20);
    state.Set(L"StoreSize", 30 << 20);
    state.Set(L"StoreFree", 12 << 20);

    MEMORYSTATUS memory = {};
    GlobalMemoryStatus(&memory);
    EXPECT_EQ(sizeof(memory), memory.dwLength);
    EXPECT_EQ((SIZE_T)64 << 20, memory.dwTotalPhys);
    EXPECT_EQ((SIZE_T)16 << 20, memory.dwAvailPhys);
    EXPECT_EQ(75u, memory.dwMemoryLoad);

    STORE_INFORMATION store = {};
    ASSERT_TRUE(GetStoreInformation(&store));
    EXPECT_EQ(30u << 20, store.dwStoreSize);
    EXPECT_EQ(12u << 20, store.dwFreeSize);
}

class CoreDllFiles : public testing::Test {
protected:
    void TearDown() override
    {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it)
            if (!DeleteFileW(it->c_str()))
                RemoveDirectoryW(it->c_str());
    }
    void MakeFolder(const std::wstring& path)
    {
        if (CreateDirectoryW(path.c_str(), nullptr))
            made_.push_back(path);
        ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str()));
    }
    void MakeFile(const std::wstring& path)
    {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        CloseHandle(file);
        made_.push_back(path);
    }
    std::vector<std::wstring> made_;
};

TEST_F(CoreDllFiles, StorageCardIsFoundAtTheRootWithItsSpace)
{
    MakeFolder(L"\\Storage Card");
    MakeFolder(L"\\Not A Card");
    DeviceState state;
    state.Set(L"StorageCardFreeKB", 2048);
    state.Set(L"StorageCardTotalKB", 8192);

    // Both forms of the card list: a multi-string, and ';' between names.
    const std::pair<std::wstring, DWORD> lists[] = {
        {std::wstring(L"Storage Card\0", 13), REG_MULTI_SZ},
        {L"\\Other Card;\\Storage Card", REG_SZ},
    };
    for (const auto& list : lists) {
        state.Set(L"StorageCards", list.first, list.second);
        int cards = 0;
        for (const auto& entry : ListFolder(L"\\*")) {
            bool isCard = (entry.second & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY)) ==
                          (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_TEMPORARY);
            EXPECT_EQ(entry.first == L"Storage Card", isCard) << "type " << list.second;
            cards += isCard;
        }
        EXPECT_EQ(1, cards) << "type " << list.second;
    }

    ULARGE_INTEGER available, total, free;
    ASSERT_TRUE(GetDiskFreeSpaceExW(L"\\Storage Card", &available, &total, &free));
    EXPECT_EQ(2048ull * 1024, available.QuadPart);
    EXPECT_EQ(8192ull * 1024, total.QuadPart);
    EXPECT_EQ(2048ull * 1024, free.QuadPart);
    ASSERT_TRUE(GetDiskFreeSpaceExW(L"\\Storage Card\\", &available, &total, nullptr));
    EXPECT_EQ(8192ull * 1024, total.QuadPart);

    // Inside a card folder nothing is a card.
    MakeFolder(L"\\Storage Card\\Storage Card");
    int nested = 0;
    for (const auto& entry : ListFolder(L"\\Storage Card\\*")) {
        EXPECT_FALSE(entry.second & FILE_ATTRIBUTE_TEMPORARY) << entry.first.c_str();
        nested += entry.first == L"Storage Card";
    }
    EXPECT_EQ(1, nested);
}

TEST_F(CoreDllFiles, ListingsNeverShowDotEntries)
{
    MakeFolder(L"\\coredll test");
    MakeFile(L"\\coredll test\\one.txt");
    MakeFolder(L"\\coredll test\\sub");
    MakeFolder(L"\\coredll test\\empty");

    auto entries = ListFolder(L"\\coredll test\\*");
    std::vector<std::wstring> names;
    for (const auto& e : entries)
        names.push_back(e.first);
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::wstring>{L"empty", L"one.txt", L"sub"}), names);

    // A folder holding only "." and ".." lists nothing at all.
    WIN32_FIND_DATAW data;
    EXPECT_EQ(INVALID_HANDLE_VALUE, FindFirstFileW(L"\\coredll test\\empty\\*", &data));
    for (const auto& e : ListFolder(L"\\*"))
        EXPECT_TRUE(e.first != L"." && e.first != L"..");
}

TEST(CoreDllKernel, RebootIsLoggedNotPerformed)
{
    DeviceLog log;
    EXPECT_TRUE(KernelIoControl(IOCTL_HAL_REBOOT, nullptr, 0, nullptr, 0, nullptr));
    SetCleanRebootFlag();
    DWORD returned = 7;
    EXPECT_TRUE(KernelIoControl(IOCTL_HAL_REBOOT, nullptr, 0, nullptr, 0, &returned));
    EXPECT_EQ(0u, returned);
    SetLastError(0);
    EXPECT_FALSE(KernelIoControl(0x01010000, nullptr, 0, nullptr, 0, nullptr));
    EXPECT_EQ((DWORD)ERROR_NOT_SUPPORTED, GetLastError());

    std::vector<std::wstring> reboots;
    for (const std::wstring& line : log.Lines(L"coredll: "))
        if (line.find(L"reboot") != std::wstring::npos)
            reboots.push_back(line);
    EXPECT_EQ((std::vector<std::wstring>{L"coredll: reboot", L"coredll: clean reboot flag set",
                                         L"coredll: reboot (clean)"}),
              reboots);
}

// Programs that reach the reboot by the device's ordinal rather than by name.
TEST(CoreDllKernel, KernelIoControlIsReachedAtOrdinal557)
{
    HMODULE core = LoadLibraryW(L"coredll.dll");
    ASSERT_NE(nullptr, core);
    using KernelIoControlFn = BOOL(WINAPI*)(DWORD, LPVOID, DWORD, LPVOID, DWORD, LPDWORD);
    auto byOrdinal =
        reinterpret_cast<KernelIoControlFn>(reinterpret_cast<void*>(GetProcAddress(core, MAKEINTRESOURCEA(557))));
    ASSERT_NE(nullptr, byOrdinal);
    EXPECT_EQ(reinterpret_cast<void*>(byOrdinal), reinterpret_cast<void*>(GetProcAddress(core, "KernelIoControl")));
    DeviceLog log;
    EXPECT_TRUE(byOrdinal(IOCTL_HAL_REBOOT, nullptr, 0, nullptr, 0, nullptr));
    EXPECT_TRUE(log.HasLine(L"coredll: reboot"));
    FreeLibrary(core);
}

TEST(CoreDllSystem, VersionIsTheDevicesAndCanBeSetForTests)
{
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    ASSERT_TRUE(GetVersionExW(&info));
    EXPECT_EQ(4u, info.dwMajorVersion);
    EXPECT_EQ(20u, info.dwMinorVersion);
    EXPECT_EQ(3u, info.dwPlatformId) << "not the CE platform";

    DeviceState state;
    state.Set(L"VersionMajor", 3);
    state.Set(L"VersionMinor", 0);
    OSVERSIONINFOEXW extended = {};
    extended.dwOSVersionInfoSize = sizeof(extended);
    ASSERT_TRUE(GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&extended)));
    EXPECT_EQ(3u, extended.dwMajorVersion);
    EXPECT_EQ(0u, extended.dwMinorVersion);

    // A record of no known size is refused, not overrun.
    OSVERSIONINFOW wrong = {};
    wrong.dwOSVersionInfoSize = 12;
    EXPECT_FALSE(GetVersionExW(&wrong));
}

TEST(CoreDllKeys, PowerKeySuspendsAndIsNeverTyped)
{
    DeviceState state;
    state.Set(L"Display", VideoPowerOn);
    TestWindow window(L"CoreDllKeyWindow", RECT{20, 60, 220, 200});
    ASSERT_TRUE(window.hwnd());
    SetForegroundWindow(window.hwnd());
    SetFocus(window.hwnd());
    PumpMessages(100);

    DeviceLog log;
    window.ClearMessages();
    keybd_event(VK_OFF, 0, KEYEVENTF_SILENT, 0);
    keybd_event(VK_OFF, 0, KEYEVENTF_SILENT | KEYEVENTF_KEYUP, 0);
    PumpMessages(300);
    EXPECT_TRUE(window.Messages(WM_KEYDOWN).empty());
    EXPECT_TRUE(window.Messages(WM_CHAR).empty());
    EXPECT_TRUE(log.HasLine(L"coredll: power off"));
    EXPECT_EQ((DWORD)VideoPowerOff, ReadDword(DEVICE_STATE_KEY, L"Display"));

    // Other keys still reach the window, as themselves even with the silent flag.
    keybd_event('K', 0, KEYEVENTF_SILENT, 0);
    keybd_event('K', 0, KEYEVENTF_SILENT | KEYEVENTF_KEYUP, 0);
    PumpMessages(300);
    auto downs = window.Messages(WM_KEYDOWN);
    ASSERT_EQ(1u, downs.size());
    EXPECT_EQ((WPARAM)'K', downs[0].wParam);
}

TEST(CoreDllDisplay, PowerEscapesKeepTheDisplayState)
{
    DeviceState state;
    state.Set(L"Display", VideoPowerOn);
    HDC screen = GetDC(nullptr);
    VIDEO_POWER_MANAGEMENT vpm = {sizeof(vpm), 0, 0};
    ASSERT_GT(ExtEscape(screen, GETPOWERMANAGEMENT, 0, nullptr, sizeof(vpm), (LPSTR)&vpm), 0);
    EXPECT_EQ((ULONG)VideoPowerOn, vpm.PowerState);

    vpm.PowerState = VideoPowerOff;
    EXPECT_GT(ExtEscape(screen, SETPOWERMANAGEMENT, sizeof(vpm), (LPCSTR)&vpm, 0, nullptr), 0);
    EXPECT_EQ((DWORD)VideoPowerOff, ReadDword(DEVICE_STATE_KEY, L"Display"));
    VIDEO_POWER_MANAGEMENT got = {};
    ASSERT_GT(ExtEscape(screen, GETPOWERMANAGEMENT, 0, nullptr, sizeof(got), (LPSTR)&got), 0);
    EXPECT_EQ(12u, got.Length);
    EXPECT_EQ((ULONG)VideoPowerOff, got.PowerState);

    // Bad requests fail and change nothing.
    vpm.PowerState = 9;
    EXPECT_LT(ExtEscape(screen, SETPOWERMANAGEMENT, sizeof(vpm), (LPCSTR)&vpm, 0, nullptr), 0);
    EXPECT_LT(ExtEscape(screen, SETPOWERMANAGEMENT, 4, (LPCSTR)&vpm, 0, nullptr), 0);
    EXPECT_EQ((DWORD)VideoPowerOff, ReadDword(DEVICE_STATE_KEY, L"Display"));

    DWORD query = SETPOWERMANAGEMENT;
    EXPECT_EQ(1, ExtEscape(screen, QUERYESCSUPPORT, sizeof(query), (LPCSTR)&query, 0, nullptr));
    ReleaseDC(nullptr, screen);
}

TEST(CoreDllSound, WaveVolumeOfDeviceZeroIsKept)
{
    DeviceState state;
    state.Set(L"Volume", 0);
    EXPECT_EQ((MMRESULT)MMSYSERR_NOERROR, waveOutSetVolume(nullptr, 0x80004000));
    DWORD volume = 0;
    EXPECT_EQ((MMRESULT)MMSYSERR_NOERROR, waveOutGetVolume(nullptr, &volume));
    EXPECT_EQ(0x80004000u, volume);
    EXPECT_EQ(0x80004000u, ReadDword(DEVICE_STATE_KEY, L"Volume"));
    EXPECT_EQ((MMRESULT)MMSYSERR_INVALPARAM, waveOutGetVolume(nullptr, nullptr));
}

TEST(CoreDllSystem, OemInfoAndPlatformType)
{
    DeviceState state;
    state.Set(L"OEMInfo", L"Maker Pocket H3900");
    wchar_t text[64];
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETOEMINFO, sizeof(text), text, 0));
    EXPECT_STREQ(L"Maker Pocket H3900", text);
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETPLATFORMTYPE, sizeof(text), text, 0));
    EXPECT_STREQ(L"PocketPC", text);

    // The whole string or nothing: too small a buffer fails untouched.
    wchar_t small[8] = L"keep";
    EXPECT_FALSE(SystemParametersInfoW(SPI_GETOEMINFO, sizeof(small), small, 0));
    EXPECT_STREQ(L"keep", small);

    // Desktop actions still work.
    RECT work = {};
    EXPECT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_GT(work.right, work.left);
}

TEST(CoreDllRegistry, DeletingAKeyDeletesItsSubkeys)
{
    const wchar_t root[] = L"Software\\KetraTest\\coredll";
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\KetraTest\\coredll\\a\\b\\c", 0,
                                             nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    DWORD one = 1;
    RegSetValueExW(key, L"v", 0, REG_DWORD, (const BYTE*)&one, sizeof(one));
    RegCloseKey(key);
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\KetraTest\\coredll\\x", L"v", REG_DWORD, &one, sizeof(one));

    // An empty subkey names the open key itself; it must not empty it.
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, root, 0, KEY_ALL_ACCESS, &key));
    RegDeleteKeyW(key, L"");
    RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\KetraTest\\coredll\\a\\b\\c", 0,
                                           KEY_READ, &key));
    RegCloseKey(key);

    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyW(HKEY_CURRENT_USER, root));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExW(HKEY_CURRENT_USER, root, 0, KEY_READ, &key));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteKeyW(HKEY_CURRENT_USER, root));
}

// Source pixels equal to the transparent colour leave the destination as it
// was; every other pixel arrives exactly, also when shrinking (the desktop's
// default stretch mode would AND neighbouring pixels together).
TEST(CoreDllGraphics, TransparentImageKeepsExactColours)
{
    const COLORREF key = RGB(255, 0, 255), ink = RGB(10, 200, 30), paper = RGB(200, 100, 5);
    const COLORREF back = RGB(0x12, 0x34, 0x56);
    auto makeDib = [](int w, int h, int bits, const std::function<COLORREF(int, int)>& colour, HDC* dc) {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, (WORD)bits, BI_RGB, 0, 0, 0, 0, 0};
        void* pixels = nullptr;
        HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        *dc = CreateCompatibleDC(nullptr);
        SelectObject(*dc, bitmap);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                SetPixel(*dc, x, y, colour(x, y));
        return bitmap;
    };
    // Source 8x8: the top half a checkerboard of 2x2 blocks of key and ink,
    // the bottom half one-pixel columns of ink and paper.
    auto pattern = [&](int x, int y) {
        if (y < 4)
            return ((x / 2 + y / 2) % 2) ? key : ink;
        return (x % 2) ? paper : ink;
    };
    HDC source, dest;
    HBITMAP sourceBitmap = makeDib(8, 8, 24, pattern, &source);
    HBITMAP destBitmap = makeDib(16, 8, 32, [&](int, int) { return back; }, &dest);

    ASSERT_TRUE(TransparentImage(dest, 0, 0, 8, 8, source, 0, 0, 8, 8, key));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(pattern(x, y) == key ? back : pattern(x, y), GetPixel(dest, x, y)) << x << "," << y;

    ASSERT_TRUE(TransparentImage(dest, 8, 0, 4, 4, source, 0, 0, 8, 8, key));  // halved
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(pattern(2 * x, 2 * y) == key ? back : ink, GetPixel(dest, 8 + x, y)) << x << "," << y;
    for (int y = 2; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            COLORREF got = GetPixel(dest, 8 + x, y);
            ASSERT_TRUE(got == ink || got == paper) << std::hex << got << " at " << x << "," << y;
        }

    // A bitmap handle serves as the source too.
    DeleteDC(source);
    ASSERT_TRUE(TransparentImage(dest, 12, 4, 4, 4, sourceBitmap, 0, 0, 4, 4, key));
    EXPECT_EQ(ink, GetPixel(dest, 12, 4));
    EXPECT_EQ(back, GetPixel(dest, 14, 4));
    DeleteDC(dest);
    DeleteObject(sourceBitmap);
    DeleteObject(destBitmap);
}
