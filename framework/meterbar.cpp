// CMeterBar: a level bar drawn by its owner, which doubles as a slider.
#include "widgets.h"

#include <algorithm>

BOOL CMeterBar::Create(DWORD style, const RECT& rect) {
    SetBarStyle(style ? style : (kSolid | kHorizontal), 2);
    m_rect = rect;
    SetRange(0, 100);
    m_bMouseDown = FALSE;
    return TRUE;
}

void CMeterBar::SetBarStyle(DWORD style, int inset) {
    m_dwStyle = style;
    m_nInset = inset;
    m_bAutoColor = TRUE;
}

void CMeterBar::SetBarStyle(DWORD style, int inset, COLORREF colour) {
    m_dwStyle = style;
    m_nInset = inset;
    m_crFixed = colour;
    m_bAutoColor = FALSE;
}

COLORREF CMeterBar::GetColor(int value) const {
    if (!m_bAutoColor) return m_crFixed;
    if (value < 30) return MeterColour::kRed;
    if (value <= 60) return MeterColour::kAmber;
    return MeterColour::kGreen;
}

void CMeterBar::SetRange(int minimum, int maximum) {
    m_nMin = minimum;
    m_nMax = maximum;
    m_dRange = static_cast<double>(maximum) - static_cast<double>(minimum);
    m_nPos = minimum;
}

int CMeterBar::SetPos(int position) {
    if (position >= m_nMin && position <= m_nMax) m_nPos = position;
    return m_nPos;
}

int CMeterBar::GetPos(POINT point) {
    const bool horizontal = (m_dwStyle & kHorizontal) != 0;
    const int size = horizontal ? m_rect.Width() : m_rect.Height();
    // An empty range or rectangle has only the minimum to offer.
    if (size <= 0 || m_dRange <= 0) {
        m_nPos = m_nMin;
        return m_nPos;
    }
    const int offset = horizontal ? point.x - m_rect.left : m_rect.bottom - point.y;
    double position = m_nMin + static_cast<double>(offset) * m_dRange / size;
    position = std::clamp(position, static_cast<double>(m_nMin), static_cast<double>(m_nMax));
    m_nPos = static_cast<int>(position);  // truncated toward zero
    return m_nPos;
}

CRect CMeterBar::BarArea() const {
    CRect area = m_rect;
    if (m_nInset > 0) area.DeflateRect(m_nInset, m_nInset);
    return area;
}

int CMeterBar::FilledExtent(int size) const {
    if (m_dRange <= 0 || size <= 0) return 0;
    const double extent = static_cast<double>(GetAbsPos()) * size / m_dRange;
    return std::clamp(static_cast<int>(extent), 0, size);
}

void CMeterBar::Draw(CDC* dc) {
    if (!dc) return;
    HGDIOBJ oldBrush = dc->SelectStockObject(WHITE_BRUSH);
    dc->Rectangle(&m_rect);
    dc->SelectObject(oldBrush);
    if (m_dwStyle & kSolid) DrawBar(dc);
    else DrawDashBar(dc, 5);
}

void CMeterBar::DrawBar(CDC* dc) {
    if (!dc) return;
    const CRect area = BarArea();
    CRect fill = area;
    if (m_dwStyle & kHorizontal) fill.right = area.left + FilledExtent(area.Width());
    else fill.top = area.bottom - FilledExtent(area.Height());
    if (fill.Width() <= 0 || fill.Height() <= 0) return;
    HBRUSH brush = ::CreateSolidBrush(GetColor(GetAbsPos()));
    ::FillRect(*dc, &fill, brush);
    ::DeleteObject(brush);
}

void CMeterBar::DrawDashBar(CDC* dc, int pitch) {
    if (!dc || m_nPos <= m_nMin || pitch < 2) return;
    const CRect area = BarArea();
    const bool horizontal = (m_dwStyle & kHorizontal) != 0;
    const int extent = FilledExtent(horizontal ? area.Width() : area.Height());
    HBRUSH brush = ::CreateSolidBrush(GetColor(GetAbsPos()));
    for (int offset = 0; offset < extent; offset += pitch) {
        const int end = std::min(offset + pitch - 1, extent);  // the last dash is cut
        CRect dash = area;
        if (horizontal) {
            dash.left = area.left + offset;
            dash.right = area.left + end;
        } else {
            dash.bottom = area.bottom - offset;
            dash.top = area.bottom - end;
        }
        ::FillRect(*dc, &dash, brush);
    }
    ::DeleteObject(brush);
}

BOOL CMeterBar::OnLButtonDown(POINT point) {
    CRect grown = m_rect;
    grown.InflateRect(2, 2);
    if (!grown.PtInRect(point)) return FALSE;
    m_bMouseDown = TRUE;
    return TRUE;
}

BOOL CMeterBar::OnMouseMove(POINT point) {
    if (!m_bMouseDown) return FALSE;
    GetPos(point);
    return TRUE;
}

BOOL CMeterBar::OnLButtonUp(POINT) {
    if (!m_bMouseDown) return FALSE;
    m_bMouseDown = FALSE;
    return TRUE;
}
