#include "devlog.h"

#include <stdarg.h>
#include <stdio.h>

namespace {

// Converts to UTF-8 so the log reads the same from Linux and from devctl.
int ToUtf8(const wchar_t* text, char* out, int cb)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, out, cb, nullptr, nullptr);
    if (n <= 0) {
        out[0] = '\0';
        return 0;
    }
    return n - 1;
}

} // namespace

void DevLog(const wchar_t* source, const wchar_t* format, ...)
{
    wchar_t line[1024];
    int head = _snwprintf(line, 1023, L"%ls: ", source ? source : L"device");
    if (head < 0)
        head = 0;
    va_list args;
    va_start(args, format);
    int body = _vsnwprintf(line + head, 1023 - head, format, args);
    va_end(args);
    if (body < 0)  // truncated: keep what fits
        body = 1023 - head;
    line[head + body] = L'\0';
    // One event, one line.
    for (wchar_t* p = line; *p; ++p)
        if (*p == L'\r' || *p == L'\n')
            *p = L' ';

    char utf8[4096];
    int cb = ToUtf8(line, utf8, sizeof(utf8) - 3);
    utf8[cb++] = '\r';
    utf8[cb++] = '\n';

    HANDLE mutex = CreateMutexW(nullptr, FALSE, L"SimDeviceLogMutex");
    if (mutex)
        WaitForSingleObject(mutex, 5000);
    HANDLE file = CreateFileW(DEVICE_LOG_PATH, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, utf8, (DWORD)cb, &written, nullptr);
        CloseHandle(file);
    }
    if (mutex) {
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    }
}

DWORD DevStateGetDword(const wchar_t* name, DWORD fallback)
{
    DWORD value = 0, type = 0, cb = sizeof(value);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, DEVICE_STATE_KEY, name, RRF_RT_ANY, &type, &value, &cb) != ERROR_SUCCESS)
        return fallback;
    if (type != REG_DWORD || cb != sizeof(DWORD))
        return fallback;
    return value;
}

void DevStateSetDword(const wchar_t* name, DWORD value)
{
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, DEVICE_STATE_KEY, name, REG_DWORD, &value, sizeof(value));
}

BOOL DevStateGetString(const wchar_t* name, wchar_t* buf, DWORD cch)
{
    if (!buf || cch == 0)
        return FALSE;
    buf[0] = L'\0';
    DWORD cb = cch * sizeof(wchar_t);
    LSTATUS rc = RegGetValueW(HKEY_LOCAL_MACHINE, DEVICE_STATE_KEY, name, RRF_RT_REG_SZ, nullptr, buf, &cb);
    if (rc != ERROR_SUCCESS) {
        buf[0] = L'\0';
        return FALSE;
    }
    buf[cch - 1] = L'\0';
    return TRUE;
}

void DevStateSetString(const wchar_t* name, const wchar_t* value)
{
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, DEVICE_STATE_KEY, name, REG_SZ, value,
                    (DWORD)((wcslen(value) + 1) * sizeof(wchar_t)));
}

void DevStateDelete(const wchar_t* name)
{
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, DEVICE_STATE_KEY, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueW(key, name);
        RegCloseKey(key);
    }
}
