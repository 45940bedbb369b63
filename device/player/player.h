// Player.exe, the device's media player: one window titled "Windows Media"
// showing the face of the skin in force.
//
// Skins live in "\Program Files\Windows Media Player": one folder per skin
// with "<Name>.skn" (8-bit text, CR LF lines; "Background <picture>" names
// the face beside it).  The skin in force is HKLM
// "SOFTWARE\Microsoft\Windows Media Player 8\Parameters" SkinDir + "\" +
// SkinFile, else the one "default.skn" names ("<length>#<skin file path>"),
// else none.  When the player loads another skin than default.skn names, it
// rewrites default.skn (whole or not at all).
#pragma once
#include <windows.h>

#include <string>

#define PLAYER_FOLDER L"\\Program Files\\Windows Media Player"
#define PLAYER_CURRENT_SKIN_FILE L"\\Program Files\\Windows Media Player\\default.skn"
#define PLAYER_PARAMETERS_KEY L"SOFTWARE\\Microsoft\\Windows Media Player 8\\Parameters"
#define PLAYER_WINDOW_CLASS L"WMPSkinWindow"
#define PLAYER_WINDOW_TITLE L"Windows Media"

struct Skin {
    std::wstring file;        // the .skn, empty for none
    std::wstring background;  // the picture's name as the .skn gives it
    std::wstring picture;     // its path beside the .skn
};

// ---- skin_choice.cpp ----------------------------------------------------------
// Reads a device text file (a ROM copy when RAM has none) whole, up to
// maxBytes; false when it cannot be read or is larger.
bool ReadDeviceText(const std::wstring& path, size_t maxBytes, std::string* text);
// The skin the player loads, with its background read from the .skn.
Skin ChooseSkin();
// The .skn's background picture ("Background <name>"; blanks, tabs, CR and
// LF separate words).  False when the file has none.
bool ReadSkinBackground(const std::wstring& sknPath, std::wstring* background);
// Makes default.skn name this skin unless it does already.
void RememberSkin(const std::wstring& sknPath);
