// The settings program's main window.
#include "option_frame.h"

#include "resource.h"

BOOL COptionFrame::CreateFrame()
{
    return CreateEx(0, KETRA_OPTION_CLASS, L"Settings", WS_VISIBLE | WS_BORDER, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr);
}

void COptionFrame::OnCreate()
{
    CreateCommandBar(IDR_OPTION_MENUBAR);
    m_appletPage.CreatePage(IDD_APPLET_PAGE, m_hWnd);
    m_settingsPage.CreatePage(IDD_SETTINGS_PAGE, m_hWnd);
    m_skinPage.CreatePage(IDD_SKIN_PAGE, m_hWnd);
    ShowPage(ID_PAGE_APPLETS);
}

void COptionFrame::ShowPage(UINT command)
{
    m_appletPage.HideWindow();
    m_settingsPage.HideWindow();
    m_skinPage.HideWindow();
    switch (command) {
    case ID_PAGE_APPLETS: m_appletPage.ShowWindow(); break;
    case ID_PAGE_OPTIONS: m_settingsPage.ShowWindow(); break;
    case ID_PAGE_SKIN: m_skinPage.ShowWindow(); break;
    default: return;
    }
    m_currentPage = command;
}

LRESULT COptionFrame::OnCommand(UINT id, UINT /*code*/)
{
    switch (id) {
    case ID_PAGE_APPLETS:
    case ID_PAGE_OPTIONS:
    case ID_PAGE_SKIN:
        ShowPage(id);
        return 0;
    case IDOK:
        SaveAndRestart();
        DestroyWindow();
        return 0;
    case IDCANCEL:
        ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
        return 0;
    }
    return -1;
}

LRESULT COptionFrame::OnMessage(UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    if (message == WM_CLOSE)
        SaveAndRestart();
    return -1;
}

void COptionFrame::SaveAndRestart()
{
    if (m_bSaved)
        return;
    m_bSaved = TRUE;
    m_appletPage.Save();
    m_settingsPage.Save();
    m_skinPage.Save();
}
