// The dialer applet: the call log one number at a time over "Dialer.gif",
// with previous, call and next along the top and the phone program, the
// Talk key and the menu along the bottom.
#pragma once

#include <windows.h>

#include <corvane.h>

#include "call_list.h"

class CDialerWnd : public CApplet {
public:
    static constexpr int kWidth = 236;
    static constexpr int kHeight = 63;
    static constexpr UINT_PTR kReloadTimer = 10001;
    static constexpr UINT kReloadMs = 300000;

    enum Command : UINT { kRemove = 1001, kReset = 1002 };
    enum Area { kPrevious = 0, kCall, kNext, kPhoneProgram, kTalkKey, kMenu, kAreaCount };

    void OnCreate() override;
    void OnDestroy() override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(HDC hdc) override;
    void OnLButtonDown(CPoint point) override;
    LRESULT OnCommand(UINT id, UINT code) override;
    void OnTimer(UINT_PTR timerId) override;

    const CCallList& List() const { return m_list; }

private:
    void Tap(int area);
    void ShowMenu();
    void Reload();
    bool FilePath(LPCWSTR name, wchar_t* path) const;

    CCallList m_list;
    CImage m_picture;
    CFont m_nameFont, m_numberFont;
    bool m_tapped = false;  // a tap since the timer's last tick
};
