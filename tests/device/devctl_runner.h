// Runs devctl.exe (built beside the test executable) as a child process and
// collects its exit code and output, pumping this thread's messages while it
// runs so that devctl can send to the test's own windows.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

struct DevctlResult {
    DWORD exitCode = 0xFFFFFFFF;  // stays so when devctl did not run or timed out
    std::wstring out;             // stdout, decoded from UTF-8
    std::wstring err;             // stderr
    std::vector<std::wstring> Lines() const;  // stdout split at '\n'
};

// Full path of devctl.exe beside the test executable.
std::wstring DevctlPath();

DevctlResult RunDevctl(std::initializer_list<std::wstring> args, DWORD timeoutMs = 30000);

// Dispatches this thread's messages for the given time.
void PumpMessages(DWORD ms);
// Dispatches messages until done() holds or the time is up; returns done().
template <class Predicate>
bool PumpUntil(Predicate done, DWORD timeoutMs)
{
    ULONGLONG start = GetTickCount64();
    while (!done()) {
        if (GetTickCount64() - start >= timeoutMs)
            return done();
        PumpMessages(20);
    }
    return true;
}
