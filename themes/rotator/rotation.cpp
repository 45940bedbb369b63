// The rotator's schedule, its position and the advance steps.
#include "rotation.h"

#include <tessary.h>
#include <wchar.h>

int SelectedPosition(size_t count, bool alreadyCurrent, DWORD storedPosition, int previousPosition, int order,
                     unsigned random)
{
    if (count == 0)
        return 0;
    if (alreadyCurrent)
        return static_cast<int>((static_cast<unsigned long long>(storedPosition) + 1) % count);
    if (order != CSchedule::kRandom)
        return 0;
    int position = static_cast<int>(random % count);
    if (position == previousPosition)
        position = static_cast<int>((position + 1) % count);
    return position;
}

int NextPosition(size_t count, int position, int order, unsigned random)
{
    if (count == 0)
        return 0;
    if (order != CSchedule::kRandom)
        return static_cast<int>((static_cast<size_t>(position < 0 ? -1 : position) + 1) % count);
    int next = static_cast<int>(random % count);
    return next == position ? static_cast<int>((next + 1) % count) : next;
}

CRotation::CRotation()
    : m_schedule(-1), m_position(0), m_random(GetTickCount() | 1), m_busy(false),
      m_idle(CreateEventW(nullptr, TRUE, TRUE, nullptr))
{
    InitializeCriticalSection(&m_lock);
}

CRotation::~CRotation()
{
    WaitIdle(kWaitMs);
    DeleteCriticalSection(&m_lock);
    if (m_idle)
        CloseHandle(m_idle);
}

unsigned CRotation::Random()
{
    // xorshift: good enough to pick a theme.
    m_random ^= m_random << 13;
    m_random ^= m_random >> 17;
    m_random ^= m_random << 5;
    return m_random;
}

// Waits for the event while still taking the messages other threads send
// to this thread's windows: a running advance broadcasts to all of them.
bool CRotation::WaitIdle(DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return WaitForSingleObject(m_idle, 0) == WAIT_OBJECT_0;
        DWORD wait = MsgWaitForMultipleObjects(1, &m_idle, FALSE, timeoutMs - elapsed, QS_SENDMESSAGE);
        if (wait == WAIT_OBJECT_0)
            return true;
        if (wait != WAIT_OBJECT_0 + 1)
            return false;
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

bool CRotation::BeginExclusive()
{
    for (;;) {
        if (!WaitIdle(kWaitMs))
            return false;
        EnterCriticalSection(&m_lock);
        if (!m_busy) {
            m_busy = true;
            ResetEvent(m_idle);
            LeaveCriticalSection(&m_lock);
            return true;
        }
        LeaveCriticalSection(&m_lock);
    }
}

void CRotation::EndExclusive()
{
    EnterCriticalSection(&m_lock);
    m_busy = false;
    SetEvent(m_idle);
    LeaveCriticalSection(&m_lock);
}

bool CRotation::Select(int schedule)
{
    wchar_t path[MAX_PATH];
    CSchedule loaded;
    if (!IsScheduleNumber(schedule) || !ScheduleFilePath(schedule, path, MAX_PATH) ||
        !ReadScheduleFile(path, ScheduleReader::Rotator, &loaded))
        return false;
    if (!BeginExclusive())
        return false;
    const int stored = ReadCurrentSchedule();
    const bool alreadyCurrent = schedule == stored;
    m_position = SelectedPosition(loaded.themes.size(), alreadyCurrent, ReadCurrentTsk(schedule), m_position,
                                  loaded.order, Random());
    if (!alreadyCurrent)
        WriteCurrentSchedule(schedule);
    m_loaded = loaded;
    m_schedule = schedule;
    EndExclusive();
    return true;
}

void CRotation::AdvanceStep()
{
    const size_t count = m_loaded.themes.size();
    if (count == 0)
        return;
    m_position = NextPosition(count, m_position, m_loaded.order, Random());
    const std::wstring& theme = m_loaded.themes[m_position];
    wchar_t inForce[MAX_PATH];
    if (GetCurThemeName(inForce, MAX_PATH) && _wcsicmp(inForce, theme.c_str()) == 0)
        return;  // in force already: neither applied again nor recorded
    // A theme that cannot be applied is passed over; the position moves on.
    ApplyTheme(theme.c_str());
    WriteCurrentTsk(m_schedule, static_cast<DWORD>(m_position));
}

void CRotation::Advance()
{
    if (!BeginExclusive())
        return;
    AdvanceStep();
    EndExclusive();
}

DWORD WINAPI CRotation::Worker(LPVOID self)
{
    CRotation* rotation = static_cast<CRotation*>(self);
    rotation->AdvanceStep();
    rotation->EndExclusive();
    return 0;
}

bool CRotation::AdvanceInBackground()
{
    EnterCriticalSection(&m_lock);
    if (m_busy) {
        LeaveCriticalSection(&m_lock);
        return false;
    }
    m_busy = true;
    ResetEvent(m_idle);
    LeaveCriticalSection(&m_lock);

    HANDLE thread = CreateThread(nullptr, 0, Worker, this, CREATE_SUSPENDED, nullptr);
    if (!thread) {
        EndExclusive();
        return false;
    }
    SetThreadPriority(thread, THREAD_PRIORITY_IDLE);
    ResumeThread(thread);
    CloseHandle(thread);
    return true;
}
