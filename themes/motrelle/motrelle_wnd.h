// Motrelle, the animated-theme viewer on the side bar ("Flick Viewer"): the
// animated themes of a folder, one at a time, played by the device's HTML
// view in the bar, with the theme commands of the theme browser.  Without
// the device's Flash player, and whenever something fails, it shows a
// notice page instead.
#pragma once

#include <windows.h>

#include <applet_module.h>
#include <corvane.h>
#include <tessary.h>
#include <tskfolders.h>

class CMotrelleWnd : public CApplet {
public:
    enum {
        kWidth = 236,
        kHeight = 75,
        kBandHeight = 18,
        kBandBitmapHeight = 28,
        kNoticeHeight = 40,
        kMaxThemes = 50,
    };
    // Commands of the menus.
    enum {
        kApply = 1001,
        kDelete = 1002,
        kThemeInfo = 1004,
        kBeam = 1005,
        kFolderFirst = 1122,
        kThemeFirst = 2122,
        kOrganize = 3122,
    };
    // The band's hot areas.
    enum Area { kThemeMenu = 0, kFolderMenu = 1, kBrowse = 2, kCommandMenu = 3, kNoArea = -1 };
    static Area AreaAt(POINT point);

    void OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(HDC hdc) override;
    void OnLButtonDown(CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // motrelle_wnd.cpp: the folder's themes, a theme or a notice shown.
    bool ListFolder(LPCWSTR folder);
    void ShowTheme(LPCWSTR path);
    void ShowNotice(LPCWSTR text);
    void ShowFirstOrNone();
    void RemoveViewer();
    HWND CreateViewer(int height, bool visible);
    bool HostIsOpen();
    void ForgetTheme();

    // motrelle_band.cpp: the band over the viewer.
    void DrawBand();

    // motrelle_menus.cpp: the menus and their commands.
    void ShowThemeListMenu(CPoint point);
    void ShowFolderMenu(CPoint point);
    void ShowCommandMenu(CPoint point);
    void ChooseFolder(LPCWSTR folder);
    void Browse();
    void Apply();
    void Delete();

    HWND m_hViewer = nullptr;
    WCHAR m_szFolder[MAX_PATH];
    bool m_bHasFolder = false;
    WCHAR m_themes[kMaxThemes][MAX_PATH];
    int m_nThemes = 0;
    bool m_bMoreThemes = false;
    WCHAR m_szTheme[MAX_PATH];  // empty: none
    WCHAR m_szTitle[MAX_PATH];
    COLORREF m_crBack = RGB(0, 0, 0);
    COLORREF m_crText = RGB(255, 255, 255);
    bool m_bFlash = true;
    bool m_bShown = false;
    bool m_bPenOnBrowse = false;
    CTskTempFiles m_temp;
    WCHAR m_szPage[MAX_PATH];
    WCHAR m_folders[kMaxTskFolders][MAX_PATH];
    int m_nFolders = 0;
    CBitmapDC m_band;
};
