// Dialer, the call-log applet, made with the applet kit.
#include "dialer_wnd.h"

#include <applet_module.h>

COR_APPLET(CDialerWnd, L"Dialer", CDialerWnd::kWidth, CDialerWnd::kHeight)
