// Carrying an installation plan out, and taking it back when a step fails.
#include "app_manager.h"

#include "aygshell.h"
#include "devlog.h"

#include <algorithm>

namespace {

const wchar_t kNewSuffix[] = L".new~";
const wchar_t kOldSuffix[] = L".old~";

HKEY RootKey(const std::wstring& root)
{
    if (root == L"HKLM") return HKEY_LOCAL_MACHINE;
    if (root == L"HKCU") return HKEY_CURRENT_USER;
    if (root == L"HKCR") return HKEY_CLASSES_ROOT;
    if (root == L"HKU") return HKEY_USERS;
    return nullptr;
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(DeviceFilePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WriteWhole(const std::wstring& path, const std::string& data)
{
    HANDLE file = CreateFileW(DeviceFilePath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = data.empty() || (WriteFile(file, data.data(), (DWORD)data.size(), &written, nullptr) &&
                               written == data.size());
    return CloseHandle(file) && ok;
}

bool Move(const std::wstring& from, const std::wstring& to)
{
    return MoveFileExW(DeviceFilePath(from).c_str(), DeviceFilePath(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// What has been done so far, in the order it was done.
class Journal {
public:
    std::vector<std::wstring> createdFolders;
    std::vector<std::wstring> temporaries;
    std::vector<std::pair<std::wstring, bool>> placed;  // path, a backup beside it
    struct OldValue {
        HKEY root;
        std::wstring key, name;
        bool existed;
        DWORD type;
        std::vector<BYTE> data;
    };
    std::vector<OldValue> values;
    std::vector<std::pair<HKEY, std::wstring>> createdKeys;

    void Undo()
    {
        for (auto v = values.rbegin(); v != values.rend(); ++v) {
            HKEY key = nullptr;
            if (RegOpenKeyExW(v->root, v->key.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
                continue;
            if (v->existed)
                RegSetValueExW(key, v->name.c_str(), 0, v->type, v->data.data(), (DWORD)v->data.size());
            else
                RegDeleteValueW(key, v->name.c_str());
            RegCloseKey(key);
        }
        for (auto k = createdKeys.rbegin(); k != createdKeys.rend(); ++k)
            RegDeleteKeyW(k->first, k->second.c_str());
        for (auto p = placed.rbegin(); p != placed.rend(); ++p) {
            if (p->second)
                Move(p->first + kOldSuffix, p->first);
            else
                DeleteFileW(DeviceFilePath(p->first).c_str());
        }
        for (const std::wstring& temporary : temporaries)
            DeleteFileW(DeviceFilePath(temporary).c_str());
        for (auto f = createdFolders.rbegin(); f != createdFolders.rend(); ++f)
            RemoveDirectoryW(DeviceFilePath(*f).c_str());
    }

    void DropBackups()
    {
        for (const auto& p : placed)
            if (p.second)
                DeleteFileW(DeviceFilePath(p.first + kOldSuffix).c_str());
    }
};

bool MakeFolder(const std::wstring& path, Journal* journal)
{
    // Every missing folder on the way, outermost first.
    size_t at = 0;
    while (at != std::wstring::npos) {
        at = path.find(L'\\', at + 1);
        std::wstring part = path.substr(0, at);
        if (Exists(part))
            continue;
        if (!CreateDirectoryW(DeviceFilePath(part).c_str(), nullptr))
            return false;
        journal->createdFolders.push_back(part);
    }
    return true;
}

// Opens (creating) a key, noting every key that did not exist before.
HKEY CreateKey(HKEY root, const std::wstring& path, Journal* journal)
{
    size_t at = 0;
    HKEY key = nullptr;
    while (true) {
        at = path.find(L'\\', at + 1);
        std::wstring part = path.substr(0, at);
        DWORD disposition = 0;
        if (key)
            RegCloseKey(key);
        key = nullptr;
        if (RegCreateKeyExW(root, part.c_str(), 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key,
                            &disposition) != ERROR_SUCCESS)
            return nullptr;
        if (disposition == REG_CREATED_NEW_KEY)
            journal->createdKeys.emplace_back(root, part);
        if (at == std::wstring::npos)
            return key;
    }
}

bool WriteValue(const InstallPlan::Value& value, Journal* journal, bool* written)
{
    *written = false;
    HKEY root = RootKey(value.root);
    HKEY key = root ? CreateKey(root, value.key, journal) : nullptr;
    if (!key)
        return false;
    Journal::OldValue old{root, value.key, value.name, false, 0, {}};
    DWORD size = 0;
    if (RegQueryValueExW(key, value.name.c_str(), nullptr, &old.type, nullptr, &size) == ERROR_SUCCESS) {
        old.existed = true;
        old.data.resize(size);
        if (RegQueryValueExW(key, value.name.c_str(), nullptr, &old.type, old.data.data(), &size) != ERROR_SUCCESS) {
            RegCloseKey(key);
            return false;
        }
        old.data.resize(size);
    }
    if (old.existed && value.keepExisting) {
        RegCloseKey(key);
        return true;
    }
    LONG result = RegSetValueExW(key, value.name.c_str(), 0, value.type,
                                 reinterpret_cast<const BYTE*>(value.data.data()), (DWORD)value.data.size());
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return false;
    journal->values.push_back(std::move(old));
    *written = true;
    return true;
}

// A component library registers its classes itself, as regsvr32 has it do.
bool RegisterComponent(const std::wstring& path)
{
    HMODULE library = LoadLibraryW(path.c_str());
    if (!library)
        return false;
    typedef HRESULT(STDAPICALLTYPE * RegisterServer)();
    auto registerServer = reinterpret_cast<RegisterServer>(GetProcAddress(library, "DllRegisterServer"));
    const bool registered = registerServer && SUCCEEDED(registerServer());
    FreeLibrary(library);
    return registered;
}

bool Fail(Journal* journal, std::wstring* why, const std::wstring& reason)
{
    journal->Undo();
    *why = reason;
    return false;
}

} // namespace

bool CarryOutInstallation(const InstallPlan& plan, std::wstring* why)
{
    Journal journal;
    AppRecord record;
    record.name = plan.RecordName();
    record.application = plan.application;

    std::vector<std::wstring> folders = plan.folders;
    for (const InstallPlan::Shortcut& shortcut : plan.shortcuts)
        folders.push_back(shortcut.path.substr(0, shortcut.path.rfind(L'\\')));
    for (const std::wstring& folder : folders)
        if (!MakeFolder(folder, &journal))
            return Fail(&journal, why, L"the folder " + folder + L" cannot be made");

    // Every file beside its place first: a full store fails here, with
    // nothing of the device's own changed.
    std::vector<bool> wanted(plan.files.size(), true);
    for (size_t i = 0; i < plan.files.size(); ++i) {
        const InstallPlan::File& file = plan.files[i];
        if (file.keepExisting && Exists(file.path)) {
            wanted[i] = false;
            continue;
        }
        std::wstring temporary = file.path + kNewSuffix;
        journal.temporaries.push_back(temporary);
        if (!WriteWhole(temporary, file.data))
            return Fail(&journal, why, L"the file " + file.path + L" cannot be written");
    }
    for (size_t i = 0; i < plan.files.size(); ++i) {
        if (!wanted[i])
            continue;
        const std::wstring& path = plan.files[i].path;
        bool backup = Exists(path);
        if (backup && !Move(path, path + kOldSuffix))
            return Fail(&journal, why, L"the file " + path + L" is in use");
        journal.placed.emplace_back(path, backup);
        if (!Move(path + kNewSuffix, path))
            return Fail(&journal, why, L"the file " + path + L" cannot be put in place");
        record.files.push_back(path);
    }
    journal.temporaries.clear();

    for (const InstallPlan::Value& value : plan.values) {
        bool written = false;
        if (!WriteValue(value, &journal, &written))
            return Fail(&journal, why, L"the registry value " + value.key + L"\\" + value.name + L" cannot be written");
        if (written)
            record.values.push_back(value.root + L"\\" + value.key + L"|" + value.name);
    }

    for (const InstallPlan::Shortcut& shortcut : plan.shortcuts) {
        bool backup = Exists(shortcut.path);
        if (backup && !Move(shortcut.path, shortcut.path + kOldSuffix))
            return Fail(&journal, why, L"the shortcut " + shortcut.path + L" is in use");
        journal.placed.emplace_back(shortcut.path, backup);
        if (!SHCreateShortcut(shortcut.path.c_str(), (L"\"" + shortcut.target + L"\"").c_str()))
            return Fail(&journal, why, L"the shortcut " + shortcut.path + L" cannot be made");
        record.files.push_back(shortcut.path);
    }

    for (const InstallPlan::File& file : plan.files)
        if (file.selfRegister && !RegisterComponent(file.path))
            return Fail(&journal, why, L"the component " + file.path + L" does not register itself");

    record.folders = journal.createdFolders;
    if (!WriteAppRecord(record))
        return Fail(&journal, why, L"the installation cannot be recorded");
    journal.DropBackups();
    return true;
}
