// `key VK [down|up]`: a hardware key event through SendInput.
#include "devctl.h"

namespace {

const DWORD kKeyPressMs = 30;

// Keys that sit in the extended part of a keyboard; without the flag the
// arrow keys would arrive as their numeric-keypad twins.
bool IsExtendedKey(WORD vk)
{
    switch (vk) {
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_PRIOR: case VK_NEXT: case VK_HOME: case VK_END:
    case VK_INSERT: case VK_DELETE: case VK_DIVIDE: case VK_NUMLOCK:
    case VK_RCONTROL: case VK_RMENU: case VK_LWIN: case VK_RWIN: case VK_APPS:
        return true;
    default:
        return false;
    }
}

bool SendKey(WORD vk, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = (WORD)MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
    if (SendInput(1, &input, sizeof(input)) != 1) {
        ErrLine(Format(L"devctl: SendInput failed: %ls", ErrorText(GetLastError()).c_str()));
        return false;
    }
    return true;
}

} // namespace

int CmdKey(const Args& args)
{
    DWORD vk;
    if (args.empty() || args.size() > 2 || !ParseUInt32(args[0], &vk) || vk == 0 || vk > 0xFE)
        return kExitUsage;
    bool down = true, up = true;
    if (args.size() == 2) {
        if (args[1] == L"down")
            up = false;
        else if (args[1] == L"up")
            down = false;
        else
            return kExitUsage;
    }
    if (down && !SendKey((WORD)vk, false))
        return kExitFailed;
    if (down && up)
        Sleep(kKeyPressMs);
    if (up && !SendKey((WORD)vk, true))
        return kExitFailed;
    Sleep(kKeyPressMs);  // the event is queued for the target before we leave
    return kExitOk;
}
