// The Applets page: which applets the side bar offers, in which order.
#include "applet_page.h"

BOOL CAppletPage::OnInitDialog()
{
    return TRUE;
}

void CAppletPage::Save()
{
}
