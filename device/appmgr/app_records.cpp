// Records of installed applications, one key each under HKLM
// "Software\Apps": "Instl" (1), "Application", and the lists of what the
// installation put on the device, "Files", "Folders" and "Values", as
// multi-strings.
#include "app_manager.h"

namespace {

const DWORD kMaxListBytes = 1024 * 1024;

std::wstring RecordKey(const std::wstring& name)
{
    return std::wstring(kAppsKey) + L"\\" + name;
}

std::vector<std::wstring> ReadList(HKEY key, const wchar_t* name)
{
    std::vector<std::wstring> list;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_MULTI_SZ ||
        size > kMaxListBytes)
        return list;
    std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, L'\0');
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return list;
    const wchar_t* at = data.data();
    const wchar_t* end = data.data() + size / sizeof(wchar_t);
    while (at < end && *at) {
        std::wstring item(at);
        at += item.size() + 1;
        list.push_back(std::move(item));
    }
    return list;
}

bool WriteList(HKEY key, const wchar_t* name, const std::vector<std::wstring>& list)
{
    std::wstring data;
    for (const std::wstring& item : list)
        if (!item.empty())
            data += item + L'\0';
    data += L'\0';
    return RegSetValueExW(key, name, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(data.data()),
                          (DWORD)(data.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
}

std::wstring ReadString(HKEY key, const wchar_t* name)
{
    wchar_t text[MAX_PATH] = L"";
    DWORD type = 0, size = sizeof(text) - sizeof(wchar_t);
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::wstring();
    text[size / sizeof(wchar_t)] = L'\0';
    return text;
}

void Merge(std::vector<std::wstring>* into, const std::vector<std::wstring>& more)
{
    for (const std::wstring& item : more) {
        bool known = false;
        for (const std::wstring& have : *into)
            known = known || _wcsicmp(have.c_str(), item.c_str()) == 0;
        if (!known)
            into->push_back(item);
    }
}

} // namespace

bool ReadAppRecord(const std::wstring& name, AppRecord* record)
{
    HKEY key = nullptr;
    if (name.empty() || RegOpenKeyExW(HKEY_LOCAL_MACHINE, RecordKey(name).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    *record = AppRecord();
    record->name = name;
    record->application = ReadString(key, L"Application");
    if (record->application.empty())
        record->application = name;
    record->files = ReadList(key, L"Files");
    record->folders = ReadList(key, L"Folders");
    record->values = ReadList(key, L"Values");
    RegCloseKey(key);
    return true;
}

std::vector<AppRecord> InstalledApplications()
{
    std::vector<AppRecord> records;
    HKEY apps = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kAppsKey, 0, KEY_READ, &apps) != ERROR_SUCCESS)
        return records;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD cch = 256;
        if (RegEnumKeyExW(apps, i, name, &cch, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        AppRecord record;
        if (ReadAppRecord(name, &record))
            records.push_back(std::move(record));
    }
    RegCloseKey(apps);
    return records;
}

bool WriteAppRecord(const AppRecord& record)
{
    AppRecord merged = record;
    AppRecord old;
    bool existed = ReadAppRecord(record.name, &old);
    if (existed) {
        Merge(&merged.files, old.files);
        Merge(&merged.folders, old.folders);
        Merge(&merged.values, old.values);
    }
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, RecordKey(record.name).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    DWORD installed = 1;
    bool ok = RegSetValueExW(key, L"Instl", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&installed),
                             sizeof(installed)) == ERROR_SUCCESS &&
              RegSetValueExW(key, L"Application", 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(merged.application.c_str()),
                             (DWORD)((merged.application.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS &&
              WriteList(key, L"Files", merged.files) && WriteList(key, L"Folders", merged.folders) &&
              WriteList(key, L"Values", merged.values);
    RegCloseKey(key);
    if (!ok && !existed)
        DeleteAppRecord(record.name);
    return ok;
}

void DeleteAppRecord(const std::wstring& name)
{
    if (!name.empty())
        RegDeleteKeyW(HKEY_LOCAL_MACHINE, RecordKey(name).c_str());
}
