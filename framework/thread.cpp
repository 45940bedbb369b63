// CThread: starts a thread and owns its handle (closed exactly once).
#include "widgets.h"

CThread::CThread(LPTHREAD_START_ROUTINE start, LPVOID parameter) { CreateThread(start, parameter); }

CThread::~CThread() {
    if (m_hThread) ::CloseHandle(m_hThread);
}

BOOL CThread::CreateThread(LPTHREAD_START_ROUTINE start, LPVOID parameter) {
    // Starting again replaces the handle; the earlier one is ours to close.
    if (m_hThread) {
        ::CloseHandle(m_hThread);
        m_hThread = nullptr;
        m_dwThreadId = 0;
    }
    m_pStart = start;
    m_pParameter = parameter;
    if (!start) return FALSE;
    m_hThread = ::CreateThread(nullptr, 0, start, parameter, 0, &m_dwThreadId);
    if (!m_hThread) m_dwThreadId = 0;
    return m_hThread != nullptr;
}
