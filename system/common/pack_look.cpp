// The system pack's shared look.
#include "pack_look.h"

#include <cwchar>

namespace PackLook {

Colours AskColours(CApplet* applet)
{
    Colours colours;
    colours.background = applet->HostColour(0);
    colours.fill = applet->HostColour(1);
    colours.text = applet->HostColour(2);
    return colours;
}

BOOL CreatePackFont(CFont* font)
{
    return font->CreateFont(12, L"Tahoma", FW_NORMAL);
}

BOOL FileBesideApplet(HINSTANCE module, LPCWSTR name, wchar_t* path, size_t pathChars)
{
    if (!path || pathChars == 0)
        return FALSE;
    path[0] = L'\0';
    CModuleInfo info(module);
    LPCWSTR joined = info.GetFileName(name);
    if (!joined || wcslen(joined) >= pathChars)
        return FALSE;
    wcsncat(path, joined, pathChars - 1);
    return TRUE;
}

void DrawLine(HDC dc, LPCWSTR text, const RECT& rect)
{
    RECT area = rect;
    ::DrawTextW(dc, text, -1, &area, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS | DT_VCENTER);
}

void DrawProgramIcon(HDC dc, int x, int y, LPCWSTR path)
{
    HICON icon = CFileInfo::GetFileIcon(path);
    if (!icon)
        return;
    ::DrawIconEx(dc, x, y, icon, 16, 16, 0, nullptr, DI_NORMAL);
    ::DestroyIcon(icon);
}

}  // namespace PackLook
