// Full-screen dialogs.
#include "aygshell_private.h"

#include <shellproto.h>

namespace {

// On the device a full-screen dialog has no frame of its own: its title is
// shown by the task bar.
void RemoveFrame(HWND dlg)
{
    LONG_PTR style = GetWindowLongPtrW(dlg, GWL_STYLE);
    LONG_PTR exStyle = GetWindowLongPtrW(dlg, GWL_EXSTYLE);
    style &= ~(LONG_PTR)(WS_CAPTION | WS_THICKFRAME | DS_MODALFRAME);
    exStyle &= ~(LONG_PTR)(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE);
    SetWindowLongPtrW(dlg, GWL_STYLE, style);
    SetWindowLongPtrW(dlg, GWL_EXSTYLE, exStyle);
}

} // namespace

extern "C" BOOL WINAPI SHInitDialog(PSHINITDLGINFO pshidi)
{
    if (!pshidi || !(pshidi->dwMask & SHIDIM_FLAGS) || !IsWindow(pshidi->hDlg))
        return FALSE;
    HWND dlg = pshidi->hDlg;
    DWORD flags = pshidi->dwFlags;

    if (flags & SHIDIF_EMPTYMENU) {
        SHMENUBARINFO bar = {};
        bar.cbSize = sizeof(bar);
        bar.hwndParent = dlg;
        bar.dwFlags = SHCMBF_EMPTYBAR;
        SHCreateMenuBar(&bar);
    }
    if (flags & SHIDIF_SIPDOWN)
        SetSipUp(dlg, false);
    if (flags & (SHIDIF_SIZEDLG | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_FULLSCREENNOMENUBAR)) {
        int width = GetSystemMetrics(SM_CXSCREEN);
        int bottom = GetSystemMetrics(SM_CYSCREEN);
        HWND menuBar = SHFindMenuBar(dlg);
        if (!(flags & SHIDIF_FULLSCREENNOMENUBAR) && menuBar && IsWindowVisible(menuBar))
            bottom -= SHMENUBAR_HEIGHT;
        // A dialog sized to the visible desktop ends at the raised panel.
        if ((flags & SHIDIF_SIZEDLG) && !(flags & SHIDIF_SIZEDLGFULLSCREEN)) {
            int panelTop = SipPanelTop();
            if (panelTop > SHELL_TASKBAR_HEIGHT && panelTop < bottom)
                bottom = panelTop;
        }
        if (!(GetWindowLongPtrW(dlg, GWL_STYLE) & WS_CHILD))
            RemoveFrame(dlg);
        SetWindowPos(dlg, nullptr, 0, SHELL_TASKBAR_HEIGHT, width, bottom - SHELL_TASKBAR_HEIGHT,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (flags & SHIDIF_DONEBUTTON)
        SHDoneButton(dlg, SHDB_SHOW);
    return TRUE;
}
