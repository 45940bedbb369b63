// The task manager applet: creation, drawing and the refresh timer.
#include "tasquin_wnd.h"

#include <applet_module.h>
#include <pack_look.h>

namespace {

const RECT kTaskRect = {0, 1, 230, 35};
const RECT kTitleRect = {0, 35, 150, 55};
const RECT kTrayRect = {150, 35, 230, 55};
const int kCellSize = 20;
const int kCellPitch = 22;
const COLORREF kActivateFrame = 0xC7985F;
const COLORREF kCloseFrame = 0xA080D7;

}  // namespace

CTasquinWnd::CTasquinWnd()
{
    SetHold(TRUE);
}

HWND CTasquinWnd::OwnBar() const
{
    return ::GetAncestor(m_hWnd, GA_ROOT);
}

void CTasquinWnd::OnCreate()
{
    m_nMode = kActivateMode;
    m_nHighlight = -1;
    m_bVisible = TRUE;
    m_bBusy = FALSE;
    m_areas.SetItem(kTaskArea, kTaskRect);
    m_areas.SetItem(kTrayArea, kTrayRect);
    m_areas.SetItem(kTitleStrip, kTitleRect);
    CRect tasks(kTaskRect);
    tasks.DeflateRect(2, 2);
    m_ptOrigin = CPoint(tasks.left + 2, tasks.top + 3);
    {
        CClientDC reference(m_hWnd);
        m_surface.CreateDCW(reference, kWidth, kHeight);
    }
    m_tray.RemoveAll();
    wchar_t strip[MAX_PATH];
    m_tray.Create(kTrayRect, PackLook::FileBesideApplet(CorAppletModule(), PackLook::kTrayStrip, strip, MAX_PATH)
                                 ? strip
                                 : L"",
                  this);
    m_tray.Add(PackLook::kIconSystemBar, PackLook::kSystemBar, CTrayItem::kPostText);
    m_tray.Add(PackLook::kIconTaskBar, PackLook::kTaskBar, CTrayItem::kReportToCaller);
    m_tray.Add(PackLook::kIconLauncher, PackLook::kLauncher, CTrayItem::kPostText);
    m_tray.Add(PackLook::kIconSettings, PackLook::kSettings, CTrayItem::kPostText);

    delete m_pTasks;
    m_pTasks = new CTaskList(CorAppletModule());
    m_pTasks->Refresh(OwnBar(), TRUE);
    DrawAll();
    SetTimer(kRefreshTimer, kRefreshMs);
}

void CTasquinWnd::OnDestroy()
{
    KillTimer(kRefreshTimer);
    delete m_pTasks;
    m_pTasks = nullptr;
    m_tray.RemoveAll();
    m_surface.DeleteDC();
    CApplet::OnDestroy();
}

CRect CTasquinWnd::CellRect(int index) const
{
    const int x = m_ptOrigin.x + kCellPitch * (index % kMaxCells);
    const int y = m_ptOrigin.y + kCellPitch * (index / kMaxCells);
    return CRect(x, y, x + kCellSize, y + kCellSize);
}

int CTasquinWnd::HitTest(POINT point) const
{
    const int shown = m_pTasks ? m_pTasks->GetCount() : 0;
    for (int i = 0; i < shown && i < kMaxCells; ++i)
        if (CellRect(i).PtInRect(point))
            return i;
    return -1;
}

void CTasquinWnd::DrawAll()
{
    if (!m_surface.GetSafeHdc() || !m_pTasks)
        return;
    const PackLook::Colours colours = PackLook::AskColours(this);
    CBrush background(colours.background);
    CRect whole(0, 0, kWidth, kHeight);
    m_surface.FillRect(&whole, &background);

    CBrush frame(m_nMode == kActivateMode ? kActivateFrame : kCloseFrame);
    for (int i = 0; i < m_pTasks->GetCount() && i < kMaxCells; ++i) {
        const CRect cell = CellRect(i);
        ::FrameRect(m_surface, &cell, frame);
        const CTaskEntry* entry = m_pTasks->GetAt(i);
        if (entry->m_hOwnIcon)
            ::DrawIconEx(m_surface, cell.left + 2, cell.top + 2, entry->m_hOwnIcon, 16, 16, 0, nullptr, DI_NORMAL);
        else
            PackLook::DrawProgramIcon(m_surface, cell.left + 2, cell.top + 2, entry->m_szPath);
    }
    DrawTitleStrip();
    m_tray.DrawBar(&m_surface);
}

// The highlighted program's icon and title, else the mode.
void CTasquinWnd::DrawTitleStrip()
{
    const PackLook::Colours colours = PackLook::AskColours(this);
    CRect strip(kTitleRect);
    CBrush background(colours.background);
    m_surface.FillRect(&strip, &background);
    CFont font;
    PackLook::CreatePackFont(&font);
    m_surface.SelectObject(&font);
    m_surface.SetBkMode(TRANSPARENT);
    m_surface.SetTextColor(colours.text);
    const CTaskEntry* entry = m_pTasks ? m_pTasks->GetAt(m_nHighlight) : nullptr;
    if (!entry) {
        PackLook::DrawLine(m_surface, m_nMode == kActivateMode ? L"Activate Mode" : L"Close Mode",
                           CRect(6, strip.top, strip.right, strip.bottom));
    } else {
        if (entry->m_hOwnIcon)
            ::DrawIconEx(m_surface, 6, strip.top + 2, entry->m_hOwnIcon, 16, 16, 0, nullptr, DI_NORMAL);
        else
            PackLook::DrawProgramIcon(m_surface, 6, strip.top + 2, entry->m_szPath);
        PackLook::DrawLine(m_surface, entry->m_szTitle, CRect(26, strip.top, strip.right, strip.bottom));
    }
    m_surface.ReleaseObject(&font);
}

void CTasquinWnd::SetHighlight(int index)
{
    if (index == m_nHighlight)
        return;
    m_nHighlight = index;
    DrawTitleStrip();
    InvalidateRect(&kTitleRect, FALSE);
}

void CTasquinWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    m_surface.Draw(dc, 0, 0, kOpaqueCopy);
}

void CTasquinWnd::OnTimer(UINT_PTR timerId)
{
    if (timerId != kRefreshTimer) {
        CApplet::OnTimer(timerId);
        return;
    }
    if (!m_bVisible || m_bBusy || !m_pTasks)
        return;
    if (m_pTasks->Refresh(OwnBar(), FALSE)) {
        if (m_nHighlight >= m_pTasks->GetCount())
            m_nHighlight = -1;
        DrawAll();
        Invalidate(FALSE);
    }
}

// After an action: the list again, drawn, the timer from the start.
void CTasquinWnd::RefreshNow()
{
    KillTimer(kRefreshTimer);
    if (m_pTasks)
        m_pTasks->Refresh(OwnBar(), TRUE);
    m_nHighlight = -1;
    DrawAll();
    Invalidate(FALSE);
    SetTimer(kRefreshTimer, kRefreshMs);
}

LRESULT CTasquinWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PRINTCLIENT:
        m_surface.Draw(reinterpret_cast<HDC>(wParam), 0, 0, kOpaqueCopy);
        return 0;
    case WM_LBUTTONDOWN: {
        // Tap-and-hold only over the programs.
        CPoint point(static_cast<DWORD>(lParam));
        SetHold(CRect(kTaskRect).PtInRect(point));
        return -1;
    }
    case WM_KETRA_APPLETSHOWN:
        m_bVisible = TRUE;
        RefreshNow();
        return 0;
    case WM_KETRA_APPLETHIDDEN:
        m_bVisible = FALSE;
        KillTimer(kRefreshTimer);
        return 0;
    default:
        return CApplet::OnMessage(message, wParam, lParam);
    }
}

int CTasquinWnd::OnTodayQueryRefreshCache(TODAYLISTITEM* item)
{
    if (item)
        item->cyp = kHeight;
    return 1;
}
