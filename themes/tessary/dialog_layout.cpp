// Pixel layout shared by the library's dialogs.
#include "dialog_layout.h"

#include <aygshell.h>
#include <shellproto.h>
#include <tessary.h>

#include "tessary_private.h"

void PlaceDialog(HWND dialog, int width, int height)
{
    RECT window, client;
    ::GetWindowRect(dialog, &window);
    ::GetClientRect(dialog, &client);
    const int outerWidth = width + (window.right - window.left) - (client.right - client.left);
    const int outerHeight = height + (window.bottom - window.top) - (client.bottom - client.top);
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    int x = (screenWidth - outerWidth) / 2;
    int y = SHELL_TASKBAR_HEIGHT + (screenHeight - SHELL_TASKBAR_HEIGHT - outerHeight) / 2;
    if (x < 0)
        x = 0;
    if (y < SHELL_TASKBAR_HEIGHT)
        y = SHELL_TASKBAR_HEIGHT;
    ::SetWindowPos(dialog, nullptr, x, y, outerWidth, outerHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceItem(HWND dialog, int id, int x, int y, int width, int height)
{
    if (HWND item = ::GetDlgItem(dialog, id))
        ::SetWindowPos(item, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowCaptionOk(HWND dialog)
{
    SHINITDLGINFO info = {};
    info.dwMask = SHIDIM_FLAGS;
    info.hDlg = dialog;
    info.dwFlags = SHIDIF_DONEBUTTON;
    ::SHInitDialog(&info);
}

bool FormLibraryTempFiles(CTskTempFiles* files, const wchar_t* prefix)
{
    wchar_t folder[MAX_PATH];
    return files && TessaryFolder(folder, MAX_PATH) && files->Form(folder, prefix);
}
