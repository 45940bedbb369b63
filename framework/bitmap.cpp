// CBitmap and CIcon.
#include "drawcontext.h"
#include "gdiobject.h"

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    DeleteObject();
    return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

BOOL CBitmap::LoadBitmapW(HINSTANCE instance, LPCWSTR name)
{
    DeleteObject();
    return Attach(::LoadBitmapW(instance, name));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    DeleteObject();
    if (dc && dc->GetSafeHdc())
        return Attach(::CreateCompatibleBitmap(dc->GetSafeHdc(), width, height));
    // No context: compatible with the screen.
    HDC screen = GetDC(nullptr);
    const BOOL created = Attach(::CreateCompatibleBitmap(screen, width, height));
    ReleaseDC(nullptr, screen);
    return created;
}

int CBitmap::GetBitmap(BITMAP* bitmap) const
{
    return m_hObject ? ::GetObjectW(m_hObject, sizeof(BITMAP), bitmap) : 0;
}

CSize CBitmap::SetBitmapDimension(int width, int height)
{
    const CSize previous = m_size;
    m_size = CSize(width, height);
    return previous;
}

CIcon::~CIcon()
{
    if (m_hIcon)
        DestroyIcon(m_hIcon);
}

HICON CIcon::LoadIconW(HINSTANCE instance, UINT id)
{
    HICON icon = ::LoadIconW(instance, MAKEINTRESOURCEW(id));
    if (!icon)
        return nullptr;  // the icon held stays
    if (m_hIcon && m_hIcon != icon)
        DestroyIcon(m_hIcon);
    m_hIcon = icon;
    return icon;
}
