// devctl.exe, the device's control tool, run as a child process: for the
// tests of devctl itself and for what must come from another process.
// Everything else a test does to the device it does directly (the kit's
// registry, log, input and window helpers).
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace testkit {

struct DevctlResult {
    DWORD exitCode = 0xFFFFFFFF;  // stays so when devctl did not run or timed out
    std::wstring out;             // stdout, decoded from UTF-8
    std::wstring err;             // stderr
    std::vector<std::wstring> Lines() const;  // stdout split at '\n'
};

// Full path of devctl.exe beside the test executable.
std::wstring DevctlPath();

// Runs devctl with the arguments, pumping this thread's messages meanwhile
// so that devctl can send to the test's own windows.
DevctlResult RunDevctl(std::initializer_list<std::wstring> args, DWORD timeoutMs = 30000);

}  // namespace testkit
