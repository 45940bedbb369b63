// PostKeybdMessage: keys and characters an input method types, posted to
// the window that has the focus (also when it belongs to another process).
#include <sip.h>

#include "coredll_private.h"

namespace {

// The window with the focus in the foreground thread; the foreground
// window itself when that thread has no focus window.
HWND ForegroundFocus()
{
    HWND foreground = GetForegroundWindow();
    if (!foreground)
        return nullptr;
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &info) && info.hwndFocus)
        return info.hwndFocus;
    return foreground;
}

// The key message's lParam: repeat count 1, the key's scan code, the
// previous state (bit 30) and the transition (bit 31, set for a release).
LPARAM KeyParam(UINT vk, bool previousDown, bool release)
{
    LPARAM lp = 1;
    lp |= (LPARAM)(MapVirtualKeyW(vk & 0xFF, MAPVK_VK_TO_VSC) & 0xFF) << 16;
    if (previousDown)
        lp |= (LPARAM)1 << 30;
    if (release)
        lp |= (LPARAM)1 << 31;
    return lp;
}

}  // namespace

extern "C" BOOL WINAPI PostKeybdMessage(HWND hwnd, UINT VKey, KEY_STATE_FLAGS KeyStateFlags, UINT cCharacters,
                                        UINT* pShiftStateBuffer, UINT* pCharacterBuffer)
{
    HWND target = hwnd == (HWND)-1 ? ForegroundFocus() : hwnd;
    if (!target || !IsWindow(target) || (cCharacters && !pCharacterBuffer)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const bool down = (KeyStateFlags & KeyStateDownFlag) != 0;
    const bool previousDown = (KeyStateFlags & KeyStatePrevDownFlag) != 0;

    // A key-down given with character entries (even entries flagged as no
    // character) has its characters posted below.  On the device the key
    // message is not translated again; here the target's TranslateMessage
    // would make characters from the key a second time, unless the key
    // message reads as a release (bit 31), which translates to nothing.  A
    // key given without entries is translated as a hardware key is.
    const bool charactersGiven = down && cCharacters > 0;
    if (VKey) {
        UINT message = down ? WM_KEYDOWN : WM_KEYUP;
        LPARAM lp = KeyParam(VKey, previousDown || !down, !down || charactersGiven);
        if (!PostMessageW(target, message, VKey & 0xFF, lp))
            return FALSE;
    }
    if (!down)
        return TRUE;
    for (UINT i = 0; i < cCharacters; ++i) {
        UINT flags = pShiftStateBuffer ? pShiftStateBuffer[i] : KeyStateFlags;
        if (flags & KeyShiftNoCharacterFlag)
            continue;
        UINT message = (flags & KeyShiftDeadFlag) ? WM_DEADCHAR : WM_CHAR;
        WPARAM character = pCharacterBuffer[i] & 0xFFFF;
        if (!PostMessageW(target, message, character, KeyParam(VKey, previousDown, false)))
            return FALSE;
    }
    return TRUE;
}
