// Today-screen custom item contract of the device (the platform's names and
// values, our own declarations).
//
// A Today item is a shared library exporting, by ordinal and without names:
//   240  HWND InitializeCustomItem(TODAYLISTITEM* item, HWND parent)
//        creates the item's child window (NULL when item->fEnabled is 0);
//   241  options dialog procedure, run modally on the library's dialog
//        template IDD_TODAY_CUSTOM (500) with the item record as the
//        initialisation parameter;
//   243  int CheckNotify(void), optional: non-zero when the item wants the
//        user's attention (queried by the side-bar host, not by the Today
//        screen).
// The host owns the TODAYLISTITEM record for as long as the item is loaded;
// the item may write cyp (its wanted height).
#pragma once

#ifndef RC_INVOKED
#include <windows.h>
#endif

#define ORDINAL_INITIALIZEITEM      240
#define ORDINAL_OPTIONSDIALOGPROC   241
#define ORDINAL_CHECKNOTIFY         243

#define IDD_TODAY_CUSTOM            500   // options dialog template of an item

// Host -> item window.
#define WM_TODAYCUSTOM_CLEARCACHE          (WM_USER + 242)  // 1266; wParam: TODAYLISTITEM*
#define WM_TODAYCUSTOM_QUERYREFRESHCACHE   (WM_USER + 243)  // 1267; wParam: TODAYLISTITEM*;
                                                            // non-zero: re-read cyp
#define WM_TODAYCUSTOM_RECEIVEDSELECTION   (WM_USER + 244)  // 1268
#define WM_TODAYCUSTOM_LOSTSELECTION       (WM_USER + 245)  // 1269
#define WM_TODAYCUSTOM_USERNAVIGATION      (WM_USER + 246)  // 1270
#define WM_TODAYCUSTOM_ACTION              (WM_USER + 247)  // 1271

// Item window -> its parent (the Today screen or the side bar).
#define TODAYM_GETCOLOR                    (WM_USER + 100)  // 1124; wParam: TODAYCOLOR_* -> COLORREF
#define TODAYM_DRAWWATERMARK               (WM_USER + 101)  // 1125; lParam: TODAYDRAWWATERMARKINFO*
#define TODAYM_TOOKSELECTION               (WM_USER + 102)  // 1126
#define TODAYM_REQUESTREFRESH              (WM_USER + 103)  // 1127

#define TODAYCOLOR_TEXT             0x10000004
#define TODAYCOLOR_HIGHLIGHT        0x10000022
#define TODAYCOLOR_HIGHLIGHTEDTEXT  0x10000023

#define MAX_ITEMNAME                32

// Registry of the Today screen's items: one subkey per item with Type
// (a TODAYLISTITEMTYPE), DLL, Enabled, Options and Order (HKEY_LOCAL_MACHINE).
#define TODAY_ITEMS_KEY  L"Software\\Microsoft\\Today\\Items"

#ifndef RC_INVOKED

typedef enum _TODAYLISTITEMTYPE {
    tlitOwnerInfo = 0,
    tlitAppointments,
    tlitMail,
    tlitTasks,
    tlitCustom,              // 4: an item library
    tlitNil
} TODAYLISTITEMTYPE;

typedef struct _TODAYLISTITEM {
    WCHAR             szName[MAX_ITEMNAME];
    TODAYLISTITEMTYPE tlit;
    DWORD             dwOrder;
    DWORD             cyp;            // height in pixels the item wants
    BOOL              fEnabled;
    BOOL              fOptions;       // the item has an options dialog
    DWORD             grfFlags;
    WCHAR             szDLLPath[MAX_PATH];
    HINSTANCE         hinstDLL;
    HWND              hwndCustom;
    BOOL              fSizeOnDraw;
    BYTE*             prgbCachedData;
    DWORD             cbCachedData;
} TODAYLISTITEM, *PTODAYLISTITEM;

// TODAYM_DRAWWATERMARK: the parent paints its background into rc of hdc.
typedef struct {
    HDC  hdc;
    RECT rc;
    HWND hwnd;               // the item window asking
} TODAYDRAWWATERMARKINFO;

typedef HWND (*PFNCUSTOMINITIALIZEITEM)(TODAYLISTITEM* item, HWND parent);
typedef INT_PTR (CALLBACK* PFNCUSTOMOPTIONSDLGPROC)(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
typedef int (*PFNCUSTOMCHECKNOTIFY)(void);

#endif // RC_INVOKED
