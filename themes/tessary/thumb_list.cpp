// CThumbList: a folder's thumbnails, paged, and their drawing.
#include <tskthumb.h>

#include <strsafe.h>

#include "tessary_private.h"

namespace {

const wchar_t kColoursKey[] = L"Software\\ZARQ\\Ketra\\Colors";
const COLORREF kDefaultColours[3] = {0x00FEFCFC, 0x00D8E9EC, 0x00000000};
const int kFontHeight = 12;
// The arrow column right of the thumbnails: the page counter's x, the
// column's middle, and the arrows' places in the previous and next areas.
const int kCounterX = 216;
const int kColumnMiddleY = 46;
const int kArrowX = 215;
const int kUpArrowY = 20;
const int kDownArrowY = 57;
const int kIconSize = 16;
// "Loading ..." below a thumbnail's top.
const int kLoadingOffsetY = 18;
const POINT kProgressAt = {100, 4};

} // namespace

void GetThumbColors(COLORREF colours[3])
{
    CRegistry key;
    key.Open(HKEY_LOCAL_MACHINE, kColoursKey, TRUE);
    const wchar_t* const names[3] = {L"1", L"2", L"3"};
    for (int i = 0; i < 3; ++i) {
        DWORD value = 0;
        colours[i] = key.IsOpen() && key.ReadDWORD(names[i], &value) ? static_cast<COLORREF>(value)
                                                                     : kDefaultColours[i];
    }
}

CThumbList::CThumbList()
{
    GetThumbColors(m_crColor);
}

CThumbList::~CThumbList()
{
    RemoveAll();
    if (m_hIconUp)
        ::DestroyIcon(m_hIconUp);
    if (m_hIconDown)
        ::DestroyIcon(m_hIconDown);
}

void CThumbList::AddData(CThumb* thumb)
{
    if (thumb)
        AddTail(thumb);
}

CThumb* CThumbList::GetData(int index) const
{
    POSITION position = FindIndex(index);
    return position ? static_cast<CThumb*>(GetAt(position)) : nullptr;
}

void CThumbList::RemoveAll()
{
    POSITION position = GetHeadPosition();
    while (position)
        delete static_cast<CThumb*>(GetNext(position));
    CObList::RemoveAll();
    m_nCurPage = 0;
    m_nBase = 0;
    m_nPageCount = 1;
    m_nLoadedCount = -1;
}

BOOL CThumbList::RemoveItem(int index)
{
    POSITION position = FindIndex(index);
    if (!position)
        return FALSE;
    delete static_cast<CThumb*>(GetAt(position));
    RemoveAt(position);
    if (m_nLoadedCount >= index)
        --m_nLoadedCount;
    UpdatePageCount();
    return TRUE;
}

void CThumbList::UpdatePageCount()
{
    const int count = GetCount();
    m_nPageCount = count > 0 ? (count - 1) / m_nColCount + 1 : 1;
    if (m_nCurPage >= m_nPageCount)
        m_nCurPage = m_nPageCount - 1;
    if (m_nCurPage < 0)
        m_nCurPage = 0;
    m_nBase = m_nCurPage * m_nColCount;
}

int CThumbList::GetIndex(POINT point) const
{
    for (int i = m_nBase; i < m_nBase + m_nColCount && i < GetCount(); ++i) {
        CThumb* thumb = GetData(i);
        if (thumb && thumb->IsThisArea(point))
            return i;
    }
    return -1;
}

LPCWSTR CThumbList::GetFilePath(POINT point) const
{
    CThumb* thumb = GetData(GetIndex(point));
    return thumb ? thumb->GetFilePath() : nullptr;
}

LPCWSTR CThumbList::GetFileName(POINT point) const
{
    CThumb* thumb = GetData(GetIndex(point));
    return thumb ? thumb->GetFileName() : nullptr;
}

BOOL CThumbList::MoveNextThumbs()
{
    if (m_nCurPage >= (GetCount() - 1) / m_nColCount)
        return FALSE;
    ++m_nCurPage;
    m_nBase = m_nCurPage * m_nColCount;
    return TRUE;
}

BOOL CThumbList::MovePrevThumbs()
{
    if (m_nCurPage <= 0)
        return FALSE;
    --m_nCurPage;
    m_nBase = m_nCurPage * m_nColCount;
    return TRUE;
}

void CThumbList::LoadIcons()
{
    if (!m_hIconUp)
        m_hIconUp = static_cast<HICON>(::LoadImageW(TessaryModule(), MAKEINTRESOURCEW(kUpIcon), IMAGE_ICON,
                                                    kIconSize, kIconSize, 0));
    if (!m_hIconDown)
        m_hIconDown = static_cast<HICON>(::LoadImageW(TessaryModule(), MAKEINTRESOURCEW(kDownIcon), IMAGE_ICON,
                                                      kIconSize, kIconSize, 0));
}

void CThumbList::TextOut(HDC dc, int x, int y, LPCWSTR text, COLORREF colour) const
{
    if (!dc || !text)
        return;
    CFont font;
    font.CreateFont(kFontHeight, L"Tahoma", FW_NORMAL);
    CSelectObject selected(dc, font);
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = ::SetTextColor(dc, colour);
    ::ExtTextOutW(dc, x, y, 0, nullptr, text, static_cast<UINT>(wcslen(text)), nullptr);
    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
}

void CThumbList::DrawThumbs(HDC dc, POINT origin, int width, int height, int gap, BOOL progress)
{
    if (!dc)
        return;
    LoadIcons();
    const COLORREF text = m_crColor[2];
    for (int i = 0; i < m_nColCount; ++i) {
        CThumb* thumb = GetData(m_nBase + i);
        if (!thumb)
            break;
        const int x = origin.x + (width + gap) * i;
        if (thumb->IsPreviewDone())
            thumb->Draw(dc, RECT{x, origin.y, x + width, origin.y + height});
        else
            TextOut(dc, x, origin.y + kLoadingOffsetY, L"Loading ...", text);
    }

    wchar_t counter[32];
    StringCchPrintfW(counter, 32, L"%d/%d", m_nCurPage + 1, m_nPageCount);
    TextOut(dc, kCounterX, kColumnMiddleY - kFontHeight / 2, counter, text);
    if (progress && !IsFullLoaded() && GetCount() > 0) {
        wchar_t loading[32];
        StringCchPrintfW(loading, 32, L"%d%% Loading...", (m_nLoadedCount + 1) * 100 / GetCount());
        TextOut(dc, kProgressAt.x, kProgressAt.y, loading, text);
    }
    if (m_nPageCount > 1) {
        if (m_nCurPage > 0 && m_hIconUp)
            ::DrawIconEx(dc, kArrowX, kUpArrowY, m_hIconUp, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
        if (m_nCurPage < m_nPageCount - 1 && m_hIconDown)
            ::DrawIconEx(dc, kArrowX, kDownArrowY, m_hIconDown, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
    }
}
