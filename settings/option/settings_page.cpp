// The Options page: the side bar's options, its start and its hardware button.
#include "settings_page.h"

#include <mmsystem.h>
#include <strsafe.h>

#include "hardware_buttons.h"
#include "resource.h"
#include "startup_shortcut.h"

BOOL CSettingsPage::OnInitDialog()
{
    if (!m_record.Load())
        return TRUE;  // the trace is written; the page keeps its template state
    ShowOptions();
    SetCheck(IDC_OPT_AUTO_START, StartupShortcutExists());
    FillButtonList();
    return TRUE;
}

void CSettingsPage::ShowOptions()
{
    SetCheck(IDC_OPT_MINIMIZE, m_record.m_dwWinMode == kWinModeMinimized);
    SetCheck(IDC_OPT_AUTO_CLOSE, m_record.m_dwAutoClose != 0);
    SetCheck(IDC_OPT_BACK_ON, m_record.m_dwBackOn != 0);
    SetCheck(IDC_OPT_BK_STRETCH, m_record.m_dwBkStretch != 0);
    SetCheck(IDC_OPT_SOUND_ON, m_record.m_dwSoundOn != 0);
    UpdateBackgroundControls();
    ShowBackgroundName();
}

// "None", then one entry per button, so that an entry's index is its
// button's number.
void CSettingsPage::FillButtonList()
{
    SendDlgItemMessageW(IDC_OPT_HW_BUTTON, CB_RESETCONTENT);
    SendDlgItemMessageW(IDC_OPT_HW_BUTTON, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"None"));
    const int count = CountHardwareButtons();
    for (int n = 1; n <= count; ++n) {
        wchar_t name[16];
        StringCchPrintfW(name, ARRAYSIZE(name), L"Button%d", n);
        SendDlgItemMessageW(IDC_OPT_HW_BUTTON, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    m_nButtonAtLoad = FindKetraButton(count);
    SendDlgItemMessageW(IDC_OPT_HW_BUTTON, CB_SETCURSEL, m_nButtonAtLoad);
}

void CSettingsPage::UpdateBackgroundControls()
{
    const BOOL on = IsChecked(IDC_OPT_BACK_ON);
    ::EnableWindow(GetDlgItem(IDC_OPT_BK_STRETCH), on);
    ::EnableWindow(GetDlgItem(IDC_OPT_BK_PICK), on);
}

void CSettingsPage::ShowBackgroundName()
{
    LPCWSTR name = CFileInfo::GetFileName(m_record.m_szBkImage);
    SetDlgItemTextW(IDC_OPT_BK_IMAGE, name ? name : L"");
}

BOOL CSettingsPage::PickFile(wchar_t (&field)[COptionsRecord::kTextLength], const LPCWSTR* extensions)
{
    CFileDialog dialog;
    dialog.SetDialogInfo(m_hWnd);
    dialog.SetCurrentFolder(field);
    for (const LPCWSTR* extension = extensions; *extension; ++extension)
        dialog.AddExt(*extension);
    if (dialog.DoModal() != IDOK)
        return FALSE;
    LPCWSTR picked = dialog.GetSelection();
    // A path longer than the field would name another file: it is refused.
    return picked && picked[0] && COptionsRecord::SetText(field, picked);
}

LRESULT CSettingsPage::OnCommand(UINT id, UINT code)
{
    static const LPCWSTR kImageExtensions[] = {L"gif", L"jpg", L"bmp", nullptr};
    static const LPCWSTR kSoundExtensions[] = {L"wav", nullptr};
    const DWORD playFlags = SND_ASYNC | SND_FILENAME | SND_NODEFAULT;
    switch (id) {
    case IDC_OPT_BACK_ON:
        if (code == BN_CLICKED)
            UpdateBackgroundControls();
        return TRUE;
    case IDC_OPT_BK_PICK:
        if (PickFile(m_record.m_szBkImage, kImageExtensions))
            ShowBackgroundName();
        return TRUE;
    case IDC_OPT_SND_OPEN_PICK:
        PickFile(m_record.m_szSndOpen, kSoundExtensions);
        return TRUE;
    case IDC_OPT_SND_CLOSE_PICK:
        PickFile(m_record.m_szSndClose, kSoundExtensions);
        return TRUE;
    case IDC_OPT_SND_OPEN_PLAY:
        ::PlaySoundW(m_record.m_szSndOpen, nullptr, playFlags);
        return TRUE;
    case IDC_OPT_SND_CLOSE_PLAY:
        ::PlaySoundW(m_record.m_szSndClose, nullptr, playFlags);
        return TRUE;
    }
    return COptionPage::OnCommand(id, code);
}

void CSettingsPage::ReadControls()
{
    m_record.m_dwWinMode = IsChecked(IDC_OPT_MINIMIZE) ? kWinModeMinimized : kWinModeNormal;
    m_record.m_dwAutoClose = IsChecked(IDC_OPT_AUTO_CLOSE) ? 1 : 0;
    m_record.m_dwBackOn = IsChecked(IDC_OPT_BACK_ON) ? 1 : 0;
    m_record.m_dwBkStretch = IsChecked(IDC_OPT_BK_STRETCH) ? 1 : 0;
    m_record.m_dwSoundOn = IsChecked(IDC_OPT_SOUND_ON) ? 1 : 0;
}

void CSettingsPage::Save()
{
    if (!m_record.IsLoaded())
        return;
    ReadControls();
    m_record.Save();
    SaveStartupShortcut();
    SaveHardwareButton();
}

void CSettingsPage::SaveStartupShortcut()
{
    const BOOL exists = StartupShortcutExists();
    if (IsChecked(IDC_OPT_AUTO_START) && !exists)
        CreateStartupShortcut();
    else if (!IsChecked(IDC_OPT_AUTO_START) && exists)
        DeleteStartupShortcut();
}

void CSettingsPage::SaveHardwareButton()
{
    const LRESULT chosen = SendDlgItemMessageW(IDC_OPT_HW_BUTTON, CB_GETCURSEL);
    if (chosen == CB_ERR || chosen == m_nButtonAtLoad)
        return;
    if (chosen > 0) {
        // The side bar beside this program, in quotation marks as the shell
        // expects a command.
        LPCWSTR program = CModuleInfo().GetFileName(L"Ketra.exe");
        wchar_t command[MAX_PATH];
        if (program && SUCCEEDED(StringCchPrintfW(command, MAX_PATH, L"\"%ls\"", program)))
            AssignHardwareButton(static_cast<int>(chosen), command);
    }
    if (m_nButtonAtLoad > 0)
        RestoreHardwareButton(m_nButtonAtLoad);
    AnnounceHardwareButtons();
}
