// CCalcWnd: the window of a calculator applet made of number boxes and
// lists, on a CNumWnd keypad.  It opens itself from its skin, makes the
// skin's boxes and keeps its settings from one run to the next.
//
// A calculator names its window class and skin file, reads its settings
// in LoadSettings (before the window is made) and stores them in
// SaveSettings (on destruction, only when the skin was shown); it makes
// its boxes from OnLoadSkinDone with CreateBoxes and fills them, names the
// box the keypad types into in KeyTarget and works out its figures in
// Recompute.  Its OnCommand hands a list's notice to TakeListChoice and a
// number box's to TakeTyping.
#pragma once

#include <windows.h>

#include <wndframe.h>

#include "calc_boxes.h"
#include "calc_controls.h"
#include "calvint_api.h"
#include "numwnd.h"

class CALVINT_API CCalcWnd : public CNumWnd {
public:
    // Both names must outlive the object (string literals).
    CCalcWnd(const wchar_t* className, const wchar_t* skinFile);

    // Reads the settings, makes the window in the parent (the side bar)
    // and loads the skin beside the library.  0 (no window left) when the
    // skin cannot be loaded or holds a control this window does not know.
    int Open(HWND parent, HINSTANCE module);

    // A keypad character is typed into the key target ("." only once) and
    // the figures are recomputed; clearing sets the key target to "0".
    void OnNumChar(wchar_t ch) override;
    void OnNumClear() override;
    void OnDestroy() override;

protected:
    virtual void LoadSettings() = 0;
    virtual void SaveSettings() = 0;
    // The figures again from what the boxes and lists show.
    virtual void Recompute() = 0;
    // The number box the keypad types into.
    virtual CNumEdit& KeyTarget() = 0;
    // The box of one skin control, from the table; 0 fails the skin.
    virtual int CreateBox(const CCtrl* ctrl, const SCalcBox* boxes, int count);

    // Every control of the skin becomes its box; 0 as soon as one cannot.
    int CreateBoxes(const SCalcBox* boxes, int count);
    // A notice from a list: a choice made in the open list becomes the
    // index and the figures are recomputed.  Returns the notice's answer.
    LRESULT TakeListChoice(CComboBox& list, int& index);
    // A notice from a number box: a number typed with the keyboard counts
    // as it is typed.  Returns the notice's answer.
    LRESULT TakeTyping(UINT code);

    HINSTANCE m_hModule;  // the applet's library, from Open
    CFont m_font;         // the boxes' font

private:
    const wchar_t* m_pszClassName;
    const wchar_t* m_pszSkinFile;
    bool m_bLoaded;  // the skin was shown: the settings are stored on the way out
};
