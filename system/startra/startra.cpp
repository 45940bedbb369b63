// Startra, the launcher applet, made with the applet kit.
#include "startra_wnd.h"

#include <applet_module.h>

// The height is the icon rows' and is set when the window is made.
COR_APPLET(CStartraWnd, L"UTILRA1", CStartraWnd::kWidth, 67)
