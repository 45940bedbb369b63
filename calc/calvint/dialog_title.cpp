// The title of a calculator's full-screen dialog.
#include "dialog_title.h"

#include <drawing.h>

void DrawDialogTitle(HWND dialog, HDC hdc)
{
    CDC dc(hdc);
    wchar_t title[64] = L"";
    ::GetWindowTextW(dialog, title, 64);
    CFont font;
    font.CreateFont(13, L"Tahoma", FW_BOLD);
    dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(0x804000);
    dc.TextOut(8, 4, title);
    dc.ReleaseObject(&font);
    RECT client;
    ::GetClientRect(dialog, &client);
    CPen line(PS_SOLID, 1, RGB(0, 0, 0));
    dc.SelectObject(&line);
    dc.Line(0, 22, client.right, 22);
    dc.ReleaseObject(&line);
}

void PaintDialogTitle(HWND dialog)
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(dialog, &ps);
    DrawDialogTitle(dialog, dc);
    ::EndPaint(dialog, &ps);
}
