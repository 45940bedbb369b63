#include "devctl.h"

#include "files.h"
#include "pump.h"

namespace testkit {

namespace {

// Quoting that CommandLineToArgvW and the C runtime undo exactly.
std::wstring Quote(const std::wstring& arg)
{
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos)
        return arg;
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

// Reads what the pipe holds now, without waiting for more.  The runner never
// waits for the end of the pipe: a process devctl starts (Wine's desktop
// process, a program run by `exec`) may inherit the write end and keep it
// open long after devctl is gone.
void Drain(HANDLE pipe, std::string* into)
{
    DWORD available = 0;
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available) {
        char buffer[4096];
        DWORD got = 0;
        if (!ReadFile(pipe, buffer, available < sizeof(buffer) ? available : sizeof(buffer), &got, nullptr) || !got)
            return;
        into->append(buffer, got);
    }
}

} // namespace

std::wstring DevctlPath()
{
    return TestFolder() + L"devctl.exe";
}

std::vector<std::wstring> DevctlResult::Lines() const
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < out.size()) {
        size_t end = out.find(L'\n', start);
        if (end == std::wstring::npos)
            end = out.size();
        lines.push_back(out.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

DevctlResult RunDevctl(std::initializer_list<std::wstring> args, DWORD timeoutMs)
{
    DevctlResult result;
    std::wstring exe = DevctlPath();
    std::wstring commandLine = Quote(exe);
    for (const std::wstring& arg : args)
        commandLine += L" " + Quote(arg);

    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE outRead, outWrite, errRead, errWrite;
    if (!CreatePipe(&outRead, &outWrite, &inherit, 0))
        return result;
    if (!CreatePipe(&errRead, &errWrite, &inherit, 0)) {
        CloseHandle(outRead);
        CloseHandle(outWrite);
        return result;
    }
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION process = {};
    // Wine refused to start the tool once in a full suite and never again in
    // dozens of runs: a second try a moment later, and the reason kept.
    BOOL started = FALSE;
    DWORD startError = 0;
    for (int attempt = 0; attempt < 2 && !started; ++attempt) {
        if (attempt)
            Sleep(250);
        started = CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                 &startup, &process);
        if (!started)
            startError = GetLastError();
    }
    CloseHandle(outWrite);
    CloseHandle(errWrite);

    std::string outBytes, errBytes;
    if (started) {
        ULONGLONG start = GetTickCount64();
        for (;;) {
            Drain(outRead, &outBytes);
            Drain(errRead, &errBytes);
            DWORD wait = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, 20, QS_ALLINPUT);
            if (wait == WAIT_OBJECT_0) {
                // Everything devctl wrote is in the pipes once it has ended.
                Drain(outRead, &outBytes);
                Drain(errRead, &errBytes);
                GetExitCodeProcess(process.hProcess, &result.exitCode);
                break;
            }
            if (GetTickCount64() - start >= timeoutMs) {
                TerminateProcess(process.hProcess, 0xFFFFFFFF);
                WaitForSingleObject(process.hProcess, 5000);
                break;
            }
            PumpMessages(0);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        result.err = FromUtf8(errBytes);
    } else {
        result.err = L"cannot start " + exe + L" (error " + std::to_wstring(startError) + L")";
    }
    CloseHandle(outRead);
    CloseHandle(errRead);
    result.out = FromUtf8(outBytes);
    return result;
}

}  // namespace testkit
