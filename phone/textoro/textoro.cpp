// Textoro, the SMS sender applet, made with the applet kit.
#include "textoro_wnd.h"

#include <applet_module.h>

COR_APPLET(CTextoroWnd, L"Textoro", CTextoroWnd::kWidth, CTextoroWnd::kHeight)
