// The device's zone key, as its clock settings keep it.
#include "zonath.h"

#include "registry.h"

namespace {

// One key whose name holds the slashes, exactly as the device writes it.
const wchar_t kClockKey[] = L"SOFTWARE/MICROSOFT/CLOCK";

} // namespace

BOOL GetSystemTZIndex(WORD* tzIndex)
{
    CRegistry clock;
    if (!tzIndex || !clock.Open(HKEY_LOCAL_MACHINE, kClockKey, TRUE))
        return FALSE;
    DWORD value = 0;
    if (!clock.ReadDWORD(L"TZIndex", &value) || value > 0xFFFF)
        return FALSE;
    *tzIndex = (WORD)value;
    return TRUE;
}
