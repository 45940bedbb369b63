// Ordinal 241: the options dialog (template IDD_TODAY_CUSTOM), with one
// choice: whether the date line is shown.
#include "ownerdate_private.h"

/***********************************************************************
 *      CustomItemOptionsDlgProc (ownerdate.dll, ordinal 241)
 *
 * PARAMS
 *  dlg, msg, wParam, lParam [I] as for any dialog procedure; lParam of
 *      WM_INITDIALOG is the item's TODAYLISTITEM (unused: the option lives
 *      under the item's registration)
 *
 * RETURNS
 *  TRUE for the messages it handles.
 */
extern "C" INT_PTR CALLBACK CustomItemOptionsDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        CheckDlgButton(dlg, IDC_SHOWDATE, ReadShowDate() ? BST_CHECKED : BST_UNCHECKED);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            WriteShowDate(IsDlgButtonChecked(dlg, IDC_SHOWDATE) == BST_CHECKED);
            EndDialog(dlg, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(dlg, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
