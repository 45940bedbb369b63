// The button applet's list pop-up (window class "WNDMENU"): the launcher's
// programs, all rows, over the bar.  A tap on a program tells the owner
// (WM_NOTIFY with wParam 1 and lParam the program's path); any tap closes it.
#pragma once

#include <windows.h>

#include <corvane.h>
#include <launch_list.h>

class CListPopup : public CWnd {
public:
    static constexpr wchar_t kClassName[] = L"WNDMENU";
    static constexpr int kWidth = 230;
    static constexpr int kMargin = 8;  // below the rows
    static constexpr UINT kChildId = 101;
    static constexpr WPARAM kChoice = 1;  // wParam of the notification
    static constexpr COLORREF kBackground = 0xD8E9EC;

    // Made on first use: the list and its icons from the folder of module.
    BOOL CreatePopup(HWND owner, HINSTANCE module);
    // At topLeft (screen), at full size, holding the stylus.
    void Open(POINT topLeft);
    BOOL IsOpen() const { return m_bOpen; }
    // The path being reported while the notification is sent, else null:
    // the owner takes a choice only when it is this very pointer.
    LPCWSTR PendingChoice() const { return m_pszChoice; }
    int Height() const;

    BOOL OnRegisterClass(WNDCLASSW* wc) override;
    void OnPaint() override;
    void OnLButtonUp(CPoint point) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    CLaunchList& List() { return m_list; }

private:
    void Close();
    void Draw();

    HWND m_hOwner = nullptr;
    CLaunchList m_list;
    CBitmapDC m_surface;
    BOOL m_bOpen = FALSE;
    LPCWSTR m_pszChoice = nullptr;
};
