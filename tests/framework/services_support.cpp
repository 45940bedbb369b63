#include "services_support.h"

#include <tlhelp32.h>

#include "devlog.h"
#include "program_runner.h"

SavedRegistryValue::SavedRegistryValue(HKEY root, const wchar_t* key, const wchar_t* name)
    : root_(root), key_(key), name_(name)
{
    DWORD bytes = 0;
    if (RegGetValueW(root_, key_.c_str(), name_.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type_, nullptr, &bytes) !=
        ERROR_SUCCESS)
        return;
    data_.resize(bytes);
    existed_ = RegGetValueW(root_, key_.c_str(), name_.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type_,
                            data_.empty() ? nullptr : data_.data(), &bytes) == ERROR_SUCCESS;
    data_.resize(bytes);
}

SavedRegistryValue::~SavedRegistryValue()
{
    if (existed_)
        Put(type_, data_.data(), (DWORD)data_.size());
    else
        Delete();
}

void SavedRegistryValue::Put(DWORD type, const void* data, DWORD bytes) const
{
    RegSetKeyValueW(root_, key_.c_str(), name_.c_str(), type, data, bytes);
}

void SavedRegistryValue::SetDword(DWORD value) const
{
    Put(REG_DWORD, &value, sizeof(value));
}

void SavedRegistryValue::SetString(const std::wstring& text) const
{
    Put(REG_SZ, text.c_str(), (DWORD)((text.size() + 1) * sizeof(wchar_t)));
}

void SavedRegistryValue::SetBinary(const std::vector<BYTE>& data) const
{
    Put(REG_BINARY, data.data(), (DWORD)data.size());
}

void SavedRegistryValue::Delete() const
{
    RegDeleteKeyValueW(root_, key_.c_str(), name_.c_str());
}

DWORD SavedRegistryValue::GetDword(DWORD missing) const
{
    DWORD value = 0, bytes = sizeof(value);
    if (RegGetValueW(root_, key_.c_str(), name_.c_str(), RRF_RT_REG_DWORD, nullptr, &value, &bytes) != ERROR_SUCCESS)
        return missing;
    return value;
}

SavedDeviceState::SavedDeviceState(const wchar_t* name)
    : SavedRegistryValue(HKEY_LOCAL_MACHINE, DEVICE_STATE_KEY, name)
{
}

namespace {

std::vector<DWORD> ProcessIds(const wchar_t* exeName)
{
    std::vector<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
        if (_wcsicmp(entry.szExeFile, exeName) == 0)
            ids.push_back(entry.th32ProcessID);
    CloseHandle(snapshot);
    return ids;
}

} // namespace

int CountProcesses(const wchar_t* exeName)
{
    return (int)ProcessIds(exeName).size();
}

void EndProcesses(const wchar_t* exeName)
{
    for (DWORD id : ProcessIds(exeName)) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (!process)
            continue;
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
    WaitProcessCount(exeName, 0, 5000);
}

bool WaitProcessCount(const wchar_t* exeName, int count, DWORD ms)
{
    return WaitUntil([&] { return CountProcesses(exeName) == count; }, ms);
}
