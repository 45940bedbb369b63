// The settings program's main window: three pages switched from the menu bar.
#pragma once

#include "applet_page.h"
#include "settings_page.h"
#include "skin_page.h"

#define KETRA_OPTION_CLASS L"KETRA_OPTION_CLASS"

class COptionFrame : public CWnd {
public:
    BOOL CreateFrame();

    void OnCreate() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowPage(UINT command);
    // Saves every page and starts the side bar again; runs once.
    void SaveAndRestart();

    CAppletPage m_appletPage;
    CSettingsPage m_settingsPage;
    CSkinPage m_skinPage;
    UINT m_currentPage = 0;
    BOOL m_bSaved = FALSE;
};
