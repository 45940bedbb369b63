// The window framework's use of the Pocket PC shell: activation and
// setting-change handling, tap-and-hold recognition and the menu bar.
#include <aygshell.h>

#include "wnd_shell.h"
#include "wndframe.h"

namespace {

// Input-panel state around activation, shared by every window of the process.
SHACTIVATEINFO g_activateInfo = { sizeof(SHACTIVATEINFO), nullptr, 0, 0, 0, 0 };

}  // namespace

void ShellHandleActivate(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    SHHandleWMActivate(hWnd, wParam, lParam, &g_activateInfo, 0);
}

void ShellHandleSettingChange(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    SHHandleWMSettingChange(hWnd, wParam, lParam, &g_activateInfo);
}

// The shell watches the stylus until it is lifted, moves away or is held;
// hold time and feedback are the shell's. Only windows with tap-and-hold on
// ask.
BOOL CWnd::IsTapAndHold(POINT point)
{
    if (!m_bTapHold)
        return FALSE;
    SHRGINFO info = {};
    info.cbSize = sizeof(info);
    info.hwndClient = m_hWnd;
    info.ptDown = point;
    info.dwFlags = SHRG_RETURNCMD;
    return SHRecognizeGesture(&info) == GN_CONTEXTMENU;
}

HWND CWnd::CreateCommandBar(UINT menuBarId, DWORD flags)
{
    SHMENUBARINFO info = {};
    info.cbSize = sizeof(info);
    info.hwndParent = m_hWnd;
    info.dwFlags = flags;
    info.nToolBarId = menuBarId;
    info.hInstRes = CorGetInstance();
    info.nBmpId = 0;
    info.cBmpImages = 0;
    if (!SHCreateMenuBar(&info) || !info.hwndMB)
        return nullptr;
    m_hMenuBar = info.hwndMB;
    return m_hMenuBar;
}
