#include "desk_log.h"

#include <stdarg.h>
#include <stdio.h>

void DeskLog(const wchar_t* source, const wchar_t* format, ...)
{
    wchar_t text[1024];
    va_list args;
    va_start(args, format);
    int n = _vsnwprintf(text, ARRAYSIZE(text) - 1, format, args);
    va_end(args);
    text[ARRAYSIZE(text) - 1] = L'\0';
    if (n < 0)
        text[ARRAYSIZE(text) - 2] = L'\0';

    wchar_t line[1200];
    _snwprintf(line, ARRAYSIZE(line) - 1, L"%ls: %ls\r\n", source, text);
    line[ARRAYSIZE(line) - 1] = L'\0';
    char bytes[2400];
    int cb = WideCharToMultiByte(CP_UTF8, 0, line, -1, bytes, sizeof(bytes), nullptr, nullptr);
    if (cb <= 1)
        return;

    wchar_t named[MAX_PATH];
    DWORD got = GetEnvironmentVariableW(L"KETRA_DESK_LOG", named, MAX_PATH);
    const wchar_t* path = got > 0 && got < MAX_PATH ? named : L"C:\\desklog.txt";
    HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, bytes, (DWORD)(cb - 1), &written, nullptr);
    CloseHandle(file);
}
