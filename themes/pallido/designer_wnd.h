// The theme designer's window: the editor panel on top (the items and the
// selected item's editors), the mock-ups below it, and the menu bar with
// the file commands and the theme browser's button.
//
// Files in this program:
//   designer_wnd.cpp    the window: creation, painting, taps, messages
//   designer_panel.cpp  the panel: items, editors, colour and image changes
//   designer_files.cpp  the theme: open, new, save, save as, apply, close
//   mockups.cpp         the mock-ups' drawing
//   design_rules.cpp    items, hot areas and custom colours
#pragma once

#include <windows.h>

#include <corvane.h>
#include <tessary.h>

#include "design_rules.h"
#include "mockups.h"

#define DESIGNER_CLASS L"Theme Designer"

class CDesignerWnd : public CWnd {
public:
    enum {
        // Open the theme whose path lParam points to (wParam 0); a path
        // from another process comes as WM_COPYDATA with this dwData.
        kOpenMessage = 1028,
        kPanelHeight = 60,
        kApplyReturnTimer = 1,
        kApplyReturnMs = 1000,
    };

    explicit CDesignerWnd(const wchar_t* path);
    BOOL CreateFrame();

    void OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(HDC hdc) override;
    void OnLButtonDown(CPoint point) override;
    void OnTimer(UINT_PTR timerId) override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // designer_panel.cpp
    void CreatePanel();
    void SelectItem(int item);
    void DrawPanel();
    void DrawEditorButton(const DRAWITEMSTRUCT* draw) const;
    const DesignEditor* EditorOf(UINT id) const;
    void ChangeColour(int index);
    void ChangeImage(bool today);

    // designer_files.cpp
    bool Open(const wchar_t* path);
    void NewTheme(int colourSet);
    void OpenWithDialog();
    bool Save();
    bool SaveAs();
    bool Write(const wchar_t* path);
    // Asks whether to save a modified theme: false when the user cancels.
    bool SaveChangesFirst(const wchar_t* caption);
    void Close();
    void Apply();
    void LaunchBrowser();
    void FormFiles();

    // designer_wnd.cpp
    void Redraw();
    void CreateBrowserButton();

    wchar_t m_szStartPath[MAX_PATH];
    CTskInfo m_info;
    wchar_t m_szName[MAX_PATH];
    bool m_bModified = false;
    int m_nItem = 2;
    bool m_bStartShown = false;
    COLORREF m_custom[kCustomColours];
    wchar_t m_szImageFolder[MAX_PATH];
    // The design pictures beside the program.
    wchar_t m_szNewStart[MAX_PATH];
    wchar_t m_szNewToday[MAX_PATH];
    DesignPictures m_pictures;
    // The theme's files, and those a read fills before it is taken.
    CTskTempFiles m_files;
    CTskTempFiles m_reading;

    CBitmapDC m_mockup;
    CBitmapDC m_startMockup;
    CBitmapDC m_panel;
    HDC m_hIconDc = nullptr;
    HBITMAP m_hIcons = nullptr;
    HGDIOBJ m_hOldIcons = nullptr;
    HWND m_hItems = nullptr;
    HWND m_hApply = nullptr;
};
