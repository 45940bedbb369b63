// The device's hardware buttons: the application keys 0xC1-0xC6 start the
// command assigned to each (HKLM "Software\Microsoft\Shell\Keys\40C1" ...
// "40C6", default value).  The shell holds them as hot keys, so the program
// in front never sees them; the assignments are read at start and again
// when a settings program broadcasts WM_SETTINGCHANGE with wParam 228.
#include "shell.h"

#include <devlog.h>
#include <stdio.h>
#include <wchar.h>

namespace {

constexpr UINT kFirstKey = 0xC1;  // VK_APP1
constexpr int kKeyCount = 6;
constexpr int kHotKeyBase = 0x40C1;  // hot-key ids: the key's registry name
const wchar_t kKeysRoot[] = L"Software\\Microsoft\\Shell\\Keys";
constexpr int kCommandCch = 1024;

HWND g_owner = nullptr;
bool g_registered[kKeyCount] = {};
wchar_t g_commands[kKeyCount][kCommandCch];

// The default value of one button's key; empty when there is none or it is
// not a string that fits.
void ReadCommand(int index, wchar_t* command, int cch)
{
    command[0] = L'\0';
    wchar_t path[96];
    _snwprintf(path, 95, L"%ls\\%x", kKeysRoot, kHotKeyBase + index);
    path[95] = L'\0';
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    DWORD type = 0;
    DWORD cb = (DWORD)((cch - 1) * sizeof(wchar_t));
    LONG result = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(command), &cb);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        if (result == ERROR_MORE_DATA)
            DevLog(L"shell", L"button %x: the command is too long", kHotKeyBase + index);
        command[0] = L'\0';
        return;
    }
    // The stored text need not be terminated.
    command[cb / sizeof(wchar_t)] = L'\0';
}

} // namespace

void StartHardwareKeys(HWND owner)
{
    g_owner = owner;
    for (int i = 0; i < kKeyCount; ++i) {
        g_registered[i] = RegisterHotKey(owner, kHotKeyBase + i, MOD_NOREPEAT, kFirstKey + i) != 0;
        if (!g_registered[i])
            DevLog(L"shell", L"button %x: the key is held by another program", kHotKeyBase + i);
    }
    ReloadHardwareKeys();
}

void ReloadHardwareKeys()
{
    for (int i = 0; i < kKeyCount; ++i) {
        ReadCommand(i, g_commands[i], kCommandCch);
        // A program that held a key may have let it go since.
        if (!g_registered[i] && g_owner)
            g_registered[i] = RegisterHotKey(g_owner, kHotKeyBase + i, MOD_NOREPEAT, kFirstKey + i) != 0;
    }
}

void OnHardwareKey(WPARAM hotKeyId)
{
    int index = (int)hotKeyId - kHotKeyBase;
    if (index < 0 || index >= kKeyCount)
        return;
    if (!g_commands[index][0]) {
        DevLog(L"shell", L"button %x: nothing assigned", kHotKeyBase + index);
        return;
    }
    wchar_t why[32];
    _snwprintf(why, 31, L"button %x", kHotKeyBase + index);
    why[31] = L'\0';
    DevLog(L"shell", L"%ls: %ls", why, g_commands[index]);
    RunDeviceCommand(g_commands[index], why);
}

void StopHardwareKeys(HWND owner)
{
    for (int i = 0; i < kKeyCount; ++i) {
        if (g_registered[i])
            UnregisterHotKey(owner, kHotKeyBase + i);
        g_registered[i] = false;
    }
    g_owner = nullptr;
}
