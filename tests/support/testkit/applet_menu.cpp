// The bar's menu positions of applets, found by name in the applet list the
// bar loads (its own library, KtReg, loads it the same way).
#include "bar_test.h"
#include "side_bar.h"

#include <vector>

#include <axreg.h>

namespace testkit {

UINT AppletMenuCommand(const std::wstring& name)
{
    // The same list, loaded the same way, as the bar builds its menu from.
    CAxRegList list;
    if (!list.LoadList(AX_APPLETS_KEY))
        return 0;
    for (int i = 0; i < list.GetCount(); ++i)
        if (const CAxDllInfo* info = list.GetDllInfo(i))
            if (name == info->szName)
                return IDM_KETRA_APPLET + i;
    return 0;
}

bool ChooseApplet(const std::wstring& name)
{
    const UINT command = AppletMenuCommand(name);
    if (!command)
        return false;
    SendToBar(WM_COMMAND, command, 0);
    return true;
}

bool GroupMenuPosition(const std::wstring& name, int* group, int* item)
{
    // The bar's rule: applets of a group other than "Default", groups in
    // the order their first applet comes, applets in list order.
    CAxRegList list;
    if (!list.LoadList(AX_APPLETS_KEY))
        return false;
    std::vector<std::wstring> groups;
    std::vector<int> counts;
    for (int i = 0; i < list.GetCount() && i < 100; ++i) {
        const CAxDllInfo* info = list.GetDllInfo(i);
        if (!info || !info->szGroup[0] || std::wstring(info->szGroup) == L"Default")
            continue;
        size_t g = 0;
        while (g < groups.size() && groups[g] != info->szGroup)
            ++g;
        if (g == groups.size()) {
            groups.push_back(info->szGroup);
            counts.push_back(0);
        }
        if (name == info->szName) {
            *group = (int)g;
            *item = counts[g];
            return true;
        }
        ++counts[g];
    }
    return false;
}

}  // namespace testkit
