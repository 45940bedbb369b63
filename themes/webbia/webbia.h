// Webbia, the HTML viewer Today item: a strip of HTML on the Today screen
// (or in the side bar) showing the animation of the Today theme in force, a
// local page or a web site.  It links only the device's libraries and asks
// the theme library, loaded by path, whether the theme is animated.
#pragma once
#include <windows.h>

#define WEBBIA_CLASS L"Webbia"
#define WEBBIA_SETTINGS_KEY L"Software\\Microsoft\\Today\\Items\\ZARQ HTML Viewer"
#define WEBBIA_ANIMATION_PAGE L"\\Windows\\at2k.htm"
#define WEBBIA_EMPTY_PAGE L"\\Windows\\zarqdummy.htm"
#define WEBBIA_THEME_LIBRARY L"\\Windows\\Tessary.dll"

const int kWebbiaTextMax = 260;   // characters of File and Website
const int kWebbiaMaxHeight = 320;  // heights are kept within 0..320
const int kWebbiaModeTheme = 0;
const int kWebbiaModeFile = 1;
const int kWebbiaModeWebsite = 2;

struct WebbiaSettings {
    DWORD mode = 0;
    DWORD height = 80;
    wchar_t file[kWebbiaTextMax + 1] = L"\\Windows\\at2k.htm";
    wchar_t website[kWebbiaTextMax + 1] = L"zarq.example.com";
};

// The settings as last read (process-wide, as the item keeps them).
extern WebbiaSettings g_webbiaSettings;
extern HINSTANCE g_webbiaModule;

// ---- registry.cpp: the item's own registry helper -----------------------------
// Keys may be written with a leading backslash, as on the device; it is
// dropped before the desktop registry sees the path.
HKEY WebbiaOpenKey(HKEY root, const wchar_t* path, REGSAM access);
bool WebbiaReadDword(HKEY key, const wchar_t* name, DWORD* value);
// Reads a string into a buffer of cch characters, always terminated;
// false when missing, not a string or longer than the buffer.
bool WebbiaReadString(HKEY key, const wchar_t* name, wchar_t* buffer, DWORD cch);
bool WebbiaWriteDword(HKEY key, const wchar_t* name, DWORD value);
bool WebbiaWriteString(HKEY key, const wchar_t* name, const wchar_t* text);

// ---- settings.cpp ---------------------------------------------------------------
// Reads the settings key into g_webbiaSettings (nothing changes when the key
// does not open).  A mode other than 1 or 2 reads as 0; heights beyond
// 0..320 are brought within.
void ReadWebbiaSettings();
// Whether the Today theme in force is animated (HKCU "\Software\Microsoft\
// Today" Skin, asked of the theme library's IsAniTsk).
bool TodayThemeIsAnimated();
// The value of the last "height" attribute of an 8-bit page, 0 for none or
// an unreadable page.
int PageHeight(const wchar_t* path);
// Brings a height within 0..320.
DWORD ClampHeight(long long height);

// ---- item_window.cpp --------------------------------------------------------------
// The item window's class, registered afresh at load and removed at unload.
bool RegisterWebbiaClass();
void UnregisterWebbiaClass();
