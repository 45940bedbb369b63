// Private declarations of cplmain.cpl.
#pragma once
#include <windows.h>

#define IDI_SETTINGS 101

// The library's module, recorded on process attach (icons are loaded from it).
extern HINSTANCE g_cplmainInstance;
