// Helpers of the device shell's tests: the shell's windows, the device log,
// registry values put back after a test, and pixels of the device screen.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

HWND FindTaskBar();
HWND FindTodayScreen();

// The device log's lines (D:\Windows\devlog.txt), oldest first.
std::vector<std::wstring> DeviceLogLines();
// How many lines the log has now: later lines are what happened since.
size_t DeviceLogLength();
// Waits (pumping messages) until a log line from `from` on contains text;
// true when one did.
bool WaitForLogLine(size_t from, const std::wstring& text, DWORD timeoutMs);
// The first line from `from` on that contains text, or -1.
int FindLogLine(size_t from, const std::wstring& text);

// Broadcasts WM_SETTINGCHANGE as settings programs do.
void BroadcastSettingChange(WPARAM what);

// A registry value put back as it was (or deleted) when the object dies.
class SavedRegistryValue {
public:
    SavedRegistryValue(HKEY root, const std::wstring& key, const wchar_t* name);  // name null = default value
    ~SavedRegistryValue();
    SavedRegistryValue(const SavedRegistryValue&) = delete;
    SavedRegistryValue& operator=(const SavedRegistryValue&) = delete;

private:
    HKEY root_;
    std::wstring key_;
    std::wstring name_;
    bool isDefault_;
    DWORD type_ = 0;
    std::vector<BYTE> data_;
    bool existed_ = false;
};

bool SetRegistryString(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value);
bool SetRegistryDword(HKEY root, const std::wstring& key, const wchar_t* name, DWORD value);
std::wstring ReadRegistryString(HKEY root, const std::wstring& key, const wchar_t* name);

// Colours of the device screen as it shows now (all windows of all
// programs), from (x0, y) to (x1 - 1, y).
std::vector<COLORREF> ScreenRow(int y, int x0, int x1);
