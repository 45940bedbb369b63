// The bar's background painted for an applet that asks for it (1125).
#include "mainwnd.h"

void CKetraWnd::DrawAppletBackground(const TODAYDRAWWATERMARKINFO* info)
{
    if (!info || !info->hdc)
        return;
    if (m_settings.m_bBackOn && !m_pBkImage && !m_bBkTried) {
        // One attempt only: a picture that cannot be loaded turns the
        // picture off until the program ends.
        m_bBkTried = 1;
        CImage* image = new CImage;
        if (image->LoadStored(info->hdc, m_settings.m_szBkImage)) {
            m_pBkImage = image;
        } else {
            delete image;
            m_settings.m_bBackOn = 0;
        }
    }
    const RECT& rect = info->rc;
    if (m_settings.m_bBackOn && m_pBkImage) {
        if (m_settings.m_bBkStretch == 1) {
            // Draw takes an inclusive destination.
            RECT dest = {rect.left, rect.top, rect.right - 1, rect.bottom - 1};
            m_pBkImage->Draw(info->hdc, dest, kOpaqueCopy);
        } else {
            m_pBkImage->DrawTile(info->hdc, rect, kOpaqueCopy);
        }
        return;
    }
    // A rectangle without a border: exactly the fill colour, edge to edge.
    CDC dc(info->hdc);
    CBrush brush(RGB(0xC0, 0xC0, 0xFF));
    HGDIOBJ oldBrush = dc.SelectObject(&brush);
    HGDIOBJ oldPen = dc.SelectStockObject(NULL_PEN);
    dc.Rectangle(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
    dc.SelectObject(oldPen);
    dc.SelectObject(oldBrush);
}
