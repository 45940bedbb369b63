// Applying a theme: its files into \Windows, its colours and name into the
// registry, and a broadcast so that the shell redraws with it.
#include <tessary.h>

#include <corvane.h>
#include <wchar.h>

#include "tessary_private.h"

namespace {

// WM_WININICHANGE's wParam that tells the shell the theme changed.
const WPARAM kThemeChanged = 0xF2;
// How long each window gets to take the broadcast; hung ones are skipped.
const UINT kBroadcastTimeoutMs = 2000;
// Programs applying theme files at the same time (rotator, browser,
// designer) share the temporary files beside the library.
const wchar_t kApplyLockName[] = L"ZarqTessaryApplyTmp";
const DWORD kApplyLockWaitMs = 60000;
const wchar_t kNoName[] = L"ZARQDUMMY.TSK";

const wchar_t* const kFilesInForce[] = {TSK_TODAY_FILE, TSK_START_FILE, TSK_CONTROL_FILE, TSK_MOVIE_FILE,
                                        TSK_PAGE_FILE};

// The shell's windows, which redraw with the theme.
const wchar_t* const kShellClasses[] = {L"DesktopExplorerWindow", L"HHTaskBar"};

void SendThemeChange(HWND window)
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_WININICHANGE, kThemeChanged, 0, SMTO_ABORTIFHUNG | SMTO_NORMAL,
                        kBroadcastTimeoutMs, &ignored);
}

bool IsShellWindow(HWND window)
{
    wchar_t name[64];
    if (!GetClassNameW(window, name, 64))
        return false;
    for (const wchar_t* shell : kShellClasses)
        if (wcscmp(name, shell) == 0)
            return true;
    return false;
}

BOOL CALLBACK SendToOther(HWND window, LPARAM /*unused*/)
{
    if (!IsShellWindow(window))
        SendThemeChange(window);
    return TRUE;
}

// The shell first, then every other top-level window.
void TellAllWindows()
{
    for (const wchar_t* shell : kShellClasses)
        if (HWND window = FindWindowW(shell, nullptr))
            SendThemeChange(window);
    EnumWindows(SendToOther, 0);
}

DWORD WINAPI TellAllWindowsThread(LPVOID module)
{
    TellAllWindows();
    FreeLibraryAndExitThread(static_cast<HMODULE>(module), 0);
}

// Every top-level window hears of the change, as from a broadcast.  On the
// platform the broadcast is posted and the caller goes on at once; here a
// pointer message can only be sent, so it is sent from a thread of its own,
// which keeps the library loaded while it runs.
void BroadcastThemeChange()
{
    HMODULE self = nullptr;
    if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           reinterpret_cast<LPCWSTR>(reinterpret_cast<void*>(&TellAllWindowsThread)), &self)) {
        HANDLE thread = CreateThread(nullptr, 0, TellAllWindowsThread, self, 0, nullptr);
        if (thread) {
            CloseHandle(thread);
            return;
        }
        FreeLibrary(self);
    }
    TellAllWindows();
}

void DeleteWatermark()
{
    CRegistry key;
    if (key.Open(HKEY_CURRENT_USER, TSK_TODAY_KEY))
        key.DeleteValue(L"Watermark");
}

// A named mutex held for the scope; a holder that died leaves it abandoned,
// which counts as acquired.
class NamedLock {
public:
    explicit NamedLock(const wchar_t* name) : m_mutex(CreateMutexW(nullptr, FALSE, name)), m_held(false)
    {
        if (m_mutex) {
            DWORD wait = WaitForSingleObject(m_mutex, kApplyLockWaitMs);
            m_held = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
        }
    }
    ~NamedLock()
    {
        if (m_held)
            ReleaseMutex(m_mutex);
        if (m_mutex)
            CloseHandle(m_mutex);
    }
    NamedLock(const NamedLock&) = delete;
    NamedLock& operator=(const NamedLock&) = delete;
    bool Held() const { return m_held; }

private:
    HANDLE m_mutex;
    bool m_held;
};

} // namespace

int ApplyTheme(const CTskInfo* info, const wchar_t* name)
{
    if (!info)
        return 0;
    for (const wchar_t* file : kFilesInForce)
        SetFileAttributesW(file, FILE_ATTRIBUTE_NORMAL);  // fails for ROM files, which stay as they are
    if (!SetThemeColors(info))
        return 0;

    if (wcscmp(info->m_szStart, info->m_szToday) != 0) {
        SetUsingStImage(0);
        if (wcscmp(info->m_szToday, TSK_TODAY_FILE) != 0 && !CopyThemeFile(info->m_szToday, TSK_TODAY_FILE))
            return 0;
    } else {
        SetUsingStImage(1);
    }
    if (wcscmp(info->m_szStart, TSK_START_FILE) != 0 && !CopyThemeFile(info->m_szStart, TSK_START_FILE))
        return 0;

    SetCurThemeName(name ? name : kNoName);
    DeleteWatermark();
    if (info->m_bAnimated) {
        if (!CopyThemeFile(info->m_szAniControl, TSK_CONTROL_FILE) ||
            !CopyThemeFile(info->m_szAniMovie, TSK_MOVIE_FILE) || !CopyThemeFile(info->m_szAniPage, TSK_PAGE_FILE))
            return 0;
    }
    BroadcastThemeChange();
    return 1;
}

int ApplyTheme(const wchar_t* path)
{
    if (!path || !*path)
        return 0;
    wchar_t folder[MAX_PATH];
    CTskTempFiles temp;
    if (!TessaryFolder(folder, MAX_PATH) || !temp.Form(folder, L"ApplyTmp."))
        return 0;
    NamedLock lock(kApplyLockName);
    if (!lock.Held())
        return 0;
    CTskInfo info;
    int ok = ReadTheme(path, &info, temp.Paths()) && ApplyTheme(&info, path);
    temp.DeleteAll();
    return ok;
}
