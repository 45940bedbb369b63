// Drawing the summary into its off-screen surface, and onto the window.
#include "agendo_wnd.h"

#include <stdio.h>

using namespace agendo;

namespace {

const wchar_t kFace[] = L"Tahoma";
const int kTitleFont = 13;
const int kSmallFont = 12;
const int kBarWidth = 230;
const int kBarHeight = 22;
const int kCorner = 8;

enum IconSlot { kSlotMail = 0, kSlotAppointments, kSlotTasks, kSlotPrevious, kSlotNext };

} // namespace

void CAgendoWnd::Repaint()
{
    DrawAll();
    Invalidate(FALSE);
    // Shown before the tap or the timer is answered.
    UpdateWindow();
}

void CAgendoWnd::DrawAll()
{
    if (!m_surface.GetSafeHdc())
        return;
    CBrush background(m_colours[0]);
    RECT whole = {0, 0, kWidth, kOpenHeight};
    m_surface.FillRect(&whole, &background);
    m_surface.SetBkMode(TRANSPARENT);
    for (int section = 0; section < kSectionCount; ++section)
        DrawBar(kBarX, BarTop(m_nMode, section), m_sections[section]);
    if (m_nMode != kAllClosed)
        DrawOpenText(kBarX, OpenTextTop(m_nMode), m_sections[m_nMode]);
}

void CAgendoWnd::DrawBar(int x, int y, const Section& section)
{
    CPen outline(PS_SOLID, 1, m_colours[2]);
    CBrush fill(m_colours[1]);
    m_surface.SelectObject(&outline);
    m_surface.SelectObject(&fill);
    m_surface.RoundRect(x, y, x + kBarWidth, y + kBarHeight, kCorner, kCorner);
    m_surface.ReleaseObject(&fill);
    m_surface.ReleaseObject(&outline);

    const int slot = section.IconId() == kIconMail ? kSlotMail
                     : section.IconId() == kIconAppointments ? kSlotAppointments
                                                             : kSlotTasks;
    if (m_hIcons[slot])
        m_surface.DrawIcons(x + 5, y + 3, m_hIcons[slot]);

    const bool arrows = section.Count() > 1;
    CFont titleFont;
    titleFont.CreateFont(kTitleFont, kFace, FW_NORMAL);
    m_surface.SelectObject(&titleFont);
    m_surface.SetTextColor(m_colours[2]);
    std::wstring title = DisplayTitle(section.Current().title);
    // The title stops short of the arrows and the position.
    RECT titleArea = {x + 25, y + 4, x + (arrows || section.HasItems() ? 188 : kBarWidth - 4), y + kBarHeight - 2};
    m_surface.DrawTextW(title.c_str(), -1, &titleArea, DT_SINGLELINE | DT_NOPREFIX);
    m_surface.ReleaseObject(&titleFont);

    if (arrows) {
        if (m_hIcons[kSlotPrevious])
            m_surface.DrawIcons(x + 190, y + 3, m_hIcons[kSlotPrevious]);
        if (m_hIcons[kSlotNext])
            m_surface.DrawIcons(x + 215, y + 3, m_hIcons[kSlotNext]);
    }
    if (section.HasItems()) {
        wchar_t position[24];
        _snwprintf(position, 23, L"%d/%d", section.Index() + 1, section.Count());
        position[23] = L'\0';
        CFont smallFont;
        smallFont.CreateFont(kSmallFont, kFace, FW_NORMAL);
        m_surface.SelectObject(&smallFont);
        m_surface.TextOut(x + 204, y + 4, position);
        m_surface.ReleaseObject(&smallFont);
    }
}

void CAgendoWnd::DrawOpenText(int x, int y, const Section& section)
{
    CPen outline(PS_SOLID, 1, m_colours[2]);
    CBrush fill(m_colours[1]);
    m_surface.SelectObject(&outline);
    m_surface.SelectObject(&fill);
    m_surface.RoundRect(x + 10, y, x + kBarWidth, y + 47, kCorner, kCorner);
    m_surface.ReleaseObject(&fill);
    m_surface.ReleaseObject(&outline);

    CFont font;
    font.CreateFont(kSmallFont, kFace, FW_NORMAL);
    m_surface.SelectObject(&font);
    m_surface.SetTextColor(m_colours[2]);
    std::wstring text = DisplayText(section.Current().text);
    RECT area = {x + 15, y + 5, x + 225, y + 43};
    m_surface.DrawTextW(text.c_str(), -1, &area, DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    m_surface.ReleaseObject(&font);
}

BOOL CAgendoWnd::OnEraseBkgnd(HDC /*hdc*/)
{
    return TRUE;  // the surface covers the whole window
}

void CAgendoWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    if (m_surface.GetSafeHdc())
        dc.BitBlt(0, 0, kWidth, kOpenHeight, &m_surface, 0, 0, SRCCOPY);
}
