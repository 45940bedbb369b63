// CApplet: the window of an applet library shown by the side bar (or of a
// Today-screen item). The host talks to it through the Today-item messages
// of todaycmn.h: clear-cache before the library is unloaded, query-refresh
// after creation and then periodically.
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

    // 1266 -> OnTodayClearCache (answer 0), 1267 -> OnTodayQueryRefreshCache.
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Virtual slots after CWnd's, in contract order.
    virtual int OnTodayClearCache();                                     // 20
    // Non-zero when the item changed; it may set the record's cyp.
    virtual int OnTodayQueryRefreshCache(TODAYLISTITEM* item);           // 21
};
