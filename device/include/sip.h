// The input panel and input methods of the simulated device (coredll.dll,
// with the panel itself in the shell process).
//
// An input method is an in-process component implementing IInputMethod.  It
// is installed when its class key HKCR\CLSID\{clsid} has a subkey
// "IsSIPInputMethod" whose default value is "1"; its name is the class key's
// default value.  The panel hosts the current method: it creates the method
// by its class, hands it the panel window (Select) and a callback through
// which the method types (IIMCallback).  Another program may host a method
// the same way in a window of its own.
//
//     SipEnumIM(proc)                 lists the installed methods by name
//     SipGetCurrentIM / SipSetCurrentIM   the panel's method (HKCU
//                                     "ControlPanel\Sip" value "DefaultIM"
//                                     keeps it across boots)
//     SipShowIM(SIPF_ON / SIPF_OFF)   raises or lowers the panel
//     SipGetInfo                      where the panel is, and what is left
//                                     of the screen above it
//
// Records are checked by cbSize, which is always sizeof() of the record
// here: on this 64-bit device IMINFO is 56 bytes (40 on 32-bit devices).
#pragma once

#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#ifndef COREDLL_API
#define COREDLL_API __declspec(dllimport)
#endif

// ---- Panel state -----------------------------------------------------------

#define SIPF_OFF 0x00000000
#define SIPF_ON 0x00000001      // the panel is up
#define SIPF_DOCKED 0x00000002  // the panel sits at its place (always, here)
#define SIPF_LOCKED 0x00000004

// SystemParametersInfoW actions: pvParam is a SIPINFO (224, 225) or a CLSID
// (226, 227); uiParam is not used.
#define SPI_SETSIPINFO 224
#define SPI_GETSIPINFO 225
#define SPI_SETCURRENTIM 226
#define SPI_GETCURRENTIM 227

typedef struct tagSIPINFO {
    DWORD cbSize;           // sizeof(SIPINFO)
    DWORD fdwFlags;         // SIPF_*
    RECT rcVisibleDesktop;  // the screen below the task bar and above the panel
    RECT rcSipRect;         // the panel, in screen coordinates
    DWORD dwImDataSize;
    void* pvImData;
} SIPINFO;

// What a method tells its host: its images (image lists of the method's
// process, with the narrow one shown on the panel button) and its panel.
typedef struct tagIMINFO {
    DWORD cbSize;         // sizeof(IMINFO)
    HANDLE hImageNarrow;  // HIMAGELIST of 16 x 16 images
    HANDLE hImageWide;    // HIMAGELIST of 32 x 16 images
    int iNarrow;
    int iWide;
    DWORD fdwFlags;  // SIPF_*
    RECT rcSipRect;  // the panel the method wants, in screen coordinates
} IMINFO;

typedef struct tagIMENUMINFO {
    WCHAR szName[MAX_PATH];
    CLSID clsid;
} IMENUMINFO, *PIMENUMINFO;

// Called once per installed method; a zero answer stops the enumeration.
typedef int (*IMENUMPROC)(IMENUMINFO* pIMInfo);

// ---- Key state flags (PostKeybdMessage, IIMCallback::SendCharEvents) -------

typedef UINT32 KEY_STATE_FLAGS;

#define KeyStateToggledFlag 0x00000001
#define KeyStatePrevDownFlag 0x00000040     // the key was down before
#define KeyStateDownFlag 0x00000080         // the key is down (else up)
#define KeyShiftNoCharacterFlag 0x00010000  // no character for this entry
#define KeyShiftDeadFlag 0x00020000         // a dead key's character

// ---- Interfaces ------------------------------------------------------------

// IID_IInputMethod {42429666-AE04-11D0-A4F8-00AA00A749B9}
inline constexpr IID IID_IInputMethod = {0x42429666, 0xAE04, 0x11D0, {0xA4, 0xF8, 0x00, 0xAA, 0x00, 0xA7, 0x49, 0xB9}};
// IID_IIMCallback {42429667-AE04-11D0-A4F8-00AA00A749B9}
inline constexpr IID IID_IIMCallback = {0x42429667, 0xAE04, 0x11D0, {0xA4, 0xF8, 0x00, 0xAA, 0x00, 0xA7, 0x49, 0xB9}};

// What a method calls on its host.  Virtual keys go to keybd_event (the
// device's flags: KEYEVENTF_KEYUP, KEYEVENTF_EXTENDEDKEY, KEYEVENTF_SILENT);
// characters to PostKeybdMessage for the focus window.
struct IIMCallback : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE SetImInfo(IMINFO* pimi) = 0;
    virtual HRESULT STDMETHODCALLTYPE SendVirtualKey(BYTE bVk, DWORD dwFlags) = 0;
    virtual HRESULT STDMETHODCALLTYPE SendCharEvents(UINT uVk, UINT uKeyFlags, UINT uChars, UINT* puShift,
                                                     UINT* puChars) = 0;
    virtual HRESULT STDMETHODCALLTYPE SendString(BSTR ptszStr, DWORD dwChars) = 0;
};

// An input method, in the order its host calls it: GetInfo (also before
// Select), Select with the window to draw in, RegisterCallback, Showing and
// Hiding as the panel goes up and down, Deselect before it is released.
struct IInputMethod : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Select(HWND hwndSip) = 0;
    virtual HRESULT STDMETHODCALLTYPE Deselect() = 0;
    virtual HRESULT STDMETHODCALLTYPE Showing() = 0;
    virtual HRESULT STDMETHODCALLTYPE Hiding() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetInfo(IMINFO* pimi) = 0;
    virtual HRESULT STDMETHODCALLTYPE ReceiveSipInfo(SIPINFO* psi) = 0;
    virtual HRESULT STDMETHODCALLTYPE RegisterCallback(IIMCallback* lpIMCallback) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetImData(DWORD dwSize, void* pvImData) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetImData(DWORD dwSize, void* pvImData) = 0;
    virtual HRESULT STDMETHODCALLTYPE UserOptionsDlg(HWND hwndParent) = 0;
};

#ifdef __MINGW32__
__CRT_UUID_DECL(IInputMethod, 0x42429666, 0xAE04, 0x11D0, 0xA4, 0xF8, 0x00, 0xAA, 0x00, 0xA7, 0x49, 0xB9)
__CRT_UUID_DECL(IIMCallback, 0x42429667, 0xAE04, 0x11D0, 0xA4, 0xF8, 0x00, 0xAA, 0x00, 0xA7, 0x49, 0xB9)
#endif

// ---- Functions (coredll) ---------------------------------------------------

#ifdef __cplusplus
extern "C" {
#endif

// Calls proc for each installed method in registry order until it answers 0.
// Returns how many methods proc was called for, or -1 for a null proc.
COREDLL_API int WINAPI SipEnumIM(IMENUMPROC proc);

// The panel's current method.  FALSE when the panel is not running.
COREDLL_API BOOL WINAPI SipGetCurrentIM(CLSID* pClsid);
// Makes an installed method current (and the default for later boots).
// FALSE when it is not installed, cannot be created or the panel is not
// running; the previous method then stays.
COREDLL_API BOOL WINAPI SipSetCurrentIM(CLSID* pClsid);

// SIPF_ON raises the panel, SIPF_OFF lowers it.
COREDLL_API BOOL WINAPI SipShowIM(DWORD dwFlag);

// Fills a SIPINFO whose cbSize is sizeof(SIPINFO): flags SIPF_DOCKED, with
// SIPF_ON while the panel is up; the method's panel rectangle; the visible
// desktop from below the task bar to the panel's top (to the screen's
// bottom while the panel is down).
COREDLL_API BOOL WINAPI SipGetInfo(SIPINFO* pSipInfo);
// Raises or lowers the panel by SIPF_ON in fdwFlags; the rest of the record
// is the panel's own and is not taken.
COREDLL_API BOOL WINAPI SipSetInfo(SIPINFO* pSipInfo);

// Posts keyboard messages to hwnd, or with hwnd (HWND)-1 to the focus window
// of the foreground thread: WM_KEYDOWN or WM_KEYUP for VKey (none for VKey 0)
// by KeyStateDownFlag, then, for a key going down, one WM_CHAR per character
// (WM_DEADCHAR for a dead key's, none for an entry flagged
// KeyShiftNoCharacterFlag).  Each entry's flags come from pShiftStateBuffer,
// or are KeyStateFlags when it is null.  A key-down given with characters is
// marked so the target's TranslateMessage does not make them a second time;
// one given without is translated as a hardware key is.  FALSE when there
// is no target window.
COREDLL_API BOOL WINAPI PostKeybdMessage(HWND hwnd, UINT VKey, KEY_STATE_FLAGS KeyStateFlags, UINT cCharacters,
                                         UINT* pShiftStateBuffer, UINT* pCharacterBuffer);

#ifdef __cplusplus
}
#endif
