// The viewer's window: its life, the folder's animated themes, the theme or
// notice shown and the host's notifications.
#include "motrelle_wnd.h"

#include <aygshell.h>
#include <htmlctrl.h>
#include <ketra_host.h>
#include <string.h>
#include <strsafe.h>

namespace {

const wchar_t kConfigSection[] = L"Vexilo";
const wchar_t kLastTheme[] = L"lasttsk";
const wchar_t kFlashKey[] = L"Software\\Apps\\Macromedia Flash Player";
const wchar_t kViewerName[] = L"Preview";
const DWORD kViewerGoneWaitMs = 100;

const wchar_t kIdleNotice[] = L"&nbsp;&nbsp;Flick Viewer for Ketra by ZARQ";
const wchar_t kNoFlashNotice[] = L"&nbsp;Require Macromedia Flash for PPC.";
const wchar_t kMissingNotice[] = L"&nbsp;&nbsp;The theme file doesn't exist.";
const wchar_t kStillNotice[] = L"&nbsp;The theme is not animate theme.";

const RECT kAreas[] = {
    {164, 0, 182, 21},  // the folder's themes
    {200, 0, 218, 21},  // folders
    {218, 0, 236, 21},  // browse
    {182, 0, 200, 21},  // theme commands
};

bool FlashInstalled()
{
    HKEY key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, kFlashKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

bool FileExists(LPCWSTR path)
{
    DWORD attributes = ::GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The file name without folder and extension.
void TitleOf(LPCWSTR path, wchar_t* title, size_t cch)
{
    const wchar_t* name = wcsrchr(path, L'\\');
    name = name ? name + 1 : path;
    StringCchCopyW(title, cch, name);
    if (wchar_t* dot = wcsrchr(title, L'.'))
        *dot = L'\0';
}

// The folder part of a path (without the last separator); false for none.
bool FolderOf(LPCWSTR path, wchar_t* folder, size_t cch)
{
    const wchar_t* slash = wcsrchr(path, L'\\');
    if (!slash || slash == path)
        return slash == path && SUCCEEDED(StringCchCopyW(folder, cch, L"\\"));
    return SUCCEEDED(StringCchCopyNW(folder, cch, path, static_cast<size_t>(slash - path)));
}

} // namespace

COR_APPLET(CMotrelleWnd, L"MOTRELLE", CMotrelleWnd::kWidth, CMotrelleWnd::kHeight)

CMotrelleWnd::Area CMotrelleWnd::AreaAt(POINT point)
{
    for (int i = 0; i < static_cast<int>(sizeof kAreas / sizeof kAreas[0]); ++i)
        if (::PtInRect(&kAreas[i], point))
            return static_cast<Area>(i);
    return kNoArea;
}

// The window object outlives its windows (the library keeps it while it is
// loaded), so each creation starts afresh.
void CMotrelleWnd::OnCreate()
{
    ::SetWindowTextW(m_hWnd, L"Motreller");
    m_hViewer = nullptr;
    m_szFolder[0] = m_szTheme[0] = m_szTitle[0] = L'\0';
    m_bHasFolder = m_bMoreThemes = m_bShown = m_bPenOnBrowse = false;
    m_bFlash = true;
    m_nThemes = m_nFolders = 0;
    m_crBack = RGB(0, 0, 0);
    m_crText = RGB(255, 255, 255);
    {
        CClientDC reference(m_hWnd);
        m_band.CreateDCW(reference, kWidth, kBandBitmapHeight);
    }
    // The temporary files sit beside the library.
    wchar_t module[MAX_PATH] = L"";
    ::GetModuleFileNameW(CorAppletModule(), module, MAX_PATH);
    if (wchar_t* slash = wcsrchr(module, L'\\'))
        slash[1] = L'\0';
    // As the device names it (the viewer takes device paths): no drive.
    const wchar_t* folder = module[0] && module[1] == L':' ? module + 2 : module;
    m_temp.Form(folder, L"AniTmp.");
    StringCchPrintfW(m_szPage, MAX_PATH, L"%lsAniTmp.htm", folder);
    InitHTMLControl(CorAppletModule());

    WCHAR last[MAX_PATH] = L"", lastFolder[MAX_PATH] = L"";
    CAppConfig config;
    DWORD size = MAX_PATH;
    if (!config.Open(kConfigSection) || !config.GetAt(kLastTheme, last, &size))
        last[0] = L'\0';
    if (last[0] && FolderOf(last, lastFolder, MAX_PATH) && ListFolder(lastFolder)) {
        ShowTheme(last);
    } else {
        WCHAR documents[MAX_PATH] = L"\\My Documents";
        SHGetDocumentsFolder(L"\\", documents);
        ListFolder(documents);
        ShowFirstOrNone();
    }
    CApplet::OnCreate();
}

void CMotrelleWnd::OnDestroy()
{
    RemoveViewer();
    m_temp.DeleteAll();
    ::DeleteFileW(m_szPage);
    CAppConfig config;
    if (config.Open(kConfigSection))
        config.SetAt(kLastTheme, m_szTheme);
    CApplet::OnDestroy();
}

// The folder's animated themes, in search order, at most 50 (the message
// says when there were more).  True when there is any.
bool CMotrelleWnd::ListFolder(LPCWSTR folder)
{
    m_nThemes = 0;
    m_bMoreThemes = false;
    WCHAR pattern[MAX_PATH];
    if (!folder || FAILED(StringCchCopyW(m_szFolder, MAX_PATH, folder)))
        return false;
    m_bHasFolder = true;
    if (FAILED(StringCchPrintfW(pattern, MAX_PATH, L"%ls\\*.tsk", wcscmp(folder, L"\\") == 0 ? L"" : folder)))
        return false;
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        WCHAR path[MAX_PATH];
        if (FAILED(StringCchPrintfW(path, MAX_PATH, L"%ls\\%ls", wcscmp(folder, L"\\") == 0 ? L"" : folder,
                                    found.cFileName)) ||
            !IsAniTsk(path))
            continue;
        if (m_nThemes == kMaxThemes) {
            m_bMoreThemes = true;  // not stored: the list holds 50
            break;
        }
        StringCchCopyW(m_themes[m_nThemes++], MAX_PATH, path);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    if (m_bMoreThemes) {
        wchar_t text[128];
        StringCchPrintfW(text, 128, L"You have more than %d themes, but we support upto %d themes currently.",
                         static_cast<int>(kMaxThemes), static_cast<int>(kMaxThemes));
        ::MessageBoxW(m_hWnd, text, L"Message", MB_OK | MB_ICONINFORMATION);
    }
    return m_nThemes > 0;
}

void CMotrelleWnd::ShowFirstOrNone()
{
    if (m_nThemes > 0)
        ShowTheme(m_themes[0]);
    else
        ShowTheme(L"");
}

void CMotrelleWnd::ForgetTheme()
{
    m_szTheme[0] = m_szTitle[0] = L'\0';
}

bool CMotrelleWnd::HostIsOpen()
{
    HWND host = ::GetParent(m_hWnd);
    return host && ::SendMessageW(host, WM_KETRA_WINDOW, KETRA_WINDOW_IS_OPEN, 0) == 1;
}

void CMotrelleWnd::RemoveViewer()
{
    if (m_hViewer && ::IsWindow(m_hViewer)) {
        ::DestroyWindow(m_hViewer);
        // Give the movie time to let go of its files.
        ::Sleep(kViewerGoneWaitMs);
    }
    m_hViewer = nullptr;
}

HWND CMotrelleWnd::CreateViewer(int height, bool visible)
{
    m_hViewer = ::CreateWindowExW(0, DISPLAYCLASS, kViewerName, WS_CHILD | (visible ? WS_VISIBLE : 0), 0,
                                  kBandHeight, kWidth, height, m_hWnd, nullptr, CorAppletModule(), nullptr);
    if (m_hViewer) {
        wchar_t address[MAX_PATH + 8];
        StringCchPrintfW(address, MAX_PATH + 8, L"file://%ls", m_szPage);
        ::SendMessageW(m_hViewer, DTM_NAVIGATE, 0, reinterpret_cast<LPARAM>(address));
    }
    return m_hViewer;
}

void CMotrelleWnd::ShowTheme(LPCWSTR path)
{
    if (!FlashInstalled()) {
        m_bFlash = false;
        ShowNotice(kNoFlashNotice);
        return;
    }
    m_bFlash = true;
    if (!path || !*path) {
        ForgetTheme();
        ShowNotice(kIdleNotice);
        return;
    }
    if (!FileExists(path)) {
        ForgetTheme();
        ShowNotice(kMissingNotice);
        return;
    }
    if (!IsAniTsk(path)) {
        ForgetTheme();
        ShowNotice(kStillNotice);
        return;
    }
    WCHAR theme[MAX_PATH];
    StringCchCopyW(theme, MAX_PATH, path);  // the path may be one of the list's
    RemoveViewer();
    CTskInfo info;
    // A theme that cannot be read is shown as no animation at all.
    if (!ReadTheme(theme, &info, m_temp.Paths()) || !info.m_bAnimated) {
        ForgetTheme();
        ShowNotice(kStillNotice);
        return;
    }
    m_crText = info.m_color[0];
    m_crBack = GetAniTskBackColor(info.m_szAniPage);
    int height = GetAniTskHeight(info.m_szAniPage);
    if (height < 0 || height > 320)
        height = height < 0 ? 0 : 320;
    SaveAniTskPreviewHtml(m_szPage, &info, kWidth, height);
    if (m_bShown || HostIsOpen()) {
        CreateViewer(height, true);
        if (m_hViewer)
            ::SetWindowPos(m_hViewer, nullptr, 0, 0, kWidth, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, kWidth, height + kBandHeight,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RequestHeight(height + kBandHeight);
        m_bShown = true;
    } else {
        m_bShown = false;
    }
    StringCchCopyW(m_szTheme, MAX_PATH, theme);
    TitleOf(m_szTheme, m_szTitle, MAX_PATH);
    DrawBand();
}

// A notice page in the viewer; the viewer stays hidden while the bar is
// closed, so nothing shows over the screen.
void CMotrelleWnd::ShowNotice(LPCWSTR text)
{
    RemoveViewer();
    m_crText = RGB(0, 0, 0);
    m_crBack = RGB(255, 255, 255);
    char ansi[512] = "";
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi, nullptr, nullptr);
    ansi[sizeof ansi - 1] = '\0';
    char page[640] = "";
    StringCchPrintfA(page, sizeof page, "<body BGCOLOR='#FFFFFF'><br/>&nbsp;&nbsp;%s</body>", ansi);
    size_t length = strlen(page);
    HANDLE file = ::CreateFileW(m_szPage, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ::WriteFile(file, page, static_cast<DWORD>(length), &written, nullptr);
        ::CloseHandle(file);
    }
    CreateViewer(kNoticeHeight, false);
    if (!m_bShown && !HostIsOpen()) {
        DrawBand();
        return;
    }
    if (m_hViewer) {
        ::SetWindowPos(m_hViewer, nullptr, 0, 0, kWidth, kNoticeHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::ShowWindow(m_hViewer, SW_SHOW);
    }
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, kWidth, kNoticeHeight + kBandHeight,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RequestHeight(kNoticeHeight + kBandHeight);
    DrawBand();
}

void CMotrelleWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    m_band.Draw(dc, 0, 0, kOpaqueCopy);
}

BOOL CMotrelleWnd::OnEraseBkgnd(HDC /*hdc*/)
{
    return TRUE;
}

LRESULT CMotrelleWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KETRA_APPLETSHOWN:
        m_bShown = true;
        ShowTheme(m_szTheme);  // the idle notice when there is none
        return 0;
    case WM_KETRA_APPLETHIDDEN:
        m_bShown = false;
        ShowNotice(kIdleNotice);  // stops the movie
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PRINTCLIENT:
        m_band.Draw(reinterpret_cast<HDC>(wParam), 0, 0, kOpaqueCopy);
        return 0;
    }
    return CApplet::OnMessage(message, wParam, lParam);
}

void CMotrelleWnd::OnLButtonDown(CPoint point)
{
    m_bPenOnBrowse = false;
    switch (AreaAt(point)) {
    case kThemeMenu:
        ShowThemeListMenu(point);
        break;
    case kFolderMenu:
        ShowFolderMenu(point);
        break;
    case kBrowse:
        m_bPenOnBrowse = true;
        break;
    case kCommandMenu:
        ShowCommandMenu(point);
        break;
    default:
        break;
    }
}

void CMotrelleWnd::OnLButtonUp(CPoint point)
{
    bool browse = m_bPenOnBrowse && AreaAt(point) == kBrowse;
    m_bPenOnBrowse = false;
    if (browse && m_bHasFolder)
        Browse();
}
