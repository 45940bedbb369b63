// The About library: the reference applet, made with the applet kit.
// Export 241 answers 0 for every message: About has no options.
#include "about_private.h"

#include <applet_module.h>

namespace {

INT_PTR CALLBACK AboutOptionsDialogProc(HWND /*dialog*/, UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return 0;
}

}  // namespace

COR_APPLET(CAboutWnd, L"ABOUT", CAboutWnd::kWidth, CAboutWnd::kHeight)
COR_APPLET_OPTIONS(AboutOptionsDialogProc)
