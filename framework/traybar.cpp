// CTrayItem and CTrayBar: a strip of 20-pixel icon buttons drawn and
// driven by the owning window.
#include "widgets.h"

#include <strsafe.h>

CTrayItem::CTrayItem(int icon, LPCWSTR text, DWORD kind) : m_nIcon(icon), m_dwKind(kind) {
    m_szText[0] = L'\0';
    // Longer texts are cut to the field.
    if (text) StringCchCopyW(m_szText, kTextChars, text);
}

CTrayBar::CTrayBar() { m_icons.SetSize(16, 16); }

CTrayBar::~CTrayBar() { RemoveAll(); }

void CTrayBar::Create(const RECT& rect, CImage* strip, CWnd* owner) {
    m_rect = rect;
    m_pOwner = owner;
    m_icons.SetImage(strip);
}

void CTrayBar::Create(const RECT& rect, LPCWSTR stripPath, CWnd* owner) {
    m_rect = rect;
    m_pOwner = owner;
    LoadImageW(stripPath);  // a strip that fails to load leaves the bar without icons
}

BOOL CTrayBar::LoadImageW(LPCWSTR path) {
    if (!path || !*path) return FALSE;
    if (m_pOwner && m_pOwner->GetSafeHwnd()) {
        CClientDC dc(m_pOwner);
        return m_icons.Load(&dc, path);
    }
    return m_icons.Load(nullptr, path);
}

BOOL CTrayBar::Add(int icon, LPCWSTR text, DWORD kind) {
    AddTail(new CTrayItem(icon, text, kind));
    return TRUE;
}

BOOL CTrayBar::RemoveAll() {
    POSITION position = GetHeadPosition();
    while (position) delete static_cast<CTrayItem*>(GetNext(position));
    CObList::RemoveAll();
    m_nSelect = -1;
    return TRUE;
}

CRect CTrayBar::ItemSquare(int index) const {
    const int left = m_rect.left + kPitch * index + kMargin;
    const int top = m_rect.top + kMargin;
    return CRect(left, top, left + kSquare, top + kSquare);
}

int CTrayBar::GetItem(POINT point) const {
    for (int i = 0; i < GetCount(); ++i) {
        if (ItemSquare(i).PtInRect(point)) return i;
    }
    return -1;
}

CTrayItem* CTrayBar::GetTrayItem(int index) const {
    if (index < 0) return nullptr;
    POSITION position = FindIndex(index);
    return position ? static_cast<CTrayItem*>(GetAt(position)) : nullptr;
}

void CTrayBar::DrawBar(CDC* dc) {
    if (!dc) return;
    int index = 0;
    POSITION position = GetHeadPosition();
    while (position) {
        const CTrayItem* item = static_cast<const CTrayItem*>(GetNext(position));
        const CRect square = ItemSquare(index++);
        m_icons.Draw(dc, square.left, square.top, 0, item->m_nIcon);
    }
}

int CTrayBar::OnLButtonDown(POINT point) {
    m_nSelect = GetItem(point);
    return m_nSelect;
}

int CTrayBar::OnLButtonUp(POINT point) {
    const int index = GetItem(point);
    if (index < 0 || index != m_nSelect) return 1;
    CTrayItem* item = GetTrayItem(index);
    if (!item) return 1;
    switch (item->m_dwKind) {
    case CTrayItem::kPostText: {
        // The item outlives the message: the receiver reads the text in place.
        HWND owner = m_pOwner ? m_pOwner->GetSafeHwnd() : nullptr;
        HWND parent = owner ? ::GetParent(owner) : nullptr;
        if (parent) ::PostMessageW(parent, kTextMessage, reinterpret_cast<WPARAM>(item->m_szText), 0);
        return 1;
    }
    case CTrayItem::kReportToCaller:
        return 0;
    default:
        return 1;
    }
}
