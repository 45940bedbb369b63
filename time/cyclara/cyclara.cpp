// The Cyclara library: the biorhythm chart, made with the applet kit.
#include "cyclara_wnd.h"

#include <applet_module.h>

COR_APPLET(CCyclaraWnd, L"Cyclara1", CCyclaraWnd::kWidth, CCyclaraWnd::kHeight)
