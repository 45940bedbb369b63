#include "pump.h"

namespace testkit {

void PumpMessages(DWORD ms)
{
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        const ULONGLONG spent = GetTickCount64() - start;
        if (spent >= ms)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, (DWORD)(ms - spent), QS_ALLINPUT);
    }
}

}  // namespace testkit
