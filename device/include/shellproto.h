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

// 'SIPS' — input panel raised or lowered (SipShowIM, and through it
// SHSipPreference, SHInitDialog with SHIDIF_SIPDOWN): up is TRUE when the
// panel should be shown.  Sent to the input panel (SHELL_SIP_CLASS below),
// not to the task bar.
#define SHELL_SIPSTATE        SHELL_CODE('S', 'I', 'P', 'S')
typedef struct {
    HWND  hwnd;
    BOOL  up;
} SHELL_SIPSTATE_DATA;

// 'NTFY' — a notification icon (Shell_NotifyIconW, which aygshell.dll
// exports in place of the desktop's): message is NIM_ADD, NIM_MODIFY or
// NIM_DELETE; hwnd and uID name the icon; uFlags says which of
// uCallbackMessage (NIF_MESSAGE), pixels (NIF_ICON) and tip (NIF_TIP) are
// given.  An icon is a handle of the sender's process that the shell
// cannot draw, so the library sends its pixels: the icon drawn at 16 x 16,
// top row first, each pixel 0xAARRGGBB with the colour premultiplied by
// its alpha (0 = transparent), as ShellPackNotifyIcon below makes them.
// The task bar draws the icons between the title and the clock; a tap on
// one posts uCallbackMessage to hwnd with wParam = uID and lParam =
// WM_LBUTTONDOWN, then with lParam = WM_LBUTTONUP.  It answers FALSE for an
// NIM_ADD of an icon it already has (or when it is full) and for an
// NIM_MODIFY or NIM_DELETE of one it does not have.  Icons of destroyed
// windows are forgotten.
#define SHELL_NOTIFYICON      SHELL_CODE('N', 'T', 'F', 'Y')
#define SHELL_NOTIFYICON_SIZE 16
#define SHELL_NOTIFYICON_TIPCCH 64
typedef struct {
    DWORD message;           // NIM_ADD, NIM_MODIFY, NIM_DELETE
    HWND  hwnd;
    UINT  uID;
    UINT  uFlags;            // NIF_MESSAGE | NIF_ICON | NIF_TIP
    UINT  uCallbackMessage;
    WCHAR tip[SHELL_NOTIFYICON_TIPCCH];   // always terminated
    DWORD pixels[SHELL_NOTIFYICON_SIZE * SHELL_NOTIFYICON_SIZE];
} SHELL_NOTIFYICON_DATA;

// Fills pixels[] of a SHELL_NOTIFYICON_DATA from an icon of the caller's
// process.  The icon is drawn on black and on white: where both agree the
// pixel is opaque, where they differ by the full range it is transparent,
// and in between the difference gives the alpha (so both masked and
// alpha-blended icons come out right).  FALSE when the icon cannot be drawn.
inline BOOL ShellPackNotifyIcon(HICON icon, DWORD* pixels)
{
    const int n = SHELL_NOTIFYICON_SIZE;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = n;
    bmi.bmiHeader.biHeight = -n;  // top row first
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    HDC dc = CreateCompatibleDC(nullptr);
    void* onBlackBits = nullptr;
    void* onWhiteBits = nullptr;
    HBITMAP onBlack = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &onBlackBits, nullptr, 0);
    HBITMAP onWhite = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &onWhiteBits, nullptr, 0);
    BOOL ok = dc && onBlack && onWhite;
    if (ok) {
        for (int i = 0; i < n * n; ++i) {
            static_cast<DWORD*>(onBlackBits)[i] = 0x00000000;
            static_cast<DWORD*>(onWhiteBits)[i] = 0x00FFFFFF;
        }
        HGDIOBJ old = SelectObject(dc, onBlack);
        ok = DrawIconEx(dc, 0, 0, icon, n, n, 0, nullptr, DI_NORMAL);
        SelectObject(dc, onWhite);
        ok = ok && DrawIconEx(dc, 0, 0, icon, n, n, 0, nullptr, DI_NORMAL);
        SelectObject(dc, old);
        GdiFlush();
    }
    if (ok) {
        const DWORD* black = static_cast<const DWORD*>(onBlackBits);
        const DWORD* white = static_cast<const DWORD*>(onWhiteBits);
        for (int i = 0; i < n * n; ++i) {
            // On black a pixel is alpha * colour, on white alpha * colour +
            // (255 - alpha): the difference of the green channels is 255 - alpha.
            int g0 = (int)((black[i] >> 8) & 0xFF);
            int g1 = (int)((white[i] >> 8) & 0xFF);
            int alpha = 255 - (g1 - g0);
            if (alpha < 0)
                alpha = 0;
            if (alpha > 255)
                alpha = 255;
            pixels[i] = alpha ? (((DWORD)alpha << 24) | (black[i] & 0x00FFFFFF)) : 0;
        }
    }
    if (onBlack)
        DeleteObject(onBlack);
    if (onWhite)
        DeleteObject(onWhite);
    if (dc)
        DeleteDC(dc);
    return ok;
}

// 'KIDP' — the picture of a window another program put into the task bar.
// On the device a program may make a small window of its own a child of
// the task bar (a status icon beside the clock) and paint it as any window.
// Here a window of one process cannot paint into a window of another
// process: such a child draws nothing the screen shows.  So the owner of
// the child also hands the task bar what the child shows, each time it
// changes, and the task bar draws that picture in the child's place over
// its own painting (ShellSendChildPicture below does it from a drawing).
// hwnd must be a child of the task bar of the sender's; pixels holds
// width x height opaque pixels 0x00RRGGBB, top row first, each row width
// pixels long.  The task bar answers FALSE for a window that is not its
// child or a size out of range, and forgets the pictures of destroyed
// windows.
#define SHELL_CHILDPICTURE     SHELL_CODE('K', 'I', 'D', 'P')
#define SHELL_CHILDPICTURE_MAX_WIDTH   64
#define SHELL_CHILDPICTURE_MAX_HEIGHT  SHELL_TASKBAR_HEIGHT
typedef struct {
    HWND  hwnd;
    LONG  width;             // 1..SHELL_CHILDPICTURE_MAX_WIDTH
    LONG  height;            // 1..SHELL_CHILDPICTURE_MAX_HEIGHT
    DWORD pixels[SHELL_CHILDPICTURE_MAX_WIDTH * SHELL_CHILDPICTURE_MAX_HEIGHT];
} SHELL_CHILDPICTURE_DATA;

// Hands the task bar the picture of child: the width x height pixels at
// (0, 0) of source (a memory context holding what the child paints).
// FALSE when the size is out of range, the pixels cannot be read or the
// task bar did not take them.
inline BOOL ShellSendChildPicture(HWND child, HDC source, int width, int height)
{
    if (width < 1 || height < 1 || width > SHELL_CHILDPICTURE_MAX_WIDTH || height > SHELL_CHILDPICTURE_MAX_HEIGHT)
        return FALSE;
    HWND bar = GetParent(child);
    if (!bar)
        return FALSE;
    SHELL_CHILDPICTURE_DATA data = {};
    data.hwnd = child;
    data.width = width;
    data.height = height;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;  // top row first
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(source);
    HBITMAP copy = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    BOOL ok = dc && copy;
    if (ok) {
        HGDIOBJ old = SelectObject(dc, copy);
        ok = BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
        GdiFlush();
        SelectObject(dc, old);
        for (int i = 0; ok && i < width * height; ++i)
            data.pixels[i] = static_cast<const DWORD*>(bits)[i] & 0x00FFFFFF;
    }
    if (copy)
        DeleteObject(copy);
    if (dc)
        DeleteDC(dc);
    if (!ok)
        return FALSE;
    COPYDATASTRUCT message = {SHELL_CHILDPICTURE, sizeof(data), &data};
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(bar, WM_COPYDATA, (WPARAM)child, (LPARAM)&message, SMTO_ABORTIFHUNG, 2000,
                               &answer) &&
           answer != 0;
}

// Task-bar hooks.  On the device a program may replace the task bar's
// window procedure to act on its taps first; a window procedure of another
// process cannot be replaced here, so the task bar keeps a chain of
// subscriber windows instead and asks them itself.
//
// Subscribing: send the task bar the message registered under
// SHELL_HOOK_MESSAGE_NAME with wParam = the subscriber window and lParam =
// a combination of the SHELL_HOOK_* flags below (0 unsubscribes).  The
// answer is TRUE when the chain changed (FALSE for a window that is not a
// window, an unsubscribe of a window that was not subscribed, or a full
// chain).  Subscribing again moves the window to the front with the new
// flags.  Windows that are destroyed drop out by themselves.
//
// What the subscribers hear: the task bar's stylus releases (WM_LBUTTONUP,
// lParam = the point in task-bar coordinates), message 1024 (WM_USER) with
// wParam 4 and, with SHELL_HOOK_PRESSES, its stylus presses
// (WM_LBUTTONDOWN).  For each such message, before its own handling, the
// task bar sends (SendMessageTimeout, 1 second) the message registered under
// SHELL_HOOK_NOTIFY_NAME to the SHELL_HOOK_BEFORE subscribers, the last
// subscribed first, with
//     wParam = SHELL_HOOK_PACK(original message, original wParam)
//     lParam = the original lParam
// A non-zero answer means "handled": nobody further down the chain is
// asked and the task bar skips its own handling.  When nobody handled it,
// the task bar handles the message and then sends the message registered
// under SHELL_HOOK_DONE_NAME, packed the same way, to the SHELL_HOOK_AFTER
// subscribers (answers are ignored).  A subscriber must not send to the
// task bar while it answers, except to change its subscription.
#define SHELL_HOOK_MESSAGE_NAME  L"SimTaskBarHook"
#define SHELL_HOOK_NOTIFY_NAME   L"SimTaskBarHookNotify"
#define SHELL_HOOK_DONE_NAME     L"SimTaskBarHookDone"

#define SHELL_HOOK_OFF       0x0   // unsubscribe
#define SHELL_HOOK_BEFORE    0x1   // asked before the task bar's own handling
#define SHELL_HOOK_AFTER     0x2   // told after it (when nobody handled the message)
#define SHELL_HOOK_PRESSES   0x4   // stylus presses as well as releases

#define SHELL_HOOK_TASKBAR_MESSAGE  (WM_USER + 0)   // 1024, heard with wParam 4
#define SHELL_HOOK_TASKBAR_WPARAM   4

// wParam of a notification: the original message in the low 32 bits, the
// original wParam (which is small for every message heard) in the high 32.
#define SHELL_HOOK_PACK(msg, wp)   ((WPARAM)(((ULONG_PTR)(DWORD)(wp) << 32) | (DWORD)(msg)))
#define SHELL_HOOK_MSG(packed)     ((UINT)((ULONG_PTR)(packed) & 0xFFFFFFFFu))
#define SHELL_HOOK_WPARAM(packed)  ((WPARAM)((ULONG_PTR)(packed) >> 32))

// The input panel (sip.h): a top-most, non-activating window of class
// SHELL_SIP_CLASS in the shell process, at the current input method's panel
// rectangle and hidden while the panel is down, and the panel button
// SHELL_SIPBUTTON_CLASS at the right of the menu bars' strip.  The panel
// hosts the current method in the shell process.
//
// Programs read the panel's state where the panel publishes it, in the
// device state key (HKLM "Software\SimDevice", devlog.h):
//     SipUp      DWORD  1 while the panel is up
//     SipIM      SZ     the current method's class, "{xxxxxxxx-...}"
//     SipRect    SZ     its panel rectangle, "left,top,right,bottom"
// and ask for changes with WM_COPYDATA to the panel window, as for the task
// bar, but sent with SMTO_NORMAL and never SMTO_BLOCK: while it switches,
// the panel calls the methods, and a method may send a message back to the
// asking program (an input method closing a side bar), which the asker must
// be free to answer.  The panel answers TRUE when the request was carried
// out.  SHELL_SIPSTATE above raises or lowers it.
#define SHELL_SIP_CLASS       L"SipWndClass"
#define SHELL_SIPBUTTON_CLASS L"MS_SIPBUTTON"
#define SHELL_SIP_TIMEOUT_MS  10000

// 'SIPM' — make an installed method current (SipSetCurrentIM).
#define SHELL_SIPMETHOD       SHELL_CODE('S', 'I', 'P', 'M')
typedef struct {
    CLSID clsid;
} SHELL_SIPMETHOD_DATA;

// The panel button: where it sits (the menu bars leave its place free).
#define SHELL_SIPBUTTON_LEFT   204
#define SHELL_SIPBUTTON_TOP    294
#define SHELL_SIPBUTTON_WIDTH  36
#define SHELL_SIPBUTTON_HEIGHT 26
