// Setlane, the settings-shortcut applet, made with the applet kit.
#include "setlane_wnd.h"

#include <applet_module.h>

COR_APPLET(CSetlaneWnd, L"UTILRA1", CSetlaneWnd::kWidth, CSetlaneWnd::kHeight)
COR_APPLET_ATTENTION(CSetlaneWnd::WantsAttention)
