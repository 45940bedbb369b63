// Reading and assigning the device's hardware buttons.
#include "hardware_buttons.h"

#include <cwchar>

#include <strsafe.h>

namespace {

const wchar_t kKeysRoot[] = L"Software\\Microsoft\\Shell\\Keys";
const int kFirstButtonCode = 0x40C0;
const WPARAM kButtonsChanged = 228;
const DWORD kBroadcastWaitMs = 20;
const UINT kAnswerTimeoutMs = 500;

}  // namespace

namespace HardwareButtons {

BOOL KeyPath(int button, wchar_t* path, size_t pathChars)
{
    return button >= 1 && button <= kMaxButtons &&
           SUCCEEDED(StringCchPrintfW(path, pathChars, L"%ls\\%x", kKeysRoot, kFirstButtonCode + button));
}

int CountButtons()
{
    int count = 0;
    for (int button = 1; button <= kMaxButtons; ++button) {
        wchar_t key[64];
        wchar_t reset[MAX_PATH];
        DWORD size = sizeof(reset);
        if (!KeyPath(button, key, ARRAYSIZE(key)) ||
            ::RegGetValueW(HKEY_LOCAL_MACHINE, key, L"ResetCmd", RRF_RT_REG_SZ, nullptr, reset, &size) != ERROR_SUCCESS)
            break;
        count = button;
    }
    return count;
}

void ProgramOfCommand(const wchar_t* command, wchar_t* program, size_t programChars)
{
    if (!program || programChars == 0)
        return;
    program[0] = L'\0';
    if (!command)
        return;
    // A quoted program ends at its closing mark, whatever follows it (the
    // arguments may hold quotation marks of their own); an unquoted one is
    // read up to a quotation mark, without the blanks before it.
    const bool quoted = command[0] == L'"';
    const wchar_t* text = quoted ? command + 1 : command;
    const wchar_t* quote = wcschr(text, L'"');
    size_t length = quote ? static_cast<size_t>(quote - text) : wcslen(text);
    if (!quoted)
        while (length > 0 && text[length - 1] == L' ')
            --length;
    if (length >= programChars)
        length = programChars - 1;
    wmemcpy(program, text, length);
    program[length] = L'\0';
}

void ReadProgram(int button, wchar_t* program, size_t programChars)
{
    program[0] = L'\0';
    wchar_t key[64];
    if (!KeyPath(button, key, ARRAYSIZE(key)))
        return;
    // Read whole (a command may be longer than the program kept).
    wchar_t command[1024];
    DWORD size = sizeof(command);
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, key, nullptr, RRF_RT_REG_SZ, nullptr, command, &size) != ERROR_SUCCESS)
        return;
    ProgramOfCommand(command, program, programChars);
}

BOOL Assign(int button, const wchar_t* program)
{
    wchar_t key[64];
    wchar_t command[MAX_PATH + 3];
    if (!program || !*program || !KeyPath(button, key, ARRAYSIZE(key)) ||
        FAILED(StringCchPrintfW(command, ARRAYSIZE(command), L"\"%ls\"", program)))
        return FALSE;
    HKEY handle = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
        ERROR_SUCCESS)
        return FALSE;
    const wchar_t empty[] = L"";
    const DWORD none = 0;
    BOOL ok = ::RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command),
                               static_cast<DWORD>((wcslen(command) + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    ok = ::RegSetValueExW(handle, L"WndCls", 0, REG_SZ, reinterpret_cast<const BYTE*>(empty), sizeof(empty)) ==
             ERROR_SUCCESS && ok;
    ok = ::RegSetValueExW(handle, L"BtnWnd", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&none), sizeof(none)) ==
             ERROR_SUCCESS && ok;
    ::RegCloseKey(handle);
    return ok;
}

void AnnounceChange()
{
    for (int i = 0; i < 2; ++i) {
        DWORD_PTR answer = 0;
        ::SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, kButtonsChanged, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                              kAnswerTimeoutMs, &answer);
        ::Sleep(kBroadcastWaitMs);
    }
}

}  // namespace HardwareButtons
