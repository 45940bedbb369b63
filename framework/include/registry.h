// Registry access: CRegistry (one open key) and CAppConfig (settings sections).
//
// Every call returns 1 for success and 0 for failure; a failed call leaves
// the object and the caller's output untouched, except that a failed Open
// leaves the object closed. Sizes of text are in characters, sizes of binary
// values in bytes.
#pragma once

#include <windows.h>

#include "corvane_api.h"

class CORVANE_API CRegistry {
public:
    // Longest text value ReadString reads, and longest name the enumerations
    // return, both in characters with the terminator.
    static constexpr DWORD kMaxText = 261;

    CRegistry();
    ~CRegistry();
    CRegistry(const CRegistry&) = delete;
    CRegistry& operator=(const CRegistry&) = delete;

    // Opens root\path (a leading backslash is ignored). With create set the
    // key is created when missing. Access is `access` when useAccess is set,
    // else all access; a plain read-only open asks for read access only. A
    // read-only object refuses every write and delete.
    BOOL Open(HKEY root, const wchar_t* path, BOOL readOnly = FALSE, BOOL create = FALSE,
              BOOL useAccess = FALSE, REGSAM access = 0);
    // Closing a closed object succeeds; when the platform refuses, the key stays open.
    BOOL Close();

    BOOL IsOpen() const { return m_open; }
    HKEY GetHandle() const { return m_key; }
    operator HKEY() const { return m_key; }
    HKEY GetBaseHandle() const { return m_base; }

    // Text of up to kMaxText characters (terminator included). With a null
    // buffer or a size below the value's size, stores the needed size and
    // fails; else copies the text and stores its size.
    BOOL ReadString(const wchar_t* name, wchar_t* buffer, DWORD* size);
    BOOL WriteString(const wchar_t* name, const wchar_t* text);
    // Succeeds only for a stored value of exactly 4 bytes, number or binary.
    BOOL ReadDWORD(const wchar_t* name, DWORD* value);
    BOOL WriteDWORD(const wchar_t* name, DWORD value);
    // Binary values only. A null buffer asks for the size; a size below the
    // value's stores the needed size and fails.
    BOOL ReadBlob(const wchar_t* name, BYTE* buffer, DWORD* size);
    BOOL WriteBlob(const wchar_t* name, const BYTE* data, DWORD length);

    // Name of the index-th subkey or value. A size below the name's length
    // + 1 stores that size and fails; failure also ends an enumeration.
    BOOL EnumKeys(wchar_t* buffer, DWORD* size, DWORD index);
    BOOL EnumValues(wchar_t* buffer, DWORD* size, DWORD index);

    // Deletes the subkey with everything below it.
    BOOL DeleteSubKey(const wchar_t* name);
    BOOL DeleteValue(const wchar_t* name);

private:
    BOOL CanWrite() const { return m_open && !m_readOnly; }

    DWORD m_signature; // "VREG" while alive, "_REG" after destruction
    BOOL m_readOnly = FALSE;
    BOOL m_open = FALSE;
    HKEY m_key = nullptr;
    HKEY m_base = nullptr;
};

// The settings of one program or applet: a key under
// HKEY_LOCAL_MACHINE\SOFTWARE\ZARQ, opened (and created) writable.
class CORVANE_API CAppConfig {
public:
    CAppConfig() = default;
    explicit CAppConfig(const wchar_t* name);
    CAppConfig(const wchar_t* parent, const wchar_t* name);

    // SOFTWARE\ZARQ\<name>.
    BOOL Open(const wchar_t* name);
    // <parent>\<name> under HKEY_LOCAL_MACHINE.
    BOOL Open(const wchar_t* parent, const wchar_t* name);
    // <name>\<number> under HKEY_LOCAL_MACHINE, for numbered records.
    BOOL Open(const wchar_t* name, int number);
    BOOL Close() { return m_registry.Close(); }
    BOOL IsOpen() const { return m_registry.IsOpen(); }

    BOOL SetAt(const wchar_t* name, const wchar_t* text) { return m_registry.WriteString(name, text); }
    BOOL GetAt(const wchar_t* name, wchar_t* buffer, DWORD* size) { return m_registry.ReadString(name, buffer, size); }
    // printf-style text of at most 260 characters; longer text is not written.
    BOOL Set(const wchar_t* name, const wchar_t* format, ...);

    BOOL SetDWORD(const wchar_t* name, DWORD value) { return m_registry.WriteDWORD(name, value); }
    BOOL GetDWORD(const wchar_t* name, DWORD* value) { return m_registry.ReadDWORD(name, value); }
    BOOL SetINT(const wchar_t* name, int value);
    BOOL GetINT(const wchar_t* name, int* value);
    // Stored as text with five decimals ("%.5f"), at most 31 characters.
    BOOL SetDOUBLE(const wchar_t* name, double value);
    BOOL GetDOUBLE(const wchar_t* name, double* value);

private:
    CRegistry m_registry;
};
