// The task-bar icon: an 8 x 16 child of the task bar at (209, 5) showing the
// battery level on the task bar's colour, both checked every 4 seconds, with
// the tool's menu on a tap and the hook on the task bar's corner.
#pragma once

#include <windows.h>

#include <corvane.h>

#include "battery_level.h"
#include "corner_hook.h"

class CCrestelWnd : public CWnd {
public:
    static constexpr int kLeft = 209;
    static constexpr int kTop = 5;
    static constexpr int kWidth = 8;
    static constexpr int kHeight = 16;
    static constexpr UINT_PTR kCheckTimer = 100;
    static constexpr UINT kCheckMs = 4000;

    CCrestelWnd();
    ~CCrestelWnd() override;

    // The icon in the task bar, its hook in place.
    BOOL CreateIcon(HWND taskBar, LPCWSTR className, LPCWSTR title);

    BOOL OnRegisterClass(WNDCLASSW* wc) override;
    void OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;
    void OnLButtonDown(CPoint point) override;
    void OnTimer(UINT_PTR timerId) override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The level icon on the task bar's colour, into dc.
    void Draw(HDC dc);
    // Hands the task bar what the icon shows (a window of one program cannot
    // paint into another's here; shellproto.h).
    void ShowInTaskBar();

    // The menu (icon_menu.cpp).
    void OpenMenu();
    static void MeasureItem(MEASUREITEMSTRUCT* item);
    static void DrawItem(const DRAWITEMSTRUCT* item);

    // Commands (icon_commands.cpp).
    void ShowBar();
    void StartBeside(LPCWSTR program);
    void CloseFront();
    void ShowAbout();

    CCornerHook m_hook;
    HICON m_icons[BatteryLevel::kLevelCount] = {};
    COLORREF m_colour;
    HBRUSH m_brush = nullptr;
    int m_level = BatteryLevel::kUnknown;
    BOOL m_menuOpen = FALSE;
};
