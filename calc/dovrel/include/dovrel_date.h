// Date picker and month calendar wrappers ("SysDateTimePick32",
// "SysMonthCal32"); the caller gives the style.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <wndframe.h>

#include "dovrel_api.h"

class DOVREL_API CDateTimeCtrl : public CWnd {
public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);

    // GDT_VALID, GDT_NONE or GDT_ERROR.
    DWORD GetTime(SYSTEMTIME* time) { return (DWORD)SendMessageW(DTM_GETSYSTEMTIME, 0, (LPARAM)time); }
    BOOL SetTime(const SYSTEMTIME* time, DWORD flag = GDT_VALID)
    { return (BOOL)SendMessageW(DTM_SETSYSTEMTIME, flag, (LPARAM)time); }
    // GDTR_MIN | GDTR_MAX for the ends that are set.
    DWORD GetRange(SYSTEMTIME range[2]) { return (DWORD)SendMessageW(DTM_GETRANGE, 0, (LPARAM)range); }
    BOOL SetRange(DWORD flags, const SYSTEMTIME range[2])
    { return (BOOL)SendMessageW(DTM_SETRANGE, flags, (LPARAM)range); }
    BOOL SetFormat(LPCWSTR format) { return (BOOL)SendMessageW(DTM_SETFORMATW, 0, (LPARAM)format); }
    COLORREF GetMonthCalColor(int part) { return (COLORREF)SendMessageW(DTM_GETMCCOLOR, (WPARAM)part); }
    COLORREF SetMonthCalColor(int part, COLORREF colour)
    { return (COLORREF)SendMessageW(DTM_SETMCCOLOR, (WPARAM)part, (LPARAM)colour); }
    void SetMonthCalFont(HFONT font, BOOL redraw = TRUE)
    { SendMessageW(DTM_SETMCFONT, (WPARAM)font, MAKELPARAM(redraw, 0)); }
};

class DOVREL_API CMonthCalCtrl : public CWnd {
public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);
    // At the point, sized to the calendar's minimum rectangle; shown only
    // when the style asks for WS_VISIBLE.  Fails (no window) when it cannot
    // be sized.
    BOOL Create(DWORD style, POINT topLeft, HWND parent, UINT id);
    // Moves and sizes the window to its minimum rectangle, keeping its Z
    // order and activation.
    BOOL SizeMinReq();

    BOOL GetCurSel(SYSTEMTIME* time) { return (BOOL)SendMessageW(MCM_GETCURSEL, 0, (LPARAM)time); }
    BOOL SetCurSel(const SYSTEMTIME* time) { return (BOOL)SendMessageW(MCM_SETCURSEL, 0, (LPARAM)time); }
    int GetMaxSelCount() { return (int)SendMessageW(MCM_GETMAXSELCOUNT); }
    BOOL SetMaxSelCount(int count) { return (BOOL)SendMessageW(MCM_SETMAXSELCOUNT, (WPARAM)count); }
    BOOL GetSelRange(SYSTEMTIME range[2]) { return (BOOL)SendMessageW(MCM_GETSELRANGE, 0, (LPARAM)range); }
    BOOL SetSelRange(const SYSTEMTIME range[2]) { return (BOOL)SendMessageW(MCM_SETSELRANGE, 0, (LPARAM)range); }
    // The number of months between the ends; flags GMR_VISIBLE or GMR_DAYSTATE.
    int GetMonthRange(DWORD flags, SYSTEMTIME range[2])
    { return (int)SendMessageW(MCM_GETMONTHRANGE, flags, (LPARAM)range); }
    BOOL SetDayState(int months, MONTHDAYSTATE* states)
    { return (BOOL)SendMessageW(MCM_SETDAYSTATE, (WPARAM)months, (LPARAM)states); }
    BOOL GetMinReqRect(RECT* rect) { return (BOOL)SendMessageW(MCM_GETMINREQRECT, 0, (LPARAM)rect); }
    COLORREF GetColor(int part) { return (COLORREF)SendMessageW(MCM_GETCOLOR, (WPARAM)part); }
    COLORREF SetColor(int part, COLORREF colour)
    { return (COLORREF)SendMessageW(MCM_SETCOLOR, (WPARAM)part, (LPARAM)colour); }
    BOOL GetToday(SYSTEMTIME* time) { return (BOOL)SendMessageW(MCM_GETTODAY, 0, (LPARAM)time); }
    void SetToday(const SYSTEMTIME* time) { SendMessageW(MCM_SETTODAY, 0, (LPARAM)time); }
    LRESULT HitTest(MCHITTESTINFO* info) { return SendMessageW(MCM_HITTEST, 0, (LPARAM)info); }
    // Low word: the first day (0 Monday ... 6 Sunday); high word nonzero
    // when it differs from the locale's.
    DWORD GetFirstDayOfWeek() { return (DWORD)SendMessageW(MCM_GETFIRSTDAYOFWEEK); }
    DWORD SetFirstDayOfWeek(int day) { return (DWORD)SendMessageW(MCM_SETFIRSTDAYOFWEEK, 0, (LPARAM)day); }
    DWORD GetRange(SYSTEMTIME range[2]) { return (DWORD)SendMessageW(MCM_GETRANGE, 0, (LPARAM)range); }
    BOOL SetRange(DWORD flags, const SYSTEMTIME range[2])
    { return (BOOL)SendMessageW(MCM_SETRANGE, flags, (LPARAM)range); }
    int GetMonthDelta() { return (int)SendMessageW(MCM_GETMONTHDELTA); }
    int SetMonthDelta(int delta) { return (int)SendMessageW(MCM_SETMONTHDELTA, (WPARAM)delta); }
};
