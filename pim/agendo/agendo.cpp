// Agendo, the PIM summary applet, made with the applet kit.
#include "agendo_wnd.h"

#include <applet_module.h>

COR_APPLET(CAgendoWnd, L"Pamsel", agendo::kWidth, agendo::kClosedHeight)
