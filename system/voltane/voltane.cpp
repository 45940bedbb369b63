// Voltane, the system watch applet, made with the applet kit.
#include "voltane_wnd.h"

#include <applet_module.h>

COR_APPLET(CVoltaneWnd, L"UTILRA1", CVoltaneWnd::kWidth, CVoltaneWnd::kHeight)
