// Tasquin, the task manager applet, made with the applet kit.
#include "tasquin_wnd.h"

#include <applet_module.h>

COR_APPLET(CTasquinWnd, L"UTILRA2", CTasquinWnd::kWidth, CTasquinWnd::kHeight)
