// `log`: prints the device log.
//
// The log is UTF-8 with "\r\n" line ends; it is printed unchanged except that
// lines end in '\n' like the rest of devctl's output.  No log yet is no error.
#include "devctl.h"
#include "devlog.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

int CmdLog(const Args& args)
{
    if (!args.empty())
        return kExitUsage;
    HANDLE file = CreateFileW(DEVICE_LOG_PATH, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return kExitOk;
        ErrLine(Format(L"devctl: cannot read the device log: %ls", ErrorText(error).c_str()));
        return kExitFailed;
    }
    _setmode(_fileno(stdout), _O_BINARY);
    char buffer[16384];
    bool pendingCr = false;  // a '\r' at the end of the last block
    DWORD got = 0;
    BOOL ok;
    while ((ok = ReadFile(file, buffer, sizeof(buffer), &got, nullptr)) && got > 0) {
        std::string text;
        text.reserve(got + 1);
        for (DWORD i = 0; i < got; ++i) {
            if (pendingCr && buffer[i] != '\n')
                text += '\r';
            pendingCr = buffer[i] == '\r';
            if (!pendingCr)
                text += buffer[i];
        }
        fwrite(text.data(), 1, text.size(), stdout);
    }
    DWORD error = GetLastError();
    CloseHandle(file);
    if (pendingCr)
        fputc('\r', stdout);
    if (!ok) {
        ErrLine(Format(L"devctl: reading the device log failed: %ls", ErrorText(error).c_str()));
        return kExitFailed;
    }
    return kExitOk;
}
