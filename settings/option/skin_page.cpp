// The Skin page: the side bar's skin and the applets' colours.
#include "skin_page.h"

BOOL CSkinPage::OnInitDialog()
{
    return TRUE;
}

void CSkinPage::Save()
{
}
