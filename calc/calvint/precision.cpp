// The calculators' stored precision and its options dialog.
#include "precision.h"

#include <aygshell.h>

#include <registry.h>

#include "dialog_title.h"

namespace {

const wchar_t kValueName[] = L"precision";

}  // namespace

int ReadPrecision(const wchar_t* section, int defaultPrecision)
{
    CAppConfig config;
    DWORD value = 0;
    if (!config.Open(section) || !config.GetDWORD(kValueName, &value) || value > kMaxPrecision)
        return defaultPrecision;
    return (int)value;
}

BOOL WritePrecision(const wchar_t* section, int precision)
{
    CAppConfig config;
    if (precision < 0 || precision > kMaxPrecision || !config.Open(section))
        return FALSE;
    return config.SetDWORD(kValueName, (DWORD)precision);
}

INT_PTR PrecisionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM /*lParam*/, const wchar_t* section,
                            int defaultPrecision)
{
    switch (message) {
    case WM_INITDIALOG: {
        SHINITDLGINFO info = {SHIDIM_FLAGS, dialog, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN};
        ::SHInitDialog(&info);
        HWND list = ::GetDlgItem(dialog, IDC_PRECISION_LIST);
        for (int digits = 0; digits <= kMaxPrecision; ++digits) {
            wchar_t entry[2] = {(wchar_t)(L'0' + digits), L'\0'};
            ::SendMessageW(list, CB_ADDSTRING, 0, (LPARAM)entry);
        }
        ::SendMessageW(list, CB_SETCURSEL, (WPARAM)ReadPrecision(section, defaultPrecision), 0);
        return TRUE;
    }
    case WM_PAINT:
        PaintDialogTitle(dialog);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            LRESULT chosen = ::SendDlgItemMessageW(dialog, IDC_PRECISION_LIST, CB_GETCURSEL, 0, 0);
            if (chosen >= 0)
                WritePrecision(section, (int)chosen);
            ::EndDialog(dialog, IDOK);
            return TRUE;
        }
        case IDCANCEL:
            ::EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}
