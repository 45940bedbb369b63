// CApplet: the window of an applet library shown by the side bar (or of a
// Today-screen item). The host talks to it through the Today-item messages
// of todaycmn.h: clear-cache before the library is unloaded, query-refresh
// after creation and then periodically. An applet library is made with the
// kit of applet_module.h.
#pragma once

#include <windows.h>

#include "corvane_api.h"
#include "todaycmn.h"
#include "wndframe.h"

class CORVANE_API CApplet : public CWnd {
public:
    CApplet() = default;

    using CWnd::Create;
    // A child window (not visible, no extended style, empty title) at rect
    // in parent, bound to this object. Returns this object, or null.
    CApplet* Create(LPCWSTR className, const RECT& rect, HWND parent);

    // 1266 -> OnTodayClearCache (answer 0), 1267 -> OnTodayQueryRefreshCache
    // with the record only when it is the host's (the one RememberHostRecord
    // was given; without one, a record sent from this window's own thread):
    // another program's pointer is never handed on, the handler gets null.
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The record the host created this window with (export 240).
    void RememberHostRecord(TODAYLISTITEM* item);

    // Virtual slots after CWnd's, in contract order.
    virtual int OnTodayClearCache();                                     // 20
    // Non-zero when the item changed; it may set the record's cyp. The
    // record may be null.
    virtual int OnTodayQueryRefreshCache(TODAYLISTITEM* item);           // 21

    // Requests to the host (the parent window), non-virtual so that the
    // class layout and slot order stay as they are.
    //
    // Has the host paint its background into rect of dc (1125 with the
    // watermark record). 0 when the window has no parent.
    LRESULT DrawHostBackground(HDC dc, const RECT& rect);
    // One of the host's three shared colours (1034); index 0, 1 or 2.
    COLORREF HostColour(int index);
    // The installed version (1033): major in the low byte, minor in the next.
    int HostVersion();
    // Asks the host for another height (1031); heights of 0 or less are not sent.
    BOOL RequestHeight(int height);
    // Tells the host that this applet wants the keys (1028 with 1).
    void FocusOn();
};
