// The device log ("\Windows\devlog.txt"): one line per thing the device's
// services did (launches, sounds, control-panel pages, probe applets' messages).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testkit {

// The lines the device log gains from the watch's start on, so that a test
// counts only what happened during itself.
class DeviceLog {
public:
    DeviceLog();  // starts now

    // Complete lines since the start, oldest first.
    std::vector<std::wstring> Lines() const;
    // Only those starting with prefix, e.g. "launch: ".
    std::vector<std::wstring> Lines(const std::wstring& prefix) const;
    // Lines that contain text.
    int Count(const std::wstring& text) const;
    bool Contains(const std::wstring& text) const { return Count(text) > 0; }
    // A line exactly like this one.
    bool HasLine(const std::wstring& line) const;
    // The index of the first line that contains text, -1 when none does.
    int Find(const std::wstring& text) const;
    // The first line starting with prefix, or "<none>".
    std::wstring First(const std::wstring& prefix) const;
    // Waits (pumping messages) until a line contains text.
    bool WaitFor(const std::wstring& text, DWORD ms) const;
    // Counts from now on.
    void Restart();

    // The last `count` lines of the whole log.
    static std::vector<std::wstring> Tail(size_t count);

private:
    LONGLONG start_;
};

}  // namespace testkit
