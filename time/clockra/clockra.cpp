// The Clockra library: the clock applet, made with the applet kit.
#include "clock_wnd.h"

#include <applet_module.h>

COR_APPLET(CClockWnd, L"TIME", CClockWnd::kWidth, CClockWnd::kHeight)
