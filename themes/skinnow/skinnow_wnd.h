// Skinnow, the media player's skin browser on the side bar ("WMP Skin
// Browser"): the installed skins as a strip of thumbnails of their
// background pictures, each with a menu to apply or delete it.
#pragma once

#include <windows.h>

#include <applet_module.h>
#include <corvane.h>

#include "skin_thumbs.h"

class CSkinnowWnd : public CApplet {
public:
    enum {
        kWidth = 236,
        kHeight = 50,
        // Posted by the loader after each preview (wParam its index, -1 at the end).
        kPreviewMessage = WM_APP + 31,
    };
    enum { kApply = 1001, kDelete = 1002 };

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
    void Load();
    void Draw();
    bool LoadingFinished() const { return m_loader.IsFinished() != FALSE; }
    CThumbList* List() const { return m_loader.GetList(); }
    bool SkinDeletable() const;
    void ShowSkinMenu(int index, CPoint point);
    void Apply();
    void Delete();

    CThumbLoader m_loader;
    int m_nSelected = -1;
    WCHAR m_szSkin[MAX_PATH];   // the chosen skin's file
    WCHAR m_szName[MAX_PATH];   // its display name, "<title>.skn"
    COLORREF m_colours[3];
    CBitmapDC m_surface;
};
