// The settings-shortcut applet: the table, drawing and the pen.
#include "setlane_wnd.h"

#include <applet_module.h>
#include <cedevice.h>
#include <pack_look.h>

namespace {

const wchar_t kIconStrip[] = L"SETTINGS.GIF";
constexpr int kColumns = 10;
constexpr int kCellWidth = 22;
constexpr int kCellHeight = 21;
constexpr int kIconSize = 16;
const COLORREF kFrameColour = RGB(0x80, 0x80, 0x80);

// Tray icons of "sp.bmp" for the pack's other applets.
enum { kTrayButton = 6 };
const wchar_t kButtonApplet[] = L"Button";

RECT CellBox(int index)
{
    const int x = CSetlaneWnd::kGridArea.left + kCellWidth * (index % kColumns);
    const int y = CSetlaneWnd::kGridArea.top + kCellHeight * (index / kColumns);
    return RECT{x + 6, y + 2, x + 27, y + 22};
}

}  // namespace

const RECT CSetlaneWnd::kGridArea = {0, 1, 230, 47};
const RECT CSetlaneWnd::kNameArea = {0, 47, 150, 67};
const RECT CSetlaneWnd::kTrayArea = {150, 47, 230, 67};

const CSetlaneWnd::Shortcut CSetlaneWnd::kShortcuts[kEntryCount] = {
    {-1, L"Today"},
    {10, L"Password"},
    {11, L"Today Settings"},
    {9, L"Owner Information"},
    {2, L"Sound/Notification"},
    {4, L"Memory"},
    {5, L"Storage Card"},
    {6, L"Buttons"},
    {7, L"Input"},
    {8, L"Menus"},
    {12, L"About"},
    {1, L"Backlight"},
    {3, L"Clock"},
    {0, L"Battery Settings"},
    {13, L"Region Settings"},
    {14, L"Remove Programs"},
    {15, L"Screen"},
    {16, L"Beam Settings"},
    {17, L"Connections"},
    {18, L"Network Adapters"},
};

int CSetlaneWnd::CellAt(POINT point)
{
    for (int i = 0; i < kEntryCount; ++i) {
        const int x = kGridArea.left + kCellWidth * (i % kColumns) + 6;
        const int y = kGridArea.top + kCellHeight * (i / kColumns);
        const RECT hit = {x, y, x + kCellWidth, y + kCellHeight};
        if (::PtInRect(&hit, point))
            return i;
    }
    return -1;
}

// A failed power-status call reports no battery at all.
int CSetlaneWnd::WantsAttention()
{
    SYSTEM_POWER_STATUS_EX status = {};
    if (!GetSystemPowerStatusEx(&status, TRUE))
        return 0;
    return status.BatteryFlag != 0 && status.BatteryLifePercent < 30 ? 1 : 0;
}

void CSetlaneWnd::OnCreate()
{
    m_nSelection = -1;
    wchar_t path[MAX_PATH];
    {
        CClientDC reference(m_hWnd);
        m_surface.CreateDCW(reference, kWidth, kHeight);
        if (PackLook::FileBesideApplet(CorAppletModule(), kIconStrip, path, MAX_PATH))
            m_icons.Load(&reference, path);
    }
    m_icons.SetSize(kIconSize, kIconSize);
    m_tray.RemoveAll();
    m_tray.Create(kTrayArea,
                  PackLook::FileBesideApplet(CorAppletModule(), PackLook::kTrayStrip, path, MAX_PATH) ? path : L"",
                  this);
    m_tray.Add(PackLook::kIconSystemBar, PackLook::kSystemBar, CTrayItem::kPostText);
    m_tray.Add(PackLook::kIconTaskBar, PackLook::kTaskBar, CTrayItem::kPostText);
    m_tray.Add(PackLook::kIconLauncher, PackLook::kLauncher, CTrayItem::kPostText);
    m_tray.Add(kTrayButton, kButtonApplet, CTrayItem::kPostText);
    DrawAll();
}

void CSetlaneWnd::OnDestroy()
{
    m_tray.RemoveAll();
    m_surface.DeleteDC();
    CApplet::OnDestroy();
}

void CSetlaneWnd::DrawAll()
{
    if (!m_surface.GetSafeHdc())
        return;
    const PackLook::Colours colours = PackLook::AskColours(this);
    CBrush background(colours.background);
    CRect whole(0, 0, kWidth, kHeight);
    m_surface.FillRect(&whole, &background);

    CBrush panel(colours.fill);
    m_surface.SelectObject(&panel);
    m_surface.RoundRect(&kGridArea, POINT{10, 10});
    m_surface.ReleaseObject(&panel);

    CBrush frame(kFrameColour);
    for (int i = 0; i < kEntryCount; ++i) {
        const RECT box = CellBox(i);
        ::FrameRect(m_surface, &box, frame);
        m_icons.Draw(&m_surface, box.left + 2, box.top + 2, i / kColumns, i % kColumns);
    }
    DrawNameLine();
    m_tray.DrawBar(&m_surface);
}

void CSetlaneWnd::DrawNameLine()
{
    if (m_nSelection < 0 || m_nSelection >= kEntryCount || !m_surface.GetSafeHdc())
        return;
    const PackLook::Colours colours = PackLook::AskColours(this);
    CBrush background(colours.background);
    m_surface.FillRect(&kNameArea, &background);
    m_icons.Draw(&m_surface, kNameArea.left + 6, kNameArea.top + 2, m_nSelection / kColumns, m_nSelection % kColumns);
    CFont font;
    PackLook::CreatePackFont(&font);
    m_surface.SelectObject(&font);
    m_surface.SetBkMode(TRANSPARENT);
    m_surface.SetTextColor(colours.text);
    RECT line = {kNameArea.left + 25, kNameArea.top + 2, kNameArea.right, kNameArea.bottom};
    m_surface.DrawTextW(kShortcuts[m_nSelection].name, -1, &line, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    m_surface.ReleaseObject(&font);
}

void CSetlaneWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    m_surface.Draw(dc, 0, 0, kOpaqueCopy);
}

void CSetlaneWnd::OnLButtonDown(CPoint point)
{
    if (::PtInRect(&kTrayArea, point)) {
        m_tray.OnLButtonDown(point);
        DrawAll();
        Invalidate(FALSE);
        return;
    }
    CApplet::OnLButtonDown(point);
}

// The name line follows the pen at once, before it lifts.
void CSetlaneWnd::OnMouseMove(CPoint point)
{
    const int cell = CellAt(point);
    if (cell < 0 || cell == m_nSelection)
        return;
    m_nSelection = cell;
    DrawNameLine();
    InvalidateRect(&kNameArea, FALSE);
    UpdateWindow();
}

void CSetlaneWnd::OnLButtonUp(CPoint point)
{
    if (!::PtInRect(&kGridArea, point)) {
        m_tray.OnLButtonUp(point);
        DrawAll();
        Invalidate(FALSE);
        return;
    }
    const int cell = CellAt(point);
    if (cell < 0)
        return;
    m_nSelection = cell;
    DrawNameLine();
    Invalidate(FALSE);
    Open(cell);
}

void CSetlaneWnd::Open(int index)
{
    if (kShortcuts[index].page < 0)
        CSH::Home();
    else
        CSI::LaunchCPL(kShortcuts[index].page);
}

LRESULT CSetlaneWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_KETRA_APPLETSHOWN:
        DrawAll();
        Invalidate(FALSE);
        return 0;
    default:
        return CApplet::OnMessage(message, wParam, lParam);
    }
}

int CSetlaneWnd::OnTodayQueryRefreshCache(TODAYLISTITEM* item)
{
    if (item)
        item->cyp = kHeight;
    return 1;
}
