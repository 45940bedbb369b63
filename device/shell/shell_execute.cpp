// Starting programs from the shell (hardware buttons, the start-up folder)
// through the shell library's execution, which knows device paths and text
// shortcuts and writes every launch to the device log.
#include "shell.h"

#include <devlog.h>
#include <shellapi.h>
#include <wchar.h>

namespace {

const wchar_t kDeviceRoot[] = L"D:\\";

typedef BOOL(WINAPI* ExecuteFunction)(SHELLEXECUTEINFOW*);

// The library is looked up when first needed rather than linked, so the
// shell (and with it the device) still comes up when it is missing; the
// launches then fail with a line in the device log.
ExecuteFunction DeviceExecute()
{
    static ExecuteFunction execute = nullptr;
    if (!execute) {
        HMODULE library = LoadLibraryW(L"aygshell.dll");
        if (library)
            execute = reinterpret_cast<ExecuteFunction>(
                reinterpret_cast<void*>(GetProcAddress(library, "SHExecuteDevice")));
    }
    return execute;
}

// Copies at most cch - 1 characters of [begin, end) and terminates; false
// when the text did not fit.
bool CopyRange(const wchar_t* begin, const wchar_t* end, wchar_t* out, int cch)
{
    if (cch <= 0)
        return false;
    int n = 0;
    for (const wchar_t* p = begin; p < end; ++p) {
        if (n >= cch - 1) {
            out[n] = L'\0';
            return false;
        }
        out[n++] = *p;
    }
    out[n] = L'\0';
    return true;
}

const wchar_t* SkipBlanks(const wchar_t* p)
{
    while (*p == L' ' || *p == L'\t')
        ++p;
    return p;
}

} // namespace

void SplitDeviceCommand(const wchar_t* command, wchar_t* file, int cchFile, wchar_t* args, int cchArgs)
{
    const wchar_t* p = SkipBlanks(command);
    const wchar_t* fileEnd;
    const wchar_t* rest;
    if (*p == L'"') {
        ++p;
        fileEnd = wcschr(p, L'"');
        if (!fileEnd)
            fileEnd = p + wcslen(p);  // an unclosed quote runs to the end
        rest = *fileEnd ? fileEnd + 1 : fileEnd;
    } else if (GetFileAttributesW(p) != INVALID_FILE_ATTRIBUTES) {
        // Unquoted, but naming a file as a whole: a path with blanks.
        fileEnd = p + wcslen(p);
        rest = fileEnd;
    } else {
        fileEnd = p;
        while (*fileEnd && *fileEnd != L' ' && *fileEnd != L'\t')
            ++fileEnd;
        rest = fileEnd;
    }
    if (!CopyRange(p, fileEnd, file, cchFile))
        file[0] = L'\0';  // a cut path would start the wrong program
    rest = SkipBlanks(rest);
    const wchar_t* restEnd = rest + wcslen(rest);
    while (restEnd > rest && (restEnd[-1] == L' ' || restEnd[-1] == L'\t'))
        --restEnd;
    if (!CopyRange(rest, restEnd, args, cchArgs))
        args[0] = L'\0';
}

bool RunDeviceFile(const wchar_t* file, const wchar_t* args, const wchar_t* why)
{
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpFile = file;
    info.lpParameters = args && *args ? args : nullptr;
    info.lpDirectory = kDeviceRoot;
    info.nShow = SW_SHOWNORMAL;
    ExecuteFunction execute = DeviceExecute();
    if (!execute) {
        DevLog(L"shell", L"%ls: could not start %ls (no shell execution in aygshell.dll)", why, file);
        return false;
    }
    if (execute(&info))
        return true;
    DevLog(L"shell", L"%ls: could not start %ls (error %lu)", why, file, GetLastError());
    return false;
}

bool RunDeviceCommand(const wchar_t* command, const wchar_t* why)
{
    wchar_t file[MAX_PATH];
    wchar_t args[1024];
    SplitDeviceCommand(command, file, MAX_PATH, args, 1024);
    if (!file[0]) {
        DevLog(L"shell", L"%ls: unusable command \"%ls\"", why, command);
        return false;
    }
    return RunDeviceFile(file, args, why);
}
