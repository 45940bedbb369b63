// Programs on the device: started by path or through the device's shell,
// watched, ended; processes counted by executable name.
#pragma once
#include <windows.h>

#include <string>

namespace testkit {

// A device program the test started; killed on destruction when it still runs.
class DeviceProgram {
public:
    DeviceProgram(const std::wstring& path, const std::wstring& args = L"");
    ~DeviceProgram();
    DeviceProgram(const DeviceProgram&) = delete;
    DeviceProgram& operator=(const DeviceProgram&) = delete;

    bool Started() const { return process_ != nullptr; }
    bool Running() const;
    DWORD Id() const { return pid_; }
    // Waits (pumping messages) for the program to end; false when it still
    // runs after ms.
    bool WaitExit(DWORD ms, DWORD* exitCode = nullptr);
    void Kill();
    // A visible top-level window of the program with this title (any for
    // null); null when none shows up within ms.
    HWND WaitWindow(const wchar_t* title, DWORD ms) const;
    HWND FindWindowOf(const wchar_t* title) const;

private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// Opens a program, document or shortcut through the device's shell, as the
// user's Start menu does (the launch is in the device log); false on failure.
bool Execute(const std::wstring& path, const std::wstring& args = L"");

int CountProcesses(const wchar_t* exeName);
// Ends every process of that name and waits for them to go.
void EndProcesses(const wchar_t* exeName);
// Waits (pumping messages) until count processes of that name run.
bool WaitProcessCount(const wchar_t* exeName, int count, DWORD ms);
// Whether a process has a module of that file name loaded.
bool ModuleLoadedIn(DWORD processId, const wchar_t* module);

}  // namespace testkit
