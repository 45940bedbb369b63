// Importing the device's Today items as side-bar applets.
#include "applet_import.h"

#include <strsafe.h>

#include "axreg.h"

namespace {

// A disabled applet made from a Today item, placed at order.
BOOL RegisterTodayApplet(const CAxDllInfo& item, LPCWSTR appletBranch, DWORD order)
{
    CAxDllInfo applet;
    if (!CAxReg::InitInfo(&applet, appletBranch, item.szName))
        return FALSE;
    StringCchCopyW(applet.szDLL, CAxDllInfo::kDllChars, item.szDLL);
    StringCchCopyW(applet.szGroup, CAxDllInfo::kGroupChars, TODAY_APPLET_GROUP);
    applet.dwOptions = item.dwOptions;
    applet.dwOrder = order;
    applet.dwEnabled = 0;
    applet.dwType = AX_TYPE_APPLET;
    applet.dwNotify = 0;
    return CAxReg::AddAppletInfo(&applet);
}

// Imported applets whose Today item has left the device go with it; applets
// of other groups stay whatever their name.
void RemoveStaleTodayApplets(const CAxRegList& applets, LPCWSTR todayBranch, LPCWSTR appletBranch)
{
    for (int i = 0; i < applets.GetCount(); ++i) {
        const CAxDllInfo* applet = applets.GetDllInfo(i);
        if (wcscmp(applet->szGroup, TODAY_APPLET_GROUP) == 0 && !CAxReg::HasApplet(todayBranch, applet->szName))
            CAxReg::DelApplet(appletBranch, applet->szName);
    }
}

}  // namespace

int ImportTodayApplets(LPCWSTR todayBranch, LPCWSTR appletBranch)
{
    CAxRegList today;
    CAxRegList applets;
    if (!today.LoadList(todayBranch) || !applets.LoadList(appletBranch))
        return -1;

    // One order number per item tried, so a failed one leaves a gap rather
    // than two applets at one place.
    DWORD order = TODAY_APPLET_FIRST_ORDER + (DWORD)applets.GetCount();
    int imported = 0;
    for (int i = 0; i < today.GetCount(); ++i) {
        const CAxDllInfo* item = today.GetDllInfo(i);
        // Only library items can run in the side bar.
        if (item->dwType != AX_TYPE_TODAY_ITEM || CAxReg::HasApplet(appletBranch, item->szName))
            continue;
        if (RegisterTodayApplet(*item, appletBranch, order))
            ++imported;
        ++order;
    }
    RemoveStaleTodayApplets(applets, todayBranch, appletBranch);
    return imported;
}
