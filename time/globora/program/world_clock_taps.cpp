// The world clock's taps: the boxes (choose, copy into, open the list), the
// header, the map (the nearest city follows the stylus; lifting it offers
// the nearest seven), and the city list.
#include "world_clock_wnd.h"

#include <stdio.h>

#include "clock_style.h"
#include "clock_text.h"
#include "resource.h"

using namespace globora;

namespace {

const int kListWidth = 113;
const int kListHeight = 120;
const int kListLeft = 5;    // from the box area's left
const int kListAbove = 83;  // above the box area's top

bool Inside(const RECT& rect, CPoint point)
{
    return ::PtInRect(&rect, point) != FALSE;
}

} // namespace

int CWorldClockWnd::BoxAt(CPoint point) const
{
    for (int slot = 0; slot < CCitySlots::kCount; ++slot)
        if (Inside(kBoxAreas[slot], point))
            return slot;
    return -1;
}

void CWorldClockWnd::OnLButtonDown(CPoint point)
{
    if (m_listSlot >= 0) {
        CloseList();
        return;
    }
    int slot = BoxAt(point);
    if (slot >= 0)
        TapBox(slot, point);
    else if (Inside(kHeaderArea, point))
        ToggleHeader();
    else if (Inside(kMapArea, point))
        StylusOnMap(point);
    else if (m_current) {
        m_mode = kCityMode;
        DrawHeader();
        ShowHeader();
    }
}

void CWorldClockWnd::OnMouseMove(CPoint point)
{
    if (m_stylusOnMap && Inside(kMapArea, point))
        StylusOnMap(point);
}

void CWorldClockWnd::OnLButtonUp(CPoint point)
{
    if (m_stylusOnMap)
        StylusOffMap(point);
}

// The top row of a box holds its two icons: the right one opens the list,
// the one left of it copies the current city here.  Elsewhere the box's
// city becomes current.
void CWorldClockWnd::TapBox(int slot, CPoint point)
{
    const RECT& area = kBoxAreas[slot];
    if (point.y < area.top + kBoxIconRow && point.x >= area.right - kBoxIconZone) {
        OpenList(slot);
        return;
    }
    if (point.y < area.top + kBoxIconRow && point.x >= area.right - 2 * kBoxIconZone) {
        if (!m_current)
            return;  // nothing to copy
        m_slots.Set(slot, m_current);
        DrawAll();
        return;
    }
    const CCityInfo* city = m_slots.Get(slot);
    if (!city)
        return;
    MakeCurrent(city);
    AnimateTarget(MapPoint(city->dLongitude, city->dLatitude));
}

void CWorldClockWnd::MakeCurrent(const CCityInfo* city)
{
    if (!city)
        return;
    m_current = city;
    m_mode = kCityMode;
    DrawHeader();
    ShowHeader();
}

// City mode needs a city; without one the header stays a clock.
void CWorldClockWnd::ToggleHeader()
{
    m_mode = m_mode == kClockMode && m_current ? kCityMode : kClockMode;
    DrawHeader();
    ShowHeader();
}

// The stylus on the map: its point is marked, and the nearest city (by
// whole degrees) becomes current.
void CWorldClockWnd::StylusOnMap(CPoint point)
{
    if (!m_stylusOnMap) {
        m_stylusOnMap = true;
        ::SetCapture(m_hWnd);
    }
    if (m_marked)
        InvertMark(m_mark);
    m_mark = point;
    m_marked = true;
    InvertMark(m_mark);
    const CCityInfo* close = nullptr;
    if (GetCloseCityInfo(MapLongitude(point.x), MapLatitude(point.y), &close))
        MakeCurrent(close);
}

void CWorldClockWnd::StylusOffMap(CPoint point)
{
    m_stylusOnMap = false;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    if (m_marked) {
        InvertMark(m_mark);
        m_marked = false;
    }
    if (Inside(kMapArea, point))
        ShowNearestMenu(point);
}

// Up to seven cities nearest the point, nearest first; a choice arrives as
// command 2001 onward.  No menu far from every city.
void CWorldClockWnd::ShowNearestMenu(CPoint point)
{
    WORD count = 0;
    const CCityInfo* nearest[kMaxNearCities];
    if (!GetCityInfo(MapLongitude(point.x), MapLatitude(point.y), nearest, &count))
        return;
    m_nearCount = count;
    for (int i = 0; i < count; ++i)
        m_near[i] = nearest[i];
    HMENU menu = ::CreatePopupMenu();
    if (!menu)
        return;
    for (int i = 0; i < count; ++i) {
        wchar_t text[kLineChars];
        int written = _snwprintf(text, kLineChars - 1, L"%ls, %ls", nearest[i]->szName, nearest[i]->szCountry);
        text[kLineChars - 1] = L'\0';
        if (written < 0)
            continue;
        ::AppendMenuW(menu, MF_STRING, IDM_GLOBORA_NEAR_FIRST + i, text);
    }
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, 0, m_hWnd, nullptr);
    ::DestroyMenu(menu);
}

// The list of every city, in table order, over the slot's box.
void CWorldClockWnd::OpenList(int slot)
{
    if (!m_list.GetSafeHwnd()) {
        RECT rect = {0, 0, kListWidth, kListHeight};
        if (!m_list.Create(rect, m_hWnd, IDC_GLOBORA_CITY_LIST, CListBox::kDefaultStyle & ~WS_VISIBLE))
            return;
        m_list.SendMessageW(WM_SETFONT, (WPARAM)m_listFont, FALSE);
        const CCityInfo* cities = CCityList::GetList();
        for (int i = 0; i < CCityList::GetCount(); ++i)
            m_list.AddString(cities[i].szName);
    }
    // The slot's own row: list rows are table rows (two cities may share a name).
    const CCityInfo* city = m_slots.Get(slot);
    m_list.SetCurSel(city ? (int)(city - CCityList::GetList()) : -1);
    const RECT& area = kBoxAreas[slot];
    m_list.MoveWindow(area.left + kListLeft, area.top - kListAbove, kListWidth, kListHeight);
    m_listSlot = slot;
    m_list.ShowWindow();
    ::SetFocus(m_list);
}

void CWorldClockWnd::CloseList()
{
    if (m_listSlot < 0)
        return;
    m_listSlot = -1;
    m_list.HideWindow();
    ::SetFocus(m_hWnd);
}

void CWorldClockWnd::OnListNotify(UINT code)
{
    if (m_listSlot < 0)
        return;
    switch (code) {
    case LBN_SELCHANGE:
    case LBN_DBLCLK: {
        int row = m_list.GetCurSel();
        if (row < 0 || row >= CCityList::GetCount())
            return;
        const CCityInfo* city = &CCityList::GetList()[row];
        m_slots.Set(m_listSlot, city);
        CloseList();
        m_current = city;
        m_mode = kCityMode;
        DrawAll();
        break;
    }
    case LBN_SELCANCEL:
    case LBN_KILLFOCUS:
        CloseList();
        break;
    }
}
