// The options program's grid of programs.
#include "launch_grid.h"

#include <pack_look.h>

#include <cstdlib>

#include "resource.h"

namespace {

const COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRuleGrey = RGB(0xC0, 0xC0, 0xC0);
const COLORREF kHighlightGrey = RGB(0x80, 0x80, 0x80);
const POINT kGridOffset = {4, 3};
const int kScrolledLeft = 0;

}  // namespace

CLaunchGridWnd::CLaunchGridWnd()
{
    SetHold(TRUE);
}

BOOL CLaunchGridWnd::OnRegisterClass(WNDCLASSW* wc)
{
    wc->hbrBackground = nullptr;
    wc->hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    return CWnd::OnRegisterClass(wc);
}

BOOL CLaunchGridWnd::CreateGrid(HWND parent, const RECT& rect, CLaunchList* list, HWND commandTarget)
{
    m_pList = list;
    m_hCommandTarget = commandTarget;
    return CreateEx(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, parent, nullptr);
}

void CLaunchGridWnd::OnCreate()
{
    m_pList->SetExpanded(TRUE);
    Resized();
}

// A surface of the client's size, the list placed for the rows that fit.
void CLaunchGridWnd::Resized()
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    {
        CClientDC reference(m_hWnd);
        m_surface.DeleteDC();
        m_surface.CreateDCW(reference, client.right, client.bottom);
    }
    PlaceList();
    Redraw();
}

CRect CLaunchGridWnd::GridArea() const
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    return CRect(0, 0, client.right, client.bottom - kStripHeight);
}

CRect CLaunchGridWnd::StripArea() const
{
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    return CRect(0, client.bottom - kStripHeight, client.right, client.bottom);
}

int CLaunchGridWnd::VisibleRows() const
{
    const int rows = (GridArea().Height() - kGridOffset.y) / CLaunchList::kCellHeight;
    return rows > 0 ? rows : 1;
}

void CLaunchGridWnd::PlaceList()
{
    const int hidden = m_pList->RowsNeeded(TRUE) - VisibleRows();
    if (m_nTopRow > hidden)
        m_nTopRow = hidden > 0 ? hidden : 0;
    UpdateScrollBar();
    // A scroll bar takes the room of the margin, so the last column stays whole.
    const int left = hidden > 0 ? kScrolledLeft : kGridOffset.x;
    m_pList->SetOrigin(CPoint(left, kGridOffset.y - m_nTopRow * CLaunchList::kCellHeight));
}

void CLaunchGridWnd::UpdateScrollBar()
{
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = m_pList->RowsNeeded(TRUE) - 1;
    info.nPage = static_cast<UINT>(VisibleRows());
    info.nPos = m_nTopRow;
    ::SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
}

void CLaunchGridWnd::Scroll(int code, int position)
{
    const int last = m_pList->RowsNeeded(TRUE) - VisibleRows();
    int row = m_nTopRow;
    switch (code) {
    case SB_LINEUP: --row; break;
    case SB_LINEDOWN: ++row; break;
    case SB_PAGEUP: row -= VisibleRows(); break;
    case SB_PAGEDOWN: row += VisibleRows(); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: row = position; break;
    default: return;
    }
    if (row > last)
        row = last;
    if (row < 0)
        row = 0;
    if (row == m_nTopRow)
        return;
    m_nTopRow = row;
    PlaceList();
    Redraw();
}

void CLaunchGridWnd::SetLines(int lines)
{
    m_nLines = lines;
    Redraw();
}

void CLaunchGridWnd::SetHighlight(int index)
{
    m_nHighlight = index >= 0 && index < m_pList->GetCount() ? index : -1;
    Redraw();
}

void CLaunchGridWnd::ListChanged()
{
    if (m_nHighlight >= m_pList->GetCount())
        m_nHighlight = -1;
    PlaceList();
    Redraw();
}

void CLaunchGridWnd::Redraw()
{
    if (!m_surface.GetSafeHdc())
        return;
    const CRect grid = GridArea();
    CBrush white(kWhite);
    CRect whole(0, 0, m_surface.GetWidth(), m_surface.GetHeight());
    m_surface.FillRect(&whole, &white);

    CFont font;
    PackLook::CreatePackFont(&font);
    CPen black(PS_SOLID, 1, kBlack);
    m_surface.SelectObject(&font);
    m_surface.SelectObject(&black);
    m_surface.SetBkMode(TRANSPARENT);
    m_surface.SetTextColor(kBlack);
    m_pList->Draw(&m_surface);

    // What the launcher shows ends at the rule: grey, then black under it.
    const int ruleY = m_pList->GetOrigin().y + m_nLines * CLaunchList::kCellHeight;
    if (ruleY > 0 && ruleY + 1 < grid.bottom) {
        CPen grey(PS_SOLID, 1, kRuleGrey);
        m_surface.SelectObject(&grey);
        m_surface.Line(0, ruleY, grid.right, ruleY);
        m_surface.ReleaseObject(&grey);
        m_surface.Line(0, ruleY + 1, grid.right, ruleY + 1);
    }

    if (m_nHighlight >= 0) {
        const CRect cell = m_pList->CellRect(m_nHighlight);
        HGDIOBJ oldBrush = m_surface.SelectObject(::GetStockObject(NULL_BRUSH));
        m_surface.Rectangle(cell.left + 1, cell.top + 1, cell.right, cell.bottom);  // the shadow
        CPen grey(PS_SOLID, 1, kHighlightGrey);
        m_surface.SelectObject(&grey);
        m_surface.Rectangle(cell.left, cell.top, cell.right - 1, cell.bottom - 1);
        m_surface.ReleaseObject(&grey);
        m_surface.SelectObject(oldBrush);
    }
    // Rows scrolled under the strip stay out of it.
    CRect strip = StripArea();
    m_surface.FillRect(&strip, &white);
    m_surface.ReleaseObject(&black);
    m_surface.ReleaseObject(&font);
    DrawStrip(&m_surface);
    Invalidate(FALSE);
}

void CLaunchGridWnd::DrawStrip(CDC* dc)
{
    const CRect strip = StripArea();
    CPen black(PS_SOLID, 1, kBlack);
    dc->SelectObject(&black);
    dc->Line(0, strip.top, strip.right, strip.top);
    dc->ReleaseObject(&black);
    LPCWSTR path = m_pList->GetPath(m_nHighlight);
    if (!path)
        return;
    PackLook::DrawProgramIcon(*dc, 6, strip.top + 4, path);
    wchar_t title[kTitleChars + 1] = L"";
    CSH::GetFileTitle(path, title, kTitleChars + 1);  // cut to 30 characters
    CFont font;
    PackLook::CreatePackFont(&font);
    dc->SelectObject(&font);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(kBlack);
    PackLook::DrawLine(*dc, title, CRect(31, strip.top + 1, strip.right - 4, strip.bottom));
    dc->ReleaseObject(&font);
}

void CLaunchGridWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    m_surface.Draw(dc, 0, 0, kOpaqueCopy);
    if (m_bFrameShown) {
        // The paint covered the frame: put it back.
        m_bFrameShown = FALSE;
        ToggleDragFrame(m_ptFrame);
    }
}

int CLaunchGridWnd::DropTarget(POINT point) const
{
    if (!GridArea().PtInRect(point))
        return -1;
    const int entry = m_pList->HitTest(point);
    if (entry >= 0)
        return entry;
    // Past the last entry: anywhere after its cell, on its row or below.
    const int count = m_pList->GetCount();
    if (count == 0)
        return 0;
    const CRect last = m_pList->CellRect(count - 1);
    if (point.y >= last.bottom || (point.y >= last.top && point.x >= last.right))
        return count;
    return -1;
}

void CLaunchGridWnd::OnLButtonDown(CPoint point)
{
    m_nPressed = GridArea().PtInRect(point) ? m_pList->HitTest(point) : -1;
    m_ptPressed = point;
    m_bDragging = FALSE;
    if (m_nPressed >= 0)
        ::SetCapture(m_hWnd);
}

void CLaunchGridWnd::OnRButtonDown(CPoint point)
{
    m_nPressed = -1;
    const int entry = GridArea().PtInRect(point) ? m_pList->HitTest(point) : -1;
    if (entry < 0)
        return;
    SetHighlight(entry);
    ShowHoldMenu(point);
}

void CLaunchGridWnd::ShowHoldMenu(CPoint point)
{
    HMENU menu = ::CreatePopupMenu();
    if (!menu)
        return;
    ::AppendMenuW(menu, MF_STRING, ID_RUNVEL_LAUNCH, L"Launch");
    ::AppendMenuW(menu, MF_STRING, ID_RUNVEL_DELETE, L"Delete");
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    const UINT command = ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY,
                                          screen.x, screen.y, 0, m_hWnd, nullptr);
    ::DestroyMenu(menu);
    if (command && m_hCommandTarget)
        ::SendMessageW(m_hCommandTarget, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void CLaunchGridWnd::OnMouseMove(CPoint point)
{
    if (m_nPressed < 0 || ::GetCapture() != m_hWnd)
        return;
    if (!m_bDragging && std::abs(point.x - m_ptPressed.x) <= kDragThreshold &&
        std::abs(point.y - m_ptPressed.y) <= kDragThreshold)
        return;
    m_bDragging = TRUE;
    if (m_bFrameShown)
        ToggleDragFrame(m_ptFrame);
    ToggleDragFrame(point);
}

void CLaunchGridWnd::OnLButtonUp(CPoint point)
{
    const int pressed = m_nPressed;
    const BOOL dragged = m_bDragging;
    m_nPressed = -1;
    m_bDragging = FALSE;
    if (m_bFrameShown)
        ToggleDragFrame(m_ptFrame);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (pressed < 0)
        return;
    if (dragged) {
        m_nPressed = pressed;
        Drop(point);
        m_nPressed = -1;
        return;
    }
    // A tap: highlighted and started.
    SetHighlight(pressed);
    if (LPCWSTR path = m_pList->GetPath(pressed))
        CSH::Execute(path);
}

void CLaunchGridWnd::Drop(POINT point)
{
    const int target = DropTarget(point);
    if (target < 0)
        return;
    BOOL moved = FALSE;
    int landed = m_nPressed;
    if (m_nArrangeMode == LaunchSettings::kSwap) {
        moved = target < m_pList->GetCount() && m_pList->Swap(m_nPressed, target);
        landed = target;
    } else {
        moved = m_pList->MoveTo(m_nPressed, target);
        if (target >= m_pList->GetCount())
            landed = m_pList->GetCount() - 1;
        else
            landed = m_nPressed < target ? target - 1 : target;
    }
    if (!moved)
        return;
    m_nHighlight = landed;
    ListChanged();
}

// An inverted cell-sized frame centred on the stylus; drawing it again at
// the same place takes it away.
void CLaunchGridWnd::ToggleDragFrame(POINT centre)
{
    CClientDC dc(m_hWnd);
    const int oldMode = dc.SetROP2(R2_NOT);
    HGDIOBJ oldBrush = dc.SelectObject(::GetStockObject(NULL_BRUSH));
    const int left = centre.x - CLaunchList::kCellWidth / 2;
    const int top = centre.y - CLaunchList::kCellHeight / 2;
    dc.Rectangle(left, top, left + CLaunchList::kCellWidth, top + CLaunchList::kCellHeight);
    dc.SelectObject(oldBrush);
    dc.SetROP2(oldMode);
    m_bFrameShown = !m_bFrameShown;
    m_ptFrame = centre;
}

LRESULT CLaunchGridWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_SIZE:
        Resized();
        return 0;
    case WM_VSCROLL:
        Scroll(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CAPTURECHANGED:
        if (m_bFrameShown && reinterpret_cast<HWND>(lParam) != m_hWnd)
            ToggleDragFrame(m_ptFrame);
        if (reinterpret_cast<HWND>(lParam) != m_hWnd) {
            m_nPressed = -1;
            m_bDragging = FALSE;
        }
        return 0;
    default:
        return CWnd::OnMessage(message, wParam, lParam);
    }
}
