// The applet kit: one way to make an applet library.
//
// A whole applet library is its window class and one line:
//
//     #include <applet_module.h>
//
//     class CClockWnd : public CApplet {
//     public:
//         void OnPaint() override;                                   // and so on
//     };
//
//     COR_APPLET(CClockWnd, L"CLOCKRA", 240, 60)   // window class name, width, height
//
// and in its CMakeLists.txt one line, with no .def file and no DllMain:
//
//     ketra_applet(Clockra SOURCES clock_wnd.cpp)         (Corvane is linked for it)
//
// and in its pack's manifest one line (tools/manifest/README.md):
//
//     applet | bin/Clockra.dll | \Program Files\ZARQ\Ketra\Clockra.dll | Clockra | group=Time order=20
//
// COR_APPLET gives the library:
//   - its entry point, which records the library's module (CorAppletModule())
//     and unregisters the window class when the library is unloaded, so a
//     later load at another address registers it afresh;
//   - one window object of the class, alive while the library is loaded
//     (CorAppletWindow());
//   - export 240: null for a record whose enabled field is 0; otherwise the
//     window created as a child of the host's window at (0, 0, width,
//     height), with the library as the framework's instance during creation
//     (window class and resources are the library's) and the caller's
//     instance back afterwards; a window left from an earlier call is
//     destroyed first;
//   - export 241, the options dialog procedure the settings program runs on
//     dialog template 500: without options it answers 1 to WM_INITDIALOG and
//     ends the dialog with IDOK or IDCANCEL when one of them is chosen.
//
// Optional, anywhere in the library:
//
//     COR_APPLET_OPTIONS(ClockOptionsProc)     // export 241 is this DLGPROC
//                                              // (give the library dialog 500)
//     COR_APPLET_ATTENTION(ClockWantsUser)     // export 243: int (), non-zero when
//                                              // the applet wants attention;
//                                              // add ATTENTION to ketra_applet()
//
// A creation that should fail (the applet cannot run) overrides
// PreCreateWindow and answers FALSE; export 240 then returns null.
#pragma once

#include <windows.h>

#include "applet.h"
#include "corvane_api.h"
#include "todaycmn.h"

// The library's module and its one applet window object; defined by COR_APPLET.
HINSTANCE CorAppletModule();
CApplet* CorAppletWindow();

// The pieces COR_APPLET puts together (Corvane).
//
// Entry-point work: records the module on attach; unregisters className on detach.
CORVANE_API BOOL CorAppletDllMain(HINSTANCE module, DWORD reason, LPCWSTR className, HINSTANCE* moduleOut);
// Export 240 (see above).
CORVANE_API HWND CorAppletCreateItem(CApplet* applet, HINSTANCE module, LPCWSTR className, int width, int height,
                                     TODAYLISTITEM* item, HWND parent);
// Export 241 of an applet without options.
CORVANE_API INT_PTR CALLBACK CorAppletDefaultOptions(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The options procedure COR_APPLET_OPTIONS installed in this library; null for none.
extern DLGPROC g_pfnCorAppletOptions;

#define COR_APPLET(WndClass, className, width, height)                                                        \
    namespace {                                                                                                \
    WndClass g_corAppletWindow;                                                                                \
    HINSTANCE g_hCorAppletModule = nullptr;                                                                    \
    }                                                                                                          \
    DLGPROC g_pfnCorAppletOptions = nullptr;                                                                   \
    HINSTANCE CorAppletModule() { return g_hCorAppletModule; }                                                 \
    CApplet* CorAppletWindow() { return &g_corAppletWindow; }                                                  \
    extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/)                       \
    {                                                                                                          \
        return CorAppletDllMain(module, reason, className, &g_hCorAppletModule);                              \
    }                                                                                                          \
    extern "C" HWND CorAppletInitializeItem(TODAYLISTITEM* item, HWND parent)                                  \
    {                                                                                                          \
        return CorAppletCreateItem(&g_corAppletWindow, g_hCorAppletModule, className, width, height, item,     \
                                   parent);                                                                    \
    }                                                                                                          \
    extern "C" INT_PTR CALLBACK CorAppletOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam,           \
                                                           LPARAM lParam)                                      \
    {                                                                                                          \
        DLGPROC options = g_pfnCorAppletOptions ? g_pfnCorAppletOptions : &CorAppletDefaultOptions;            \
        return options(dialog, message, wParam, lParam);                                                       \
    }

// Set while the library's static objects are made, before anything can
// call export 241.
#define COR_APPLET_OPTIONS(proc)                                                                               \
    namespace {                                                                                                \
    const bool g_bCorAppletOptionsSet = (g_pfnCorAppletOptions = (proc), true);                               \
    }

#define COR_APPLET_ATTENTION(proc)                                                                             \
    extern "C" int CorAppletCheckNotify() { return (proc)(); }
