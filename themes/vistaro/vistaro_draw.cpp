// The theme browser's off-screen picture: the folder line, the two panels,
// the area icons and the current page of thumbnails.  Only the window
// thread draws it; the loader only tells it when a preview is ready.
#include "vistaro_wnd.h"

#include <strsafe.h>

namespace {

const int kFontHeight = 12;
const POINT kFolderTextAt = {6, 3};
const RECT kThumbPanel = {2, 18, 210, 74};
const RECT kArrowPanel = {212, 18, 234, 74};
const POINT kThumbsAt = {8, 22};
const SIZE kThumbSize = {36, 48};
const int kThumbGap = 4;
const POINT kEmptyTextAt = {18, 27};
const RECT kThemeBand = {0, 0, 178, 18};
const int kIconSize = 16;
const int kIconDrop = 3;
// The icons of the folder menu, browse and reload areas.
struct AreaIcon {
    int icon;
    RECT area;
};
const AreaIcon kAreaIcons[] = {
    {108, {181, 0, 199, 21}},
    {107, {199, 0, 215, 21}},
    {106, {215, 0, 236, 21}},
};

// A text longer than limit characters keeps its first cut characters and
// gets "...".
void CutText(const wchar_t* text, size_t limit, size_t cut, wchar_t* out, size_t cch)
{
    if (wcslen(text) <= limit) {
        StringCchCopyW(out, cch, text);
        return;
    }
    StringCchCopyNW(out, cch, text, cut);
    StringCchCatW(out, cch, L"...");
}

void Fill(HDC dc, const RECT& area, COLORREF colour)
{
    CBrush brush(colour);
    ::FillRect(dc, &area, brush);
}

void RoundPanel(HDC dc, const RECT& area, int corner, COLORREF frame, COLORREF fill)
{
    CPen pen(PS_SOLID, 1, frame);
    CBrush brush(fill);
    CSelectObject selectedPen(dc, pen);
    CSelectObject selectedBrush(dc, brush);
    ::RoundRect(dc, area.left, area.top, area.right, area.bottom, corner, corner);
}

} // namespace

void CVistaroWnd::DrawText(HDC dc, int x, int y, LPCWSTR text, COLORREF colour) const
{
    CFont font;
    font.CreateFont(kFontHeight, L"Tahoma", FW_NORMAL);
    CSelectObject selected(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, colour);
    ::ExtTextOutW(dc, x, y, 0, nullptr, text, static_cast<UINT>(wcslen(text)), nullptr);
}

void CVistaroWnd::Draw()
{
    HDC dc = m_surface;
    if (!dc)
        return;
    Fill(dc, RECT{0, 0, kWidth, kHeight}, m_colours[0]);
    {
        CThumbLoader::CLock lock(m_loader);
        if (LoadingFinished() && m_bHasFolder) {
            wchar_t line[MAX_PATH + 16], cut[48];
            StringCchPrintfW(line, MAX_PATH + 16, L"Folder: %ls", m_szFolder);
            CutText(line, 32, 33, cut, 48);
            DrawText(dc, kFolderTextAt.x, kFolderTextAt.y, cut, m_colours[2]);
        }
        RoundPanel(dc, kThumbPanel, 8, m_colours[2], m_colours[1]);
        RoundPanel(dc, kArrowPanel, 6, m_colours[2], m_colours[1]);
        for (const AreaIcon& icon : kAreaIcons) {
            HICON handle = static_cast<HICON>(::LoadImageW(CorAppletModule(), MAKEINTRESOURCEW(icon.icon),
                                                           IMAGE_ICON, kIconSize, kIconSize, 0));
            if (!handle)
                continue;
            const int x = icon.area.left + (icon.area.right - icon.area.left - kIconSize) / 2;
            ::DrawIconEx(dc, x, icon.area.top + kIconDrop, handle, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
            ::DestroyIcon(handle);
        }
        CThumbList* list = List();
        if (list && list->GetCount() > 0) {
            list->DrawThumbs(dc, kThumbsAt, kThumbSize.cx, kThumbSize.cy, kThumbGap, TRUE);
        } else {
            CDC text(dc);
            text.ShadowTextOut(kEmptyTextAt.x, kEmptyTextAt.y, L"No theme in the folder.", kFontHeight, m_colours[0],
                               m_colours[2]);
        }
    }
    Invalidate(FALSE);
}

// The top band while a theme's menu is open: "Theme: " and the file name
// in colour 1 on colour 3, so that it shows on the bar's background.
void CVistaroWnd::DrawThemeBand(LPCWSTR name)
{
    HDC dc = m_surface;
    if (!dc)
        return;
    Fill(dc, kThemeBand, m_colours[2]);
    wchar_t line[MAX_PATH + 16], cut[48];
    StringCchPrintfW(line, MAX_PATH + 16, L"Theme: %ls", name);
    CutText(line, 33, 33, cut, 48);
    DrawText(dc, kFolderTextAt.x, kFolderTextAt.y, cut, m_colours[0]);
    Invalidate(FALSE);
    UpdateWindow();
}
