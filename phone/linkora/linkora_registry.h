// Linkora's own small registry wrapper (it links nothing of the suite):
// one key of HKEY_LOCAL_MACHINE, opened for reading or created for writing.
#pragma once

#include <windows.h>

class CLinkoraKey {
public:
    CLinkoraKey() = default;
    ~CLinkoraKey() { Close(); }
    CLinkoraKey(const CLinkoraKey&) = delete;
    CLinkoraKey& operator=(const CLinkoraKey&) = delete;

    bool Open(LPCWSTR path);    // an existing key, for reading
    bool Create(LPCWSTR path);  // opened for writing, made when missing
    // A string value into text of cch characters; false when it is missing,
    // not a string or does not fit.
    bool ReadString(LPCWSTR name, wchar_t* text, DWORD cch) const;
    bool WriteString(LPCWSTR name, LPCWSTR text);
    void Close();

private:
    HKEY m_key = nullptr;
};
