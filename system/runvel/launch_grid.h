// The options program's grid of programs (window class "LANCHER_OPTION"):
// the whole launch list on white, a rule under the rows the launcher shows,
// the highlighted program in the strip at the bottom.  A tap starts a
// program, a hold offers "Launch" and "Delete", a drag rearranges.
#pragma once

#include <windows.h>

#include <corvane.h>
#include <launch_list.h>

class CLaunchGridWnd : public CWnd {
public:
    static constexpr wchar_t kClassName[] = L"LANCHER_OPTION";
    static constexpr int kStripHeight = 24;
    static constexpr int kTitleChars = 30;
    static constexpr int kDragThreshold = 4;  // pixels the stylus moves before a tap becomes a drag

    CLaunchGridWnd();

    // A child of parent over rect showing list (not owned); the hold menu's
    // commands go to commandTarget.
    BOOL CreateGrid(HWND parent, const RECT& rect, CLaunchList* list, HWND commandTarget);
    void SetLines(int lines);
    void SetArrangeMode(int mode) { m_nArrangeMode = mode; }
    int GetHighlight() const { return m_nHighlight; }
    void SetHighlight(int index);
    // After the list changed: keeps the highlight only on an entry, redraws.
    void ListChanged();

    BOOL OnRegisterClass(WNDCLASSW* wc) override;
    void OnCreate() override;
    void OnPaint() override;
    void OnLButtonDown(CPoint point) override;
    void OnRButtonDown(CPoint point) override;
    void OnMouseMove(CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Where a drop at point goes: an entry's index, the count for a point
    // past the last entry, -1 elsewhere.
    int DropTarget(POINT point) const;

private:
    void Resized();
    CRect GridArea() const;
    CRect StripArea() const;
    int VisibleRows() const;
    void PlaceList();
    void UpdateScrollBar();
    void Scroll(int code, int position);
    void Redraw();
    void DrawStrip(CDC* dc);
    void ToggleDragFrame(POINT centre);
    void Drop(POINT point);
    void ShowHoldMenu(CPoint point);

    CLaunchList* m_pList = nullptr;
    HWND m_hCommandTarget = nullptr;
    CBitmapDC m_surface;
    int m_nHighlight = -1;
    int m_nLines = 2;
    int m_nArrangeMode = LaunchSettings::kInsert;
    int m_nTopRow = 0;  // the first row shown when the list is taller than the window

    // A press in progress.
    int m_nPressed = -1;
    CPoint m_ptPressed{0, 0};
    BOOL m_bDragging = FALSE;
    BOOL m_bFrameShown = FALSE;
    CPoint m_ptFrame{0, 0};
};
