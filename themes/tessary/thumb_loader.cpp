// CThumbLoader: a thumbnail list's previews made on a thread of its own.
//
// The window and the thread share one job: the list, the stop and finished
// flags and the lock over them.  Each holds a reference; the last to let go
// deletes the job.  A thread that does not stop in time is left the list to
// delete itself, and keeps both libraries whose code it runs (this one and
// the caller's) loaded until it ends, so a host that unloads an applet
// right after destroying its window never pulls code from under it.
#include <tskthumb.h>

#include <strsafe.h>

struct CThumbLoader::CJob {
    CRITICAL_SECTION section;
    LONG references = 1;
    CThumbList* list = nullptr;
    HWND window = nullptr;
    UINT message = 0;
    HMODULE owner = nullptr;      // the caller's library, referenced for the thread
    HANDLE previous = nullptr;    // a thread of an earlier job still ending
    HANDLE thread = nullptr;
    bool stop = false;
    bool finished = true;
    bool ended = false;           // the thread is past its last use of the list
    bool listLeftToThread = false;

    CJob() { InitializeCriticalSection(&section); }
    ~CJob()
    {
        DeleteCriticalSection(&section);
        if (thread)
            CloseHandle(thread);
        if (previous)
            CloseHandle(previous);
    }
    void AddRef() { InterlockedIncrement(&references); }
    void ReleaseRef()
    {
        if (InterlockedDecrement(&references) == 0)
            delete this;
    }
};

namespace {

const DWORD kPreviousWaitSliceMs = 100;

class CSectionLock {
public:
    explicit CSectionLock(CRITICAL_SECTION* section) : m_section(section) { EnterCriticalSection(m_section); }
    ~CSectionLock() { LeaveCriticalSection(m_section); }
    CSectionLock(const CSectionLock&) = delete;
    CSectionLock& operator=(const CSectionLock&) = delete;

private:
    CRITICAL_SECTION* m_section;
};

// Only one thread at a time uses the previews' temporary files: a thread
// left running by an earlier load ends before this one starts working.
bool WaitForPrevious(CThumbLoader::CJob* job)
{
    if (!job->previous)
        return true;
    while (WaitForSingleObject(job->previous, kPreviousWaitSliceMs) == WAIT_TIMEOUT) {
        CSectionLock lock(&job->section);
        if (job->stop)
            return false;
    }
    return true;
}

// Opening the file waits, as a reader must, for a writer that holds it.
void TouchFile(const wchar_t* path)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
}

void MakePreviews(CThumbLoader::CJob* job)
{
    if (!WaitForPrevious(job))
        return;
    for (int i = 0;; ++i) {
        wchar_t path[MAX_PATH];
        {
            CSectionLock lock(&job->section);
            CThumb* thumb = job->list->GetData(i);
            if (job->stop || !thumb)
                return;
            StringCchCopyW(path, MAX_PATH, thumb->GetFilePath());
        }
        TouchFile(path);
        // Drawn into the thumbnail's own surface, which the window thread
        // reads only once the preview is marked done.
        job->list->MakePreview(i);
        {
            CSectionLock lock(&job->section);
            if (CThumb* thumb = job->list->GetData(i))
                thumb->MakePreviewDone();
            job->list->SetLoadedCount(i);
            if (job->stop)
                return;
        }
        PostMessageW(job->window, job->message, static_cast<WPARAM>(i), 0);
    }
}

DWORD WINAPI LoaderThread(LPVOID parameter)
{
    CThumbLoader::CJob* job = static_cast<CThumbLoader::CJob*>(parameter);
    MakePreviews(job);
    bool deleteList = false;
    bool stopped = false;
    {
        CSectionLock lock(&job->section);
        job->finished = true;
        job->ended = true;
        deleteList = job->listLeftToThread;
        stopped = job->stop;
    }
    if (!stopped)
        PostMessageW(job->window, job->message, static_cast<WPARAM>(-1), 0);
    if (deleteList)
        delete job->list;
    HMODULE owner = job->owner;
    job->ReleaseRef();
    if (owner)
        FreeLibrary(owner);
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(&LoaderThread)), &self);
    FreeLibraryAndExitThread(self, 0);
}

// A reference on the module holding the address, or null.
HMODULE ReferenceModule(const void* address)
{
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, static_cast<LPCWSTR>(address), &module))
        return nullptr;
    return module;
}

} // namespace

CThumbLoader::CThumbLoader() = default;

CThumbLoader::~CThumbLoader()
{
    Release(0);
}

CThumbList* CThumbLoader::GetList() const
{
    return m_pJob ? m_pJob->list : nullptr;
}

BOOL CThumbLoader::IsFinished() const
{
    if (!m_pJob)
        return TRUE;
    CSectionLock lock(&m_pJob->section);
    return m_pJob->finished;
}

BOOL CThumbLoader::Start(CThumbList* list, HWND window, UINT message, HMODULE module)
{
    // A thread still ending from the last job: the new one waits for it.
    HANDLE previous = nullptr;
    if (HANDLE last = m_pJob ? (m_pJob->thread ? m_pJob->thread : m_pJob->previous) : nullptr)
        DuplicateHandle(GetCurrentProcess(), last, GetCurrentProcess(), &previous, SYNCHRONIZE, FALSE, 0);
    Release();
    if (!list) {
        if (previous)
            CloseHandle(previous);
        return TRUE;
    }
    m_pJob = new CJob;
    m_pJob->list = list;
    m_pJob->window = window;
    m_pJob->message = message;
    if (previous && WaitForSingleObject(previous, 0) == WAIT_OBJECT_0) {
        CloseHandle(previous);
        previous = nullptr;
    }
    m_pJob->previous = previous;
    if (list->GetCount() == 0)
        return TRUE;

    HMODULE self = ReferenceModule(reinterpret_cast<void*>(&LoaderThread));
    HMODULE owner = module ? ReferenceModule(module) : nullptr;
    if (!self || (module && !owner)) {
        if (self)
            FreeLibrary(self);
        if (owner)
            FreeLibrary(owner);
        m_pJob->finished = false;
        return FALSE;
    }
    m_pJob->owner = owner;
    m_pJob->finished = false;
    m_pJob->AddRef();  // the thread's
    m_pJob->thread = CreateThread(nullptr, 0, LoaderThread, m_pJob, 0, nullptr);
    if (!m_pJob->thread) {
        m_pJob->ReleaseRef();
        FreeLibrary(self);
        if (owner)
            FreeLibrary(owner);
        m_pJob->owner = nullptr;
        return FALSE;
    }
    return TRUE;
}

void CThumbLoader::Release(DWORD waitMs)
{
    if (!m_pJob)
        return;
    CJob* job = m_pJob;
    m_pJob = nullptr;
    {
        CSectionLock lock(&job->section);
        job->stop = true;
    }
    if (job->thread)
        WaitForSingleObject(job->thread, waitMs);
    bool deleteHere = true;
    {
        CSectionLock lock(&job->section);
        if (job->thread && !job->ended) {
            job->listLeftToThread = true;
            deleteHere = false;
        }
    }
    if (deleteHere)
        delete job->list;
    job->ReleaseRef();
}

CThumbLoader::CLock::CLock(const CThumbLoader& loader)
    : m_section(loader.m_pJob ? &loader.m_pJob->section : nullptr)
{
    if (m_section)
        EnterCriticalSection(m_section);
}

CThumbLoader::CLock::~CLock()
{
    if (m_section)
        LeaveCriticalSection(m_section);
}
