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

// The background in three bands over the window's size. The bands are cut
// to what the image and the window hold, so that no band is drawn upside
// down or over another; the rows of the top and bottom bands are never
// stretched.
void DrawBands(HDC dc, CImage* image, const CRect& fixed, int windowWidth, int windowHeight)
{
    const int imageHeight = image->GetHeight();
    const int head = std::clamp((int)fixed.top, 0, imageHeight);
    const int foot = std::clamp((int)fixed.bottom, 0, imageHeight - head);
    const int headShown = std::min(head, std::max(windowHeight, 0));
    const int footShown = std::min(foot, std::max(windowHeight - headShown, 0));
    DrawBand(dc, image, 0, headShown, windowWidth, 0, headShown);
    DrawBand(dc, image, head, imageHeight - foot, windowWidth, headShown, windowHeight - footShown);
    DrawBand(dc, image, imageHeight - footShown, imageHeight, windowWidth, windowHeight - footShown, windowHeight);
}

}  // namespace

void CSkinCore::DrawBackdrop(CDC* dc, CImage* image, int width, int height)
{
    const CRect& fixed = m_pSkinInfo->GetFixedRange();
    const bool composed = m_pBackdropImage == image && m_backdrop.GetWidth() == width &&
                          m_backdrop.GetHeight() == height && ::EqualRect(&m_rcBackdropFixed, &fixed);
    if (!composed) {
        ForgetBackdrop();
        // Composed against the window's own context, so that the copy to
        // the screen needs no conversion whatever context paints.
        HDC reference = m_pClientDC ? m_pClientDC->GetSafeHdc() : nullptr;
        if (!reference || width <= 0 || height <= 0) {
            DrawBands(dc->GetSafeHdc(), image, fixed, width, height);
            return;
        }
        m_backdrop.CreateDCW(reference, width, height);
        DrawBands(m_backdrop.GetSafeHdc(), image, fixed, width, height);
        m_pBackdropImage = image;
        m_rcBackdropFixed = fixed;
    }
    m_backdrop.Draw(dc->GetSafeHdc(), 0, 0, kOpaqueCopy);
}

void CSkinCore::ForgetBackdrop()
{
    m_backdrop.DeleteDC();
    m_pBackdropImage = nullptr;
}

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
        if (fixed.top != 0 || fixed.bottom != 0) {
            DrawBackdrop(dc, image, windowWidth, windowHeight);
        } else {
            image->Draw(dc->GetSafeHdc(), 0, 0, kOpaqueCopy);
        }
    }
    OnDraw(dc);
}
