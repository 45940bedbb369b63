// Synchronisation objects and the locks that hold them: thin wrappers of
// the platform's kernel objects.
#include "widgets.h"

#include <algorithm>

// ---- CSyncObject -----------------------------------------------------------

CSyncObject::CSyncObject(LPCWSTR) {}

CSyncObject::~CSyncObject() {
    if (m_hObject) {
        ::CloseHandle(m_hObject);
        m_hObject = nullptr;
    }
}

BOOL CSyncObject::Lock(DWORD timeout) {
    return m_hObject && ::WaitForSingleObject(m_hObject, timeout) == WAIT_OBJECT_0;
}

BOOL CSyncObject::Unlock(LONG, LONG*) { return TRUE; }

// ---- CSemaphore, CMutex, CEvent --------------------------------------------

CSemaphore::CSemaphore(LONG initialCount, LONG maximumCount, LPCWSTR name, LPSECURITY_ATTRIBUTES security)
    : CSyncObject(name) {
    m_hObject = ::CreateSemaphoreW(security, initialCount, maximumCount, name);
}

BOOL CSemaphore::Unlock(LONG count, LONG* previous) {
    return ::ReleaseSemaphore(m_hObject, count, previous);
}

BOOL CSemaphore::Unlock() { return Unlock(1, nullptr); }

CMutex::CMutex(BOOL initiallyOwned, LPCWSTR name, LPSECURITY_ATTRIBUTES security) : CSyncObject(name) {
    m_hObject = ::CreateMutexW(security, initiallyOwned, name);
}

BOOL CMutex::Unlock() { return ::ReleaseMutex(m_hObject); }

CEvent::CEvent(BOOL initiallySignalled, BOOL manualReset, LPCWSTR name, LPSECURITY_ATTRIBUTES security)
    : CSyncObject(name) {
    m_hObject = ::CreateEventW(security, manualReset, initiallySignalled, name);
}

BOOL CEvent::SetEvent() { return ::SetEvent(m_hObject); }
BOOL CEvent::PulseEvent() { return ::PulseEvent(m_hObject); }
BOOL CEvent::ResetEvent() { return ::ResetEvent(m_hObject); }
BOOL CEvent::Unlock() { return TRUE; }

// ---- CCriticalSection --------------------------------------------------------

CCriticalSection::CCriticalSection() : CSyncObject(nullptr) { ::InitializeCriticalSection(&m_section); }

CCriticalSection::~CCriticalSection() { ::DeleteCriticalSection(&m_section); }

BOOL CCriticalSection::Lock(DWORD) {
    ::EnterCriticalSection(&m_section);
    return TRUE;
}

BOOL CCriticalSection::Unlock() {
    ::LeaveCriticalSection(&m_section);
    return TRUE;
}

// ---- CSingleLock ---------------------------------------------------------------

CSingleLock::CSingleLock(CSyncObject* object, BOOL lockNow) : m_pObject(object) {
    if (lockNow) Lock(INFINITE);
}

CSingleLock::~CSingleLock() { Unlock(); }

BOOL CSingleLock::Lock(DWORD timeout) {
    if (!m_pObject) return FALSE;
    m_bAcquired = m_pObject->Lock(timeout);
    return m_bAcquired;
}

BOOL CSingleLock::Unlock() {
    if (m_pObject && m_bAcquired) m_bAcquired = !m_pObject->Unlock();
    return !m_bAcquired;
}

BOOL CSingleLock::Unlock(LONG count, LONG* previous) {
    if (m_pObject && m_bAcquired) m_bAcquired = !m_pObject->Unlock(count, previous);
    return !m_bAcquired;
}

// ---- CMultiLock ------------------------------------------------------------------

CMultiLock::CMultiLock() = default;

CMultiLock::CMultiLock(CSyncObject* objects[], DWORD count, BOOL lockNow) {
    count = std::min<DWORD>(count, MAXIMUM_WAIT_OBJECTS);
    if (count > kInlineCount) {
        m_ppObjects = new CSyncObject*[count]();
        m_pHandles = new HANDLE[count]();
        m_pLocked = new BOOL[count]();
    }
    for (DWORD i = 0; objects && i < count; ++i) {
        m_ppObjects[m_nCount] = objects[i];
        m_pHandles[m_nCount] = objects[i] ? objects[i]->m_hObject : nullptr;
        ++m_nCount;
    }
    if (lockNow && m_nCount) Lock(INFINITE, TRUE, 0);
}

CMultiLock::~CMultiLock() {
    Unlock();
    if (m_ppObjects != m_inlineObjects) {
        delete[] m_ppObjects;
        delete[] m_pHandles;
        delete[] m_pLocked;
    }
}

BOOL CMultiLock::Append(CSyncObject* object, HANDLE handle) {
    // Only the places inside the object are open to additions.
    if (m_ppObjects != m_inlineObjects || m_nCount >= kInlineCount || !handle) return FALSE;
    m_ppObjects[m_nCount] = object;
    m_pHandles[m_nCount] = handle;
    m_pLocked[m_nCount] = FALSE;
    ++m_nCount;
    return TRUE;
}

BOOL CMultiLock::AddObject(CSyncObject* object) { return object && Append(object, object->m_hObject); }

BOOL CMultiLock::AddObject(HANDLE handle) { return Append(nullptr, handle); }

DWORD CMultiLock::Lock(DWORD timeout, BOOL waitForAll, DWORD wakeMask) {
    DWORD result = wakeMask ? ::MsgWaitForMultipleObjects(m_nCount, m_pHandles, waitForAll, timeout, wakeMask)
                            : ::WaitForMultipleObjects(m_nCount, m_pHandles, waitForAll, timeout);
    if (result >= WAIT_OBJECT_0 && result < WAIT_OBJECT_0 + m_nCount) {
        if (waitForAll) {
            for (DWORD i = 0; i < m_nCount; ++i) m_pLocked[i] = TRUE;
        } else {
            m_pLocked[result - WAIT_OBJECT_0] = TRUE;
        }
    }
    return result;
}

BOOL CMultiLock::Unlock() {
    for (DWORD i = 0; i < m_nCount; ++i) {
        if (!m_pLocked[i]) continue;
        if (m_ppObjects[i]) m_pLocked[i] = !m_ppObjects[i]->Unlock();
        else m_pLocked[i] = FALSE;  // a raw handle has nobody to release it
    }
    return TRUE;
}

BOOL CMultiLock::Unlock(LONG count, LONG* previous) {
    BOOL ok = TRUE;
    for (DWORD i = 0; i < m_nCount; ++i) {
        if (!m_pLocked[i]) continue;
        if (m_ppObjects[i]) {
            m_pLocked[i] = !m_ppObjects[i]->Unlock(count, previous);
            ok = ok && !m_pLocked[i];
        } else {
            m_pLocked[i] = FALSE;
        }
    }
    return ok;
}

BOOL CMultiLock::IsLocked(DWORD index) const { return index < m_nCount && m_pLocked[index]; }

// ---- CAutoLock ---------------------------------------------------------------------

CAutoLock::CAutoLock(CSyncObject* object) : m_pObject(object) {
    if (m_pObject) m_pObject->Lock(INFINITE);
}

CAutoLock::~CAutoLock() {
    if (m_pObject) m_pObject->Unlock();
}
