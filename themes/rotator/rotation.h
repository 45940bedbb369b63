// The rotator's schedule and position, and the steps that move through it:
// selecting a schedule and advancing to its next theme.  Advances never
// overlap: a timer tick while one runs is skipped, and the window thread
// waits for a running one (a bounded wait) before it selects or advances.
#pragma once

#include <windows.h>

#include <schedule.h>

// The position a schedule starts from when it is selected: after the stored
// position when it is the schedule in use already; else the first theme
// (sequential) or a random one other than the previous position (random).
int SelectedPosition(size_t count, bool alreadyCurrent, DWORD storedPosition, int previousPosition, int order,
                     unsigned random);
// The position of the next theme: the next one (sequential) or a random one
// other than the current position (random, with more than one theme).
int NextPosition(size_t count, int position, int order, unsigned random);

class CRotation {
public:
    // How long the window thread waits for a running advance.
    static const DWORD kWaitMs = 30000;

    CRotation();
    ~CRotation();
    CRotation(const CRotation&) = delete;
    CRotation& operator=(const CRotation&) = delete;

    // Loads schedule n and makes it current; false (nothing changed) when
    // its file cannot be read or n is no schedule number.
    bool Select(int schedule);
    // Advances now, on the calling (window) thread.
    void Advance();
    // Advances on a new low-priority worker thread; false when an advance
    // is running already (the tick is skipped).
    bool AdvanceInBackground();
    // Waits until no advance runs; false when the wait timed out.
    bool WaitIdle(DWORD timeoutMs);

    int CurrentSchedule() const { return m_schedule; }
    int Position() const { return m_position; }
    long IntervalMinutes() const { return m_loaded.interval; }
    size_t ThemeCount() const { return m_loaded.themes.size(); }

private:
    bool BeginExclusive();  // waits for idle, then marks busy
    void EndExclusive();
    void AdvanceStep();
    unsigned Random();
    static DWORD WINAPI Worker(LPVOID self);

    CSchedule m_loaded;
    int m_schedule;
    int m_position;
    unsigned m_random;
    CRITICAL_SECTION m_lock;
    bool m_busy;
    HANDLE m_idle;  // signalled while no advance runs
};
