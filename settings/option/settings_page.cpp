// The Options page: the side bar's options, its start and its hardware button.
#include "settings_page.h"

BOOL CSettingsPage::OnInitDialog()
{
    return TRUE;
}

void CSettingsPage::Save()
{
}
