// Control-panel entries of the device (cplext.h).
//
// A control-panel library (a DLL named *.cpl in \Windows) exports
//
//     LONG CALLBACK CPlApplet(HWND hwndCPl, UINT msg, LPARAM lParam1, LPARAM lParam2);
//
// and the control panel ("ctlpnl.exe") drives it with the messages below:
// CPL_INIT once, CPL_GETCOUNT once, CPL_NEWINQUIRE per entry, CPL_DBLCLK for
// the entry the user opens, CPL_STOP per entry and CPL_EXIT once before the
// library is freed.
//
// The device's entry record NEWCPLINFO differs from the desktop one: it has
// no help-file field.  On the 32-bit device it is 212 bytes; both sides here
// size it with sizeof (216 bytes in a 64-bit build, where HICON is 8 bytes).
//
// This header replaces the desktop <cpl.h>; include one or the other.
#pragma once
#ifdef _INC_CPL
#error "cplext.h declares the device's control-panel interface; do not include the desktop <cpl.h> too"
#endif
#define _INC_CPL  // a later #include <cpl.h> becomes a no-op

#include <windows.h>
#include <stddef.h>

// Messages to CPlApplet.
#define CPL_INIT        1    // -> nonzero to go on
#define CPL_GETCOUNT    2    // -> number of entries
#define CPL_SELECT      4
#define CPL_DBLCLK      5    // lParam1 entry, lParam2 its lData; -> 0 when handled
#define CPL_STOP        6    // lParam1 entry, lParam2 its lData
#define CPL_EXIT        7
#define CPL_NEWINQUIRE  8    // lParam1 entry, lParam2 NEWCPLINFO* to fill
#define CPL_IDNAME      100  // lParam1 entry, lParam2 WCHAR[32] for the entry's name

// dwFlags of NEWCPLINFO: the entry's icon and strings are final (not reloaded).
#define CPL_FLAG_STATIC 1

typedef struct tagNEWCPLINFO {
    DWORD dwSize;         // sizeof(NEWCPLINFO)
    DWORD dwFlags;
    DWORD dwHelpContext;
    LONG lData;           // the library's own value, handed back with CPL_DBLCLK and CPL_STOP
    HICON hIcon;          // owned by the library
    WCHAR szName[32];
    WCHAR szInfo[64];
} NEWCPLINFO, *LPNEWCPLINFO;

// The 32-bit device has a 4-byte hIcon: 5 * 4 + 96 * 2 = 212 bytes.
#define NEWCPLINFO_DEVICE_SIZE 212

#ifdef __cplusplus
static_assert(offsetof(NEWCPLINFO, szName) == 4 * sizeof(DWORD) + sizeof(HICON),
              "NEWCPLINFO must keep the device's field order without padding");
static_assert(sizeof(NEWCPLINFO) == NEWCPLINFO_DEVICE_SIZE - 4 + sizeof(HICON),
              "NEWCPLINFO must be the device's record, widened only by its handle field");
#endif

typedef LONG(CALLBACK* APPLET_PROC)(HWND hwndCpl, UINT msg, LPARAM lParam1, LPARAM lParam2);
