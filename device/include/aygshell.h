// Pocket PC shell interfaces of the simulated device (aygshell.dll).
//
// Our own declarations with the platform's names and values: menu bars,
// tap-and-hold recognition, full-screen dialogs, activation and setting-change
// handlers, task-bar and input-panel control, shortcuts, special folders and
// shell execution of device paths.  The shell process's side of the task-bar
// calls is described in shellproto.h.
//
// The header is safe to include from resource scripts: only the constants of
// the menu-bar resource format are seen there.
#pragma once

#ifndef RC_INVOKED
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#endif

/* ------------------------------------------------------------------------ */
/* Menu-bar resource format                                                  */
/* ------------------------------------------------------------------------ */
//
// A menu bar is described by an RCDATA resource whose id is the menu bar id
// passed to SHCreateMenuBar (SHMENUBARINFO::nToolBarId).  All values are
// 16-bit words (plain numbers in an RCDATA block):
//
//     <id> RCDATA
//     BEGIN
//         menuId, buttonCount,
//         image, command, state, style, labelId, 0, subMenu,   // button 1
//         ...                                                  // button n
//     END
//
//   menuId       MENU resource (same module) holding the pop-up menus of the
//                drop-down buttons; 0 when the bar has none.
//   buttonCount  number of 7-word button records that follow.
//   image        index into the bar's bitmap strip (SHMENUBARINFO::nBmpId),
//                or I_IMAGENONE for a text button.
//   command      command id; a tool button sends WM_COMMAND with it to the
//                owner, a drop-down button is found by it (SHCMBM_GETSUBMENU).
//   state        toolbar state bits, normally TBSTATE_ENABLED (4); add
//                TBSTATE_CHECKED (1) for a check button that starts checked.
//   style        SHMB_BUTTON, SHMB_DROPDOWN, SHMB_CHECK or SHMB_CHECKGROUP,
//                optionally with SHMB_AUTOSIZE.
//   labelId      string-table id (same module) of the button's text, or
//                SHMB_NOLABEL (0) for an image-only button.
//   0            reserved, must be 0.
//   subMenu      for a drop-down: zero-based position of its pop-up within
//                the top level of menu menuId; SHMB_NOMENU (0xFFFF) otherwise.
//
// Example: one "Tools" drop-down (label string 40036) opening the first
// pop-up of MENU 107, bound to command 40031:
//
//     107 RCDATA
//     BEGIN
//         107, 1,
//         I_IMAGENONE, 40031, TBSTATE_ENABLED, SHMB_DROPDOWN | SHMB_AUTOSIZE,
//         40036, 0, 0,
//     END
//
// When no RCDATA resource of that id exists but a MENU resource does (or
// SHMENUBARINFO::dwFlags has SHCMBF_HMENU), the menu itself describes the
// bar: each top-level pop-up becomes a drop-down button labelled with the
// pop-up's text and bound to command SHMB_HMENU_FIRSTCMD + its position; each
// top-level command item becomes a text button sending its own command.

#ifndef I_IMAGENONE
#define I_IMAGENONE          (-2)
#endif
#ifndef TBSTATE_CHECKED
#define TBSTATE_CHECKED      0x01
#endif
#ifndef TBSTATE_ENABLED
#define TBSTATE_ENABLED      0x04
#endif

#define SHMB_BUTTON          0x00    // TBSTYLE_BUTTON
#define SHMB_CHECK           0x02    // TBSTYLE_CHECK
#define SHMB_CHECKGROUP      0x06    // TBSTYLE_CHECKGROUP
#define SHMB_DROPDOWN        0x08    // TBSTYLE_DROPDOWN: opens its pop-up
#define SHMB_AUTOSIZE        0x10    // TBSTYLE_AUTOSIZE: width from the label
#define SHMB_NOLABEL         0
#define SHMB_NOMENU          0xFFFF
#define NOMENU               0xFFFF
#define SHMB_HMENU_FIRSTCMD  0xF000  // commands of drop-downs built from a bare MENU

#ifndef RC_INVOKED

#ifdef AYGSHELL_BUILD
#define AYGSHELLAPI extern "C"
#else
#define AYGSHELLAPI extern "C" __declspec(dllimport)
#endif

/* ------------------------------------------------------------------------ */
/* Menu bar                                                                  */
/* ------------------------------------------------------------------------ */
//
// The menu bar is a window of class SHMENUBAR_CLASS, 26 pixels high across the
// bottom of the screen, leaving the input-panel button its 36 pixels at the
// right (unless SHCMBF_HIDESIPBUTTON), owned by (not a child of) hwndParent,
// with an empty title and WS_EX_TOOLWINDOW so that task lists skip it.  A top-level owner
// whose window reaches into the bar's strip is shortened to end above it.
// Commands of its buttons and menus reach the owner as WM_COMMAND (posted;
// low word = command id, high word 0); before a pop-up opens the owner gets
// WM_INITMENUPOPUP for it.  The bar lives until the owner destroys it with
// DestroyWindow or is itself destroyed.

#define SHMENUBAR_CLASS      L"menu_worker"
#define SHMENUBAR_HEIGHT     26

typedef struct tagSHMENUBARINFO {
    DWORD     cbSize;        // sizeof(SHMENUBARINFO)
    HWND      hwndParent;    // owner: receives the commands
    DWORD     dwFlags;       // SHCMBF_*
    UINT      nToolBarId;    // menu-bar resource id (or MENU id, see above)
    HINSTANCE hInstRes;      // module holding the resources
    int       nBmpId;        // bitmap strip for image buttons, 0 = none
    int       cBmpImages;    // number of images in the strip
    HWND      hwndMB;        // out: the menu bar window
    COLORREF  clrBk;         // background when SHCMBF_COLORBK is set
} SHMENUBARINFO, *PSHMENUBARINFO;

#define SHCMBF_EMPTYBAR       0x0001  // no resource: an empty bar
#define SHCMBF_HIDDEN         0x0002  // created hidden
#define SHCMBF_HIDESIPBUTTON  0x0004  // the input-panel button is hidden for this owner
#define SHCMBF_COLORBK        0x0008  // use clrBk as the background
#define SHCMBF_HMENU          0x0010  // nToolBarId names a MENU resource

// Messages to the menu bar window.
#define SHCMBM_SETSUBMENU    (WM_USER + 400)  // wParam: button command, lParam: HMENU -> previous HMENU
#define SHCMBM_GETSUBMENU    (WM_USER + 401)  // wParam: 0, lParam: button command -> HMENU or 0
#define SHCMBM_GETMENU       (WM_USER + 402)  // -> the bar's MENU (owned by the bar) or 0
#define SHCMBM_SETBKCOLOR    (WM_USER + 406)  // lParam: COLORREF -> previous colour
// Device extension: tool tips for the image buttons, in button order
// (text buttons and separators take none).  wParam: count, lParam: array
// of count wide strings; the strings are copied.  -> TRUE
#define SHCMBM_ADDTOOLTIPS   (WM_USER + 420)
// Toolbar messages (TB_ADDBITMAP, TB_SETBITMAPSIZE, TB_ADDBUTTONSW,
// TB_CHECKBUTTON, TB_ENABLEBUTTON, TB_GETSTATE, TB_BUTTONCOUNT, ...) sent to
// the menu bar go to its inner comctl32 toolbar; the bar re-lays itself out
// after buttons are added or removed.

AYGSHELLAPI BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO* pmbi);
// The menu bar owned by hwnd, or NULL.
AYGSHELLAPI HWND WINAPI SHFindMenuBar(HWND hwnd);

// Command-bar helpers (the platform's CommandBar_* forms) for a menu bar.
inline BOOL CommandBar_AddBitmap(HWND hwndMB, HINSTANCE hInst, int idBitmap, int cImages,
                                 int cxImage, int cyImage)
{
    TBADDBITMAP add = { hInst, (UINT_PTR)idBitmap };
    SendMessageW(hwndMB, TB_SETBITMAPSIZE, 0, MAKELPARAM(cxImage, cyImage));
    return SendMessageW(hwndMB, TB_ADDBITMAP, (WPARAM)cImages, (LPARAM)&add) != -1;
}
inline BOOL CommandBar_AddButtons(HWND hwndMB, UINT cButtons, const TBBUTTON* buttons)
{
    return (BOOL)SendMessageW(hwndMB, TB_ADDBUTTONSW, cButtons, (LPARAM)buttons);
}
inline BOOL CommandBar_AddToolTips(HWND hwndMB, UINT cTips, const WCHAR* const* tips)
{
    return (BOOL)SendMessageW(hwndMB, SHCMBM_ADDTOOLTIPS, cTips, (LPARAM)tips);
}

/* ------------------------------------------------------------------------ */
/* Tap and hold                                                              */
/* ------------------------------------------------------------------------ */
//
// SHRecognizeGesture is called on stylus down.  It watches the caller's
// queue without removing anything: a queued WM_LBUTTONUP, or a WM_MOUSEMOVE
// farther than SHRG_THRESHOLD pixels from ptDown, ends the wait with 0 and
// stays queued for normal dispatch.  When the stylus is held for the hold
// time (device state "HoldTime", default 500 ms) the gesture is
// GN_CONTEXTMENU: returned with SHRG_RETURNCMD, otherwise sent as WM_NOTIFY
// (NMRGINFO) to hwndClient, or to its parent with SHRG_NOTIFYPARENT.
// Tests force the next result with the one-shot device-state DWORD
// "ForceGesture": 1 = hold, 2 = tap (consumed when read).

typedef struct tagSHRGI {
    DWORD cbSize;
    HWND  hwndClient;
    POINT ptDown;            // client coordinates of hwndClient
    DWORD dwFlags;           // SHRG_*
} SHRGINFO, *PSHRGINFO;

#define SHRG_RETURNCMD      0x00000001
#define SHRG_NOTIFYPARENT   0x00000002
#define SHRG_LONGDELAY      0x00000008  // twice the hold time
#define SHRG_NOANIMATION    0x00000010

#define GN_CONTEXTMENU      1000
#define SHRG_THRESHOLD      5           // pixels of movement that cancel a hold

typedef struct tagNMRGINFO {
    NMHDR hdr;               // code GN_CONTEXTMENU, hwndFrom hwndClient
    POINT ptAction;          // screen coordinates
    DWORD dwItemSpec;
} NMRGINFO, *PNMRGINFO;

AYGSHELLAPI DWORD WINAPI SHRecognizeGesture(SHRGINFO* shrg);

/* ------------------------------------------------------------------------ */
/* Full-screen dialogs and the OK button                                    */
/* ------------------------------------------------------------------------ */

#ifndef WS_EX_CAPTIONOKBTN
#define WS_EX_CAPTIONOKBTN  0x80000000L  // the task bar shows "ok", which sends IDOK
#endif

typedef struct tagSHINITDLGINFO {
    DWORD dwMask;            // SHIDIM_FLAGS
    HWND  hDlg;
    DWORD dwFlags;           // SHIDIF_*
} SHINITDLGINFO, *PSHINITDLGINFO;

#define SHIDIM_FLAGS                 0x0001

#define SHIDIF_DONEBUTTON            0x0001  // WS_EX_CAPTIONOKBTN on the dialog
#define SHIDIF_SIZEDLG               0x0002  // size to the area above the input panel
#define SHIDIF_SIZEDLGFULLSCREEN     0x0004  // (0,26)-(240,320), less the menu bar
#define SHIDIF_SIPDOWN               0x0008  // lower the input panel
#define SHIDIF_FULLSCREENNOMENUBAR   0x0010  // full screen ignoring any menu bar
#define SHIDIF_EMPTYMENU             0x0020  // give the dialog an empty menu bar

AYGSHELLAPI BOOL WINAPI SHInitDialog(PSHINITDLGINFO pshidi);

#define SHDB_SHOW   0x0001
#define SHDB_HIDE   0x0002
// Sets (SHDB_SHOW) or clears (SHDB_HIDE) WS_EX_CAPTIONOKBTN and has the task
// bar repaint its button.
AYGSHELLAPI BOOL WINAPI SHDoneButton(HWND hwnd, DWORD dwState);

/* ------------------------------------------------------------------------ */
/* Task bar, navigation bar and input panel                                 */
/* ------------------------------------------------------------------------ */

#define SHFS_SHOWTASKBAR     0x0001
#define SHFS_HIDETASKBAR     0x0002
#define SHFS_SHOWSIPBUTTON   0x0004
#define SHFS_HIDESIPBUTTON   0x0008
#define SHFS_SHOWSTARTICON   0x0010
#define SHFS_HIDESTARTICON   0x0020

// Shows or hides the task bar window, the input-panel button and the start
// icon for hwnd.  FALSE when the shell's task bar is not running.
AYGSHELLAPI BOOL WINAPI SHFullScreen(HWND hwnd, DWORD dwState);
// The title the task bar shows while hwnd is in front (at most 63 characters
// are kept).  FALSE when the task bar is not running.
AYGSHELLAPI BOOL WINAPI SHSetNavBarText(HWND hwnd, LPCWSTR pszText);

// State of the input panel around activation: kept per window by the
// caller (one record per process is enough) and passed to both handlers.
typedef struct tagSHACTIVATEINFO {
    DWORD cbSize;
    HWND  hwndLastFocus;     // focus child restored on activation
    UINT  fSipUp : 1;        // input panel up while this window was active
    UINT  fSipOnDeactivation : 1;
    UINT  fActive : 1;
    UINT  fReserved : 29;
} SHACTIVATEINFO, *PSHACTIVATEINFO;

#define SHA_INPUTDIALOG  0x00000001

// WM_ACTIVATE: restores the focus child (or focuses hwnd, as the default
// procedure would) and the input panel on activation, records them on
// deactivation.  Returns TRUE.
AYGSHELLAPI BOOL WINAPI SHHandleWMActivate(HWND hwnd, WPARAM wParam, LPARAM lParam,
                                           SHACTIVATEINFO* psai, DWORD dwFlags);
// WM_SETTINGCHANGE: notes the input-panel state.  Returns TRUE.
AYGSHELLAPI BOOL WINAPI SHHandleWMSettingChange(HWND hwnd, WPARAM wParam, LPARAM lParam,
                                                SHACTIVATEINFO* psai);

typedef enum tagSIPSTATE {
    SIP_UP = 0,
    SIP_DOWN,
    SIP_FORCEDOWN,
    SIP_UNCHANGED,
    SIP_INPUTDIALOG
} SIPSTATE;

// Raises or lowers the input panel (SipShowIM, sip.h); FALSE when the panel
// is not running.  SIP_UNCHANGED and SIP_INPUTDIALOG change nothing.
AYGSHELLAPI BOOL WINAPI SHSipPreference(HWND hwnd, SIPSTATE st);
// The input panel's system parameters SPI_SETSIPINFO, SPI_GETSIPINFO,
// SPI_SETCURRENTIM and SPI_GETCURRENTIM (224-227, sip.h), answered as
// SystemParametersInfoW answers them; FALSE for any other action.
AYGSHELLAPI BOOL WINAPI SHSipInfo(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni);

/* ------------------------------------------------------------------------ */
/* Shortcuts and special folders                                            */
/* ------------------------------------------------------------------------ */
//
// A device shortcut (".lnk") is a short 8-bit text file "<n>#<command>":
// n is the decimal length of the command; the command is a program or
// document path, in double quotes when it holds spaces, optionally followed
// by arguments, e.g.  20#"\Windows\pword.exe"  or
// 37#"\Windows\ctlpnl.exe" cplmain.cpl 3,0

// Writes szShortcut with the command szTarget (used as given: quote a path
// holding spaces).  The file is replaced whole or left untouched.
AYGSHELLAPI BOOL WINAPI SHCreateShortcut(LPCWSTR szShortcut, LPCWSTR szTarget);
// Reads the command of a shortcut (as stored, quotes and arguments included)
// into szTarget of cchMax characters.  FALSE for a missing or malformed file
// or a command that does not fit.
AYGSHELLAPI BOOL WINAPI SHGetShortcutTarget(LPCWSTR szShortcut, LPWSTR szTarget, int cchMax);
// Device extension: splits a shortcut's command into the program or document
// path (quotes removed) and its arguments (may be empty).
AYGSHELLAPI BOOL WINAPI SHResolveShortcut(LPCWSTR szShortcut, LPWSTR pszPath, int cchPath,
                                          LPWSTR pszArgs, int cchArgs);

// Folder ids (the shell's CSIDL values) known to the device.  Results are
// device paths without a drive (the device drive is the current one).
#ifndef CSIDL_PROGRAMS
#define CSIDL_PROGRAMS          0x0002   // \Windows\Start Menu\Programs
#define CSIDL_PERSONAL          0x0005   // \My Documents
#define CSIDL_FAVORITES         0x0006   // \Windows\Favorites
#define CSIDL_STARTUP           0x0007   // \Windows\StartUp
#define CSIDL_RECENT            0x0008   // \Windows\Recent
#define CSIDL_STARTMENU         0x000b   // \Windows\Start Menu
#define CSIDL_DESKTOPDIRECTORY  0x0010   // \Windows\Desktop
#define CSIDL_FONTS             0x0014   // \Windows\Fonts
#define CSIDL_APPDATA           0x001a   // \Application Data
#define CSIDL_WINDOWS           0x0024   // \Windows
#define CSIDL_PROGRAM_FILES     0x0026   // \Program Files
#endif

// The documents folder of a volume into pszDocs (MAX_PATH characters):
// "\My Documents" for the root "\"; "\<card>\My Documents" for a storage
// card "\<card>" when that folder exists.  FALSE for anything else.
AYGSHELLAPI BOOL WINAPI SHGetDocumentsFolder(LPCWSTR pszVolume, LPWSTR pszDocs);

/* ------------------------------------------------------------------------ */
/* Shell execution of device paths                                          */
/* ------------------------------------------------------------------------ */
//
// SHExecuteDevice starts lpFile with lpParameters the device's way; the
// library also exports it as ShellExecuteExW, so callers linking the device
// libraries first get it through the ordinary ShellExecuteEx, and likewise
// SHGetFileInfoW (small icons of text shortcuts come from their target) and
// SHGetSpecialFolderPathW (the folders above) and Shell_NotifyIconW (icons go
// to the shell's task bar, shellproto.h):
//   - a program (".exe"): a bare name is looked up first in \Windows, so
//     device programs shadow the desktop's own; arguments follow its path;
//   - a shortcut (".lnk"): its command is run, the caller's parameters
//     appended to the shortcut's arguments;
//   - ".htm"/".html" and web addresses open in \Windows\iexplore.exe, ".txt"
//     in \Windows\pword.exe (or notepad); other documents go to the desktop
//     shell's associations.
// Every process starts in the device drive's root.  Each call is written to
// the device log as "launch: <file> <parameters>" ("launch: <file>" without
// parameters; a start that fails adds "launch: failed: ...").  Returns TRUE with
// hInstApp > 32 on success; FALSE with hInstApp = SE_ERR_* and the last
// error set otherwise.  SEE_MASK_NOCLOSEPROCESS returns the process in
// hProcess.
AYGSHELLAPI BOOL WINAPI SHExecuteDevice(SHELLEXECUTEINFOW* pei);

#ifndef AYGSHELL_BUILD
// Declared as the desktop headers do, so that both may be included.
extern "C" __declspec(dllimport) BOOL WINAPI SHGetSpecialFolderPathW(HWND hwndOwner, LPWSTR lpszPath,
                                                                      int nFolder, BOOL fCreate);
#ifndef SHGetSpecialFolderPath
#define SHGetSpecialFolderPath SHGetSpecialFolderPathW
#endif
#endif

#endif // RC_INVOKED
