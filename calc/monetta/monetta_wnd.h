// The currency converter's window: an amount in one currency, the same
// amount in another, the two currency lists and the skin's keypad; TOGGLE
// swaps the currencies and SETTING opens "Currency Settings".
#pragma once

#include <windows.h>

#include <calvint.h>

#include "currency.h"

class CMonettaWnd : public CNumWnd {
public:
    enum : UINT {
        IDC_UNIT1 = 7700,
        IDC_INPUT = 7701,
        IDC_UNIT2 = 7702,
        IDC_RESULT = 7703,
    };
    // Sent with wParam 1 by the settings dialog: the names and rates were
    // changed (this window's own meaning of the number).
    enum : UINT { WM_CURRENCY_RELOAD = 1034 };
    enum { kDecimals = 2 };

    CMonettaWnd();

    // Makes the window in the parent (the side bar), reads the currencies
    // and loads the skin "CurSkin.xml" beside the library.  0 (no window
    // left) when the skin cannot be loaded or holds a control this window
    // does not know.
    int Open(HWND parent, HINSTANCE module);

    void OnNumChar(wchar_t ch) override;
    void OnNumClear() override;
    int OnClicked(CButton* button, CPoint point) override;
    int OnLoadSkinDone() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    void FillLists();
    void StartAtOne();
    void Recompute();

    HINSTANCE m_hModule;
    CCurrencyCategory m_currencies;
    int m_nUnit1;
    int m_nUnit2;
    bool m_bLoaded;
    CFont m_font;
    CComboBox m_unit1;
    CComboBox m_unit2;
    CNumEdit m_input;
    CNumEdit m_result;
};
