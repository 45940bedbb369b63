// The launcher applet: creation, layout and drawing.
#include "startra_wnd.h"

#include <applet_module.h>
#include <pack_look.h>

namespace {

const wchar_t kLaunchFile[] = L"launch.txt";
const wchar_t kIconCache[] = L"icons.bmp";
const wchar_t kOptionsProgram[] = L"Runvel.exe";

const int kIconAreaMargin = 4;  // below the last row of icons
const POINT kGridOffset = {4, 3};
const int kCorner = 10;

}  // namespace

CStartraWnd::CStartraWnd()
{
    SetHold(TRUE);
}

BOOL CStartraWnd::FilePath(LPCWSTR name, wchar_t* path)
{
    return PackLook::FileBesideApplet(CorAppletModule(), name, path, MAX_PATH);
}

void CStartraWnd::OnCreate()
{
    m_nHighlight = -1;
    m_nIconHeight = 0;
    wchar_t path[MAX_PATH];
    if (FilePath(kLaunchFile, path))
        m_list.Load(path);
    // Without its cache the options program draws one when it closes.
    if (FilePath(kIconCache, path) && !CFileInfo::IsExist(path)) {
        wchar_t options[MAX_PATH];
        if (FilePath(kOptionsProgram, options))
            CSH::Execute(options);
    }
    m_list.SetLines(LaunchSettings::ReadLines());
    m_list.SetExpanded(FALSE);

    // The cache before the first drawing: without it each icon is drawn from
    // its program (about 60 ms for a page of them).
    if (FilePath(kIconCache, path)) {
        CClientDC reference(m_hWnd);
        m_list.LoadIconCache(reference, path);
    }
    Layout(FALSE);

    m_tray.RemoveAll();
    wchar_t strip[MAX_PATH];
    m_tray.Create(m_areas.GetItem(kTrayArea), FilePath(PackLook::kTrayStrip, strip) ? strip : L"", this);
    m_tray.Add(PackLook::kIconOption, L"Option", CTrayItem::kReportToCaller);
    m_tray.Add(PackLook::kIconSystemBar, PackLook::kSystemBar, CTrayItem::kPostText);
    m_tray.Add(PackLook::kIconTaskBar, PackLook::kTaskBar, CTrayItem::kPostText);
    m_tray.Add(PackLook::kIconLauncher, L"Expand", CTrayItem::kReportToCaller);
    m_tray.Add(PackLook::kIconSettings, PackLook::kSettings, CTrayItem::kPostText);
    DrawAll();
}

void CStartraWnd::OnDestroy()
{
    m_surface.DeleteDC();
    m_list.DropIconCache();
    m_list.RemoveAll();
    m_tray.RemoveAll();
    CApplet::OnDestroy();
}

int CStartraWnd::IconAreaHeight() const
{
    return m_list.RowsNeeded() * CLaunchList::kCellHeight + kIconAreaMargin;
}

// Places the icon area, the title strip and the tray for the rows shown and
// sizes the surface and the window; a new height goes to the bar when asked.
void CStartraWnd::Layout(BOOL askBar)
{
    const int height = IconAreaHeight();
    if (height == m_nIconHeight) {
        DrawAll();
        ShowSurface(nullptr);
        return;
    }
    m_nIconHeight = height;
    m_areas.SetItem(kIconArea, CRect(0, 1, kWidth, height + 1));
    m_areas.SetItem(kTitleStrip, CRect(0, height + 1, kTitleWidth, height + kStripHeight));
    m_areas.SetItem(kTrayArea, CRect(kTitleWidth, height + 1, kWidth, height + kStripHeight));
    m_tray.m_rect = m_areas.GetItem(kTrayArea);
    CRect icons = m_areas.GetItem(kIconArea);
    m_list.SetOrigin(CPoint(icons.left + kGridOffset.x, icons.top + kGridOffset.y));

    const int windowHeight = height + kStripHeight;
    {
        CClientDC reference(m_hWnd);
        m_surface.DeleteDC();
        m_surface.CreateDCW(reference, kWidth, windowHeight);
    }
    SetWindowPos(0, 0, kWidth, windowHeight, SWP_NOMOVE | SWP_NOACTIVATE);
    if (askBar)
        RequestHeight(windowHeight);
    DrawAll();
    ShowSurface(nullptr);
}

void CStartraWnd::DrawAll()
{
    if (!m_surface.GetSafeHdc())
        return;
    const PackLook::Colours colours = PackLook::AskColours(this);
    CBrush background(colours.background);
    CRect whole(0, 0, m_surface.GetWidth(), m_surface.GetHeight());
    m_surface.FillRect(&whole, &background);

    CRect icons = m_areas.GetItem(kIconArea);
    CBrush fill(colours.fill);
    CPen outline(PS_SOLID, 1, colours.fill);
    m_surface.SelectObject(&fill);
    m_surface.SelectObject(&outline);
    m_surface.RoundRect(&icons, CPoint(kCorner, kCorner));
    m_surface.ReleaseObject(&outline);
    m_surface.ReleaseObject(&fill);

    // The cells are framed half-way between the fill and the text colour.
    CPen frame(PS_SOLID, 1,
               RGB((GetRValue(colours.fill) + GetRValue(colours.text)) / 2,
                   (GetGValue(colours.fill) + GetGValue(colours.text)) / 2,
                   (GetBValue(colours.fill) + GetBValue(colours.text)) / 2));
    CFont font;
    PackLook::CreatePackFont(&font);
    m_surface.SelectObject(&font);
    m_surface.SelectObject(&frame);
    m_surface.SetBkMode(TRANSPARENT);
    m_surface.SetTextColor(colours.text);
    m_list.Draw(&m_surface);
    m_surface.ReleaseObject(&frame);
    m_surface.ReleaseObject(&font);

    DrawTitleStrip(&m_surface);
    m_tray.DrawBar(&m_surface);
}

// The highlighted program's icon and title, or nothing.
void CStartraWnd::DrawTitleStrip(CDC* dc)
{
    const PackLook::Colours colours = PackLook::AskColours(this);
    CRect strip = m_areas.GetItem(kTitleStrip);
    CBrush background(colours.background);
    dc->FillRect(&strip, &background);
    LPCWSTR path = m_list.GetPath(m_nHighlight);
    if (!path)
        return;
    PackLook::DrawProgramIcon(*dc, 6, strip.top + 2, path);
    wchar_t title[kTitleChars + 1] = L"";
    CSH::GetFileTitle(path, title, kTitleChars + 1);  // cut to 17 characters
    CFont font;
    PackLook::CreatePackFont(&font);
    dc->SelectObject(&font);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(colours.text);
    PackLook::DrawLine(*dc, title, CRect(31, strip.top, strip.right, strip.bottom));
    dc->ReleaseObject(&font);
}

void CStartraWnd::ShowSurface(const RECT* area)
{
    InvalidateRect(area, FALSE);
}

void CStartraWnd::SetHighlight(int index)
{
    if (index == m_nHighlight)
        return;
    m_nHighlight = index;
    CRect strip = m_areas.GetItem(kTitleStrip);
    DrawTitleStrip(&m_surface);
    ShowSurface(&strip);
}

void CStartraWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    m_surface.Draw(dc, 0, 0, kOpaqueCopy);
}

LRESULT CStartraWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // the paint copies the whole surface
    case WM_PRINTCLIENT:
        m_surface.Draw(reinterpret_cast<HDC>(wParam), 0, 0, kOpaqueCopy);
        return 0;
    case WM_KETRA_APPLETSHOWN:
    case WM_KETRA_APPLETHIDDEN:
        return 0;
    default:
        return CApplet::OnMessage(message, wParam, lParam);
    }
}

int CStartraWnd::OnTodayQueryRefreshCache(TODAYLISTITEM* item)
{
    if (item)
        item->cyp = static_cast<DWORD>(m_nIconHeight + kStripHeight);
    return 1;
}
