// Vistaro, the theme browser on the side bar: the theme files of one folder
// as a strip of Today-screen thumbnails, five to a page, with a menu per
// theme (apply, design, delete, beam, information) and the theme folders
// (the favourites) a tap away.
//
// The previews are made by a loader thread (CThumbLoader) while the user
// pages; file commands and the folder areas wait until it has finished.
#pragma once

#include <windows.h>

#include <applet_module.h>
#include <corvane.h>
#include <tskfolders.h>
#include <tskthumb.h>

class CVistaroWnd : public CApplet {
public:
    enum {
        kWidth = 236,
        kHeight = 75,
        // Posted by the loader after each preview (wParam its index, -1 at the end).
        kPreviewMessage = WM_APP + 21,
    };
    // Commands of the theme and folder menus.
    enum {
        kApply = 1001,
        kDelete = 1002,
        kDesign = 1003,
        kThemeInfo = 1004,
        kBeam = 1005,
        kFolderFirst = 1122,
        kOrganize = 1222,
    };
    // The window's hot areas; elsewhere a tap on a thumbnail opens its menu.
    enum Area { kPrevPage = 0, kNextPage = 1, kFolderMenu = 2, kBrowse = 3, kReload = 4, kNoArea = -1 };
    static Area AreaAt(POINT point);

    void OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(HDC hdc) override;
    void OnLButtonDown(CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnTodayClearCache() override;

private:
    // vistaro_wnd.cpp: the folder shown.
    void LoadFolder(LPCWSTR folder, bool forced);
    bool LoadingFinished() const { return m_loader.IsFinished() != FALSE; }
    CThumbList* List() const { return m_loader.GetList(); }

    // vistaro_draw.cpp: the off-screen picture of the window.
    void Draw();
    void DrawThemeBand(LPCWSTR name);
    void DrawText(HDC dc, int x, int y, LPCWSTR text, COLORREF colour) const;

    // vistaro_menus.cpp: the menus and their commands.
    void ShowFolderMenu(CPoint point);
    void ShowThemeMenu(int index, CPoint point);
    void Browse();
    void Apply();
    void Delete();
    void Design();
    void ShowInfo();
    void Beam();

    WCHAR m_szFolder[MAX_PATH];
    bool m_bHasFolder = false;
    CThumbLoader m_loader;
    // The thumbnail last tapped.
    int m_nTapped = -1;
    WCHAR m_szTappedPath[MAX_PATH];
    WCHAR m_szTappedName[MAX_PATH];
    // The folders the folder menu listed, for its commands.
    WCHAR m_folders[kMaxTskFolders][MAX_PATH];
    int m_nFolders = 0;
    COLORREF m_colours[3];
    CBitmapDC m_surface;
};
