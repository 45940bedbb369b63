// PromptForPasswd: the device's power-on password prompt.  The simulated
// device has no lock screen: the request is recorded and granted.
#include "devlog.h"

/***********************************************************************
 *      PromptForPasswd (cplmain.cpl)
 *
 * PARAMS
 *  owner     [I] window that asks (may be NULL)
 *  lockNow   [I] TRUE to lock the device until the password is given
 *
 * RETURNS
 *  TRUE: the password was given (always, on the simulated device).
 */
extern "C" BOOL WINAPI PromptForPasswd(HWND owner, BOOL lockNow)
{
    (void)owner;
    DevLog(L"cplmain", L"PromptForPasswd %d", lockNow ? 1 : 0);
    return TRUE;
}
