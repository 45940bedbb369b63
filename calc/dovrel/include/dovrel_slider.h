// Slider wrappers.
//
// Classes in this file:
//   CSliderCtrl  "msctls_trackbar32", the caller's style
//   CTrackBar    a slider drawn by itself: a light channel area and a
//                20 x 16 thumb that changes colour while it is dragged
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <drawing.h>
#include <wndframe.h>

#include "dovrel_api.h"

class DOVREL_API CSliderCtrl : public CWnd {
public:
    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, HWND parent, UINT id);

    int GetPos() { return (int)SendMessageW(TBM_GETPOS); }
    void SetPos(int pos, BOOL redraw = TRUE) { SendMessageW(TBM_SETPOS, (WPARAM)redraw, (LPARAM)pos); }
    int GetRangeMin() { return (int)SendMessageW(TBM_GETRANGEMIN); }
    int GetRangeMax() { return (int)SendMessageW(TBM_GETRANGEMAX); }
    void SetRangeMin(int min, BOOL redraw = FALSE) { SendMessageW(TBM_SETRANGEMIN, (WPARAM)redraw, (LPARAM)min); }
    void SetRangeMax(int max, BOOL redraw = FALSE) { SendMessageW(TBM_SETRANGEMAX, (WPARAM)redraw, (LPARAM)max); }
    void GetRange(int& min, int& max) { min = GetRangeMin(); max = GetRangeMax(); }
    void SetRange(int min, int max, BOOL redraw = FALSE)
    { SendMessageW(TBM_SETRANGE, (WPARAM)redraw, MAKELPARAM(min, max)); }
    void GetSelection(int& start, int& end)
    { start = (int)SendMessageW(TBM_GETSELSTART); end = (int)SendMessageW(TBM_GETSELEND); }
    void SetSelection(int start, int end, BOOL redraw = FALSE)
    { SendMessageW(TBM_SETSEL, (WPARAM)redraw, MAKELPARAM(start, end)); }
    void ClearSel(BOOL redraw = FALSE) { SendMessageW(TBM_CLEARSEL, (WPARAM)redraw); }
    int GetLineSize() { return (int)SendMessageW(TBM_GETLINESIZE); }
    int SetLineSize(int size) { return (int)SendMessageW(TBM_SETLINESIZE, 0, (LPARAM)size); }
    int GetPageSize() { return (int)SendMessageW(TBM_GETPAGESIZE); }
    int SetPageSize(int size) { return (int)SendMessageW(TBM_SETPAGESIZE, 0, (LPARAM)size); }
    void GetChannelRect(RECT* rect) { SendMessageW(TBM_GETCHANNELRECT, 0, (LPARAM)rect); }
    void GetThumbRect(RECT* rect) { SendMessageW(TBM_GETTHUMBRECT, 0, (LPARAM)rect); }
    void ClearTics(BOOL redraw = FALSE) { SendMessageW(TBM_CLEARTICS, (WPARAM)redraw); }
    int GetNumTics() { return (int)SendMessageW(TBM_GETNUMTICS); }
    // The control's own array (not to be freed), or null without tics.
    DWORD* GetTicArray() { return (DWORD*)SendMessageW(TBM_GETPTICS); }
    int GetTic(int index) { return (int)SendMessageW(TBM_GETTIC, (WPARAM)index); }
    int GetTicPos(int index) { return (int)SendMessageW(TBM_GETTICPOS, (WPARAM)index); }
    BOOL SetTic(int pos) { return (BOOL)SendMessageW(TBM_SETTIC, 0, (LPARAM)pos); }
    void SetTicFreq(int frequency) { SendMessageW(TBM_SETTICFREQ, (WPARAM)frequency); }
    // Puts the position back inside the range: the current position set
    // again, which the control clamps.
    void VerifyPos() { SetPos(GetPos(), FALSE); }
};

class DOVREL_API CTrackBar : public CSliderCtrl {
public:
    // Colours of the drawing.
    enum : COLORREF {
        kBackground = 0xFFC0C0,
        kThumbOutline = 0x800000,
        kThumbIdle = 0xFF8080,
        kThumbDragging = 0xC0C000,
    };
    enum { kThumbWidth = 20, kThumbHeight = 16 };

    CTrackBar();

    using CSliderCtrl::Create;
    // Automatic tics, vertical or horizontal; not visible until shown.
    BOOL Create(const RECT& rect, HWND parent, UINT id, BOOL vertical);

    // The thumb as this bar draws and hit-tests it (client coordinates).
    CRect GetDrawnThumbRect();
    BOOL IsDragging() const { return m_bDragging; }

    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void Paint(HDC target);

    BOOL m_bDragging;
    // Pictures for a skinned thumb and channel; no one loads them yet.
    CImage m_thumbImage;
    CImage m_channelImage;
};
