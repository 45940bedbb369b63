// What the shell library (aygshell.dll) tells the shell process's task bar.
//
// The shell process (devshell.exe) owns the task bar: a top-most window of
// class SHELL_TASKBAR_CLASS across the top of the screen, 26 pixels high.
// Programs reach it through aygshell.dll, which sends it WM_COPYDATA with
// COPYDATASTRUCT::dwData set to one of the codes below and lpData pointing
// to the record named with it (cbData = the record's size; a record of
// another size is ignored).  Everything is sent with SendMessageTimeout
// (2 seconds), so the task bar answers promptly and must not send back into
// the caller while handling it.  The task bar answers TRUE when it took the
// request and FALSE otherwise.
//
// All programs of the device are 64-bit, so the HWND fields are plain window
// handles of the sender's windows.  A request names the window it is about;
// the task bar keeps per-window state (title, OK button, full-screen flags)
// and applies it whenever that window is in front, forgetting it when the
// window is destroyed.
#pragma once
#include <windows.h>

#define SHELL_TASKBAR_CLASS   L"HHTaskBar"
#define SHELL_TASKBAR_HEIGHT  26

// Four-character codes, as the platform's compilers spell 'NAVT'.
#define SHELL_CODE(a, b, c, d) \
    (((DWORD)(BYTE)(a) << 24) | ((DWORD)(BYTE)(b) << 16) | ((DWORD)(BYTE)(c) << 8) | (DWORD)(BYTE)(d))

// 'NAVT' — navigation-bar title (SHSetNavBarText): the title the task bar
// shows while hwnd is the foreground window, in place of hwnd's own window
// text.  An empty text reverts to the window text.
#define SHELL_NAVTEXT         SHELL_CODE('N', 'A', 'V', 'T')
#define SHELL_NAVTEXT_CCH     64
typedef struct {
    HWND  hwnd;
    WCHAR text[SHELL_NAVTEXT_CCH];   // always terminated
} SHELL_NAVTEXT_DATA;

// 'FULL' — full-screen control (SHFullScreen): flags is a combination of the
// SHFS_* bits (aygshell.h):
//   SHFS_SHOWTASKBAR 0x01 / SHFS_HIDETASKBAR 0x02    the task bar itself (the
//       library has already shown or hidden the window; the task bar records
//       it for hwnd),
//   SHFS_SHOWSIPBUTTON 0x04 / SHFS_HIDESIPBUTTON 0x08  the input-panel button,
//   SHFS_SHOWSTARTICON 0x10 / SHFS_HIDESTARTICON 0x20  the start icon.
// A pair with both bits set counts as "show".  Parts not named stay as they
// were for hwnd.
#define SHELL_FULLSCREEN      SHELL_CODE('F', 'U', 'L', 'L')
typedef struct {
    HWND  hwnd;
    DWORD flags;
} SHELL_FULLSCREEN_DATA;

// 'DONE' — the OK button (SHDoneButton, SHInitDialog): show is TRUE when
// hwnd now carries WS_EX_CAPTIONOKBTN (0x80000000), FALSE when it no longer
// does.  The task bar repaints its right-hand button: "ok" (a tap sends
// WM_COMMAND IDOK to the foreground window) or the close/minimise "X".
// The task bar may equally read the foreground window's extended style.
#define SHELL_DONEBUTTON      SHELL_CODE('D', 'O', 'N', 'E')
typedef struct {
    HWND  hwnd;
    BOOL  show;
} SHELL_DONEBUTTON_DATA;

// 'SIPS' — input panel raised or lowered (SHSipPreference, SHInitDialog with
// SHIDIF_SIPDOWN, SHHandleWMActivate): up is TRUE when the panel should be
// shown.  The library has already stored the state in the device state
// DWORD "SipUp" (HKLM Software\SimDevice), which is the panel's one record.
#define SHELL_SIPSTATE        SHELL_CODE('S', 'I', 'P', 'S')
typedef struct {
    HWND  hwnd;
    BOOL  up;
} SHELL_SIPSTATE_DATA;
