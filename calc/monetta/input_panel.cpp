// The device's input panel, as the currency settings raise and lower it.
#include <windows.h>

#include <sip.h>

#include "currency_settings.h"

bool IsInputPanelUp()
{
    SIPINFO info = {};
    info.cbSize = sizeof(info);
    return ::SipGetInfo(&info) && (info.fdwFlags & SIPF_ON);
}

void ShowInputPanel(bool up)
{
    ::SipShowIM(up ? SIPF_ON : SIPF_OFF);
}
