// CThumb: one theme thumbnail, its preview surface and where it was drawn.
#include <tskthumb.h>

#include <strsafe.h>
#include <wchar.h>

CSize CThumb::m_size(36, 48);

CThumb::CThumb()
{
    m_szPath[0] = L'\0';
}

CThumb::~CThumb() = default;

void CThumb::Init(SIZE size)
{
    m_size = CSize(size);
}

BOOL CThumb::Set(HWND window, LPCWSTR path)
{
    if (!path || FAILED(StringCchCopyW(m_szPath, MAX_PATH, path)))
        return FALSE;
    HDC reference = ::GetDC(window);
    m_preview.CreateDCW(reference, m_size.cx, m_size.cy);
    ::ReleaseDC(window, reference);
    if (!m_preview.HasBitmap()) {
        m_preview.DeleteDC();
        return FALSE;
    }
    m_bPreviewDone = FALSE;
    return TRUE;
}

void CThumb::Draw(HDC dc, const RECT& rect)
{
    m_rect = rect;
    if (rect.right > rect.left && rect.bottom > rect.top)
        m_preview.Draw(dc, RECT{rect.left, rect.top, rect.right - 1, rect.bottom - 1}, kOpaqueCopy);
}

BOOL CThumb::IsThisArea(POINT point) const
{
    return ::PtInRect(&m_rect, point);
}

LPCWSTR CThumb::GetFileName() const
{
    const wchar_t* slash = wcsrchr(m_szPath, L'\\');
    return slash ? slash + 1 : m_szPath;
}
