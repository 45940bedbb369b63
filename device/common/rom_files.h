// The device's ROM: the read-only part of its object store.
//
// device/image/rom/ mirrors device paths; at every boot it is laid beside
// the device drive and reached as drive R:, never written.  A device file
// with no file of the same name in RAM (the device drive) shows its ROM
// copy instead.  coredll's file functions apply this for every program; the
// shell, which does not link coredll, asks here directly.
#pragma once
#include <windows.h>

#define DEVICE_ROM_DRIVE L"R:"

// The object store's attribute of a file that lives in ROM.
#define FILE_ATTRIBUTE_INROM 0x00000040

// The ROM location of `path` (a device path, "D:\..." or relative to the
// device root) whether or not anything is there; false for paths off the
// device drive or too long for cch.  Wildcards are kept, so this maps find
// patterns as well.
bool DevRomLocation(const wchar_t* path, wchar_t* romPath, DWORD cch);

// True, with its location, when `path` has no file in RAM but a file in ROM.
bool DevRomOnlyFile(const wchar_t* path, wchar_t* romPath, DWORD cch);

// What a reader of `path` should open: the ROM copy when only ROM has the
// file, else path itself.  False only when the result does not fit.
bool DevReadablePath(const wchar_t* path, wchar_t* out, DWORD cch);
