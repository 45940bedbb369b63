// The device's clock stopped at a moment and its zone chosen, for one test
// (or a fixture's life); what was there before comes back afterwards.
//
//     DeviceClock clock(L"2004-07-01 12:00:00", 35);   // UTC moment, zone key
//     clock.SetZone(255);
//     clock.Stop(L"2004-12-01 12:00:00");
//
// Link devcommon (device/common): the clock and the zone table are there.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "devclock.h"
#include "devlog.h"

class DeviceClock {
public:
    DeviceClock(const wchar_t* utc, WORD zone)
    {
        hadMoment_ = DevStateGetString(DEVICE_CLOCK_VALUE, moment_, 64) != FALSE;
        DWORD cb = sizeof(zone_);
        hadZone_ = RegGetValueW(HKEY_LOCAL_MACHINE, DEVICE_CLOCK_KEY, DEVICE_ZONE_VALUE, RRF_RT_REG_DWORD, nullptr,
                                &zone_, &cb) == ERROR_SUCCESS;
        Stop(utc);
        SetZone(zone);
    }
    ~DeviceClock()
    {
        if (hadMoment_)
            DevStateSetString(DEVICE_CLOCK_VALUE, moment_);
        else
            DevClockRun();
        HKEY clock = nullptr;
        if (hadZone_ && RegCreateKeyExW(HKEY_LOCAL_MACHINE, DEVICE_CLOCK_KEY, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                        &clock, nullptr) == ERROR_SUCCESS) {
            RegSetValueExW(clock, DEVICE_ZONE_VALUE, 0, REG_DWORD, (const BYTE*)&zone_, sizeof(zone_));
            RegCloseKey(clock);
        } else if (!hadZone_)
            RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, DEVICE_CLOCK_KEY, DEVICE_ZONE_VALUE);
    }
    DeviceClock(const DeviceClock&) = delete;
    DeviceClock& operator=(const DeviceClock&) = delete;

    void Stop(const wchar_t* utc)
    {
        SYSTEMTIME moment;
        ASSERT_TRUE(DevClockParse(utc, &moment)) << "not a moment: " << std::string(utc, utc + wcslen(utc));
        ASSERT_TRUE(DevClockStop(moment));
    }
    void SetZone(WORD key) { ASSERT_TRUE(DevClockSetZone(key)) << "no zone " << key; }

private:
    wchar_t moment_[64] = {};
    bool hadMoment_ = false;
    DWORD zone_ = 0;
    bool hadZone_ = false;
};
