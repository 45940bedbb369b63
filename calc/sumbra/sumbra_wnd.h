// The expression calculator's window: an editable expression box whose
// list keeps earlier results and expressions (newest first), and the
// skin's keypad of digits, operators, parentheses and caret keys.
#pragma once

#include <windows.h>

#include <calvint.h>

#include "evaluator.h"

class CSumbraWnd : public CNumWnd {
public:
    enum : UINT { IDC_EXPRESSION = 1001 };
    enum { kDefaultPrecision = 3 };
    // The configuration section of its settings.
    static constexpr const wchar_t* kConfigSection = L"Applets\\Calculator";
    enum { kStoredEntries = 15 };  // "exp0" to "exp14"

    CSumbraWnd();

    // Makes the window in the parent (the side bar) and loads the skin
    // "CalcSkin.xml" beside the library.  0 (no window left) when the skin
    // cannot be loaded or has no combo box for the expression.
    int Open(HWND parent, HINSTANCE module);

    // Virtual slots after CNumWnd's, in contract order.
    virtual void OnOperator(wchar_t op);  // types an operator into the box
    virtual void Evaluate();              // the expression in the box, as Enter

    void OnNumChar(wchar_t ch) override;
    void OnNumClear() override;
    int OnClicked(CButton* button, CPoint point) override;
    int OnLoadSkinDone() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

    // The edit field inside the expression box.
    HWND GetEditField() const { return m_hEdit; }

private:
    // Whether the text has at least two pieces between "+-x/()".
    static bool IsExpression(const wchar_t* text);
    // Presses a key in the focused box: key-down and key-up sent to it
    // directly, so they keep their place among the characters typed.
    static void PressKey(UINT vk);
    void FocusBox();
    void LoadHistory();
    void SaveHistory();
    static LRESULT CALLBACK EditFieldProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR self);

    CComboBox m_box;
    HWND m_hEdit;
    CEvaluator m_evaluator;
    int m_nPrecision;
    CFont m_font;
};
