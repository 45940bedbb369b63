// The applet menu ("AXMENU" tap) and the group menu ("AXMENU" hold,
// "Group..."), both built from the applet list as it stands in the registry
// at the moment of the command.
#include "mainwnd.h"

#include <axreg.h>

namespace {

// At most this many groups get a sub-menu.
const int kMaxGroups = 32;

}  // namespace

CAxRegList* CKetraWnd::ReloadList()
{
    if (!m_pAxList)
        m_pAxList = new CAxRegList;
    // Reading the branch costs some ten registry calls per registration; the
    // watch knows whether anything under it changed since the last read, so
    // the list kept from then is the registry's list as it stands now.
    const bool changed = m_listWatch.TakeChange();
    if (changed || !m_pAxList->IsLoaded())
        m_pAxList->LoadList(AX_APPLETS_KEY);
    return m_pAxList;
}

void CKetraWnd::ShowAppletMenu()
{
    CAxRegList* list = ReloadList();
    HMENU menu = ::CreatePopupMenu();
    if (!menu)
        return;
    int items = 0;
    const int count = list->IsLoaded() ? list->GetCount() : 0;
    for (int i = 0; i < count && i < kMaxMenuApplets; ++i) {
        if (!list->IsEnabled(i))
            continue;
        const CAxDllInfo* info = list->GetDllInfo(i);
        UINT flags = MF_STRING;
        if (m_pApplet && wcscmp(info->szName, m_szAppletName) == 0)
            flags |= MF_CHECKED;
        ::AppendMenuW(menu, flags, IDM_KETRA_APPLET + i, info->szName);
        ++items;
    }
    if (items)
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, IDM_KETRA_GROUP, L"Group...");
    ::AppendMenuW(menu, MF_STRING, IDM_KETRA_OPTIONS, L"Options...");

    m_ptMenu = m_pTextCtrl ? CPoint(m_pTextCtrl->GetRect().left, m_pTextCtrl->GetRect().top) : CPoint(0, 0);
    ::ClientToScreen(m_hWnd, &m_ptMenu);
    m_hMenu = menu;
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, m_ptMenu.x, m_ptMenu.y, 0, m_hWnd, nullptr);
    m_hMenu = nullptr;
    ::DestroyMenu(menu);
}

void CKetraWnd::ShowGroupMenu()
{
    CAxRegList* list = ReloadList();
    HMENU menu = ::CreatePopupMenu();
    if (!menu)
        return;
    const CAxDllInfo* groupNames[kMaxGroups] = {};
    HMENU groupMenus[kMaxGroups] = {};
    int groups = 0;
    const int count = list->IsLoaded() ? list->GetCount() : 0;
    for (int i = 0; i < count && i < kMaxMenuApplets; ++i) {
        const CAxDllInfo* info = list->GetDllInfo(i);
        if (!info || !info->szGroup[0] || wcscmp(info->szGroup, L"Default") == 0)
            continue;
        int g = 0;
        while (g < groups && wcscmp(groupNames[g]->szGroup, info->szGroup) != 0)
            ++g;
        if (g == groups) {
            if (groups == kMaxGroups)
                continue;
            groupMenus[g] = ::CreatePopupMenu();
            if (!groupMenus[g])
                continue;
            groupNames[g] = info;
            ++groups;
        }
        ::AppendMenuW(groupMenus[g], MF_STRING, IDM_KETRA_APPLET + i, info->szName);
    }
    for (int g = 0; g < groups; ++g)
        ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(groupMenus[g]), groupNames[g]->szGroup);

    m_ptMenu = m_pTextCtrl ? CPoint(m_pTextCtrl->GetRect().left, m_pTextCtrl->GetRect().top) : CPoint(0, 0);
    ::ClientToScreen(m_hWnd, &m_ptMenu);
    m_hMenu = menu;
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, m_ptMenu.x, m_ptMenu.y, 0, m_hWnd, nullptr);
    m_hMenu = nullptr;
    ::DestroyMenu(menu);  // the sub-menus with it
}

void CKetraWnd::ChooseApplet(int position)
{
    CAxRegList* list = ReloadList();
    if (!list->IsLoaded() || position < 0 || position >= list->GetCount() || position >= kMaxMenuApplets)
        return;
    const CAxDllInfo* info = list->GetDllInfo(position);
    if (info)
        ShowApplet(info->szName, info->szDLL, 1);
}
