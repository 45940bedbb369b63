// The Calendar library: the three-month calendar with navigation, made
// with the applet kit.
#include "calendar_wnd.h"

#include <applet_module.h>

COR_APPLET(CCalendarWnd, L"Mensal1", CCalendarWnd::kWidth, CCalendarWnd::kHeight)
