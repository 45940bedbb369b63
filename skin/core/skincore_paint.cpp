// Painting a skin window: the background image in three bands (the top and
// bottom bands keep their height, the middle one stretches), then OnDraw.
#include "skinwnd.h"

#include <algorithm>

namespace {

// Draws the source rows [sourceTop, sourceBottom) of the image, full width,
// stretched onto the rows [top, bottom) of the destination, full width.
// Nothing is drawn for an empty band on either side.
void DrawBand(HDC dc, CImage* image, int sourceTop, int sourceBottom, int width, int top, int bottom)
{
    if (sourceBottom <= sourceTop || bottom <= top || width <= 0)
        return;
    RECT dest = {0, top, width - 1, bottom - 1};  // the image's rectangles are inclusive
    RECT source = {0, sourceTop, image->GetWidth() - 1, sourceBottom - 1};
    image->Draw(dc, dest, source, kOpaqueCopy);
}

}  // namespace

int CSkinCore::DrawSkin(CDC* /*dc*/)
{
    return 1;
}

void CSkinCore::OnPaint()
{
    CPaintDC dc(m_hWnd);
    PaintSkin(&dc);
}

void CSkinCore::PaintSkin(CDC* dc)
{
    if (!dc || !dc->GetSafeHdc())
        return;
    // A description without a background (a skin file without a minimised
    // skin, for one) paints nothing of its own.
    CImage* image = m_pSkinInfo->GetBackground();
    if (image && image->IsLoaded()) {
        const CRect& fixed = m_pSkinInfo->GetFixedRange();
        const int windowWidth = m_prcWindow->Width();
        const int windowHeight = m_prcWindow->Height();
        const int imageHeight = image->GetHeight();
        if (fixed.top != 0 || fixed.bottom != 0) {
            // The bands are cut to what the image and the window hold, so
            // that no band is drawn upside down or over another; the rows of
            // the top and bottom bands are never stretched.
            const int head = std::clamp((int)fixed.top, 0, imageHeight);
            const int foot = std::clamp((int)fixed.bottom, 0, imageHeight - head);
            const int headShown = std::min(head, std::max(windowHeight, 0));
            const int footShown = std::min(foot, std::max(windowHeight - headShown, 0));
            HDC hdc = dc->GetSafeHdc();
            DrawBand(hdc, image, 0, headShown, windowWidth, 0, headShown);
            DrawBand(hdc, image, head, imageHeight - foot, windowWidth, headShown, windowHeight - footShown);
            DrawBand(hdc, image, imageHeight - footShown, imageHeight, windowWidth, windowHeight - footShown,
                     windowHeight);
        } else {
            image->Draw(dc->GetSafeHdc(), 0, 0, kOpaqueCopy);
        }
    }
    OnDraw(dc);
}
