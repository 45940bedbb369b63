#include "shell.h"

void FillVerticalGradient(HDC dc, const RECT& rc, COLORREF top, COLORREF bottom)
{
    TRIVERTEX v[2] = {};
    v[0].x = rc.left;
    v[0].y = rc.top;
    v[0].Red = (COLOR16)(GetRValue(top) << 8);
    v[0].Green = (COLOR16)(GetGValue(top) << 8);
    v[0].Blue = (COLOR16)(GetBValue(top) << 8);
    v[1].x = rc.right;
    v[1].y = rc.bottom;
    v[1].Red = (COLOR16)(GetRValue(bottom) << 8);
    v[1].Green = (COLOR16)(GetGValue(bottom) << 8);
    v[1].Blue = (COLOR16)(GetBValue(bottom) << 8);
    GRADIENT_RECT r = {0, 1};
    GradientFill(dc, v, 2, &r, 1, GRADIENT_FILL_RECT_V);
}

void FillHorizontalGradient(HDC dc, const RECT& rc, COLORREF left, COLORREF right)
{
    TRIVERTEX v[2] = {};
    v[0].x = rc.left;
    v[0].y = rc.top;
    v[0].Red = (COLOR16)(GetRValue(left) << 8);
    v[0].Green = (COLOR16)(GetGValue(left) << 8);
    v[0].Blue = (COLOR16)(GetBValue(left) << 8);
    v[1].x = rc.right;
    v[1].y = rc.bottom;
    v[1].Red = (COLOR16)(GetRValue(right) << 8);
    v[1].Green = (COLOR16)(GetGValue(right) << 8);
    v[1].Blue = (COLOR16)(GetBValue(right) << 8);
    GRADIENT_RECT r = {0, 1};
    GradientFill(dc, v, 2, &r, 1, GRADIENT_FILL_RECT_H);
}

HFONT CreateShellFont(int height, bool bold)
{
    return CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
}

void ReadOwnerName(wchar_t* name, int cch)
{
    name[0] = L'\0';
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"ControlPanel\\Owner", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    // The stored record may be larger than the name (and need not be
    // terminated): read it whole, then take at most the name's characters.
    DWORD cb = 0;
    if (RegQueryValueExW(key, L"Owner", nullptr, nullptr, nullptr, &cb) == ERROR_SUCCESS && cb > 0 && cb < 65536) {
        BYTE* data = new BYTE[cb + sizeof(wchar_t)]();
        if (RegQueryValueExW(key, L"Owner", nullptr, nullptr, data, &cb) == ERROR_SUCCESS) {
            const wchar_t* text = reinterpret_cast<const wchar_t*>(data);
            int n = 0;
            int avail = (int)(cb / sizeof(wchar_t));
            while (n < avail && n < 36 && n < cch - 1 && text[n])
                ++n;
            memcpy(name, text, n * sizeof(wchar_t));
            name[n] = L'\0';
        }
        delete[] data;
    }
    RegCloseKey(key);
}
