// The theme settings in the registry: the colours (HKLM), whether Today uses
// the Start picture and the name of the theme in force (HKCU).
#include <tessary.h>

#include <corvane.h>
#include <strsafe.h>

#include "tessary_private.h"

namespace {

const wchar_t kUseStartImage[] = L"UseStartImage";
const wchar_t kSkin[] = L"Skin";

bool ReadColourValue(CRegistry& key, int index, COLORREF* colour)
{
    BYTE data[4];
    DWORD size = sizeof data;
    if (!key.ReadBlob(CTskColor::ValueName(index), data, &size) || size != sizeof data)
        return false;
    *colour = data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<COLORREF>(data[3]) << 24);
    return true;
}

bool WriteColourValue(CRegistry& key, int index, COLORREF colour)
{
    const BYTE data[4] = {static_cast<BYTE>(colour), static_cast<BYTE>(colour >> 8), static_cast<BYTE>(colour >> 16),
                          static_cast<BYTE>(colour >> 24)};
    return key.WriteBlob(CTskColor::ValueName(index), data, sizeof data) != 0;
}

bool ValidIndex(int index)
{
    return index >= 0 && index < CTskColor::kCount;
}

} // namespace

// A value that is missing or not four bytes keeps the caller's colour.
int GetThemeColors(CTskColor* colors)
{
    CRegistry key;
    if (!colors || !key.Open(HKEY_LOCAL_MACHINE, TSK_COLOR_KEY, TRUE))
        return 0;
    for (int i = 0; i < CTskColor::kCount; ++i)
        ReadColourValue(key, i, &colors->m_color[i]);
    return 1;
}

int SetThemeColors(const CTskColor* colors)
{
    CRegistry key;
    if (!colors || !key.Open(HKEY_LOCAL_MACHINE, TSK_COLOR_KEY, FALSE, TRUE))
        return 0;
    for (int i = 0; i < CTskColor::kCount; ++i)
        if (!WriteColourValue(key, i, colors->m_color[i]))
            return 0;
    return 1;
}

int GetThemeColor(int index, COLORREF* color)
{
    CRegistry key;
    if (!color || !ValidIndex(index) || !key.Open(HKEY_LOCAL_MACHINE, TSK_COLOR_KEY, TRUE))
        return 0;
    return ReadColourValue(key, index, color);
}

int SetThemeColor(int index, COLORREF color)
{
    CRegistry key;
    if (!ValidIndex(index) || !key.Open(HKEY_LOCAL_MACHINE, TSK_COLOR_KEY, FALSE, TRUE))
        return 0;
    return WriteColourValue(key, index, color);
}

int CheckUsingStImage()
{
    CRegistry key;
    DWORD use = 0;
    return key.Open(HKEY_CURRENT_USER, TSK_TODAY_KEY, TRUE) && key.ReadDWORD(kUseStartImage, &use) && use == 1;
}

int SetUsingStImage(int use)
{
    CRegistry key;
    if (!key.Open(HKEY_CURRENT_USER, TSK_TODAY_KEY, FALSE, TRUE))
        return 0;
    if (use)
        return key.WriteDWORD(kUseStartImage, 1);
    // Absent means "no"; deleting an absent value is no failure.
    DWORD ignored = 0;
    return key.DeleteValue(kUseStartImage) || !key.ReadDWORD(kUseStartImage, &ignored);
}

int GetCurThemeName(wchar_t* buffer, DWORD cch)
{
    if (!buffer || cch == 0)
        return 0;
    buffer[0] = L'\0';
    CRegistry key;
    if (!key.Open(HKEY_CURRENT_USER, TSK_TODAY_KEY, TRUE))
        return 0;
    DWORD size = cch;
    if (!key.ReadString(kSkin, buffer, &size) || !buffer[0])
        return SUCCEEDED(StringCchCopyW(buffer, cch, TSK_DEFAULT_NAME));
    return 1;
}

int SetCurThemeName(const wchar_t* name)
{
    CRegistry key;
    return name && key.Open(HKEY_CURRENT_USER, TSK_TODAY_KEY, FALSE, TRUE) && key.WriteString(kSkin, name);
}
