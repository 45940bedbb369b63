// Reading and writing the side bar's settings.
#include "settings.h"

#include <strsafe.h>

#include <corvane.h>

namespace {

using KetraOptions::kDefaultApplet;
using KetraOptions::kDefaultBkImage;
using KetraOptions::kDefaultPos;
using KetraOptions::kDefaultSound;

// A text value into a fixed field; the field keeps its value when the
// value is absent or longer than the field.
void ReadText(CRegistry& reg, LPCWSTR name, wchar_t* field, size_t capacity)
{
    wchar_t buffer[MAX_PATH];
    DWORD size = static_cast<DWORD>(capacity < MAX_PATH ? capacity : MAX_PATH);
    if (reg.ReadString(name, buffer, &size))
        StringCchCopyW(field, capacity, buffer);
}

int ReadFlag(CRegistry& reg, LPCWSTR name, int fallback)
{
    DWORD value = 0;
    return reg.ReadDWORD(name, &value) ? static_cast<int>(value) : fallback;
}

}  // namespace

CKetraSettings::CKetraSettings()
    : m_szPath{}, m_szSkin{}, m_szCurrentApplet{}, m_nXPos(kDefaultPos), m_nYPos(kDefaultPos), m_bSoundOn(1),
      m_szSndOpen{}, m_szSndClose{}, m_bAutoClose(0), m_dwWinMode(6), m_bBackOn(1), m_szBkImage{}, m_bBkStretch(0)
{
    StringCchCopyW(m_szSkin, kNameLength, L"Default");
    StringCchCopyW(m_szCurrentApplet, kNameLength, kDefaultApplet);
    StringCchCopyW(m_szSndOpen, kFileLength, kDefaultSound);
    StringCchCopyW(m_szSndClose, kFileLength, kDefaultSound);
    StringCchCopyW(m_szBkImage, kFileLength, kDefaultBkImage);
}

int CKetraSettings::WriteDefaults()
{
    return KetraOptions::WriteDefaults(HKEY_LOCAL_MACHINE) ? 1 : 0;
}

int CKetraSettings::Load()
{
    {
        CRegistry ketra;
        if (ketra.Open(HKEY_LOCAL_MACHINE, KETRA_KEY, TRUE))
            ReadText(ketra, L"path", m_szPath, MAX_PATH);
    }
    {
        CRegistry skin;
        if (skin.Open(HKEY_LOCAL_MACHINE, KETRA_SKIN_KEY, TRUE))
            ReadText(skin, L"Skin", m_szSkin, kNameLength);
    }
    CRegistry reg;
    if (!reg.Open(HKEY_LOCAL_MACHINE, KETRA_OPTIONS_KEY, TRUE)) {
        WriteDefaults();
        if (!reg.Open(HKEY_LOCAL_MACHINE, KETRA_OPTIONS_KEY, TRUE)) {
            CWnd::WriteLog(L"Failed to Load Default Registry Setting");  // a trace line, not a box
            return 0;
        }
    }
    ReadText(reg, L"CurrentApplet", m_szCurrentApplet, kNameLength);
    // Compared unsigned: a "negative" stored position is out of range too.
    DWORD x = kDefaultPos, y = kDefaultPos;
    reg.ReadDWORD(L"xpos", &x);
    reg.ReadDWORD(L"ypos", &y);
    m_nXPos = x > 240 ? kDefaultPos : static_cast<int>(x);
    m_nYPos = y > 320 ? kDefaultPos : static_cast<int>(y);
    m_bSoundOn = ReadFlag(reg, L"SoundOn", m_bSoundOn);
    ReadText(reg, L"SndOpen", m_szSndOpen, kFileLength);
    ReadText(reg, L"SndClose", m_szSndClose, kFileLength);
    m_bAutoClose = ReadFlag(reg, L"AutoClose", m_bAutoClose);
    m_dwWinMode = static_cast<DWORD>(ReadFlag(reg, L"WinMode", static_cast<int>(m_dwWinMode)));
    m_bBackOn = ReadFlag(reg, L"BackOn", m_bBackOn);
    ReadText(reg, L"BkImage", m_szBkImage, kFileLength);
    m_bBkStretch = ReadFlag(reg, L"BkStretch", m_bBkStretch);
    return 1;
}

int CKetraSettings::FormatSkinPath(wchar_t* out, size_t capacity) const
{
    return SUCCEEDED(StringCchPrintfW(out, capacity, L"%ls\\Skins\\%ls\\skin.xml", m_szPath, m_szSkin));
}

void CKetraSettings::ReadCurrentApplet(wchar_t* out, size_t capacity)
{
    StringCchCopyW(out, capacity, kDefaultApplet);
    CRegistry reg;
    if (reg.Open(HKEY_LOCAL_MACHINE, KETRA_OPTIONS_KEY, TRUE))
        ReadText(reg, L"CurrentApplet", out, capacity);
}

void CKetraSettings::WriteCurrentApplet(LPCWSTR name)
{
    CRegistry reg;
    if (reg.Open(HKEY_LOCAL_MACHINE, KETRA_OPTIONS_KEY, FALSE, TRUE))
        reg.WriteString(L"CurrentApplet", name);
}

void CKetraSettings::WritePosition(int x, int y)
{
    CRegistry reg;
    if (!reg.Open(HKEY_LOCAL_MACHINE, KETRA_OPTIONS_KEY, FALSE, TRUE))
        return;
    reg.WriteDWORD(L"xpos", static_cast<DWORD>(x));
    reg.WriteDWORD(L"ypos", static_cast<DWORD>(y));
}

void CKetraSettings::ReadColors(COLORREF colors[3])
{
    colors[0] = 0xD8E9EC;
    colors[1] = 0xD4D4D4;
    colors[2] = 0x800000;
    CRegistry reg;
    if (!reg.Open(HKEY_LOCAL_MACHINE, KETRA_COLORS_KEY, TRUE))
        return;
    const wchar_t* names[3] = {L"1", L"2", L"3"};
    for (int i = 0; i < 3; ++i) {
        DWORD value = 0;
        if (reg.ReadDWORD(names[i], &value))
            colors[i] = value;
    }
}
