// The settings program's main window.
#include "option_frame.h"

#include <aygshell.h>

#include "resource.h"

namespace {

// The page buttons of the menu bar, in the order of their pictures in the
// tool strip.
struct PageButton {
    UINT command;
    LPCWSTR tip;
};
const PageButton kPageButtons[] = {
    {ID_PAGE_APPLETS, L"Applet Management"},
    {ID_PAGE_OPTIONS, L"Ketra Settings"},
    {ID_PAGE_SKIN, L"Ketra Skin"},
};
const int kPageButtonCount = (int)(sizeof(kPageButtons) / sizeof(kPageButtons[0]));
const int kToolImageSize = 16;

}  // namespace

BOOL SendToHost(UINT message, WPARAM wParam, LPARAM lParam)
{
    return KetraSend(message, wParam, lParam, COptionFrame::kHostTimeoutMs);
}

// Full screen below the task bar (the framework's default placement), with
// the task bar's OK corner closing the program.
BOOL COptionFrame::CreateFrame()
{
    return CreateEx(WS_EX_CAPTIONOKBTN, KETRA_OPTION_CLASS, L"Settings", WS_VISIBLE | WS_BORDER, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr);
}

void COptionFrame::OnCreate()
{
    m_appletPage.CreatePage(IDD_APPLET_PAGE, m_hWnd);
    m_settingsPage.CreatePage(IDD_SETTINGS_PAGE, m_hWnd);
    m_skinPage.CreatePage(IDD_SKIN_PAGE, m_hWnd);
    // The menu bar shortens the window to end above it; the pages follow
    // through WM_SIZE.
    if (HWND bar = CreateCommandBar(IDR_OPTION_MENUBAR)) {
        CreateToolButtons();
        m_hToolsMenu = (HMENU)::SendMessageW(bar, SHCMBM_GETSUBMENU, 0, ID_OPTION_TOOLS_POPUP);
    }
    ShowPage(ID_PAGE_APPLETS);
}

void COptionFrame::CreateToolButtons()
{
    TBBUTTON buttons[kPageButtonCount] = {};
    const WCHAR* tips[kPageButtonCount] = {};
    for (int i = 0; i < kPageButtonCount; ++i) {
        buttons[i].iBitmap = i;
        buttons[i].idCommand = (int)kPageButtons[i].command;
        buttons[i].fsState = TBSTATE_ENABLED | (i == 0 ? TBSTATE_CHECKED : 0);
        buttons[i].fsStyle = TBSTYLE_CHECKGROUP;
        buttons[i].iString = -1;
        tips[i] = kPageButtons[i].tip;
    }
    CommandBar_AddBitmap(m_hMenuBar, CorGetInstance(), IDB_OPTION_TOOLS, kPageButtonCount, kToolImageSize,
                         kToolImageSize);
    CommandBar_AddButtons(m_hMenuBar, kPageButtonCount, buttons);
    CommandBar_AddToolTips(m_hMenuBar, kPageButtonCount, tips);
}

// Exactly one page shows; the menu's check mark and the pressed page button
// follow it (the button also when the page was chosen from the menu).
void COptionFrame::ShowPage(UINT command)
{
    COptionPage* chosen = nullptr;
    switch (command) {
    case ID_PAGE_APPLETS: chosen = &m_appletPage; break;
    case ID_PAGE_OPTIONS: chosen = &m_settingsPage; break;
    case ID_PAGE_SKIN: chosen = &m_skinPage; break;
    default: return;
    }
    COptionPage* pages[] = {&m_appletPage, &m_settingsPage, &m_skinPage};
    for (COptionPage* page : pages)
        if (page != chosen && page->GetSafeHwnd())
            page->HideWindow();
    if (chosen->GetSafeHwnd())
        chosen->ShowWindow();

    if (m_hToolsMenu) {
        if (m_currentPage)
            ::CheckMenuItem(m_hToolsMenu, m_currentPage, MF_BYCOMMAND | MF_UNCHECKED);
        ::CheckMenuItem(m_hToolsMenu, command, MF_BYCOMMAND | MF_CHECKED);
    }
    if (m_hMenuBar)
        ::SendMessageW(m_hMenuBar, TB_CHECKBUTTON, command, TRUE);
    m_currentPage = command;
}

void COptionFrame::FitPages()
{
    RECT client;
    if (!::GetClientRect(m_hWnd, &client))
        return;
    COptionPage* pages[] = {&m_appletPage, &m_settingsPage, &m_skinPage};
    for (COptionPage* page : pages)
        if (page->GetSafeHwnd())
            page->MoveWindow(0, 0, client.right, client.bottom);
}

LRESULT COptionFrame::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case ID_PAGE_APPLETS:
    case ID_PAGE_OPTIONS:
    case ID_PAGE_SKIN:
        ShowPage(id);
        return 0;
    case IDOK:
        SaveAndRestart();
        DestroyWindow();  // deletes this object: nothing may follow
        return 0;
    case IDCANCEL:
        // Closing saves as well.
        ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
        return 0;
    }
    return CWnd::OnCommand(id, code);
}

LRESULT COptionFrame::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        SaveAndRestart();
        break;  // the default procedure destroys the window
    case WM_SIZE:
        FitPages();
        break;
    }
    return CWnd::OnMessage(message, wParam, lParam);
}

void COptionFrame::OnDestroy()
{
    m_appletPage.EndDialog();
    m_settingsPage.EndDialog();
    m_skinPage.EndDialog();
    CWnd::OnDestroy();
}

// The side bar reads its settings only when it starts, so it is closed and
// started again. A hung side bar must not hang the settings program with it.
void COptionFrame::SaveAndRestart()
{
    if (m_bSaved)
        return;
    m_bSaved = TRUE;
    m_appletPage.Save();
    m_settingsPage.Save();
    m_skinPage.Save();

    SendToHost(WM_CLOSE, 0, 0);
    ::Sleep(kRestartDelayMs);
    CModuleInfo program((HINSTANCE)::GetModuleHandleW(nullptr));
    if (LPCWSTR host = program.GetFileName(L"Ketra.exe"))
        CSH::Execute(host);
}
