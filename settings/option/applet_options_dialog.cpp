// An applet's own options dialog, run from the settings program.
#include "applet_options_dialog.h"

#include <applet_library.h>

BOOL RunAppletOptionsDialog(HWND owner, LPCWSTR dllPath)
{
    if (!dllPath || !dllPath[0])
        return FALSE;
    CAppletLibrary library;
    if (!library.Load(dllPath))
        return FALSE;
    return library.RunOptionsDialog(owner);
}
