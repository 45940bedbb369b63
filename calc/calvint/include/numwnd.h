// CNumWnd: the skin window of a calculator applet, with the on-screen
// number keypad of its skin.
//
// Keypad buttons are "NUM0" to "NUM9", "DOT" and "MINUS"; they reach
// OnNumChar with their character.  "CLEAR" calls OnNumClear.  With the
// auto-clear flag set, a keypad press more than 5 seconds after the
// previous one (and the first press after creation) clears the entry
// first, so a new number starts.  Any other button goes to CSkinWnd.
//
// The keys and messages the side bar passes on are left to the boxes,
// which take the keyboard themselves; the bar's height query is answered
// with the skin's height.
#pragma once

#include <windows.h>

#include <skinwnd.h>

#include "calvint_api.h"

class CALVINT_API CNumWnd : public CSkinWnd {
public:
    enum : ULONGLONG { kNewNumberDelay = 50000000 };  // 5 s in 100-ns units

    CNumWnd();

    // Virtual slots after CSkinWnd's, in contract order.
    virtual void OnNumChar(wchar_t ch) = 0;  // a keypad character was typed
    virtual void OnNumClear() = 0;           // the entry is to be cleared

    // Made with WS_CLIPCHILDREN: painting the skin never wipes its boxes.
    BOOL PreCreateWindow(CREATESTRUCTW* cs) override;
    // May be activated; tells the host to let it take the focus.
    void OnCreate() override;
    // The skin, and the boxes again where the side bar painted over them.
    void OnPaint() override;
    int OnClicked(CButton* button, CPoint point) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Makes the window in the parent (the side bar) with the class name,
    // loads the skin file beside the module and shows the window.  0 when
    // the skin cannot be loaded: the window is destroyed again then, and an
    // object given to DeleteWithWindow has gone with it.
    int OpenSkin(HWND parent, HINSTANCE module, const wchar_t* className, const wchar_t* skinFile);

    // The answer to the host's query-refresh (1267, the record in wParam):
    // the skin's height, set in the record once.  The record is trusted
    // only when sent from this thread (another program could pass any
    // address).  1 when the height changed.
    LRESULT AnswerHeightQuery(WPARAM item);

    // An applet's window object made with new: it deletes itself with its
    // window, and *owner (set to it now) becomes null then.
    void DeleteWithWindow(CNumWnd** owner);

    // The keypad character of a button name, or 0 for a button that is no
    // keypad key.
    static wchar_t KeypadChar(const wchar_t* name);

    // The current system time as a file time (100-ns units).
    static ULONGLONG Now();
    // Whether a keypad press at now starts a new number after a press at
    // last: more than 5 seconds later, or earlier (the clock went back).
    static bool StartsNewNumber(ULONGLONG last, ULONGLONG now)
    { return now < last || now - last > kNewNumberDelay; }

    int m_bAutoClear;
    ULONGLONG m_ullLastPress;  // file time of the last keypad press, 0 at first

private:
    CNumWnd** m_ppOwner;  // set by DeleteWithWindow
    HWND m_hSelf;         // the window, still known at its last message
};
