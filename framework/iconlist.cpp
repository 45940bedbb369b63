// CIconList: cells of a strip image drawn one at a time.
#include "imagefile.h"

CIconList::~CIconList()
{
    delete m_pImage;
}

BOOL CIconList::Load(CDC* dc, LPCWSTR path)
{
    CImage* image = new CImage;
    if (!image->Load(dc ? dc->GetSafeHdc() : nullptr, path)) {
        delete image;
        return FALSE;
    }
    SetImage(image);
    return TRUE;
}

void CIconList::SetImage(CImage* image)
{
    if (image != m_pImage)
        delete m_pImage;
    m_pImage = image;
}

void CIconList::Draw(CDC* dc, int x, int y, int row, int column)
{
    if (!dc || !m_pImage || !m_pImage->IsLoaded())
        return;
    const RECT cell = {column * m_cx, row * m_cy, (column + 1) * m_cx - 1, (row + 1) * m_cy - 1};
    const RECT dest = {x, y, x + m_cx - 1, y + m_cy - 1};
    m_pImage->Draw(dc->GetSafeHdc(), dest, cell, kTransparent);
}
