// Contact, the contacts applet, made with the applet kit.
#include "contact_wnd.h"

#include <applet_module.h>

COR_APPLET(CContactWnd, L"Contact", CContactWnd::kWidth, CContactWnd::kHeight)
