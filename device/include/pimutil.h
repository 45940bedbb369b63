// The device's PIM utility library ("\Windows\PimUtil.dll"): sending items
// (contacts) to another device.  Programs load it by path and look the
// function up by name.
#pragma once
#include <windows.h>

typedef DWORD CEOID;

// Beams count items given by their object ids; flags are reserved (0).
typedef HRESULT(WINAPI* PIMSENDITEMS)(HWND owner, const CEOID* oids, UINT count, DWORD flags);
