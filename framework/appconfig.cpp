// CAppConfig: a program's or applet's settings key under SOFTWARE\ZARQ.
#include "registry.h"

#include <cstdarg>
#include <cstdlib>
#include <cwchar>

namespace {

const wchar_t kConfigRoot[] = L"SOFTWARE\\ZARQ";
// Key paths are built in a buffer of this many characters; longer ones fail.
const int kMaxKeyPath = 512;
// Set writes at most 260 characters; GetDOUBLE reads at most 31.
const int kMaxSetText = 261;
const int kMaxDoubleText = 32;

} // namespace

CAppConfig::CAppConfig(const wchar_t* name)
{
    Open(name);
}

CAppConfig::CAppConfig(const wchar_t* parent, const wchar_t* name)
{
    Open(parent, name);
}

BOOL CAppConfig::Open(const wchar_t* name)
{
    return Open(kConfigRoot, name);
}

BOOL CAppConfig::Open(const wchar_t* parent, const wchar_t* name)
{
    m_registry.Close();
    if (!parent || !name)
        return FALSE;
    wchar_t path[kMaxKeyPath];
    int written = swprintf(path, kMaxKeyPath, L"%ls\\%ls", parent, name);
    if (written < 0 || written >= kMaxKeyPath)
        return FALSE;
    return m_registry.Open(HKEY_LOCAL_MACHINE, path, FALSE, TRUE);
}

BOOL CAppConfig::Open(const wchar_t* name, int number)
{
    m_registry.Close();
    if (!name)
        return FALSE;
    wchar_t path[kMaxKeyPath];
    int written = swprintf(path, kMaxKeyPath, L"%ls\\%d", name, number);
    if (written < 0 || written >= kMaxKeyPath)
        return FALSE;
    return m_registry.Open(HKEY_LOCAL_MACHINE, path, FALSE, TRUE);
}

BOOL CAppConfig::Set(const wchar_t* name, const wchar_t* format, ...)
{
    if (!format)
        return FALSE;
    wchar_t text[kMaxSetText];
    va_list args;
    va_start(args, format);
    int written = vswprintf(text, kMaxSetText, format, args);
    va_end(args);
    // Truncated text is not written: a cut setting could read back as a different value.
    if (written < 0 || written >= kMaxSetText)
        return FALSE;
    return m_registry.WriteString(name, text);
}

BOOL CAppConfig::SetINT(const wchar_t* name, int value)
{
    return m_registry.WriteDWORD(name, static_cast<DWORD>(value));
}

BOOL CAppConfig::GetINT(const wchar_t* name, int* value)
{
    DWORD number;
    if (!value || !m_registry.ReadDWORD(name, &number))
        return FALSE;
    *value = static_cast<int>(number);
    return TRUE;
}

BOOL CAppConfig::SetDOUBLE(const wchar_t* name, double value)
{
    wchar_t text[kMaxDoubleText];
    int written = swprintf(text, kMaxDoubleText, L"%.5f", value);
    // Text GetDOUBLE could not read back is not written.
    if (written < 0 || written >= kMaxDoubleText)
        return FALSE;
    return m_registry.WriteString(name, text);
}

BOOL CAppConfig::GetDOUBLE(const wchar_t* name, double* value)
{
    if (!value)
        return FALSE;
    wchar_t text[kMaxDoubleText];
    DWORD size = kMaxDoubleText;
    if (!m_registry.ReadString(name, text, &size))
        return FALSE;
    char narrow[kMaxDoubleText * 2];
    if (!WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof(narrow), nullptr, nullptr))
        return FALSE;
    char* end = nullptr;
    double parsed = std::strtod(narrow, &end);
    if (end == narrow)
        return FALSE;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end != '\0')
        return FALSE;
    *value = parsed;
    return TRUE;
}
