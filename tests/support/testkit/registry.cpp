#include "registry.h"

#include "devlog.h"
#include "files.h"

namespace testkit {

// ---- Single values ------------------------------------------------------------------

std::wstring ReadText(const std::wstring& key, const wchar_t* name, HKEY root)
{
    DWORD bytes = 0;
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, nullptr,
                     &bytes) != ERROR_SUCCESS)
        return std::wstring();
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = (DWORD)(text.size() * sizeof(wchar_t));
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, &text[0],
                     &bytes) != ERROR_SUCCESS)
        return std::wstring();
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

DWORD ReadDword(const std::wstring& key, const wchar_t* name, DWORD missing, HKEY root)
{
    DWORD value = 0, bytes = sizeof(value);
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &bytes) != ERROR_SUCCESS)
        return missing;
    return value;
}

std::wstring ValueText(const std::wstring& key, const wchar_t* name, HKEY root)
{
    DWORD type = 0;
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, nullptr) != ERROR_SUCCESS)
        return L"-";
    if (type == REG_DWORD)
        return std::to_wstring(ReadDword(key, name, 0, root));
    return ReadText(key, name, root);
}

bool WriteText(const std::wstring& key, const wchar_t* name, const std::wstring& text, HKEY root)
{
    return RegSetKeyValueW(root, key.c_str(), name, REG_SZ, text.c_str(),
                           (DWORD)((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool WriteDword(const std::wstring& key, const wchar_t* name, DWORD value, HKEY root)
{
    return RegSetKeyValueW(root, key.c_str(), name, REG_DWORD, &value, sizeof(value)) == ERROR_SUCCESS;
}

bool DeleteValue(const std::wstring& key, const wchar_t* name, HKEY root)
{
    HKEY handle;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS)
        return false;
    const bool deleted = RegDeleteValueW(handle, name) == ERROR_SUCCESS;
    RegCloseKey(handle);
    return deleted;
}

bool HasValue(const std::wstring& key, const wchar_t* name, HKEY root)
{
    return RegGetValueW(root, key.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
}

// ---- Keys -------------------------------------------------------------------------

bool HasKey(const std::wstring& key, HKEY root)
{
    HKEY handle;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

void DeleteKey(const std::wstring& key, HKEY root)
{
    RegDeleteTreeW(root, key.c_str());
    RegDeleteKeyW(root, key.c_str());
}

std::vector<std::wstring> SubkeyNames(const std::wstring& key, HKEY root)
{
    std::vector<std::wstring> names;
    HKEY handle;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return names;
    wchar_t name[256];
    for (DWORD i = 0, size = 256; RegEnumKeyExW(handle, i, name, &size, nullptr, nullptr, nullptr, nullptr) ==
                                  ERROR_SUCCESS;
         ++i, size = 256)
        names.push_back(name);
    RegCloseKey(handle);
    return names;
}

// ---- SavedRegistryValue -------------------------------------------------------------

SavedRegistryValue::SavedRegistryValue(HKEY root, const std::wstring& key, const wchar_t* name)
    : root_(root), key_(key), name_(name ? name : L""), isDefault_(name == nullptr)
{
    DWORD bytes = 0;
    if (RegGetValueW(root_, key_.c_str(), Name(), RRF_RT_ANY | RRF_NOEXPAND, &type_, nullptr, &bytes) !=
        ERROR_SUCCESS)
        return;
    data_.resize(bytes);
    existed_ = RegGetValueW(root_, key_.c_str(), Name(), RRF_RT_ANY | RRF_NOEXPAND, &type_,
                            data_.empty() ? nullptr : data_.data(), &bytes) == ERROR_SUCCESS;
    data_.resize(bytes);
}

SavedRegistryValue::~SavedRegistryValue()
{
    if (existed_)
        RegSetKeyValueW(root_, key_.c_str(), Name(), type_, data_.data(), (DWORD)data_.size());
    else
        Delete();
}

void SavedRegistryValue::SetDword(DWORD value) const
{
    RegSetKeyValueW(root_, key_.c_str(), Name(), REG_DWORD, &value, sizeof(value));
}

void SavedRegistryValue::SetString(const std::wstring& text) const
{
    RegSetKeyValueW(root_, key_.c_str(), Name(), REG_SZ, text.c_str(), (DWORD)((text.size() + 1) * sizeof(wchar_t)));
}

void SavedRegistryValue::SetBinary(const std::vector<BYTE>& data) const
{
    RegSetKeyValueW(root_, key_.c_str(), Name(), REG_BINARY, data.data(), (DWORD)data.size());
}

void SavedRegistryValue::Delete() const
{
    DeleteValue(key_, Name(), root_);
}

DWORD SavedRegistryValue::GetDword(DWORD missing) const
{
    return ReadDword(key_, Name(), missing, root_);
}

// ---- DeviceState ------------------------------------------------------------------------

DeviceState::DeviceState() : saved_({DEVICE_STATE_KEY}) {}

void DeviceState::Set(const wchar_t* name, DWORD value)
{
    EXPECT_TRUE(WriteDword(DEVICE_STATE_KEY, name, value)) << "device state " << ToUtf8(name);
}

void DeviceState::Set(const wchar_t* name, const std::wstring& text, DWORD type)
{
    EXPECT_EQ(ERROR_SUCCESS, RegSetKeyValueW(HKEY_LOCAL_MACHINE, DEVICE_STATE_KEY, name, type, text.c_str(),
                                             (DWORD)((text.size() + 1) * sizeof(wchar_t))))
        << "device state " << ToUtf8(name);
}

void DeviceState::Delete(const wchar_t* name)
{
    DeleteValue(DEVICE_STATE_KEY, name);
}

DWORD DeviceState::Get(const wchar_t* name, DWORD missing) const
{
    return ReadDword(DEVICE_STATE_KEY, name, missing);
}

// ---- RegistrySandbox ------------------------------------------------------------------

struct RegistrySandbox::Tree {
    struct Value {
        DWORD type;
        std::vector<BYTE> data;
        bool operator==(const Value& other) const { return type == other.type && data == other.data; }
    };
    std::map<std::wstring, Value> values;
    std::map<std::wstring, Tree> keys;
};

struct RegistrySandbox::Snapshot {
    std::wstring key;
    bool saved = false;
    bool existed = false;
    Tree tree;
};

namespace {

using Tree = RegistrySandbox::Tree;

// Reads a key with everything below it; false when any part is unreadable.
bool ReadTree(HKEY key, Tree* tree)
{
    DWORD subkeys = 0, maxKey = 0, values = 0, maxName = 0, maxData = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, &maxKey, nullptr, &values, &maxName, &maxData,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return false;
    std::vector<wchar_t> name(maxName + 2);
    std::vector<BYTE> data(maxData + 2);
    for (DWORD i = 0; i < values; ++i) {
        DWORD nameChars = (DWORD)name.size(), bytes = (DWORD)data.size(), type = 0;
        if (RegEnumValueW(key, i, name.data(), &nameChars, nullptr, &type, data.data(), &bytes) != ERROR_SUCCESS)
            return false;
        tree->values[std::wstring(name.data(), nameChars)] = {type, std::vector<BYTE>(data.begin(), data.begin() + bytes)};
    }
    std::vector<wchar_t> keyName(maxKey + 2);
    for (DWORD i = 0; i < subkeys; ++i) {
        DWORD chars = (DWORD)keyName.size();
        if (RegEnumKeyExW(key, i, keyName.data(), &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return false;
        HKEY child;
        if (RegOpenKeyExW(key, keyName.data(), 0, KEY_READ, &child) != ERROR_SUCCESS)
            return false;
        const bool read = ReadTree(child, &tree->keys[std::wstring(keyName.data(), chars)]);
        RegCloseKey(child);
        if (!read)
            return false;
    }
    return true;
}

// Reads root\path; *exists false (and success) when there is no such key.
bool ReadTree(HKEY root, const std::wstring& path, bool* exists, Tree* tree)
{
    HKEY key;
    const LONG opened = RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key);
    *exists = opened == ERROR_SUCCESS;
    if (opened == ERROR_FILE_NOT_FOUND)
        return true;
    if (!*exists)
        return false;
    const bool read = ReadTree(key, tree);
    RegCloseKey(key);
    return read;
}

bool WriteTree(HKEY root, const std::wstring& path, const Tree& tree)
{
    HKEY key;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return false;
    bool ok = true;
    for (const auto& value : tree.values)
        ok &= RegSetValueExW(key, value.first.empty() ? nullptr : value.first.c_str(), 0, value.second.type,
                             value.second.data.data(), (DWORD)value.second.data.size()) == ERROR_SUCCESS;
    RegCloseKey(key);
    for (const auto& child : tree.keys)
        ok &= WriteTree(root, path + L"\\" + child.first, child.second);
    return ok;
}

void Compare(const std::wstring& path, const Tree& was, const Tree& now, std::vector<std::wstring>* out)
{
    for (const auto& value : was.values) {
        auto it = now.values.find(value.first);
        if (it == now.values.end() || !(it->second == value.second))
            out->push_back(path + L"\\:" + value.first);
    }
    for (const auto& value : now.values)
        if (!was.values.count(value.first))
            out->push_back(path + L"\\:" + value.first);
    for (const auto& key : was.keys) {
        auto it = now.keys.find(key.first);
        if (it == now.keys.end())
            out->push_back(path + L"\\" + key.first);
        else
            Compare(path + L"\\" + key.first, key.second, it->second, out);
    }
    for (const auto& key : now.keys)
        if (!was.keys.count(key.first))
            out->push_back(path + L"\\" + key.first);
}

}  // namespace

RegistrySandbox::RegistrySandbox(std::initializer_list<std::wstring> keys, HKEY root) : root_(root)
{
    for (const std::wstring& key : keys) {
        auto snapshot = std::make_unique<Snapshot>();
        snapshot->key = key;
        snapshot->saved = ReadTree(root_, key, &snapshot->existed, &snapshot->tree);
        snapshots_.push_back(std::move(snapshot));
    }
}

RegistrySandbox::~RegistrySandbox()
{
    Restore();
}

bool RegistrySandbox::Saved() const
{
    for (const auto& snapshot : snapshots_)
        if (!snapshot->saved)
            return false;
    return true;
}

std::vector<std::wstring> RegistrySandbox::Differences() const
{
    std::vector<std::wstring> differences;
    for (const auto& snapshot : snapshots_) {
        if (!snapshot->saved)
            continue;
        bool exists = false;
        Tree now;
        if (!ReadTree(root_, snapshot->key, &exists, &now) || exists != snapshot->existed)
            differences.push_back(snapshot->key);
        else
            Compare(snapshot->key, snapshot->tree, now, &differences);
    }
    return differences;
}

void RegistrySandbox::Restore()
{
    for (const auto& snapshot : snapshots_) {
        if (!snapshot->saved)
            continue;  // never delete what could not be saved
        bool exists = false;
        Tree now;
        if (ReadTree(root_, snapshot->key, &exists, &now) && exists == snapshot->existed) {
            std::vector<std::wstring> changes;
            Compare(snapshot->key, snapshot->tree, now, &changes);
            if (changes.empty())
                continue;
        }
        DeleteKey(snapshot->key, root_);
        if (snapshot->existed)
            WriteTree(root_, snapshot->key, snapshot->tree);
    }
}

// ---- RegistryScratchTest ------------------------------------------------------------

RegistryScratchTest::RegistryScratchTest(const wchar_t* parent)
    : path_(std::wstring(parent) + L"\\CorvaneTest" + std::to_wstring(GetCurrentProcessId()))
{
}

void RegistryScratchTest::SetUp()
{
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, path_.c_str());
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &key_, nullptr));
}

void RegistryScratchTest::TearDown()
{
    if (key_)
        RegCloseKey(key_);
    DeleteKey(path_);
}

void RegistryScratchTest::PutValue(const wchar_t* name, DWORD type, const void* data, DWORD bytes)
{
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key_, name, 0, type, static_cast<const BYTE*>(data), bytes));
}

void RegistryScratchTest::PutText(const wchar_t* name, const std::wstring& text)
{
    PutValue(name, REG_SZ, text.c_str(), (DWORD)((text.size() + 1) * sizeof(wchar_t)));
}

std::wstring RegistryScratchTest::GetText(const wchar_t* name, const wchar_t* subkey) const
{
    const std::wstring key = subkey ? path_ + L"\\" + subkey : path_;
    return testkit::HasValue(key, name) ? ReadText(key, name) : L"<missing>";
}

bool RegistryScratchTest::HasValue(const wchar_t* name) const
{
    return testkit::HasValue(path_, name);
}

bool RegistryScratchTest::HasSubKey(const wchar_t* name) const
{
    return HasKey(path_ + L"\\" + name);
}

}  // namespace testkit
