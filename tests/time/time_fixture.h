// What the time applets' tests share: the registry they change (the bar's
// colours and the biorhythm's birthday, put back after each test), the
// device's clock stopped in the Pacific zone, and pixels compared whole.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "device_clock.h"
#include "ketra_testkit.h"

const wchar_t kColoursKey[] = L"Software\\ZARQ\\Ketra\\Colors";
const wchar_t kBirthdayKey[] = L"SOFTWARE\\ZARQ\\Applets\\Q Bio";

// Moments whose UTC date is the next day in the Pacific zone, so an applet
// that took the universal date would show it.
const WORD kPacific = 4;
const wchar_t kJanuary15Evening[] = L"2004-01-16 05:00:00";  // Thursday 15 January 2004, 21:00

inline std::vector<COLORREF> PixelsOf(const testkit::PixelSurface& surface, const RECT& area)
{
    std::vector<COLORREF> pixels;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            pixels.push_back(surface.At(x, y));
    return pixels;
}

inline void StoreBirthday(int year, int month, int day)
{
    testkit::WriteDword(kBirthdayKey, L"BYEAR", (DWORD)year);
    testkit::WriteDword(kBirthdayKey, L"BMON", (DWORD)month);
    testkit::WriteDword(kBirthdayKey, L"BDAY", (DWORD)day);
}

inline std::vector<DWORD> StoredBirthday()
{
    return {testkit::ReadDword(kBirthdayKey, L"BYEAR"), testkit::ReadDword(kBirthdayKey, L"BMON"),
            testkit::ReadDword(kBirthdayKey, L"BDAY")};
}

// The colours and the birthday are changed before an applet starts, so
// they have a sandbox of their own (a bar's puts back the rest).
class TimeTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(registry_.Saved()); }
    testkit::RegistrySandbox registry_ = testkit::RegistrySandbox({kColoursKey, kBirthdayKey});
};
