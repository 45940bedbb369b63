// Removing a recorded application.
#include "app_manager.h"

#include "devlog.h"

#include <algorithm>
#include <set>

namespace {

const wchar_t kAppletValuesPrefix[] = L"HKLM\\SOFTWARE\\ZARQ\\APPLETS\\";

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text)
        c = towlower(c);
    return text;
}

HKEY RootKey(const std::wstring& root)
{
    if (root == L"HKLM") return HKEY_LOCAL_MACHINE;
    if (root == L"HKCU") return HKEY_CURRENT_USER;
    if (root == L"HKCR") return HKEY_CLASSES_ROOT;
    if (root == L"HKU") return HKEY_USERS;
    return nullptr;
}

// "<root>\<key>|<name>" split.
bool SplitValue(const std::wstring& entry, HKEY* root, std::wstring* key, std::wstring* name)
{
    size_t slash = entry.find(L'\\');
    size_t bar = entry.rfind(L'|');
    if (slash == std::wstring::npos || bar == std::wstring::npos || bar < slash)
        return false;
    *root = RootKey(entry.substr(0, slash));
    *key = entry.substr(slash + 1, bar - slash - 1);
    *name = entry.substr(bar + 1);
    return *root != nullptr && !key->empty();
}

bool KeyIsEmpty(HKEY root, const std::wstring& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD subkeys = 1, values = 1;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(key);
    return subkeys == 0 && values == 0;
}

// The applets whose registrations the record holds.
std::vector<std::wstring> RecordedApplets(const AppRecord& record)
{
    std::vector<std::wstring> applets;
    const size_t prefix = wcslen(kAppletValuesPrefix);
    for (const std::wstring& value : record.values) {
        if (_wcsnicmp(value.c_str(), kAppletValuesPrefix, prefix) != 0)
            continue;
        std::wstring rest = value.substr(prefix);
        std::wstring name = rest.substr(0, rest.find_first_of(L"\\|"));
        if (!name.empty() && std::find(applets.begin(), applets.end(), name) == applets.end())
            applets.push_back(name);
    }
    return applets;
}

bool Holds(const std::wstring& folder, const std::wstring& file)
{
    return file.size() > folder.size() && file[folder.size()] == L'\\' &&
           _wcsnicmp(file.c_str(), folder.c_str(), folder.size()) == 0;
}

void HandOverFolders(const std::wstring& removed, const std::vector<std::wstring>& folders)
{
    if (folders.empty())
        return;
    for (AppRecord other : InstalledApplications()) {
        if (_wcsicmp(other.name.c_str(), removed.c_str()) == 0)
            continue;
        bool changed = false;
        for (const std::wstring& folder : folders)
            for (const std::wstring& file : other.files)
                if (Holds(folder, file)) {
                    other.folders.push_back(folder);
                    changed = true;
                    break;
                }
        if (changed)
            WriteAppRecord(other);
    }
}

} // namespace

bool RemoveApplication(const std::wstring& name, std::wstring* why)
{
    AppRecord record;
    if (!ReadAppRecord(name, &record)) {
        *why = L"no such application is installed";
        return false;
    }
    // What other installed applications also put on the device stays.
    std::set<std::wstring> sharedFiles, sharedValues;
    for (const AppRecord& other : InstalledApplications()) {
        if (_wcsicmp(other.name.c_str(), name.c_str()) == 0)
            continue;
        for (const std::wstring& file : other.files)
            sharedFiles.insert(Lower(file));
        for (const std::wstring& value : other.values)
            sharedValues.insert(Lower(value));
    }

    ReleaseSideBarApplets(RecordedApplets(record));

    for (const std::wstring& file : record.files) {
        if (sharedFiles.count(Lower(file)))
            continue;
        std::wstring path = DeviceFilePath(file);
        if (!DeleteFileW(path.c_str()) && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            DevLog(L"uninstall", L"%ls: %ls not removed (error %lu)", record.application.c_str(), file.c_str(),
                   GetLastError());
    }

    // Values, then each of their keys that holds nothing any more.
    std::vector<std::pair<HKEY, std::wstring>> keys;
    for (const std::wstring& entry : record.values) {
        HKEY root = nullptr;
        std::wstring key, value;
        if (sharedValues.count(Lower(entry)) || !SplitValue(entry, &root, &key, &value))
            continue;
        HKEY open = nullptr;
        if (RegOpenKeyExW(root, key.c_str(), 0, KEY_SET_VALUE, &open) == ERROR_SUCCESS) {
            RegDeleteValueW(open, value.c_str());
            RegCloseKey(open);
        }
        keys.emplace_back(root, key);
    }
    std::sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.second.size() > b.second.size(); });
    for (const auto& key : keys)
        if (KeyIsEmpty(key.first, key.second))
            RegDeleteKeyW(key.first, key.second.c_str());

    // Folders the installation made, innermost first, once empty.  One that
    // still holds another application's files passes to that application,
    // to go when it goes.
    std::vector<std::wstring> kept;
    for (auto folder = record.folders.rbegin(); folder != record.folders.rend(); ++folder)
        if (!RemoveDirectoryW(DeviceFilePath(*folder).c_str()) &&
            GetFileAttributesW(DeviceFilePath(*folder).c_str()) != INVALID_FILE_ATTRIBUTES)
            kept.insert(kept.begin(), *folder);
    HandOverFolders(name, kept);

    DeleteAppRecord(name);
    DevLog(L"uninstall", L"%ls", record.application.c_str());
    return true;
}
