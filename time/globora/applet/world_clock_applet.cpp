#include "world_clock_applet.h"

#include <ketra_host.h>

#include "clock_style.h"
#include "clock_text.h"

using namespace globora;

namespace {

const wchar_t kColoursKey[] = L"Software\\ZARQ\\Ketra\\Colors";
const wchar_t kProgram[] = L"Globora.exe";

COLORREF ReadColour(CRegistry& key, const wchar_t* name, COLORREF fallback)
{
    DWORD value = 0;
    return key.IsOpen() && key.ReadDWORD(name, &value) ? (COLORREF)value : fallback;
}

void Text(HDC dc, int x, int y, const wchar_t* text, HFONT font, COLORREF colour)
{
    HGDIOBJ old = ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, colour);
    ::TextOutW(dc, x, y, text, (int)wcslen(text));
    ::SelectObject(dc, old);
}

} // namespace

COR_APPLET(CWorldClockApplet, L"Vornel1", kAppletWidth, kAppletHeight)

void CWorldClockApplet::OnCreate()
{
    m_digitFont = CreateStyleFont(kDigitFont);
    m_nameFont = CreateStyleFont(kNameFont);
    ReadColours();
    m_slots.Load();
    {
        CClientDC reference(m_hWnd);
        m_surface.CreateDCW(reference, kAppletWidth, kAppletHeight);
    }
    Draw();
    SetTimer(kTickTimer, kTickMs);
}

void CWorldClockApplet::OnDestroy()
{
    KillTimer(kTickTimer);
    if (m_digitFont)
        ::DeleteObject(m_digitFont);
    if (m_nameFont)
        ::DeleteObject(m_nameFont);
    m_digitFont = m_nameFont = nullptr;
    CApplet::OnDestroy();
}

void CWorldClockApplet::ReadColours()
{
    CRegistry colours;
    colours.Open(HKEY_LOCAL_MACHINE, kColoursKey, TRUE);
    m_background = ReadColour(colours, L"1", kAppletBackground);
    m_boxFill = ReadColour(colours, L"2", kAppletBoxFill);
    m_text = ReadColour(colours, L"3", kAppletText);
}

void CWorldClockApplet::Draw()
{
    HDC dc = m_surface;
    RECT all = {0, 0, kAppletWidth, kAppletHeight};
    HBRUSH background = ::CreateSolidBrush(m_background);
    ::FillRect(dc, &all, background);
    ::DeleteObject(background);
    for (int slot = 0; slot < CCitySlots::kCount; ++slot)
        DrawBox(dc, slot);
    Invalidate(FALSE);
}

void CWorldClockApplet::DrawBox(HDC dc, int slot)
{
    const POINT box = kAppletBoxOrigins[slot];
    HBRUSH fill = ::CreateSolidBrush(m_boxFill);
    HPEN outline = ::CreatePen(PS_SOLID, 1, m_text);
    HGDIOBJ oldBrush = ::SelectObject(dc, fill);
    HGDIOBJ oldPen = ::SelectObject(dc, outline);
    ::RoundRect(dc, box.x, box.y, box.x + kAppletBoxSize.cx, box.y + kAppletBoxSize.cy, 8, 8);
    ::SelectObject(dc, oldPen);
    ::SelectObject(dc, oldBrush);
    ::DeleteObject(outline);
    ::DeleteObject(fill);

    const CCityInfo* city = m_slots.Get(slot);
    if (!city)
        return;
    Text(dc, box.x + kBoxName.x, box.y + kBoxName.y, city->szName, m_nameFont, m_text);
    SYSTEMTIME time;
    if (!GetTimeByTzIndex(city->wTzIndex, &time))
        return;  // a zone the table lacks: the name only
    wchar_t text[32];
    if (FormatWeekday(time, text, 32))
        Text(dc, box.x + kBoxWeekday.x, box.y + kBoxWeekday.y, text, m_nameFont, m_text);
    if (FormatAmPm(time, text, 32))
        Text(dc, box.x + kBoxAmPm.x, box.y + kBoxAmPm.y, text, m_nameFont, m_text);
    if (FormatBoxTime(time, text, 32)) {
        POINT at = wcslen(text) < 10 ? kBoxTimeShort : kBoxTimeLong;
        Text(dc, box.x + at.x, box.y + at.y, text, m_digitFont, m_text);
    }
}

void CWorldClockApplet::OnPaint()
{
    CPaintDC dc(m_hWnd);
    m_surface.Draw(dc, 0, 0, kOpaqueCopy);
}

BOOL CWorldClockApplet::OnEraseBkgnd(HDC /*hdc*/)
{
    return TRUE;
}

void CWorldClockApplet::OnTimer(UINT_PTR timerId)
{
    if (timerId == kTickTimer && m_updating)
        Draw();
}

LRESULT CWorldClockApplet::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KETRA_APPLETSHOWN:
        m_updating = true;
        Draw();
        return 0;
    case WM_KETRA_APPLETHIDDEN:
        m_updating = false;
        return 0;
    case WM_KETRA_RELAY:
        // The program stored other cities.
        m_slots.Load();
        Draw();
        ::SendMessageW(::GetParent(m_hWnd), WM_KETRA_OPEN, 0, 0);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PRINTCLIENT:
        m_surface.Draw((HDC)wParam, 0, 0, kOpaqueCopy);
        return 0;
    }
    return CApplet::OnMessage(message, wParam, lParam);
}

int CWorldClockApplet::BoxAt(CPoint point) const
{
    for (int slot = 0; slot < CCitySlots::kCount; ++slot) {
        const POINT box = kAppletBoxOrigins[slot];
        RECT area = {box.x, box.y, box.x + kAppletBoxSize.cx, box.y + kAppletBoxSize.cy};
        if (::PtInRect(&area, point))
            return slot;
    }
    return 0;
}

void CWorldClockApplet::OnLButtonDown(CPoint point)
{
    ShowMenu(BoxAt(point), point);
}

// The box's city, its country and telephone code (greyed: they inform), and
// "Settings..."; an empty box offers only "Settings...".
void CWorldClockApplet::ShowMenu(int slot, CPoint point)
{
    HMENU menu = ::CreatePopupMenu();
    if (!menu)
        return;
    if (const CCityInfo* city = m_slots.Get(slot)) {
        wchar_t phone[kLineChars];
        ::AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, city->szName);
        ::AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, city->szCountry);
        if (FormatPhoneLine(*city, phone, kLineChars))
            ::AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, phone);
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    }
    ::AppendMenuW(menu, MF_STRING, kSettingsCommand, L"Settings...");
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, 0, m_hWnd, nullptr);
    ::DestroyMenu(menu);
}

LRESULT CWorldClockApplet::OnCommand(UINT id, UINT code)
{
    if (id == kSettingsCommand) {
        OpenProgram();
        return 0;
    }
    return CApplet::OnCommand(id, code);
}

// The program beside the applet's library.
void CWorldClockApplet::OpenProgram()
{
    CModuleInfo library(CorAppletModule());
    if (LPCWSTR program = library.GetFileName(kProgram))
        CSH::Execute(program);
}
