// The registry as a test reads and changes it: the test runs inside the
// device, so it reads and writes the values the device's programs see.
// Keys are paths under a root, HKEY_LOCAL_MACHINE unless one is given.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace testkit {

// ---- Single values (name null: the key's default value) -----------------------
std::wstring ReadText(const std::wstring& key, const wchar_t* name, HKEY root = HKEY_LOCAL_MACHINE);  // "" if none
DWORD ReadDword(const std::wstring& key, const wchar_t* name, DWORD missing = 0xDEADBEEF,
                HKEY root = HKEY_LOCAL_MACHINE);
// Text or number (in decimal) as one string, "-" when the value is missing.
std::wstring ValueText(const std::wstring& key, const wchar_t* name, HKEY root = HKEY_LOCAL_MACHINE);
bool WriteText(const std::wstring& key, const wchar_t* name, const std::wstring& text,
               HKEY root = HKEY_LOCAL_MACHINE);
bool WriteDword(const std::wstring& key, const wchar_t* name, DWORD value, HKEY root = HKEY_LOCAL_MACHINE);
bool DeleteValue(const std::wstring& key, const wchar_t* name, HKEY root = HKEY_LOCAL_MACHINE);
bool HasValue(const std::wstring& key, const wchar_t* name, HKEY root = HKEY_LOCAL_MACHINE);

// ---- Keys ---------------------------------------------------------------------
bool HasKey(const std::wstring& key, HKEY root = HKEY_LOCAL_MACHINE);
// Removes the key with everything below it.
void DeleteKey(const std::wstring& key, HKEY root = HKEY_LOCAL_MACHINE);
std::vector<std::wstring> SubkeyNames(const std::wstring& key, HKEY root = HKEY_LOCAL_MACHINE);

// ---- Putting things back ---------------------------------------------------------

// One value remembered (or its absence) and put back when the object goes.
class SavedRegistryValue {
public:
    SavedRegistryValue(HKEY root, const std::wstring& key, const wchar_t* name);
    ~SavedRegistryValue();
    SavedRegistryValue(const SavedRegistryValue&) = delete;
    SavedRegistryValue& operator=(const SavedRegistryValue&) = delete;

    void SetDword(DWORD value) const;
    void SetString(const std::wstring& text) const;
    void SetBinary(const std::vector<BYTE>& data) const;
    void Delete() const;
    DWORD GetDword(DWORD missing = 0xDEADBEEF) const;

private:
    const wchar_t* Name() const { return isDefault_ ? nullptr : name_.c_str(); }

    HKEY root_;
    std::wstring key_, name_;
    bool isDefault_;
    bool existed_ = false;
    DWORD type_ = 0;
    std::vector<BYTE> data_;
};

// Whole trees snapshotted at construction and put back on destruction (or
// Restore), values, subkeys and absence alike.  A tree whose snapshot could
// not be taken is never deleted or rewritten: check Saved() before a test
// changes anything.
class RegistrySandbox {
public:
    explicit RegistrySandbox(std::initializer_list<std::wstring> keys, HKEY root = HKEY_LOCAL_MACHINE);
    ~RegistrySandbox();
    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;

    bool Saved() const;
    // Paths (values as "key\\:name") that differ from the snapshots.
    std::vector<std::wstring> Differences() const;
    void Restore();

    struct Tree;

private:
    struct Snapshot;
    HKEY root_;
    std::vector<std::unique_ptr<Snapshot>> snapshots_;
};

// The device's adjustable state (HKLM "Software\SimDevice": battery, memory,
// store, display, volume, OEM string, test overrides) changed for one test
// and put back whole when the object goes.
class DeviceState {
public:
    DeviceState();
    void Set(const wchar_t* name, DWORD value);
    // type REG_MULTI_SZ: text holds the inner terminators, the last is added.
    void Set(const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ);
    void Delete(const wchar_t* name);
    DWORD Get(const wchar_t* name, DWORD missing = 0xDEADBEEF) const;

private:
    RegistrySandbox saved_;
};

// A scratch key for one test, HKLM\<parent>\CorvaneTest<process id>,
// created empty and deleted afterwards.
class RegistryScratchTest : public ::testing::Test {
protected:
    explicit RegistryScratchTest(const wchar_t* parent = L"SOFTWARE");
    void SetUp() override;
    void TearDown() override;

    const wchar_t* Path() const { return path_.c_str(); }
    HKEY Key() const { return key_; }
    void PutValue(const wchar_t* name, DWORD type, const void* data, DWORD bytes);
    void PutText(const wchar_t* name, const std::wstring& text);
    // The stored text, or "<missing>".
    std::wstring GetText(const wchar_t* name, const wchar_t* subkey = nullptr) const;
    bool HasValue(const wchar_t* name) const;
    bool HasSubKey(const wchar_t* name) const;

private:
    std::wstring path_;
    HKEY key_ = nullptr;
};

}  // namespace testkit
