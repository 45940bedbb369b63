// Helpers for tests of the device's programs: start one and find its
// windows, and read what the device log gained since a point in time.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Dispatches this thread's messages until done() holds or the time is up;
// returns done().
template <class Predicate>
bool WaitUntil(Predicate done, DWORD timeoutMs)
{
    ULONGLONG start = GetTickCount64();
    while (!done()) {
        if (GetTickCount64() - start >= timeoutMs)
            return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

// A device program started with arguments; killed on destruction when it
// still runs.
class DeviceProgram {
public:
    DeviceProgram(const std::wstring& path, const std::wstring& args);
    ~DeviceProgram();
    DeviceProgram(const DeviceProgram&) = delete;
    DeviceProgram& operator=(const DeviceProgram&) = delete;

    bool Started() const { return process_ != nullptr; }
    bool Running() const;
    // Waits for the program to end; false when it still runs after ms.
    bool WaitExit(DWORD ms, DWORD* exitCode = nullptr);
    void Kill();
    // A visible top-level window of the program with this title (any title
    // for NULL); NULL when none shows up within ms.
    HWND WaitWindow(const wchar_t* title, DWORD ms) const;
    HWND FindWindowOf(const wchar_t* title) const;

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// Lines of the device log written after the watch was made.
class DeviceLogWatch {
public:
    DeviceLogWatch();
    std::vector<std::wstring> Lines() const;
    // Only the lines starting with prefix, e.g. "testcpl: ".
    std::vector<std::wstring> Lines(const std::wstring& prefix) const;
    bool Contains(const std::wstring& line) const;
    bool WaitFor(const std::wstring& line, DWORD ms) const;

private:
    LONGLONG start_ = 0;
};
