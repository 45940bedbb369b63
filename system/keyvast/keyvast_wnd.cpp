// The hardware-button applet.
#include "keyvast_wnd.h"

#include <applet_module.h>
#include <pack_look.h>

namespace {

const RECT kButtonRow = {0, 4, 230, 30};
const RECT kNameArea = {0, 30, 150, 50};
const RECT kTrayArea = {150, 30, 230, 50};
const int kButtonPitch = 45;
const int kButtonInset = 6;
const int kButtonWidth = 40;
const int kButtonHeight = 22;
const int kCorner = 8;

}  // namespace

CKeyvastWnd::CKeyvastWnd() = default;

CRect CKeyvastWnd::ButtonRect(int index)
{
    const int left = kButtonRow.left + kButtonPitch * index + kButtonInset;
    return CRect(left, kButtonRow.top, left + kButtonWidth, kButtonRow.top + kButtonHeight);
}

int CKeyvastWnd::ButtonAt(POINT point) const
{
    for (int i = 0; i < m_nButtons; ++i)
        if (ButtonRect(i).PtInRect(point))
            return i;
    return -1;
}

void CKeyvastWnd::ReadButtons()
{
    m_nButtons = HardwareButtons::CountButtons();
    for (int i = 0; i < HardwareButtons::kMaxButtons; ++i) {
        m_programs[i][0] = L'\0';
        if (i < m_nButtons)
            HardwareButtons::ReadProgram(i + 1, m_programs[i], HardwareButtons::kProgramChars);
    }
}

void CKeyvastWnd::OnCreate()
{
    m_nSelected = -1;
    ReadButtons();
    {
        CClientDC reference(m_hWnd);
        m_surface.CreateDCW(reference, kWidth, kHeight);
    }
    m_tray.RemoveAll();
    wchar_t strip[MAX_PATH];
    m_tray.Create(kTrayArea, PackLook::FileBesideApplet(CorAppletModule(), PackLook::kTrayStrip, strip, MAX_PATH)
                                 ? strip
                                 : L"",
                  this);
    m_tray.Add(PackLook::kIconSystemBar, PackLook::kSystemBar, CTrayItem::kPostText);
    m_tray.Add(PackLook::kIconTaskBar, PackLook::kTaskBar, CTrayItem::kPostText);
    m_tray.Add(PackLook::kIconLauncher, PackLook::kLauncher, CTrayItem::kPostText);
    m_tray.Add(PackLook::kIconSettings, PackLook::kSettings, CTrayItem::kPostText);
    DrawAll();
}

void CKeyvastWnd::OnDestroy()
{
    if (m_pPopup) {
        m_pPopup->DestroyWindow();
        delete m_pPopup;
        m_pPopup = nullptr;
        // The library may be loaded again elsewhere: its class goes with it.
        ::UnregisterClassW(CListPopup::kClassName, CorAppletModule());
    }
    m_tray.RemoveAll();
    m_surface.DeleteDC();
    CApplet::OnDestroy();
}

void CKeyvastWnd::DrawAll()
{
    if (!m_surface.GetSafeHdc())
        return;
    const PackLook::Colours colours = PackLook::AskColours(this);
    CBrush background(colours.background);
    CRect whole(0, 0, kWidth, kHeight);
    m_surface.FillRect(&whole, &background);

    CFont font;
    PackLook::CreatePackFont(&font);
    CBrush fill(colours.fill);
    m_surface.SelectObject(&font);
    m_surface.SelectObject(&fill);
    m_surface.SetBkMode(TRANSPARENT);
    m_surface.SetTextColor(colours.text);
    for (int i = 0; i < m_nButtons; ++i) {
        const CRect cell = ButtonRect(i);
        m_surface.RoundRect(&cell, CPoint(kCorner, kCorner));
        PackLook::DrawProgramIcon(m_surface, cell.left + 4, cell.top + 2, m_programs[i]);
    }
    m_surface.ReleaseObject(&fill);
    m_surface.ReleaseObject(&font);

    DrawNameArea();
    m_tray.DrawBar(&m_surface);

    // The etched line under the buttons.
    CPen grey(PS_SOLID, 1, RGB(0x80, 0x80, 0x80));
    CPen white(PS_SOLID, 1, RGB(0xFF, 0xFF, 0xFF));
    m_surface.SelectObject(&grey);
    m_surface.Line(kButtonRow.left + 2, kButtonRow.bottom - 1, kButtonRow.right - 2, kButtonRow.bottom - 1);
    m_surface.ReleaseObject(&grey);
    m_surface.SelectObject(&white);
    m_surface.Line(kButtonRow.left + 2, kButtonRow.bottom, kButtonRow.right - 2, kButtonRow.bottom);
    m_surface.ReleaseObject(&white);
}

// "Assign H/W Button", or the selected button's program.
void CKeyvastWnd::DrawNameArea()
{
    const PackLook::Colours colours = PackLook::AskColours(this);
    CRect area(kNameArea);
    area.top += 3;
    CBrush background(colours.background);
    m_surface.FillRect(&area, &background);
    CFont font;
    PackLook::CreatePackFont(&font);
    m_surface.SelectObject(&font);
    m_surface.SetBkMode(TRANSPARENT);
    m_surface.SetTextColor(colours.text);
    if (m_nSelected < 0) {
        PackLook::DrawLine(m_surface, L"Assign H/W Button", CRect(area.left + 6, area.top, area.right, area.bottom));
    } else {
        LPCWSTR program = m_programs[m_nSelected];
        PackLook::DrawProgramIcon(m_surface, area.left + 10, area.top, program);
        wchar_t title[MAX_PATH] = L"";
        CSH::GetFileTitle(program, title, MAX_PATH);
        m_surface.TextOut(area.left + 30, area.top + 2, title);
    }
    m_surface.ReleaseObject(&font);
}

void CKeyvastWnd::Select(int index)
{
    if (index == m_nSelected)
        return;
    m_nSelected = index;
    DrawNameArea();
    RECT area = kNameArea;
    InvalidateRect(&area, FALSE);
    UpdateWindow();
}

void CKeyvastWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    m_surface.Draw(dc, 0, 0, kOpaqueCopy);
}

void CKeyvastWnd::OnLButtonDown(CPoint point)
{
    if (CRect(kTrayArea).PtInRect(point))
        m_tray.OnLButtonDown(point);
}

void CKeyvastWnd::OnMouseMove(CPoint point)
{
    const int button = ButtonAt(point);
    if (button >= 0)
        Select(button);
}

void CKeyvastWnd::OnLButtonUp(CPoint point)
{
    if (CRect(kTrayArea).PtInRect(point)) {
        m_tray.OnLButtonUp(point);
        return;
    }
    if (!CRect(kButtonRow).PtInRect(point))
        return;
    // Between or beyond the buttons nothing opens.
    const int button = ButtonAt(point);
    if (button < 0)
        return;
    Select(button);
    OpenList();
}

void CKeyvastWnd::OpenList()
{
    if (!m_pPopup) {
        m_pPopup = new CListPopup;
        // The pop-up's class belongs to this library, like the applet's own.
        CorInstanceScope library(CorAppletModule());
        if (!m_pPopup->CreatePopup(m_hWnd, CorAppletModule())) {
            delete m_pPopup;
            m_pPopup = nullptr;
            return;
        }
    }
    POINT topLeft = {kNameArea.left, kNameArea.top};
    ::ClientToScreen(m_hWnd, &topLeft);
    m_pPopup->Open(topLeft);
}

// The program chosen goes to the selected button, and the shell hears of it.
void CKeyvastWnd::OnChoice(LPCWSTR program)
{
    if (m_nSelected < 0 || m_nSelected >= m_nButtons || !program || !*program)
        return;
    if (!HardwareButtons::Assign(m_nSelected + 1, program))
        return;
    ReadButtons();
    DrawAll();
    Invalidate(FALSE);
    UpdateWindow();
    HardwareButtons::AnnounceChange();
}

LRESULT CKeyvastWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PRINTCLIENT:
        m_surface.Draw(reinterpret_cast<HDC>(wParam), 0, 0, kOpaqueCopy);
        return 0;
    case WM_NOTIFY:
        // Only the choice our own pop-up is reporting: anything else sent
        // as 78 (a record, another program's pointer) is not read at all.
        if (wParam == CListPopup::kChoice && m_pPopup && lParam &&
            reinterpret_cast<LPCWSTR>(lParam) == m_pPopup->PendingChoice())
            OnChoice(m_pPopup->PendingChoice());
        return 0;
    case WM_KETRA_APPLETSHOWN:
    case WM_KETRA_APPLETHIDDEN:
        return 0;
    default:
        return CApplet::OnMessage(message, wParam, lParam);
    }
}

int CKeyvastWnd::OnTodayQueryRefreshCache(TODAYLISTITEM* item)
{
    if (item)
        item->cyp = kHeight;
    return 1;
}
