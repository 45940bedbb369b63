// Diagnostics: CWnd::TRACE (a message box) and CWnd::WriteLog (a line in the
// device's log file).
#include <stdarg.h>
#include <stdio.h>
#include <wchar.h>

#include <string>

#include "wndframe.h"

namespace {

const int kTraceChars = 1024;  // 1023 characters and the terminator
const wchar_t kLogPath[] = L"\\My Documents\\ZARQLOG.txt";

// Formats into buffer, keeping at most the first capacity - 1 characters of a
// longer text; the buffer is always terminated.
void FormatBounded(wchar_t* buffer, size_t capacity, const wchar_t* format, va_list args)
{
    buffer[0] = L'\0';
    if (format)
        vsnwprintf(buffer, capacity, format, args);
    buffer[capacity - 1] = L'\0';
}

void AppendLogLine(const wchar_t* text)
{
    // 8-bit text in the device's default code page, then CR LF, written in one
    // piece so that concurrent writers cannot split a line.
    int length = (int)wcslen(text);
    int bytes = length ? ::WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr) : 0;
    std::string line((size_t)bytes, '\0');
    if (bytes)
        ::WideCharToMultiByte(CP_ACP, 0, text, length, &line[0], bytes, nullptr, nullptr);
    line += "\r\n";

    HANDLE file = ::CreateFileW(kLogPath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    ::SetFilePointer(file, 0, nullptr, FILE_END);
    DWORD done = 0;
    ::WriteFile(file, line.data(), (DWORD)line.size(), &done, nullptr);
    ::CloseHandle(file);
}

}  // namespace

void CWnd::TRACE(LPCWSTR format, ...)
{
    wchar_t text[kTraceChars];
    va_list args;
    va_start(args, format);
    FormatBounded(text, kTraceChars, format, args);
    va_end(args);
    ::MessageBoxW(nullptr, text, L"TRACE", MB_OK);
}

void CWnd::WriteLog(LPCWSTR format, ...)
{
    wchar_t text[kTraceChars];
    va_list args;
    va_start(args, format);
    FormatBounded(text, kTraceChars, format, args);
    va_end(args);
    AppendLogLine(text);
}
