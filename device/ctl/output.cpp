// Output of devctl: UTF-8 text with '\n' line ends on stdout and stderr.
//
// Under Wine stdout is often a unix pipe read by scripts, so text goes out as
// bytes through the C runtime in binary mode, never through WriteConsoleW.
#include "devctl.h"

#include <fcntl.h>
#include <io.h>
#include <stdarg.h>
#include <stdio.h>

namespace {

std::string ToUtf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    int cb = WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    if (cb <= 0)
        return std::string();
    std::string out((size_t)cb, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), &out[0], cb, nullptr, nullptr);
    return out;
}

void WriteLine(FILE* stream, const std::wstring& line)
{
    // Binary mode: the C runtime must not turn '\n' into "\r\n".
    static bool binary = false;
    if (!binary) {
        _setmode(_fileno(stdout), _O_BINARY);
        _setmode(_fileno(stderr), _O_BINARY);
        binary = true;
    }
    std::string bytes = ToUtf8(line);
    bytes += '\n';
    fwrite(bytes.data(), 1, bytes.size(), stream);
}

} // namespace

void OutLine(const std::wstring& line)
{
    WriteLine(stdout, line);
}

void ErrLine(const std::wstring& line)
{
    WriteLine(stderr, line);
}

std::wstring Format(const wchar_t* format, ...)
{
    std::wstring out(256, L'\0');
    for (;;) {
        va_list args;
        va_start(args, format);
        int n = _vsnwprintf(&out[0], out.size(), format, args);
        va_end(args);
        if (n >= 0 && (size_t)n < out.size()) {
            out.resize((size_t)n);
            return out;
        }
        if (out.size() >= 1 << 20)  // a runaway format: give what fits
            return out.substr(0, out.size() - 1);
        out.assign(out.size() * 2, L'\0');
    }
}

std::wstring Quoted(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size() + 2);
    out += L'"';
    for (wchar_t c : text) {
        switch (c) {
        case L'"': out += L"\\\""; break;
        case L'\\': out += L"\\\\"; break;
        case L'\n': out += L"\\n"; break;
        case L'\r': out += L"\\r"; break;
        case L'\t': out += L"\\t"; break;
        default:
            if (c < 0x20)
                out += Format(L"\\x%02X", (unsigned)c);
            else
                out += c;
        }
    }
    out += L'"';
    return out;
}

std::wstring ErrorText(DWORD error)
{
    wchar_t* buffer = nullptr;
    DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, error, 0, (wchar_t*)&buffer, 0, nullptr);
    std::wstring text;
    if (n && buffer) {
        text.assign(buffer, n);
        while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
            text.pop_back();
    }
    if (buffer)
        LocalFree(buffer);
    if (text.empty())
        text = Format(L"error 0x%08lX", (unsigned long)error);  // HRESULTs read best in hex
    return text;
}
