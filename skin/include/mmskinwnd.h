// CMMSkinWnd: a skinned window with a maximised and a minimised look, both
// from one skin file, that slides between them with an animated outline.
//
// A quick tap on "SLIDE" toggles it, dragging "SLIDE" moves it.  It can hook
// the device's task bar so that a tap on the task bar's right-hand corner
// closes it (the window is sent message 1029 with wParam 2), and it answers
// the messages below.  The side-bar host derives its main window from it.
#pragma once

#include "skinwnd.h"

enum : UINT {
    WM_SKIN_MINIMIZE = 2128,  // Minimize; answers 0
    WM_SKIN_MAXIMIZE = 2129,  // Maximize; answers 0
    WM_SKIN_TOGGLE = 2130,    // SlideWindow; answers 0
    // The side-bar host's window message; the task-bar hook sends it with
    // wParam 2 when the task bar's corner was tapped.
    WM_SKIN_HOOKNOTIFY = 1029,
};

class SKIVEL_API CMMSkinWnd : public CSkinWnd {
public:
    enum {
        kSlideSteps = 10,
        kSlideDelayMs = 20,
        kTapTime = 2000000,  // a tap on "SLIDE" is shorter than 0.2 s (100 ns units)
    };

    CMMSkinWnd();
    ~CMMSkinWnd() override;  // removes the task-bar hook this window holds

    // Virtual slots after CSkinWnd's, in contract order.
    virtual void Maximize();                          // 25
    virtual void Minimize();                          // 26
    virtual void SlideWindow();                       // 27
    virtual void OnMaximize();                        // 28
    virtual void OnMinimize();                        // 29
    virtual void Slide();                             // 30
    virtual void OnPrepareSlide(CRect rect);          // 31
    virtual void OnSlide();                           // 32

    void OnLButtonDown(CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnLoadSkin(CXmlReader* reader, CXmlNodeListReader* skins) override;

    int IsMaxWin() const { return m_bMaxWin; }
    int IsSliding() const { return m_bSliding; }
    int IsAutoClose() const { return m_bAutoClose; }
    int IsFocusMode() const { return m_bFocusMode; }
    // Whether the process's task-bar hook is in place.
    int IsHooked() const;
    // Whether the skin file gave a minimised skin (without one the window
    // stays maximised).
    int HasMinSkin() const { return m_bHasMinSkin; }

    // Hooks (on) or unhooks (off) the task bar when the flag changes; 1.
    int SetAutoClose(int on);
    // Installs the hook for this window or removes it; nothing when the
    // hook is already in that state.
    void SetHook(int on);
    int SetSlide(int on);  // returns the previous flag

    CRect GetMaxRect() const { return m_rcMax; }
    void SetMaxRect(const RECT& rect) { m_rcMax = rect; }
    CRect GetMinRect() const { return m_rcMin; }
    void SetMinRect(const RECT& rect) { m_rcMin = rect; }
    CSkinInfo* GetMinSkinInfo() { return &m_minSkin; }

    // Draws an inverted outline travelling from one rectangle to the other
    // in steps, waiting delayMs at each; the window itself does not move.
    // Returns 1.
    int TransitTrack(const RECT& from, const RECT& to, int steps, int delayMs);

protected:
    int m_bMaxWin;
    int m_bSlide;
    int m_bAutoClose;
    int m_bFocusMode;
    int m_nReserved;
    CRect m_rcMin;
    CRect m_rcMax;
    ULONGLONG m_ftSlidePress;  // system time of the last press on "SLIDE"
    int m_bSliding;
    CSkinInfo m_minSkin;

private:
    int m_bHasMinSkin;
};
