// The world clock on the side bar: the four cities' clocks in a 236 x 90
// strip.  A tap on a box shows the city's name, country and telephone code
// and "Settings...", which opens the world clock program beside the applet.
#pragma once

#include <windows.h>

#include <applet_module.h>
#include <corvane.h>

#include "city_slots.h"

class CWorldClockApplet : public CApplet {
public:
    enum { kTickTimer = 1001, kTickMs = 1000, kSettingsCommand = 3001 };

    void OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(HDC hdc) override;
    void OnTimer(UINT_PTR timerId) override;
    void OnLButtonDown(CPoint point) override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ReadColours();
    void Draw();
    void DrawBox(HDC dc, int slot);
    // The box under the point; box 0 between boxes.
    int BoxAt(CPoint point) const;
    void ShowMenu(int slot, CPoint point);
    void OpenProgram();

    globora::CCitySlots m_slots;
    bool m_updating = true;  // the bar is open: the clocks move
    COLORREF m_background = 0;
    COLORREF m_boxFill = 0;
    COLORREF m_text = 0;
    HFONT m_digitFont = nullptr;
    HFONT m_nameFont = nullptr;
    CBitmapDC m_surface;
};
