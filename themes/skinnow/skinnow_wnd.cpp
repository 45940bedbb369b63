// The skin browser's window: loading, drawing, paging and the skin menu.
#include "skinnow_wnd.h"

#include <strsafe.h>

namespace {

const SIZE kThumbSize = {36, 40};
const POINT kThumbsAt = {8, 5};
const int kThumbGap = 4;
const RECT kPageBack = {210, 1, 236, 29};
const RECT kPageForward = {210, 29, 236, 50};
const RECT kPanel = {2, 1, 210, 49};
const RECT kButtonPanel = {212, 1, 234, 49};
const DWORD kInRom = 0x40;  // the object store's mark of a file kept in ROM

void RoundPanel(HDC dc, const RECT& area, int corner, COLORREF frame, COLORREF fill)
{
    CPen pen(PS_SOLID, 1, frame);
    CBrush brush(fill);
    CSelectObject selectedPen(dc, pen);
    CSelectObject selectedBrush(dc, brush);
    ::RoundRect(dc, area.left, area.top, area.right, area.bottom, corner, corner);
}

} // namespace

COR_APPLET(CSkinnowWnd, L"SKINNOW", CSkinnowWnd::kWidth, CSkinnowWnd::kHeight)

void CSkinnowWnd::OnCreate()
{
    ::SetWindowTextW(m_hWnd, L"WMP Skin Browser");
    m_nSelected = -1;
    m_szSkin[0] = m_szName[0] = L'\0';
    CThumb::Init(kThumbSize);
    GetThumbColors(m_colours);
    {
        CClientDC reference(m_hWnd);
        m_surface.CreateDCW(reference, kWidth, kHeight);
    }
    Load();
    CApplet::OnCreate();
}

void CSkinnowWnd::OnDestroy()
{
    // The side bar frees the library right after this window: the loader
    // must not be left running its code.
    m_loader.Release();
    CApplet::OnDestroy();
}

int CSkinnowWnd::OnTodayClearCache()
{
    m_loader.Release();
    return 0;
}

void CSkinnowWnd::Load()
{
    CSkinThumbList* list = new CSkinThumbList(m_hWnd);
    if (!list->LoadFolder(PLAYER_FOLDER))
        ::MessageBoxW(m_hWnd, L"You have too many themes to load at once.", L"Error", MB_OK | MB_ICONEXCLAMATION);
    m_nSelected = -1;
    m_loader.Start(list, m_hWnd, kPreviewMessage, CorAppletModule());
    Draw();
}

void CSkinnowWnd::Draw()
{
    HDC dc = m_surface;
    if (!dc)
        return;
    {
        CBrush back(m_colours[0]);
        RECT all = {0, 0, kWidth, kHeight};
        ::FillRect(dc, &all, back);
    }
    RoundPanel(dc, kPanel, 8, m_colours[2], m_colours[1]);
    RoundPanel(dc, kButtonPanel, 6, m_colours[2], m_colours[1]);
    {
        CThumbLoader::CLock lock(m_loader);
        if (CThumbList* list = List())
            list->DrawThumbs(dc, kThumbsAt, kThumbSize.cx, kThumbSize.cy, kThumbGap, FALSE);
    }
    Invalidate(FALSE);
}

void CSkinnowWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    m_surface.Draw(dc, 0, 0, kOpaqueCopy);
}

BOOL CSkinnowWnd::OnEraseBkgnd(HDC /*hdc*/)
{
    return TRUE;
}

LRESULT CSkinnowWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case kPreviewMessage:
        Draw();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PRINTCLIENT:
        m_surface.Draw(reinterpret_cast<HDC>(wParam), 0, 0, kOpaqueCopy);
        return 0;
    }
    return CApplet::OnMessage(message, wParam, lParam);
}

void CSkinnowWnd::OnLButtonDown(CPoint point)
{
    BOOL changed = FALSE;
    {
        CThumbLoader::CLock lock(m_loader);
        CThumbList* list = List();
        if (list && ::PtInRect(&kPageBack, point))
            changed = list->MovePrevThumbs();
        else if (list && ::PtInRect(&kPageForward, point))
            changed = list->MoveNextThumbs();
    }
    if (changed)
        Draw();
}

void CSkinnowWnd::OnLButtonUp(CPoint point)
{
    if (::PtInRect(&kPageBack, point) || ::PtInRect(&kPageForward, point))
        return;
    int index = -1;
    {
        CThumbLoader::CLock lock(m_loader);
        CThumbList* list = List();
        index = list ? list->GetIndex(point) : -1;
        CSkinThumb* thumb = index >= 0 ? static_cast<CSkinThumb*>(list->GetData(index)) : nullptr;
        if (!thumb)
            return;
        StringCchCopyW(m_szSkin, MAX_PATH, thumb->GetFilePath());
        StringCchCopyW(m_szName, MAX_PATH, thumb->GetDisplayName());
        m_nSelected = index;
    }
    ShowSkinMenu(index, point);
}

// Only a skin in a sub-folder of the player's folder itself, in RAM, may be
// deleted, and only once every preview is made.  Asked again when the
// command comes, which another program may send without the menu.
bool CSkinnowWnd::SkinDeletable() const
{
    WCHAR folder[MAX_PATH];
    if (FAILED(StringCchCopyW(folder, MAX_PATH, m_szSkin)))
        return false;
    wchar_t* slash = wcsrchr(folder, L'\\');
    if (slash)
        *slash = L'\0';
    const wchar_t* parentEnd = wcsrchr(folder, L'\\');
    const size_t playerLength = wcslen(PLAYER_FOLDER);
    const bool direct = slash && parentEnd && static_cast<size_t>(parentEnd - folder) == playerLength &&
                        _wcsnicmp(folder, PLAYER_FOLDER, playerLength) == 0 && parentEnd[1] != L'\0';
    const DWORD attributes = ::GetFileAttributesW(m_szSkin);
    const bool inRom = attributes == INVALID_FILE_ATTRIBUTES || (attributes & kInRom);
    return direct && !inRom && LoadingFinished();
}

void CSkinnowWnd::ShowSkinMenu(int /*index*/, CPoint point)
{
    WCHAR title[MAX_PATH];
    const bool deletable = SkinDeletable();
    StringCchCopyW(title, MAX_PATH, m_szName);
    if (wchar_t* dot = wcsrchr(title, L'.'))
        *dot = L'\0';
    HMENU menu = ::CreatePopupMenu();
    if (!menu)
        return;
    ::AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, title);
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, kApply, L"Apply");
    ::AppendMenuW(menu, MF_STRING | (deletable ? MF_ENABLED : MF_GRAYED), kDelete, L"Delete");
    POINT screen = point;
    ::ClientToScreen(m_hWnd, &screen);
    ::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, screen.x, screen.y, 0, m_hWnd, nullptr);
    ::DestroyMenu(menu);
}

LRESULT CSkinnowWnd::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case kApply:
        if (m_nSelected >= 0)
            Apply();
        return 0;
    case kDelete:
        if (m_nSelected >= 0 && SkinDeletable())
            Delete();
        return 0;
    default:
        return CApplet::OnCommand(id, code);
    }
}
