// The PIM summary applet's window: the three section bars, the open
// section's text, the taps, the five-minute reload.
#pragma once

#include <windows.h>

#include <corvane.h>

#include "agendo_model.h"
#include "poom_reader.h"
#include "vomapi.h"

class CAgendoWnd : public CApplet {
public:
    static constexpr UINT_PTR kReloadTimer = 1001;
    static constexpr UINT kReloadMs = 300000;

    CAgendoWnd();

    void OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(HDC hdc) override;
    void OnLButtonDown(CPoint point) override;
    void OnTimer(UINT_PTR timerId) override;
    int OnTodayQueryRefreshCache(TODAYLISTITEM* item) override;

private:
    // Loading (agendo_load.cpp).
    void LoadAll();
    void LoadMail();
    void LoadCalendarAndTasks();
    void ReadColours();

    // Drawing (agendo_draw.cpp).
    void DrawAll();
    void DrawBar(int x, int y, const agendo::Section& section);
    void DrawOpenText(int x, int y, const agendo::Section& section);
    void Repaint();

    // Taps (agendo_wnd.cpp).
    void Tap(const agendo::TapAction& action);
    void OpenSection(int section);
    void CloseSection();
    void StartProgram(int section);
    int CurrentHeight() const;

    agendo::Section m_sections[agendo::kSectionCount];
    int m_nMode = agendo::kAllClosed;
    COLORREF m_colours[3] = {};
    CBitmapDC m_surface;
    HICON m_hIcons[5] = {};
    VOMAPI m_mapi;
    PoomReader m_poom;
    BOOL m_bComStarted = FALSE;
};
