// The Today screen in the theme's dress: its picture, chosen from the Today
// settings, and the command bar along the bottom of the screen.
//
// The picture is HKCU "Software\Microsoft\Today" `Watermark` when it names a
// picture that exists, else the theme's Start picture when `UseStartImage`
// is 1, else its Today picture.  It is drawn at its natural size from the
// top-left corner, white around it.
#include "shell.h"

#include <rom_files.h>

#include <string>

namespace {

const wchar_t kTodayKey[] = L"Software\\Microsoft\\Today";
const wchar_t kStartPicture[] = L"\\Windows\\stwater.gif";
const wchar_t kTodayPicture[] = L"\\Windows\\tdywater.gif";
const int kCommandBarColour = 7;

HBITMAP g_picture = nullptr;
SIZE g_pictureSize = {};
// The picture is decoded when it is first drawn after a theme change, so
// that the change itself costs its senders nothing.
bool g_pictureStale = true;

std::wstring ReadTodayString(HKEY key, const wchar_t* name)
{
    wchar_t text[MAX_PATH] = L"";
    DWORD size = sizeof text - sizeof(wchar_t);
    DWORD type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::wstring();
    text[size / sizeof(wchar_t)] = L'\0';
    return text;
}

bool PictureExists(const std::wstring& path)
{
    wchar_t readable[MAX_PATH];
    if (path.empty() || !DevReadablePath(path.c_str(), readable, MAX_PATH))
        return false;
    DWORD attributes = GetFileAttributesW(readable);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring ChoosePicture()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kTodayKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return kTodayPicture;
    std::wstring watermark = ReadTodayString(key, L"Watermark");
    DWORD useStart = 0;
    DWORD size = sizeof useStart;
    bool startImage = RegQueryValueExW(key, L"UseStartImage", nullptr, nullptr, reinterpret_cast<BYTE*>(&useStart),
                                       &size) == ERROR_SUCCESS &&
                      size == sizeof useStart && useStart == 1;
    RegCloseKey(key);
    if (PictureExists(watermark))
        return watermark;
    return startImage ? kStartPicture : kTodayPicture;
}

void FillColour(HDC dc, const RECT& rc, COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
}

} // namespace

void ReloadTodayTheme()
{
    ReloadThemeColours();
    g_pictureStale = true;
}

void EnsureTodayPicture()
{
    if (!g_pictureStale)
        return;
    g_pictureStale = false;
    if (g_picture)
        DeleteObject(g_picture);
    g_pictureSize = SIZE{};
    g_picture = DecodeDevicePicture(ChoosePicture().c_str(), &g_pictureSize);
}

void UnloadTodayTheme()
{
    if (g_picture)
        DeleteObject(g_picture);
    g_picture = nullptr;
    g_pictureStale = true;
}

void DrawTodayPicture(HDC dc, const RECT& rc)
{
    FillColour(dc, rc, RGB(0xFF, 0xFF, 0xFF));
    EnsureTodayPicture();
    if (!g_picture)
        return;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, g_picture);
    BitBlt(dc, rc.left, rc.top, g_pictureSize.cx, g_pictureSize.cy, mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
}

void DrawTodayCommandBar(HDC dc, const RECT& client)
{
    RECT bar = {client.left, client.bottom - kCommandBarHeight, client.right, client.bottom};
    FillColour(dc, bar, ThemeColour(kCommandBarColour));
}

void LogTodayTheme()
{
    std::wstring skin;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kTodayKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        skin = ReadTodayString(key, L"Skin");
        RegCloseKey(key);
    }
    DevLog(L"today", L"theme \"%ls\"", skin.c_str());
}
