// The media player's skin files as the skin browser reads them: a skin's
// ".skn" (8-bit text naming its background picture) and the player's
// current-skin file "default.skn" ("<length>#<skin file path>").
#pragma once

#include <windows.h>

#define PLAYER_FOLDER L"\\Program Files\\Windows Media Player"
#define PLAYER_CURRENT_SKIN_FILE L"\\Program Files\\Windows Media Player\\default.skn"

// The background picture a ".skn" names ("Background <name>"; blanks, tabs,
// CR and LF separate words); false when it names none.
bool ReadSkinBackground(LPCWSTR sknPath, wchar_t* background, size_t cch);
// The skin file "default.skn" names (after its first "#", trimmed).
bool ReadCurrentSkin(wchar_t* path, size_t cch);
// The same from another file of that form.
bool ReadCurrentSkinFrom(LPCWSTR file, wchar_t* path, size_t cch);
