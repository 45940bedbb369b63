// Ordinal 241: the options dialog on template 500: the mode, the page file,
// the web site and the height of modes 1 and 2.
#include "webbia.h"

#include <aygshell.h>
#include <stdlib.h>
#include <wchar.h>

#include "resource.h"

namespace {

struct ControlSet {
    int id;
    bool enabled[3];  // in modes 0, 1, 2
};

const ControlSet kEnabledSets[] = {
    {IDC_FILE, {false, true, false}},          {IDC_WEBSITE, {false, false, true}},
    {IDC_HEIGHT, {false, true, true}},         {IDC_HEIGHT_LABEL, {false, true, true}},
    {IDC_WEBSITE_LABEL, {false, false, true}}, {IDC_FILE_LABEL, {false, true, false}},
    {IDC_THEME_NOTE, {true, false, false}},
};

int CheckedMode(HWND dlg)
{
    if (IsDlgButtonChecked(dlg, IDC_MODE_WEBSITE) == BST_CHECKED)
        return kWebbiaModeWebsite;
    if (IsDlgButtonChecked(dlg, IDC_MODE_FILE) == BST_CHECKED)
        return kWebbiaModeFile;
    return kWebbiaModeTheme;
}

void ApplyEnabledSet(HWND dlg)
{
    int mode = CheckedMode(dlg);
    for (const ControlSet& set : kEnabledSets)
        EnableWindow(GetDlgItem(dlg, set.id), set.enabled[mode]);
}

void Initialise(HWND dlg)
{
    SHINITDLGINFO info = {};
    info.dwMask = SHIDIM_FLAGS;
    info.hDlg = dlg;
    info.dwFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_SIPDOWN;
    SHInitDialog(&info);
    ReadWebbiaSettings();
    const WebbiaSettings& s = g_webbiaSettings;
    int radio = s.mode == kWebbiaModeFile ? IDC_MODE_FILE : s.mode == kWebbiaModeWebsite ? IDC_MODE_WEBSITE
                                                                                          : IDC_MODE_THEME;
    CheckRadioButton(dlg, IDC_MODE_THEME, IDC_MODE_WEBSITE, radio);
    SendDlgItemMessageW(dlg, IDC_FILE, EM_LIMITTEXT, kWebbiaTextMax, 0);
    SendDlgItemMessageW(dlg, IDC_WEBSITE, EM_LIMITTEXT, kWebbiaTextMax, 0);
    SendDlgItemMessageW(dlg, IDC_HEIGHT, EM_LIMITTEXT, 8, 0);
    wchar_t height[16];
    _snwprintf(height, 16, L"%d", static_cast<int>(s.height));
    height[15] = L'\0';
    SetDlgItemTextW(dlg, IDC_HEIGHT, height);
    SetDlgItemTextW(dlg, IDC_FILE, s.file);
    SetDlgItemTextW(dlg, IDC_WEBSITE, s.website);
    ApplyEnabledSet(dlg);
}

// Writes the dialog's values into the existing settings key; a missing key
// (a half-removed item) gets nothing.
void Save(HWND dlg)
{
    wchar_t text[32] = L"";
    GetDlgItemTextW(dlg, IDC_HEIGHT, text, 32);
    DWORD height = ClampHeight(_wtoi64(text));
    wchar_t file[kWebbiaTextMax + 1] = L"", website[kWebbiaTextMax + 1] = L"";
    GetDlgItemTextW(dlg, IDC_FILE, file, kWebbiaTextMax + 1);
    GetDlgItemTextW(dlg, IDC_WEBSITE, website, kWebbiaTextMax + 1);
    HKEY key = WebbiaOpenKey(HKEY_LOCAL_MACHINE, WEBBIA_SETTINGS_KEY, KEY_SET_VALUE);
    if (!key) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    WebbiaWriteDword(key, L"Height", height);
    WebbiaWriteDword(key, L"Mode", static_cast<DWORD>(CheckedMode(dlg)));
    WebbiaWriteString(key, L"File", file);
    WebbiaWriteString(key, L"Website", website);
    RegCloseKey(key);
}

}  // namespace

/***********************************************************************
 *      CustomItemOptionsDlgProc (Webbia.dll, ordinal 241)
 *
 * RETURNS
 *  TRUE for the messages it handles.
 */
extern "C" INT_PTR CALLBACK CustomItemOptionsDlgProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        Initialise(dlg);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_MODE_THEME:
        case IDC_MODE_FILE:
        case IDC_MODE_WEBSITE:
            // The radios are apart in the template: keep one checked here.
            CheckRadioButton(dlg, IDC_MODE_THEME, IDC_MODE_WEBSITE, LOWORD(wParam));
            ApplyEnabledSet(dlg);
            return TRUE;
        case IDOK:
            Save(dlg);
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
