// The theme browser's window: its life, the folder it shows and its taps.
#include "vistaro_wnd.h"

#include <strsafe.h>

#include "theme_thumbs.h"

namespace {

const wchar_t kConfigSection[] = L"Vexilo";
const wchar_t kLastFolder[] = L"lastfolder";
const wchar_t kDefaultFolder[] = L"\\Windows";
const SIZE kThumbSize = {36, 48};

const RECT kAreas[] = {
    {210, 18, 236, 46},  // previous page
    {210, 46, 236, 75},  // next page
    {181, 0, 199, 21},   // folder menu
    {199, 0, 215, 21},   // browse
    {215, 0, 236, 21},   // reload
};

} // namespace

COR_APPLET(CVistaroWnd, L"VISTARO", CVistaroWnd::kWidth, CVistaroWnd::kHeight)

CVistaroWnd::Area CVistaroWnd::AreaAt(POINT point)
{
    for (int i = 0; i < static_cast<int>(sizeof kAreas / sizeof kAreas[0]); ++i)
        if (::PtInRect(&kAreas[i], point))
            return static_cast<Area>(i);
    return kNoArea;
}

// The window object outlives its windows (the library keeps it while it is
// loaded), so each creation starts afresh.
void CVistaroWnd::OnCreate()
{
    m_szFolder[0] = L'\0';
    m_bHasFolder = false;
    m_nTapped = -1;
    m_nFolders = 0;
    CThumb::Init(kThumbSize);
    GetThumbColors(m_colours);
    {
        CClientDC reference(m_hWnd);
        m_surface.CreateDCW(reference, kWidth, kHeight);
    }

    WCHAR last[MAX_PATH] = L"";
    CAppConfig config;
    DWORD size = MAX_PATH;
    if (!config.Open(kConfigSection) || !config.GetAt(kLastFolder, last, &size) || !last[0])
        StringCchCopyW(last, MAX_PATH, kDefaultFolder);
    WCHAR folders[kMaxTskFolders][MAX_PATH];
    int count = 0;
    GetTskFolders(folders, &count);
    const wchar_t* start = count > 0 ? folders[0] : kDefaultFolder;
    for (int i = 0; i < count; ++i)
        if (_wcsicmp(folders[i], last) == 0)
            start = folders[i];
    LoadFolder(start, false);
    CApplet::OnCreate();
}

void CVistaroWnd::OnDestroy()
{
    if (m_bHasFolder) {
        CAppConfig config;
        if (config.Open(kConfigSection))
            config.SetAt(kLastFolder, m_szFolder);
    }
    // The side bar frees the library right after this window: the loader
    // must not be left running its code.
    m_loader.Release();
    CApplet::OnDestroy();
}

int CVistaroWnd::OnTodayClearCache()
{
    m_loader.Release();
    Draw();
    return 0;
}

void CVistaroWnd::LoadFolder(LPCWSTR folder, bool forced)
{
    if (!folder || !*folder)
        return;
    if (!forced && m_bHasFolder && _wcsicmp(folder, m_szFolder) == 0)
        return;
    WCHAR copy[MAX_PATH];
    if (FAILED(StringCchCopyW(copy, MAX_PATH, folder)))
        return;

    CThemeThumbList* list = new CThemeThumbList(m_hWnd, CorAppletModule());
    if (!list->LoadFolder(copy))
        ::MessageBoxW(m_hWnd, L"You have too many themes to load at once.", L"Error", MB_OK | MB_ICONEXCLAMATION);
    if (list->GetCount() == 0) {
        CThumbList* shown = List();
        const bool listShown = shown && shown->GetCount() > 0;
        if (forced || listShown)
            ::MessageBoxW(m_hWnd, L"There is no themes in the folder.", L"Message", MB_OK | MB_ICONINFORMATION);
        if (!forced && listShown) {
            delete list;  // the themes shown stay
            return;
        }
    }
    m_nTapped = -1;
    m_loader.Start(list, m_hWnd, kPreviewMessage, CorAppletModule());
    StringCchCopyW(m_szFolder, MAX_PATH, copy);
    m_bHasFolder = true;
    Draw();
}

void CVistaroWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    m_surface.Draw(dc, 0, 0, kOpaqueCopy);
}

BOOL CVistaroWnd::OnEraseBkgnd(HDC /*hdc*/)
{
    return TRUE;
}

LRESULT CVistaroWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
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

void CVistaroWnd::OnLButtonDown(CPoint point)
{
    CThumbList* list = List();
    switch (AreaAt(point)) {
    case kPrevPage:
        if (list && list->MovePrevThumbs())
            Draw();
        break;
    case kNextPage:
        if (list && list->MoveNextThumbs())
            Draw();
        break;
    case kFolderMenu:
        if (LoadingFinished())
            ShowFolderMenu(point);
        break;
    default:
        break;
    }
}

void CVistaroWnd::OnLButtonUp(CPoint point)
{
    switch (AreaAt(point)) {
    case kBrowse:
        if (LoadingFinished())
            Browse();
        break;
    case kReload:
        if (LoadingFinished() && m_bHasFolder)
            LoadFolder(m_szFolder, true);
        break;
    case kNoArea: {
        int index = -1;
        {
            CThumbLoader::CLock lock(m_loader);
            if (CThumbList* list = List())
                index = list->GetIndex(point);
        }
        if (index >= 0)
            ShowThemeMenu(index, point);
        break;
    }
    default:
        break;
    }
}
