// CButtonList: the buttons of a skin, their state images, hit testing and
// the press-and-release of a button.
#include "skininfo.h"

namespace {

// Image rectangles of the drawing classes are inclusive.
RECT Inclusive(const RECT& rect)
{
    return RECT{rect.left, rect.top, rect.right - 1, rect.bottom - 1};
}

}  // namespace

CButtonList::CButtonList()
    : CObList(10), m_pDC(nullptr), m_pPressed(nullptr), m_pEnable(nullptr), m_pMask(nullptr),
      m_pPushed(nullptr), m_pDisable(nullptr)
{
}

CButtonList::~CButtonList()
{
    RemoveAll();
}

void CButtonList::CopyFrom(const CButtonList& other)
{
    if (this == &other)
        return;
    RemoveAll();
    m_pDC = other.m_pDC;
    m_pEnable = other.m_pEnable;
    m_pMask = other.m_pMask;
    m_pPushed = other.m_pPushed;
    m_pDisable = other.m_pDisable;
    for (POSITION pos = other.GetHeadPosition(); pos;)
        AddButton(static_cast<const CButton*>(other.GetNext(pos)));
}

int CButtonList::Init(CDC* dc, CImage* image)
{
    if (!dc)
        return 0;
    m_pDC = dc;
    m_pEnable = image;
    m_pPushed = image;
    m_pDisable = image;
    RemoveAll();
    return 1;
}

int CButtonList::LoadEnable(LPCWSTR path)
{
    m_pEnable = g_imgList.GetImage(path);
    return m_pEnable != nullptr;
}

int CButtonList::LoadPushed(LPCWSTR path)
{
    m_pPushed = g_imgList.GetImage(path);
    return m_pPushed != nullptr;
}

int CButtonList::LoadMask(LPCWSTR path)
{
    m_pMask = g_imgList.GetImage(path);
    return m_pMask != nullptr;
}

int CButtonList::LoadDisable(LPCWSTR path)
{
    m_pDisable = g_imgList.GetImage(path);
    return m_pDisable != nullptr;
}

int CButtonList::AddButton(LPCWSTR command, COLORREF mask, const RECT& position, const RECT& enable,
                           const RECT& pushed, const RECT& disable)
{
    CButton* button = new CButton;
    button->m_nID = 100 + GetCount();
    button->SetCommand(command);
    button->m_crMask = mask;
    button->m_rcPosition = position;
    button->m_rcEnable = enable;
    button->m_rcPushed = pushed;
    button->m_rcDisable = disable;
    AddTail(button);
    return 1;
}

int CButtonList::AddButton(const CButton* button)
{
    if (!button)
        return 0;
    CButton* copy = new CButton(*button);
    copy->m_nID = 100 + GetCount();
    AddTail(copy);
    return 1;
}

CButton* CButtonList::GetButton(LPCWSTR command) const
{
    for (POSITION pos = GetHeadPosition(); pos;) {
        CButton* button = static_cast<CButton*>(GetNext(pos));
        if (button->IsEqual(command))
            return button;
    }
    return nullptr;
}

CButton* CButtonList::GetButton(int id) const
{
    for (POSITION pos = GetHeadPosition(); pos;) {
        CButton* button = static_cast<CButton*>(GetNext(pos));
        if (button->GetID() == id)
            return button;
    }
    return nullptr;
}

// The mask decides alone when there is one: a colour no button owns is no
// button, whatever the rectangles say.
CButton* CButtonList::GetButton(CPoint point) const
{
    if (m_pMask && m_pMask->IsLoaded()) {
        COLORREF colour = m_pMask->GetPixel(point);
        if (colour == CLR_INVALID)
            return nullptr;
        for (POSITION pos = GetHeadPosition(); pos;) {
            CButton* button = static_cast<CButton*>(GetNext(pos));
            if (button->m_crMask == colour)
                return button;
        }
        return nullptr;
    }
    for (POSITION pos = GetHeadPosition(); pos;) {
        CButton* button = static_cast<CButton*>(GetNext(pos));
        if (button->m_rcPosition.PtInRect(point))
            return button;
    }
    return nullptr;
}

void CButtonList::DrawButton(CDC* dc, CButton* button) const
{
    if (!button || !dc || !dc->GetSafeHdc())
        return;
    CImage* image;
    const CRect* source;
    switch (button->m_nStatus) {
    case CButton::Pushed:
        image = m_pPushed;
        source = &button->m_rcPushed;
        break;
    case CButton::Disabled:
        image = m_pDisable;
        source = &button->m_rcDisable;
        break;
    default:
        image = m_pEnable;
        source = &button->m_rcEnable;
        break;
    }
    if (!image)
        return;
    // The look has the button's size wherever it is taken from.
    const CRect& dest = button->m_rcPosition;
    CRect from(source->left, source->top, source->left + dest.Width(), source->top + dest.Height());
    image->Draw(dc->GetSafeHdc(), Inclusive(dest), Inclusive(from), kOpaqueCopy);
}

int CButtonList::OnLButtonDown(CPoint point)
{
    m_pPressed = GetButton(point);
    if (!m_pPressed || m_pPressed->m_nStatus == CButton::Disabled) {
        m_pPressed = nullptr;
        return 0;
    }
    m_pPressed->m_nStatus = CButton::Pushed;
    DrawButton(m_pDC, m_pPressed);
    return 1;
}

int CButtonList::OnLButtonUp(CPoint point)
{
    CButton* released = GetButton(point);
    if (m_pPressed) {
        m_pPressed->m_nStatus = CButton::Normal;
        DrawButton(m_pDC, m_pPressed);
        if (released == m_pPressed)
            return 1;
    }
    m_pPressed = nullptr;
    return 0;
}

void CButtonList::CancelPress()
{
    if (!m_pPressed)
        return;
    m_pPressed->m_nStatus = CButton::Normal;
    DrawButton(m_pDC, m_pPressed);
    m_pPressed = nullptr;
}

LPCWSTR CButtonList::GetCommand() const
{
    return m_pPressed ? m_pPressed->GetCommand() : nullptr;
}

void CButtonList::RemoveAll()
{
    while (!IsEmpty())
        delete static_cast<CButton*>(RemoveHead());
    m_pPressed = nullptr;
}
