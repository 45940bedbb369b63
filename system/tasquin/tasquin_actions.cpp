// The task manager applet: the stylus, the tray and the commands.
#include "tasquin_wnd.h"

#include <pack_look.h>

void CTasquinWnd::OnLButtonDown(CPoint point)
{
    m_bAfterHold = FALSE;
    switch (m_areas.PtInRectList(point)) {
    case kTaskArea:
        OnMouseMove(point);
        break;
    case kTrayArea:
        m_tray.OnLButtonDown(point);
        break;
    }
}

void CTasquinWnd::OnMouseMove(CPoint point)
{
    if (m_areas.GetItem(kTaskArea).PtInRect(point))
        SetHighlight(HitTest(point));
}

void CTasquinWnd::OnRButtonDown(CPoint point)
{
    const int entry = HitTest(point);
    SetHighlight(entry);
    if (entry >= 0) {
        ShowHoldMenu(point);
        m_bAfterHold = TRUE;
    }
}

void CTasquinWnd::ShowHoldMenu(CPoint point)
{
    HMENU menu = ::CreatePopupMenu();
    if (!menu)
        return;
    ::AppendMenuW(menu, MF_STRING, kActivate, L"Activate");
    ::AppendMenuW(menu, MF_STRING, kClose, L"Close");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, kCloseAll, L"Close All");
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    m_bBusy = TRUE;
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, 0, m_hWnd, nullptr);
    m_bBusy = FALSE;
    ::DestroyMenu(menu);
}

void CTasquinWnd::OnLButtonUp(CPoint point)
{
    // The stylus lifted after a hold: its menu has had the gesture.
    if (m_bAfterHold) {
        m_bAfterHold = FALSE;
        return;
    }
    const int entry = m_areas.GetItem(kTaskArea).PtInRect(point) ? HitTest(point) : -1;
    if (entry >= 0) {
        ActOnEntry(entry, TRUE);
        return;
    }
    if (m_areas.GetItem(kTrayArea).PtInRect(point))
        OnTrayUp(point);
}

// Activates or closes one program (by the mode), then lists them afresh.
// A window that has gone meanwhile is left alone; the Today screen and the
// explorer are never closed.
void CTasquinWnd::ActOnEntry(int index, BOOL warn)
{
    KillTimer(kRefreshTimer);
    const CTaskEntry* entry = m_pTasks ? m_pTasks->GetAt(index) : nullptr;
    if (entry && ::IsWindow(entry->m_hWnd)) {
        const HWND window = entry->m_hWnd;
        if (m_nMode == kActivateMode) {
            ::SetForegroundWindow(window);
        } else if (entry->HasOwnIcon()) {
            if (warn) {
                m_bBusy = TRUE;
                ::MessageBoxW(m_hWnd, L"This program can't be closed.", L"Warning", MB_OK | MB_ICONEXCLAMATION);
                m_bBusy = FALSE;
            }
        } else {
            CSH::CloseWindow(window);
        }
    }
    RefreshNow();
}

void CTasquinWnd::OnTrayUp(CPoint point)
{
    const int pressed = m_tray.GetSelect();
    if (m_tray.OnLButtonUp(point) != 0)
        return;
    if (pressed == 1) {  // "TaskBar": the other mode
        m_nMode = m_nMode == kActivateMode ? kCloseMode : kActivateMode;
        DrawAll();
        Invalidate(FALSE);
    }
}

LRESULT CTasquinWnd::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case kActivate:
    case kClose: {
        const int mode = m_nMode;
        m_nMode = id == kActivate ? kActivateMode : kCloseMode;
        ActOnEntry(m_nHighlight, FALSE);
        m_nMode = mode;
        DrawAll();
        Invalidate(FALSE);
        return 0;
    }
    case kCloseAll:
        KillTimer(kRefreshTimer);
        CSH::CloseAllApps(OwnBar());
        RefreshNow();
        return 0;
    }
    return CApplet::OnCommand(id, code);
}
