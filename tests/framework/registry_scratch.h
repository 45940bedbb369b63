// A scratch registry key for one test, created empty and deleted afterwards,
// plus direct platform reads to check what the framework wrote.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

class RegistryScratchTest : public ::testing::Test {
protected:
    // HKLM\<parent>\CorvaneTest<process id>.
    explicit RegistryScratchTest(const wchar_t* parent = L"SOFTWARE")
        : m_path(std::wstring(parent) + L"\\CorvaneTest" + std::to_wstring(GetCurrentProcessId()))
    {
    }

    void SetUp() override
    {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, m_path.c_str());
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, m_path.c_str(), 0, nullptr, 0,
                                                 KEY_ALL_ACCESS, nullptr, &m_key, nullptr));
    }

    void TearDown() override
    {
        if (m_key)
            RegCloseKey(m_key);
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, m_path.c_str());
    }

    const wchar_t* Path() const { return m_path.c_str(); }
    HKEY Key() const { return m_key; }

    void PutValue(const wchar_t* name, DWORD type, const void* data, DWORD bytes)
    {
        ASSERT_EQ(ERROR_SUCCESS,
                  RegSetValueExW(m_key, name, 0, type, static_cast<const BYTE*>(data), bytes));
    }

    void PutText(const wchar_t* name, const std::wstring& text)
    {
        PutValue(name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }

    // The stored text, or "<missing>" when there is no such value.
    std::wstring GetText(const wchar_t* name, const wchar_t* subkey = nullptr) const
    {
        wchar_t text[1024];
        DWORD bytes = sizeof(text);
        if (RegGetValueW(m_key, subkey, name, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS)
            return L"<missing>";
        return text;
    }

    bool HasValue(const wchar_t* name) const
    {
        return RegQueryValueExW(m_key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    }

    bool HasSubKey(const wchar_t* name) const
    {
        HKEY sub;
        if (RegOpenKeyExW(m_key, name, 0, KEY_READ, &sub) != ERROR_SUCCESS)
            return false;
        RegCloseKey(sub);
        return true;
    }

private:
    std::wstring m_path;
    HKEY m_key = nullptr;
};
