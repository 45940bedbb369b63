#include "desk_ui.h"

HFONT CreateDeskFont(int height, bool bold)
{
    return CreateFontW(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
}

namespace {

BOOL CALLBACK SetFontOfChild(HWND child, LPARAM font)
{
    SendMessageW(child, WM_SETFONT, (WPARAM)font, FALSE);
    return TRUE;
}

} // namespace

void SetChildFonts(HWND parent, HFONT font)
{
    EnumChildWindows(parent, SetFontOfChild, (LPARAM)font);
}

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return std::wstring();
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}
