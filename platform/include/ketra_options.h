// The side bar's options key and the values written when it is missing.
// The side bar and its settings program both write them, so they share them.
#pragma once

#include <corvane.h>

#include "ketra_host.h"

namespace KetraOptions {

inline constexpr wchar_t kDefaultApplet[] = L"About";
inline constexpr wchar_t kDefaultSound[] = L"\\Windows\\lowbatt.wav";
inline constexpr wchar_t kDefaultBkImage[] = L"\\Windows\\StWater.gif";
inline constexpr int kDefaultPos = 50;
inline constexpr DWORD kWinModeMinimized = 6;

// Creates the options key under root with every default value.
inline BOOL WriteDefaults(HKEY root)
{
    CRegistry reg;
    if (!reg.Open(root, KETRA_OPTIONS_KEY, FALSE, TRUE))
        return FALSE;
    reg.WriteString(L"DefaultApplet", kDefaultApplet);
    reg.WriteString(L"CurrentApplet", kDefaultApplet);
    reg.WriteDWORD(L"xpos", kDefaultPos);
    reg.WriteDWORD(L"ypos", kDefaultPos);
    reg.WriteDWORD(L"SoundOn", 1);
    reg.WriteString(L"SndOpen", kDefaultSound);
    reg.WriteString(L"SndClose", kDefaultSound);
    reg.WriteDWORD(L"AutoClose", 0);
    reg.WriteDWORD(L"WinMode", kWinModeMinimized);
    reg.WriteDWORD(L"BackOn", 1);
    reg.WriteString(L"BkImage", kDefaultBkImage);
    reg.WriteDWORD(L"BkStretch", 0);
    return TRUE;
}

}  // namespace KetraOptions
