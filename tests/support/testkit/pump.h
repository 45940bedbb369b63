// Waiting in a test without blocking its own windows: messages of this
// thread are dispatched while the test waits for time to pass or for a
// condition to hold.
#pragma once
#include <windows.h>

namespace testkit {

// Dispatches this thread's messages for the given time.
void PumpMessages(DWORD ms);

// Dispatches messages until done() holds or the time is up; returns done().
template <class Predicate>
bool PumpUntil(Predicate done, DWORD timeoutMs)
{
    const ULONGLONG start = GetTickCount64();
    while (!done()) {
        if (GetTickCount64() - start >= timeoutMs)
            return done();
        PumpMessages(20);
    }
    return true;
}

}  // namespace testkit
