// Helpers for the shell and system services tests: registry values put back
// after a test, and device processes counted or ended by executable name.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Remembers a registry value (or its absence) and restores it on destruction.
class SavedRegistryValue {
public:
    SavedRegistryValue(HKEY root, const wchar_t* key, const wchar_t* name);
    ~SavedRegistryValue();
    SavedRegistryValue(const SavedRegistryValue&) = delete;
    SavedRegistryValue& operator=(const SavedRegistryValue&) = delete;

    void SetDword(DWORD value) const;
    void SetString(const std::wstring& text) const;
    void SetBinary(const std::vector<BYTE>& data) const;
    void Delete() const;
    // The stored DWORD, or `missing` when there is none.
    DWORD GetDword(DWORD missing = 0xDEADBEEF) const;

private:
    void Put(DWORD type, const void* data, DWORD bytes) const;

    HKEY root_;
    std::wstring key_, name_;
    bool existed_ = false;
    DWORD type_ = 0;
    std::vector<BYTE> data_;
};

// A value of the device state key (HKLM "Software\SimDevice").
class SavedDeviceState : public SavedRegistryValue {
public:
    explicit SavedDeviceState(const wchar_t* name);
};

int CountProcesses(const wchar_t* exeName);
// Ends every process of that name and waits for them to go.
void EndProcesses(const wchar_t* exeName);
// Waits (pumping messages) until count processes of that name run.
bool WaitProcessCount(const wchar_t* exeName, int count, DWORD ms);
