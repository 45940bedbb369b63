// The settings program's main window: three pages switched from the menu bar.
#pragma once

#include <ketra_host.h>

#include "applet_page.h"
#include "settings_page.h"
#include "skin_page.h"

#define KETRA_OPTION_CLASS L"KETRA_OPTION_CLASS"

class COptionFrame : public CWnd {
public:
    // How long the side bar gets to answer before it is taken as hung.
    enum { kHostTimeoutMs = 5000, kRestartDelayMs = 100 };

    BOOL CreateFrame();

    void OnCreate() override;
    void OnDestroy() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateToolButtons();
    void ShowPage(UINT command);
    void FitPages();
    // Saves every page and starts the side bar again; runs once.
    void SaveAndRestart();

    CAppletPage m_appletPage;
    CSettingsPage m_settingsPage;
    CSkinPage m_skinPage;
    HMENU m_hToolsMenu = nullptr;  // the "Tools" pop-up, owned by the menu bar
    UINT m_currentPage = 0;
    BOOL m_bSaved = FALSE;
};

// Sends a message to the side bar when it runs, giving up on a hung one.
// FALSE when there is no side bar or it did not answer in time.
BOOL SendToHost(UINT message, WPARAM wParam, LPARAM lParam);
