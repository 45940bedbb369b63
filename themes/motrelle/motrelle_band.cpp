// The band over the viewer: "Flick Viewer: " and the theme's title in the
// theme's colours, and the icons of the four hot areas.
#include "motrelle_wnd.h"

namespace {

const int kFontHeight = 12;
const int kIconSize = 16;
const int kIconDrop = 3;

struct AreaIcon {
    int icon;
    int left;
};
const AreaIcon kAreaIcons[] = {{103, 164}, {104, 182}, {102, 200}, {101, 218}};

void DrawBandText(HDC dc, int x, int y, LPCWSTR text, COLORREF colour)
{
    CFont font;
    font.CreateFont(kFontHeight, L"Tahoma", FW_NORMAL);
    CSelectObject selected(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, colour);
    ::ExtTextOutW(dc, x, y, 0, nullptr, text, static_cast<UINT>(wcslen(text)), nullptr);
}

} // namespace

void CMotrelleWnd::DrawBand()
{
    HDC dc = m_band;
    if (!dc)
        return;
    RECT band = {0, 0, kWidth, kBandHeight};
    {
        CBrush brush(m_crBack);
        ::FillRect(dc, &band, brush);
    }
    DrawBandText(dc, 4, 2, L"Flick Viewer: ", m_crText);
    // The title stops short of the icons.
    int saved = ::SaveDC(dc);
    ::IntersectClipRect(dc, 60, 0, kAreaIcons[0].left, kBandHeight);
    DrawBandText(dc, 60, 2, m_szTitle, m_crText);
    ::RestoreDC(dc, saved);
    for (const AreaIcon& icon : kAreaIcons) {
        HICON handle = static_cast<HICON>(
            ::LoadImageW(CorAppletModule(), MAKEINTRESOURCEW(icon.icon), IMAGE_ICON, kIconSize, kIconSize, 0));
        if (!handle)
            continue;
        ::DrawIconEx(dc, icon.left + 1, kIconDrop, handle, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
        ::DestroyIcon(handle);
    }
    Invalidate(FALSE);
}
