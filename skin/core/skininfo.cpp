// The records of a skin description: CButton, CCtrl and CSkinInfo.
#include "skininfo.h"

#include <strsafe.h>

namespace {

// Copies text into a fixed field, cutting what does not fit (a skin author's
// over-long name must not run past the field).
void CopyCut(wchar_t* field, size_t capacity, LPCWSTR text)
{
    if (!text)
        text = L"";
    // STRSAFE_E_INSUFFICIENT_BUFFER still leaves the cut, terminated text.
    StringCchCopyW(field, capacity, text);
}

BOOL SameText(LPCWSTR field, LPCWSTR text)
{
    return text && wcscmp(field, text) == 0;
}

}  // namespace

// ---- CButton ---------------------------------------------------------------

CButton::CButton()
    : m_nID(0), m_crMask(kNoMaskColour), m_rcPosition(0, 0, 0, 0), m_rcEnable(0, 0, 0, 0),
      m_rcPushed(0, 0, 0, 0), m_rcDisable(0, 0, 0, 0), m_nStatus(Normal)
{
    m_szCommand[0] = L'\0';
}

BOOL CButton::IsEqual(LPCWSTR command) const
{
    return SameText(m_szCommand, command);
}

void CButton::SetCommand(LPCWSTR command)
{
    CopyCut(m_szCommand, kNameLength, command);
}

// ---- CCtrl -----------------------------------------------------------------

CCtrl::CCtrl() : m_rect(0, 0, 0, 0), m_nAlign(Left)
{
    m_szType[0] = L'\0';
    m_szID[0] = L'\0';
}

CCtrl::CCtrl(LPCWSTR type, LPCWSTR id, int align, const RECT& rect) : m_rect(rect), m_nAlign(align)
{
    CopyCut(m_szType, kNameLength, type);
    CopyCut(m_szID, kNameLength, id);
}

BOOL CCtrl::IsType(LPCWSTR type) const
{
    return SameText(m_szType, type);
}

BOOL CCtrl::IsID(LPCWSTR id) const
{
    return SameText(m_szID, id);
}

int CCtrl::ParseAlign(LPCWSTR text)
{
    if (SameText(L"center", text))
        return Center;
    if (SameText(L"right", text))
        return Right;
    return Left;
}

// ---- CSkinInfo -------------------------------------------------------------

CSkinInfo::CSkinInfo()
    : m_pBackground(nullptr), m_rcFixed(0, 0, 0, 0), m_rcWindow(0, 0, 0, 0), m_rcMoving(0, 0, 240, 320)
{
}

CSkinInfo::CSkinInfo(const CSkinInfo& other) : CSkinInfo()
{
    *this = other;
}

CSkinInfo& CSkinInfo::operator=(const CSkinInfo& other)
{
    if (this == &other)
        return *this;
    m_pBackground = other.m_pBackground;
    m_rcFixed = other.m_rcFixed;
    m_rcWindow = other.m_rcWindow;
    m_rcMoving = other.m_rcMoving;
    m_btnList.CopyFrom(other.m_btnList);
    m_ctrlList.CopyFrom(other.m_ctrlList);
    return *this;
}

CSkinInfo::~CSkinInfo() = default;
