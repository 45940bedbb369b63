// The simulated device's event log and state key.
//
// Every simulated service records what happened (launches, beams, reboot
// requests, power off, control-panel pages, played sounds) as one line of
// the device log, "\Windows\devlog.txt", which `devctl log` prints and tests
// read.  The device's adjustable state (battery, AC line, memory, store, OEM
// string, storage cards, display, volume, test overrides) lives under one
// registry key, HKLM "Software\SimDevice", so tests can set it from outside.
#pragma once
#include <windows.h>

#define DEVICE_LOG_PATH   L"D:\\Windows\\devlog.txt"
#define DEVICE_STATE_KEY  L"Software\\SimDevice"

// Appends "<source>: <text>" as one line to the device log.  Lines from
// several processes never interleave (a named mutex guards the file).
void DevLog(const wchar_t* source, const wchar_t* format, ...);

// Reads a DWORD of the device state; returns fallback when it is missing or
// not a DWORD.
DWORD DevStateGetDword(const wchar_t* name, DWORD fallback);
void DevStateSetDword(const wchar_t* name, DWORD value);

// Reads a string of the device state into buf (always terminated); returns
// FALSE and an empty string when it is missing or not a string.
BOOL DevStateGetString(const wchar_t* name, wchar_t* buf, DWORD cch);
void DevStateSetString(const wchar_t* name, const wchar_t* value);

// Deletes a value of the device state (one-shot overrides consume themselves).
void DevStateDelete(const wchar_t* name);
