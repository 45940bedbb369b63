// The Options page: the side bar's options, its start and its hardware button.
#pragma once

#include "option_page.h"
#include "options_record.h"

class CSettingsPage : public COptionPage {
public:
    BOOL OnInitDialog() override;
    // Writes the options, the start-up shortcut and the button assignment.
    // Nothing is written when the options could not be loaded: the page
    // then shows its template state, not the device's settings.
    void Save() override;
    LRESULT OnCommand(UINT id, UINT code) override;

protected:
    LPCWSTR Title() const override { return L"Ketra Options"; }

private:
    void ShowOptions();
    void FillButtonList();
    void UpdateBackgroundControls();
    void ShowBackgroundName();
    // Lets the user pick a file with one of the extensions (null-ended
    // list) starting at field; field changes only on a confirmed pick.
    BOOL PickFile(wchar_t (&field)[COptionsRecord::kTextLength], const LPCWSTR* extensions);
    void ReadControls();
    void SaveStartupShortcut();
    void SaveHardwareButton();

    BOOL IsChecked(int id) { return SendDlgItemMessageW(id, BM_GETCHECK) == BST_CHECKED; }
    void SetCheck(int id, BOOL checked) { SendDlgItemMessageW(id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }

    COptionsRecord m_record;
    int m_nButtonAtLoad = 0;  // the button shown at load, 0 for "None"
};
