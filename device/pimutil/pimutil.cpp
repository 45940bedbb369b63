// PimUtil.dll: sends PIM items to another device.  The simulated device has
// no infrared port: each contact asked for is the device-log line
// "beam: contact <oid>", as irsquirt.exe logs the files it is given.
#include <pimutil.h>

#include "devlog.h"

extern "C" HRESULT WINAPI PimSendItems(HWND /*owner*/, const CEOID* oids, UINT count, DWORD /*flags*/)
{
    if (!oids || count == 0)
        return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i)
        DevLog(L"beam", L"contact %lu", (unsigned long)oids[i]);
    return S_OK;
}
