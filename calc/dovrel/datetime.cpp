// CDateTimeCtrl and CMonthCalCtrl: the date picker and month calendar.
#include "dovrel_date.h"

#include "dovrel_private.h"

BOOL CDateTimeCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id)
{
    EnsureCommonControls(ICC_DATE_CLASSES);
    return CWnd::Create(DATETIMEPICK_CLASSW, L"", style, rect, parent, id);
}

BOOL CMonthCalCtrl::Create(DWORD style, const RECT& rect, HWND parent, UINT id)
{
    EnsureCommonControls(ICC_DATE_CLASSES);
    return CWnd::Create(MONTHCAL_CLASSW, L"", style, rect, parent, id);
}

// The calendar decides its own size: made hidden and empty, sized, and only
// then shown, so it never appears at a wrong size.
BOOL CMonthCalCtrl::Create(DWORD style, POINT topLeft, HWND parent, UINT id)
{
    RECT rect = {topLeft.x, topLeft.y, topLeft.x, topLeft.y};
    if (!Create(style & ~WS_VISIBLE, rect, parent, id))
        return FALSE;
    if (!SizeMinReq()) {
        DestroyWindow();
        return FALSE;
    }
    if (style & WS_VISIBLE)
        ShowWindow();
    return TRUE;
}

BOOL CMonthCalCtrl::SizeMinReq()
{
    RECT rect;
    if (!GetMinReqRect(&rect))
        return FALSE;
    return SetWindowPos(0, 0, rect.right - rect.left, rect.bottom - rect.top,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
