// The Monthra library: the three months around today, made with the
// applet kit.
#include "monthra_wnd.h"

#include <applet_module.h>

COR_APPLET(CMonthraWnd, L"Mensal1", CMonthraWnd::kWidth, CMonthraWnd::kHeight)
