// The device's HTML view control (htmlview.dll): a child window of class
// DISPLAYCLASS that shows an HTML page, read from a device file or pushed
// in pieces by its parent.
//
// The names and values are the platform's.  This simulated control answers
// the messages and sends the notifications listed here; the others keep
// their values so that code written for the platform compiles, and do
// nothing.
//
// Addresses the control understands: "file://" followed by a device path, a
// plain device path, or a path relative to the page shown ("#name" jumps to
// an anchor of it).  The device never goes online: "http://" and "https://"
// show a page saying so.
#pragma once
#include <windows.h>
#include <commctrl.h>

#ifndef HTMLVIEW_API
#define HTMLVIEW_API __declspec(dllimport)
#endif

#define DISPLAYCLASS  L"DISPLAYCLASS"
#define WC_HTML       DISPLAYCLASS

// ---- Messages to the control --------------------------------------------------
// DTM_ADDTEXT / DTM_ADDTEXTW: wParam TRUE for plain text, FALSE for HTML;
// lParam the text (8-bit in the device's code page / UTF-16).  The pieces
// form one page, shown as it grows and complete after DTM_ENDOFSOURCE.
#define DTM_ADDTEXT              (WM_USER + 101)
#define DTM_ADDTEXTW             (WM_USER + 102)
#define DTM_SETIMAGE             (WM_USER + 103)
#define DTM_ENDOFSOURCE          (WM_USER + 104)
// DTM_ANCHOR / DTM_ANCHORW: lParam the name of an <a name> (or id) to
// scroll to the top of the view.
#define DTM_ANCHOR               (WM_USER + 105)
#define DTM_ANCHORW              (WM_USER + 106)
#define DTM_ENABLESHRINK         (WM_USER + 107)
#define DTM_SCROLLINTOVIEW       (WM_USER + 108)
#define DTM_IMAGEFAIL            (WM_USER + 109)
#define DTM_ENABLECONTEXTMENU    (WM_USER + 110)
#define DTM_SELECTALL            (WM_USER + 111)
#define DTM_ISSELECTION          (WM_USER + 112)
// DTM_CLEAR: empties the view (and starts a new page for DTM_ADDTEXT).
#define DTM_CLEAR                (WM_USER + 113)
#define DTM_ENABLECLEARTYPE      (WM_USER + 114)
#define DTM_ENABLESCRIPTING      (WM_USER + 115)
#define DTM_ZOOMLEVEL            (WM_USER + 116)
#define DTM_LAYOUTWIDTH          (WM_USER + 117)
#define DTM_LAYOUTHEIGHT         (WM_USER + 118)
// DTM_NAVIGATE: wParam NAVIGATEFLAG_* bits, lParam the address (UTF-16).
#define DTM_NAVIGATE             (WM_USER + 120)
#define DTM_STOP                 (WM_USER + 125)
#define DTM_ADDSTYLE             (WM_USER + 126)

// DTM_NAVIGATE flags.  NAVIGATEFLAG_NOCACHE reads the file again even when
// the control still holds a copy of it.
#define NAVIGATEFLAG_REFRESH          0x0020
#define NAVIGATEFLAG_RELATIVE         0x0040
#define NAVIGATEFLAG_ENTERED          0x0080
#define NAVIGATEFLAG_INTRADOCUMENT    0x0100
#define NAVIGATEFLAG_IGNORETARGET     0x0200
#define NAVIGATEFLAG_GETFROMCACHE     0x0400
#define NAVIGATEFLAG_NOCACHE          0x1000
#define NAVIGATEFLAG_RESYNCHRONIZE    0x2000
#define NAVIGATEFLAG_RELOAD           0x4000

// ---- Notifications to the parent (WM_NOTIFY, lParam an NM_HTMLVIEW) -------------
// NM_HOTSPOT: a link was tapped; szTarget is its href as written.  A parent
// that returns non-zero has handled it; otherwise the control follows it.
#define NM_HOTSPOT               (WM_USER + 101)
#define NM_INLINE_IMAGE          (WM_USER + 102)
#define NM_INLINE_SOUND          (WM_USER + 103)
// NM_TITLE: szTarget is the page's <title>.
#define NM_TITLE                 (WM_USER + 104)
#define NM_META                  (WM_USER + 105)
#define NM_BASE                  (WM_USER + 106)
#define NM_CONTEXTMENU           (WM_USER + 107)
#define NM_INLINE_XML            (WM_USER + 108)
#define NM_BEFORENAVIGATE        (WM_USER + 109)
// NM_DOCUMENTCOMPLETE: a navigation finished; szTarget is the full address
// shown (the error pages keep the address that failed).
#define NM_DOCUMENTCOMPLETE      (WM_USER + 110)
#define NM_NAVIGATECOMPLETE      (WM_USER + 111)
#define NM_TITLECHANGE           (WM_USER + 112)

typedef struct tagNM_HTMLVIEWW {
    NMHDR hdr;
    LPCWSTR szTarget;
    LPCWSTR szData;
    union {
        DWORD dwCookie;
        DWORD dwFlags;
    };
    LPCWSTR szExInfo;
} NM_HTMLVIEWW;
typedef NM_HTMLVIEWW NM_HTMLVIEW;

#ifdef __cplusplus
extern "C" {
#endif

// Registers DISPLAYCLASS for the calling process.  Later calls succeed
// without registering again.  FALSE when the device has no HTML view
// (device state "HtmlView" = 0).
HTMLVIEW_API BOOL WINAPI InitHTMLControl(HINSTANCE hinst);

#ifdef __cplusplus
}
#endif
