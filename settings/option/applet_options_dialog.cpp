// An applet's own options dialog, run from the settings program.
#include "applet_options_dialog.h"

#include <strsafe.h>

#include <corvane.h>
#include <todaycmn.h>

namespace {

// The record a Today screen would hand the item: enabled, with options,
// named after its library (as much of the path as the name holds).
void DescribeLibrary(TODAYLISTITEM* item, LPCWSTR dllPath, HINSTANCE library)
{
    ZeroMemory(item, sizeof(*item));
    StringCchCopyW(item->szName, MAX_ITEMNAME, dllPath);  // cut to fit, terminated
    item->tlit = tlitOwnerInfo;
    item->dwOrder = 0;
    item->cyp = 0;
    item->fEnabled = TRUE;
    item->fOptions = TRUE;
    item->grfFlags = 0;
    StringCchCopyW(item->szDLLPath, MAX_PATH, dllPath);
    item->hinstDLL = library;
    item->hwndCustom = nullptr;
    item->prgbCachedData = nullptr;
    item->cbCachedData = 0;
}

}  // namespace

BOOL RunAppletOptionsDialog(HWND owner, LPCWSTR dllPath)
{
    if (!dllPath || !dllPath[0])
        return FALSE;
    // The library may make itself the framework's instance; ours comes back
    // when this scope ends, after the library is gone.
    CorInstanceScope keepInstance;
    HMODULE library = ::LoadLibraryW(dllPath);
    if (!library)
        return FALSE;

    BOOL shown = FALSE;
    DLGPROC procedure = reinterpret_cast<DLGPROC>(
        reinterpret_cast<void*>(::GetProcAddress(library, MAKEINTRESOURCEA(ORDINAL_OPTIONSDIALOGPROC))));
    if (procedure && ::FindResourceW(library, MAKEINTRESOURCEW(IDD_TODAY_CUSTOM), (LPCWSTR)RT_DIALOG)) {
        TODAYLISTITEM item;
        DescribeLibrary(&item, dllPath, library);
        shown = ::DialogBoxParamW(library, MAKEINTRESOURCEW(IDD_TODAY_CUSTOM), owner, procedure, (LPARAM)&item) != -1;
    }
    ::FreeLibrary(library);
    return shown;
}
