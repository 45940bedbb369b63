// The icon's commands: its menu's and those other programs send it.
#include <aygshell.h>
#include <ketra_host.h>
#include <strsafe.h>

#include <cwchar>

#include "crestel_names.h"
#include "icon_wnd.h"
#include "resource.h"

namespace {

const wchar_t kRestartProgram[] = L"restart.exe";
const wchar_t kBarApplet[] = L"System Bar";
constexpr DWORD kHostTimeoutMs = 3000;

// "Close" of a window the task bar's corner can only minimise taps the
// corner itself (CSH::CloseForeWindow does so for these).
bool CloseTapsCorner(HWND own)
{
    HWND front = ::GetForegroundWindow();
    if (!front || front == own)
        front = CSH::GetForeApp(own);
    if (!front || (::GetWindowLongPtrW(front, GWL_EXSTYLE) & WS_EX_CAPTIONOKBTN))
        return false;
    wchar_t cls[64] = L"";
    ::GetClassNameW(front, cls, 64);
    return wcscmp(cls, L"DesktopExplorerWindow") == 0 || wcscmp(cls, L"Dialog") == 0 || wcscmp(cls, L"#32770") == 0;
}

}  // namespace

LRESULT CCrestelWnd::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case ID_CRESTEL_MINIMIZE:
        m_hook.ExpectOwnTap();
        CSH::MinimizeForeWindow();
        return 0;
    case ID_CRESTEL_CLOSE:
        if (CloseTapsCorner(m_hWnd))
            m_hook.ExpectOwnTap();
        CSH::CloseForeWindow(m_hWnd);
        return 0;
    case ID_CRESTEL_CLOSE_ALL:
        CSH::CloseAllApps(m_hWnd);
        return 0;
    case ID_CRESTEL_KETRA:
        ShowBar();
        return 0;
    case ID_CRESTEL_OPTION:
        StartBeside(CRESTSET_PROGRAM);
        return 0;
    case ID_CRESTEL_SHUT_DOWN:
        StartBeside(kRestartProgram);
        return 0;
    case ID_CRESTEL_HOME:
        CSH::Home();
        return 0;
    case ID_CRESTEL_RESET:
        CSH::Reset();
        return 0;
    case ID_CRESTEL_ABOUT:
        ShowAbout();
        return 0;
    case ID_CRESTEL_EXIT:
    case ID_CRESTEL_QUIT:
        PostMessageW(WM_CLOSE);
        return 0;
    }
    return CWnd::OnCommand(id, code);
}

// The side bar opens or closes; without one running it starts on the system
// watch, from its installation folder.
void CCrestelWnd::ShowBar()
{
    if (KetraFindBar()) {
        KetraSend(WM_KETRA_WINDOW, KETRA_WINDOW_TOGGLE, 0, kHostTimeoutMs);
        return;
    }
    CRegistry ketra;
    wchar_t folder[CRegistry::kMaxText] = L"";
    DWORD size = CRegistry::kMaxText;
    if (!ketra.Open(HKEY_LOCAL_MACHINE, KETRA_KEY, TRUE) || !ketra.ReadString(L"path", folder, &size) || !folder[0])
        return;
    wchar_t program[MAX_PATH];
    if (FAILED(StringCchPrintfW(program, MAX_PATH, L"%ls\\%ls", folder, KETRA_PROGRAM)))
        return;
    CSH::Execute(program, kBarApplet);
}

void CCrestelWnd::StartBeside(LPCWSTR program)
{
    CModuleInfo module;
    if (LPCWSTR path = module.GetFileName(program))
        CSH::Execute(path);
}

void CCrestelWnd::ShowAbout()
{
    CDialog about;
    about.SetDialogInfo(IDD_CRESTEL_ABOUT, m_hWnd, TRUE);
    about.DoModal();
}
