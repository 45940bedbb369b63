// The system watch applet's window: battery, memory and storage-card
// levels, volume and backlight sliders, and a strip of buttons for the
// Today screen, the lock, the power menu, the summary and the other applets.
#pragma once

#include <windows.h>

#include <corvane.h>

class CVoltaneWnd : public CApplet {
public:
    static constexpr int kWidth = 230;
    static constexpr int kHeight = 55;
    static constexpr UINT_PTR kRedrawTimer = 100;
    static constexpr UINT kRedrawMs = 5000;

    // Hit rectangles, the lowest index winning.
    enum Area {
        kBottomStrip = 0,
        kBottomRight = 1,
        kBatteryIcon = 2,
        kBatteryColumn = 3,
        kMemoryIcon = 4,
        kMemoryColumn = 5,
        kCardIcon = 6,
        kCardColumn = 7,
        kVolumeIcon = 8,
        kVolumeMeter = 9,
        kBacklightIcon = 10,
        kBacklightMeter = 11,
        kAreaCount = 12,
    };
    // The power menu.
    enum Command : UINT {
        kPowerOff = 1001,
        kScreenOff = 1002,
        kSoftReset = 1003,
        kHardReset = 1004,
        kCloseAll = 1006,
    };
    // The bottom strip's buttons, left to right.
    enum Button { kToday = 0, kLock, kPowerMenu, kSummary, kTaskBar, kLauncher, kSettings, kButtonCount };

    CVoltaneWnd() = default;

    void OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;
    void OnLButtonDown(CPoint point) override;
    void OnMouseMove(CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    void OnTimer(UINT_PTR timerId) override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnTodayQueryRefreshCache(TODAYLISTITEM* item) override;

    static const RECT kAreas[kAreaCount];
    // The area under point, lowest index first; -1 for none.
    static int HitTest(POINT point);
    // The bottom strip's button under point, or -1.
    static int ButtonAt(POINT point);

private:
    // Drawing (voltane_wnd.cpp).
    void DrawAll();
    void DrawBattery(CDC* dc);
    void DrawMemory(CDC* dc);
    void DrawCards(CDC* dc);
    void DrawSliders(CDC* dc);
    void DrawBottomStrip(CDC* dc);
    void DrawLevelPair(CDC* dc, int left, int first, int second);
    void DrawColumnText(CDC* dc, int left, int right, LPCWSTR text);
    void Show();

    // Actions (voltane_actions.cpp).
    void OnAreaDown(int area, CPoint point);
    void PressButton(int button, CPoint point);
    void ShowPowerMenu(CPoint point);
    void StartSummary();
    void ShowApplet(LPCWSTR name);
    BOOL Confirm(LPCWSTR text, LPCWSTR caption, UINT icon);

    CIconList m_icons;
    CMeterBar m_volume;
    CMeterBar m_backlight;
    CMeterBar* m_pDragged = nullptr;
    CBitmapDC m_surface;
    BOOL m_bProgramMemory = TRUE;  // else the object store
    BOOL m_bFirstCard = TRUE;      // else the second card shown
    BOOL m_bDisplayOff = FALSE;    // the applet switched the display off
    BOOL m_bSwallowUp = FALSE;     // the tap that woke the display ends here
    BOOL m_bVisible = TRUE;
    int m_nPressedArea = -1;
};
