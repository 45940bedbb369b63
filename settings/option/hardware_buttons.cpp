// Reading and assigning the hardware buttons' commands.
#include "hardware_buttons.h"

#include <strsafe.h>

#include <corvane.h>

namespace {

const wchar_t kKeysRoot[] = L"Software\\Microsoft\\Shell\\Keys";
constexpr int kFirstButtonKey = 0x40C0;
// The setting-change code after which the shell reads the buttons again.
constexpr WPARAM kButtonsChanged = 228;

BOOL OpenButton(int n, CRegistry& reg, BOOL write)
{
    if (n < 1 || n > kMaxHardwareButtons)
        return FALSE;
    wchar_t path[64];
    if (FAILED(StringCchPrintfW(path, ARRAYSIZE(path), L"%ls\\%x", kKeysRoot, kFirstButtonKey + n)))
        return FALSE;
    return write ? reg.Open(HKEY_LOCAL_MACHINE, path, FALSE, TRUE) : reg.Open(HKEY_LOCAL_MACHINE, path, TRUE);
}

// A string value (null name: the default value) that fits out; anything
// else, a number for one, is not readable text.
BOOL ReadButtonText(int n, LPCWSTR name, wchar_t* out, DWORD cch)
{
    CRegistry reg;
    if (!OpenButton(n, reg, FALSE))
        return FALSE;
    DWORD type = 0;
    if (::RegQueryValueExW(reg.GetHandle(), name, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return FALSE;
    DWORD size = cch;
    return reg.ReadString(name, out, &size);
}

}  // namespace

int CountHardwareButtons()
{
    int count = 0;
    wchar_t command[MAX_PATH];
    while (count < kMaxHardwareButtons && ReadButtonText(count + 1, L"ResetCmd", command, MAX_PATH))
        ++count;
    return count;
}

BOOL CommandFileTitle(LPCWSTR command, wchar_t* out, size_t cch)
{
    // The program: the text between the quotation marks, or all of it.
    wchar_t program[MAX_PATH];
    if (!command || FAILED(StringCchCopyW(program, MAX_PATH, command[0] == L'"' ? command + 1 : command)))
        return FALSE;
    if (command[0] == L'"') {
        if (wchar_t* close = wcschr(program, L'"'))
            *close = L'\0';
    }
    LPCWSTR title = CFileInfo::GetFileTitle(program);
    return title && SUCCEEDED(StringCchCopyW(out, cch, title));
}

int FindKetraButton(int count)
{
    for (int n = 1; n <= count && n <= kMaxHardwareButtons; ++n) {
        wchar_t command[MAX_PATH];
        wchar_t title[MAX_PATH];
        if (ReadButtonText(n, nullptr, command, MAX_PATH) && CommandFileTitle(command, title, MAX_PATH) &&
            wcscmp(title, L"Ketra") == 0)
            return n;
    }
    return 0;
}

BOOL AssignHardwareButton(int n, LPCWSTR command)
{
    CRegistry reg;
    if (!command || !OpenButton(n, reg, TRUE))
        return FALSE;
    BOOL written = reg.WriteString(nullptr, command);
    written &= reg.WriteString(L"WndCls", L"");
    written &= reg.WriteDWORD(L"BtnWnd", 0);
    return written;
}

BOOL RestoreHardwareButton(int n)
{
    wchar_t own[MAX_PATH];
    if (!ReadButtonText(n, L"ResetCmd", own, MAX_PATH))
        return FALSE;
    CRegistry reg;
    return OpenButton(n, reg, TRUE) && reg.WriteString(nullptr, own);
}

void AnnounceHardwareButtons()
{
    // Sent twice, as the device's settings programs do, with a short pause.
    for (int i = 0; i < 2; ++i) {
        ::SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, kButtonsChanged, 0, SMTO_ABORTIFHUNG, 1000,
                              nullptr);
        ::Sleep(20);
    }
}
