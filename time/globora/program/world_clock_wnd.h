// The world clock's window: a header with the device's clock or the
// current city, the world map with the four cities' dots, and the four city
// boxes with their clocks.
//
// Files: world_clock_wnd.cpp (life, timer, commands, the side bar),
// world_clock_draw.cpp (the surfaces), world_clock_taps.cpp (taps, the map,
// the city list, the nearest-city menu).
#pragma once

#include <windows.h>

#include <corvane.h>
#include <dovrel_listbox.h>
#include <zonath.h>

#include "city_slots.h"

#define GLOBORA_CLASS L"GLOBORA_CLASS"
#define GLOBORA_TITLE L"World Clock"

class CWorldClockWnd : public CWnd {
public:
    // Timers: the clock's tick and the end of a dot's flash.
    enum { kTickTimer = 1000, kFlashTimer = 1002, kTickMs = 1000, kFlashMs = 300 };

    BOOL CreateFrame();

    void OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(HDC hdc) override;
    void OnTimer(UINT_PTR timerId) override;
    void OnLButtonDown(CPoint point) override;
    void OnMouseMove(CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    enum HeaderMode { kClockMode, kCityMode };

    // ---- world_clock_wnd.cpp
    void CreateMenuBar();
    void Tick();
    // Stores the cities and tells the side bar's applet (1032).
    void StoreSelection();
    void SwitchToBar();
    void Close();

    // ---- world_clock_draw.cpp: each draws into its surface, then shows it.
    void CreateSurfaces();
    void DrawHeader();
    void DrawMap();
    void DrawBoxes();
    void DrawAll();
    // Copies a surface's part to the screen at once.
    void ShowHeader();
    void ShowMap();
    void ShowBoxes();
    // Inverts a 5 x 5 dot, a mark or a square on the map (window points).
    void InvertDot(POINT point);
    void InvertMark(POINT point);
    void InvertSquare(POINT centre, int half);
    void FlashCurrentCity();
    void AnimateTarget(POINT centre);

    // ---- world_clock_taps.cpp
    int BoxAt(CPoint point) const;
    void TapBox(int slot, CPoint point);
    void MakeCurrent(const CCityInfo* city);
    void ToggleHeader();
    void StylusOnMap(CPoint point);
    void StylusOffMap(CPoint point);
    void ShowNearestMenu(CPoint point);
    void OpenList(int slot);
    void CloseList();
    void OnListNotify(UINT code);

    globora::CCitySlots m_slots;
    const CCityInfo* m_current = nullptr;
    const CCityInfo* m_near[kMaxNearCities] = {};
    WORD m_nearCount = 0;
    HeaderMode m_mode = kClockMode;
    int m_listSlot = -1;  // the slot the open list chooses for; -1 when closed
    bool m_stylusOnMap = false;
    bool m_marked = false;
    POINT m_mark = {0, 0};
    bool m_flashing = false;
    POINT m_flash = {0, 0};

    CListBox m_list;
    HFONT m_listFont = nullptr;
    HFONT m_digitFont = nullptr;
    HFONT m_headerClockFont = nullptr;
    HFONT m_headerCityFont = nullptr;
    HFONT m_nameFont = nullptr;
    HICON m_copyIcon = nullptr;
    HICON m_listIcon = nullptr;
    CImage m_map;
    CBitmapDC m_headerSurface;
    CBitmapDC m_mapSurface;
    CBitmapDC m_boxSurface;
};
