// The item-window export of a calculator applet: the applet's window (a
// CNumWnd made with new, with an Open(parent, module) that loads its skin)
// is made once; later calls give the same window.  The object deletes
// itself with its window, so a library can be unloaded at any time after.
//
//     namespace { CNumWnd* g_window; }
//     extern "C" HWND CorAppletInitializeItem(TODAYLISTITEM* item, HWND parent)
//     { return CalcAppletCreateItem<CUnitraWnd>(g_window, CorAppletModule(), item, parent); }
#pragma once

#include <windows.h>
#include <todaycmn.h>

#include <wndframe.h>

#include "numwnd.h"

template <class Wnd>
HWND CalcAppletCreateItem(CNumWnd*& window, HINSTANCE module, TODAYLISTITEM* item, HWND parent)
{
    if (!item || !item->fEnabled)
        return nullptr;
    if (window && window->GetSafeHwnd())
        return window->GetSafeHwnd();
    // The window class is registered in the library, and the caller gets
    // its own framework instance back afterwards.
    CorInstanceScope scope(module);
    Wnd* created = new Wnd;
    created->DeleteWithWindow(&window);
    if (!created->Open(parent, module)) {
        // A window made and destroyed again has deleted its object already.
        if (window == created) {
            delete created;
            window = nullptr;
        }
        return nullptr;
    }
    return created->GetSafeHwnd();
}
