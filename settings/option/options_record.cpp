// Loading and saving the side bar's options.
#include "options_record.h"

#include <strsafe.h>

#include <corvane.h>
#include <ketra_options.h>

namespace {

using KetraOptions::kDefaultApplet;
using KetraOptions::kDefaultBkImage;
using KetraOptions::kDefaultSound;
constexpr DWORD kDefaultPos = KetraOptions::kDefaultPos;
// Stored positions beyond the screen start the bar at the default.
constexpr DWORD kMaxXPos = 240;
constexpr DWORD kMaxYPos = 320;

// A text value into a field; the field keeps its value when the value is
// missing or does not fit.
void ReadText(CRegistry& reg, LPCWSTR name, wchar_t (&field)[COptionsRecord::kTextLength])
{
    wchar_t buffer[COptionsRecord::kTextLength];
    DWORD size = COptionsRecord::kTextLength;
    if (reg.ReadString(name, buffer, &size))
        StringCchCopyW(field, COptionsRecord::kTextLength, buffer);
}

void ReadNumber(CRegistry& reg, LPCWSTR name, DWORD* field)
{
    DWORD value = 0;
    if (reg.ReadDWORD(name, &value))
        *field = value;
}

}  // namespace

COptionsRecord::COptionsRecord()
    : m_szPath{}, m_szDefaultApplet{}, m_szCurrentApplet{}, m_dwXPos(kDefaultPos), m_dwYPos(kDefaultPos),
      m_dwSoundOn(1), m_szSndOpen{}, m_szSndClose{}, m_dwAutoClose(0), m_dwWinMode(kWinModeMinimized),
      m_dwBackOn(1), m_szBkImage{}, m_dwBkStretch(0)
{
    SetText(m_szDefaultApplet, kDefaultApplet);
    SetText(m_szCurrentApplet, kDefaultApplet);
    SetText(m_szSndOpen, kDefaultSound);
    SetText(m_szSndClose, kDefaultSound);
    SetText(m_szBkImage, kDefaultBkImage);
}

BOOL COptionsRecord::SetText(wchar_t (&field)[kTextLength], LPCWSTR text)
{
    if (!text || wcslen(text) >= kTextLength)
        return FALSE;
    StringCchCopyW(field, kTextLength, text);
    return TRUE;
}

BOOL COptionsRecord::WriteDefaults(HKEY root)
{
    return KetraOptions::WriteDefaults(root);
}

BOOL COptionsRecord::Load(HKEY root)
{
    m_root = root;
    {
        CRegistry ketra;
        if (ketra.Open(root, KETRA_KEY_PATH, TRUE))
            ReadText(ketra, L"path", m_szPath);
    }
    CRegistry reg;
    if (!reg.Open(root, KETRA_OPTIONS_KEY, TRUE)) {
        WriteDefaults(root);
        if (!reg.Open(root, KETRA_OPTIONS_KEY, TRUE)) {
            CWnd::WriteLog(L"Failed to Load Default Registry Setting");
            return FALSE;
        }
    }
    ReadText(reg, L"DefaultApplet", m_szDefaultApplet);
    ReadText(reg, L"CurrentApplet", m_szCurrentApplet);
    ReadNumber(reg, L"xpos", &m_dwXPos);
    ReadNumber(reg, L"ypos", &m_dwYPos);
    // Compared unsigned, so a "negative" position is out of range as well.
    if (m_dwXPos > kMaxXPos)
        m_dwXPos = kDefaultPos;
    if (m_dwYPos > kMaxYPos)
        m_dwYPos = kDefaultPos;
    ReadNumber(reg, L"SoundOn", &m_dwSoundOn);
    ReadText(reg, L"SndOpen", m_szSndOpen);
    ReadText(reg, L"SndClose", m_szSndClose);
    ReadNumber(reg, L"AutoClose", &m_dwAutoClose);
    ReadNumber(reg, L"WinMode", &m_dwWinMode);
    ReadNumber(reg, L"BackOn", &m_dwBackOn);
    ReadText(reg, L"BkImage", m_szBkImage);
    ReadNumber(reg, L"BkStretch", &m_dwBkStretch);
    m_bLoaded = TRUE;
    return TRUE;
}

BOOL COptionsRecord::Save() const
{
    if (!m_bLoaded)
        return FALSE;
    CRegistry reg;
    if (!reg.Open(m_root, KETRA_OPTIONS_KEY, FALSE, TRUE))
        return FALSE;
    BOOL written = reg.WriteDWORD(L"xpos", m_dwXPos);
    written &= reg.WriteDWORD(L"ypos", m_dwYPos);
    written &= reg.WriteDWORD(L"SoundOn", m_dwSoundOn);
    written &= reg.WriteString(L"SndOpen", m_szSndOpen);
    written &= reg.WriteString(L"SndClose", m_szSndClose);
    written &= reg.WriteDWORD(L"AutoClose", m_dwAutoClose);
    written &= reg.WriteDWORD(L"WinMode", m_dwWinMode);
    written &= reg.WriteDWORD(L"BackOn", m_dwBackOn);
    written &= reg.WriteString(L"BkImage", m_szBkImage);
    written &= reg.WriteDWORD(L"BkStretch", m_dwBkStretch);
    return written;
}
