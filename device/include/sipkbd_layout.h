// The device's built-in keyboard (\Windows\sipkbd.dll, input method
// "Keyboard"): its class and its fixed layout, so that programs and tests
// know where each key is.
//
// The keyboard is 240 x 80 pixels, five rows of 16; in the input panel it
// sits at (0,214)-(240,294), above the menu bar.  Keys with a character
// type it through the host's SendCharEvents (down, then up); the others go
// through SendVirtualKey (down, then up).  Shift shifts the next character
// only; CAP stays until tapped again and shifts letters.
#pragma once
#include <windows.h>

// {B35A2500-C744-4323-8C6C-B017B3B434D2}
inline constexpr CLSID CLSID_SipKeyboard = {
    0xB35A2500, 0xC744, 0x4323, {0x8C, 0x6C, 0xB0, 0x17, 0xB3, 0xB4, 0x34, 0xD2}};
#define SIPKBD_CLSID_TEXT L"{B35A2500-C744-4323-8C6C-B017B3B434D2}"
#define SIPKBD_NAME L"Keyboard"

constexpr int kSipKeyboardWidth = 240;
constexpr int kSipKeyboardHeight = 80;
constexpr RECT kSipKeyboardPanel = {0, 214, 240, 294};  // in the input panel, screen coordinates
constexpr int kSipKeyHeight = 16;

enum SipKeyKind : unsigned char {
    SipKeyCharacter,  // types `normal`, or `shifted` under Shift (letters also under CAP)
    SipKeyVirtual,    // sends the virtual key `vk`
    SipKeyShift,      // one-shot Shift
    SipKeyCaps,       // CAP: letters in capitals until tapped again
};

struct SipKey {
    short left, top, width;  // in the keyboard window; every key is kSipKeyHeight high
    SipKeyKind kind;
    BYTE vk;
    bool extended;            // sent with KEYEVENTF_EXTENDEDKEY (the arrows)
    wchar_t normal, shifted;  // characters of a character key
    const wchar_t* label;     // drawn on the key; null: the character, or an arrow for the virtual keys
};

// The table reads as the keyboard's rows.
// clang-format off
#define SIPKBD_ROW(y) static_cast<short>((y) * kSipKeyHeight)
// A character key of the standard width 16.
#define SIPKBD_CHAR(x, y, vk, normal, shifted) \
    {static_cast<short>(x), SIPKBD_ROW(y), 16, SipKeyCharacter, vk, false, normal, shifted, nullptr}

inline constexpr SipKey kSipKeys[] = {
    // Row 0: digits, - =, Backspace
    SIPKBD_CHAR(0, 0, '1', L'1', L'!'), SIPKBD_CHAR(16, 0, '2', L'2', L'@'), SIPKBD_CHAR(32, 0, '3', L'3', L'#'),
    SIPKBD_CHAR(48, 0, '4', L'4', L'$'), SIPKBD_CHAR(64, 0, '5', L'5', L'%'), SIPKBD_CHAR(80, 0, '6', L'6', L'^'),
    SIPKBD_CHAR(96, 0, '7', L'7', L'&'), SIPKBD_CHAR(112, 0, '8', L'8', L'*'), SIPKBD_CHAR(128, 0, '9', L'9', L'('),
    SIPKBD_CHAR(144, 0, '0', L'0', L')'), SIPKBD_CHAR(160, 0, VK_OEM_MINUS, L'-', L'_'),
    SIPKBD_CHAR(176, 0, VK_OEM_PLUS, L'=', L'+'),
    {192, SIPKBD_ROW(0), 48, SipKeyVirtual, VK_BACK, false, 0, 0, nullptr},
    // Row 1: Tab, q ... ], backslash
    {0, SIPKBD_ROW(1), 32, SipKeyVirtual, VK_TAB, false, 0, 0, L"Tab"},
    SIPKBD_CHAR(32, 1, 'Q', L'q', L'Q'), SIPKBD_CHAR(48, 1, 'W', L'w', L'W'), SIPKBD_CHAR(64, 1, 'E', L'e', L'E'),
    SIPKBD_CHAR(80, 1, 'R', L'r', L'R'), SIPKBD_CHAR(96, 1, 'T', L't', L'T'), SIPKBD_CHAR(112, 1, 'Y', L'y', L'Y'),
    SIPKBD_CHAR(128, 1, 'U', L'u', L'U'), SIPKBD_CHAR(144, 1, 'I', L'i', L'I'), SIPKBD_CHAR(160, 1, 'O', L'o', L'O'),
    SIPKBD_CHAR(176, 1, 'P', L'p', L'P'), SIPKBD_CHAR(192, 1, VK_OEM_4, L'[', L'{'),
    SIPKBD_CHAR(208, 1, VK_OEM_6, L']', L'}'), SIPKBD_CHAR(224, 1, VK_OEM_5, L'\\', L'|'),
    // Row 2: CAP, a ... ', Enter
    {0, SIPKBD_ROW(2), 32, SipKeyCaps, VK_CAPITAL, false, 0, 0, L"CAP"},
    SIPKBD_CHAR(32, 2, 'A', L'a', L'A'), SIPKBD_CHAR(48, 2, 'S', L's', L'S'), SIPKBD_CHAR(64, 2, 'D', L'd', L'D'),
    SIPKBD_CHAR(80, 2, 'F', L'f', L'F'), SIPKBD_CHAR(96, 2, 'G', L'g', L'G'), SIPKBD_CHAR(112, 2, 'H', L'h', L'H'),
    SIPKBD_CHAR(128, 2, 'J', L'j', L'J'), SIPKBD_CHAR(144, 2, 'K', L'k', L'K'), SIPKBD_CHAR(160, 2, 'L', L'l', L'L'),
    SIPKBD_CHAR(176, 2, VK_OEM_1, L';', L':'), SIPKBD_CHAR(192, 2, VK_OEM_7, L'\'', L'"'),
    {208, SIPKBD_ROW(2), 32, SipKeyVirtual, VK_RETURN, false, 0, 0, nullptr},
    // Row 3: Shift, z ... /, `
    {0, SIPKBD_ROW(3), 64, SipKeyShift, VK_SHIFT, false, 0, 0, L"Shift"},
    SIPKBD_CHAR(64, 3, 'Z', L'z', L'Z'), SIPKBD_CHAR(80, 3, 'X', L'x', L'X'), SIPKBD_CHAR(96, 3, 'C', L'c', L'C'),
    SIPKBD_CHAR(112, 3, 'V', L'v', L'V'), SIPKBD_CHAR(128, 3, 'B', L'b', L'B'), SIPKBD_CHAR(144, 3, 'N', L'n', L'N'),
    SIPKBD_CHAR(160, 3, 'M', L'm', L'M'), SIPKBD_CHAR(176, 3, VK_OEM_COMMA, L',', L'<'),
    SIPKBD_CHAR(192, 3, VK_OEM_PERIOD, L'.', L'>'), SIPKBD_CHAR(208, 3, VK_OEM_2, L'/', L'?'),
    SIPKBD_CHAR(224, 3, VK_OEM_3, L'`', L'~'),
    // Row 4: space, arrows
    {0, SIPKBD_ROW(4), 176, SipKeyCharacter, VK_SPACE, false, L' ', L' ', L""},
    {176, SIPKBD_ROW(4), 16, SipKeyVirtual, VK_LEFT, true, 0, 0, nullptr},
    {192, SIPKBD_ROW(4), 16, SipKeyVirtual, VK_UP, true, 0, 0, nullptr},
    {208, SIPKBD_ROW(4), 16, SipKeyVirtual, VK_DOWN, true, 0, 0, nullptr},
    {224, SIPKBD_ROW(4), 16, SipKeyVirtual, VK_RIGHT, true, 0, 0, nullptr},
};

#undef SIPKBD_CHAR
#undef SIPKBD_ROW
// clang-format on

inline constexpr int kSipKeyCount = static_cast<int>(sizeof(kSipKeys) / sizeof(kSipKeys[0]));

// The key at a point of the keyboard window, or null.
inline const SipKey* SipKeyAt(int x, int y)
{
    for (const SipKey& key : kSipKeys)
        if (x >= key.left && x < key.left + key.width && y >= key.top && y < key.top + kSipKeyHeight)
            return &key;
    return nullptr;
}

// The key that types c (as its normal or its shifted character), or that
// sends vk; null when there is none.
inline const SipKey* SipKeyForCharacter(wchar_t c)
{
    for (const SipKey& key : kSipKeys)
        if (key.kind == SipKeyCharacter && (key.normal == c || key.shifted == c))
            return &key;
    return nullptr;
}
inline const SipKey* SipKeyForVirtualKey(BYTE vk)
{
    for (const SipKey& key : kSipKeys)
        if (key.kind != SipKeyCharacter && key.vk == vk)
            return &key;
    return nullptr;
}

// The key's middle on the screen when the keyboard's window starts at origin
// (kSipKeyboardPanel's top-left in the input panel).
inline POINT SipKeyCentre(const SipKey& key, POINT origin)
{
    return {origin.x + key.left + key.width / 2, origin.y + key.top + kSipKeyHeight / 2};
}
