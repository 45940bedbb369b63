// The pocket calculator applet: a 230 × 38 strip drawn by itself over the
// side bar's background, its display on the left above the operator keys
// and the digit keys on the right.
#pragma once

#include <windows.h>

#include <applet.h>
#include <drawing.h>

#include "pocket_calc.h"

struct SPocketKey {
    wchar_t key;
    int x;  // top-left corner of its 16 × 16 square
    int y;
};

class CAbacorWnd : public CApplet {
public:
    static constexpr int kWidth = 230;
    static constexpr int kHeight = 38;
    enum { kKeyCount = 17, kKeySize = 16, kCircle = 18 };
    static const SPocketKey kKeys[kKeyCount];
    static const RECT kDisplay;  // (5, 3)-(120, 16)
    static constexpr COLORREF kKeyColour = RGB(0, 0, 255);
    static constexpr COLORREF kPressedColour = RGB(0, 255, 0);

    // The key whose square holds the point strictly inside, or -1.
    static int KeyAt(POINT point);
    // The display's text drawn as the window draws it (Tahoma 14, white
    // over a black copy one pixel right and down, right-aligned).
    static void DrawDisplay(HDC dc, const wchar_t* text);

    void OnPaint() override;
    void OnLButtonDown(CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnTodayQueryRefreshCache(TODAYLISTITEM* item) override;

    const CPocketCalc& Calculator() const { return m_calc; }

private:
    void Draw(HDC dc);
    void DrawKey(HDC dc, int key);

    CPocketCalc m_calc;
    int m_nPressed = -1;
};
