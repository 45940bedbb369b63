// CKetraWnd: the side bar's main window.  It shows one applet in the skin's
// "applet" area, writes its name into the "text" area, switches applets from
// menus and the history, paints backgrounds for applets and answers the
// host messages other programs send to KETRA_CLASS.
#pragma once

#include <windows.h>

#include <ketra_host.h>
#include <mmskinwnd.h>
#include <registry_watch.h>
#include <todaycmn.h>

#include "applet_wnd.h"
#include "history.h"
#include "settings.h"

class CAxRegList;

class CKetraWnd : public CMMSkinWnd {
public:
    enum {
        kTimerPoll = 1001,
        kPollMs = 4000,
        kTimerPendingShow = 1002,  // retries a switch the applet asked for
        kPendingRetryMs = 50,
        kTimerPendingExit = 1003,  // retries an exit asked for while the applet's code ran
        kMaxMenuApplets = 100,  // keeps 1200 + i below the commands 1301, 1302
        kVersion = 0x0001,      // 1.0: major in the low byte
    };
    static constexpr wchar_t kDefaultSkin[] = L"Default";
    // Posted to itself: carry out the applet switch asked for on its own thread.
    static constexpr UINT kMsgShowPending = WM_APP + 0x130;

    CKetraWnd();
    ~CKetraWnd() override;

    // Start-up steps from creating the window to showing it; 0 ends the program.
    int Start(const CKetraSettings& settings, LPCWSTR commandLine);

    int OnLoadSkinDone() override;
    void OnDraw(CDC* dc) override;
    int OnClicked(CButton* button, CPoint point) override;
    int OnTapHold(CButton* button, CPoint point) override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnTimer(UINT_PTR timerId) override;
    void OnMaximize() override;
    void OnMinimize() override;
    void OnPrepareSlide(CRect rect) override;

    // Shows the registered applet of that name (another one when it fails)
    // and, when open is set, opens the bar.  1 when that applet is shown.
    int ShowApplet(LPCWSTR name, int open);
    // The same for a registration already read (from the applet list).
    int ShowApplet(LPCWSTR name, LPCWSTR dllPath, int open);
    LPCWSTR GetAppletName() const { return m_szAppletName; }

private:
    // applet_load.cpp
    int LoadApplet(LPCWSTR name, LPCWSTR dllPath);
    void UnloadApplet();
    void SizeApplet();
    void SetAppletHeight(int height);
    void StartOptionProgram();
    // mainwnd.cpp
    int LoadSkinOrDefault();
    void PlaceWindow(int x, int y);
    CRect GetAppletArea() const;
    // menus.cpp
    void ShowAppletMenu();
    void ShowGroupMenu();
    void ChooseApplet(int position);
    CAxRegList* ReloadList();
    // history.cpp users
    void GoHistory(const wchar_t* name);
    // background.cpp
    void DrawAppletBackground(const TODAYDRAWWATERMARKINFO* info);
    // mainwnd_messages.cpp
    LRESULT OnHostMessage(UINT message, WPARAM wParam, LPARAM lParam, int* handled);
    LRESULT OnShowAppletMessage(WPARAM wParam, LPARAM lParam);
    void CarryOutShowApplet(LPCWSTR name, int reload);
    void CarryOutPendingShow();
    void OnDrawBackgroundMessage(LPARAM lParam);
    LRESULT ForwardToApplet(UINT message, WPARAM wParam, LPARAM lParam);
    void OnShutdown();

    CKetraSettings m_settings;
    CCtrl* m_pAppletCtrl;  // the last "applet" control, null when the skin has none
    CCtrl* m_pTextCtrl;    // the last "text" control, null when the skin has none
    int m_nBottomMargin;
    int m_bSameTop;
    CAppletWnd* m_pApplet;
    wchar_t m_szAppletName[CKetraSettings::kNameLength];
    wchar_t m_szAppletPath[MAX_PATH];
    int m_bForceReload;
    wchar_t m_szPendingApplet[CKetraSettings::kNameLength];  // a switch asked for on this thread
    int m_bPendingReload;
    int m_bPendingPosted;
    CAxRegList* m_pAxList;
    CRegistryWatch m_listWatch;  // tells when m_pAxList must be read again
    HMENU m_hMenu;
    CPoint m_ptMenu;
    CKetraHistory m_history;
    int m_nPendingHeight;  // bar height to take when opening, -1 for none
    CImage* m_pBkImage;
    int m_bBkTried;
    COLORREF m_colors[3];
};
