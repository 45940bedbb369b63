// The currency converter's window: an amount in one currency, the same
// amount in another, the two currency lists and the skin's keypad; TOGGLE
// swaps the currencies and SETTING opens "Currency Settings".  Its skin is
// "CurSkin.xml" beside the library.
#pragma once

#include <windows.h>

#include <calvint.h>

#include "currency.h"

class CMonettaWnd : public CCalcWnd {
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

    int OnClicked(CButton* button, CPoint point) override;
    int OnLoadSkinDone() override;
    LRESULT OnCommand(UINT id, UINT code) override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The currencies and the stored positions of the two lists.
    void LoadSettings() override;
    void SaveSettings() override;
    void FillLists();
    void StartAtOne();
    CNumEdit& KeyTarget() override { return m_input; }
    void Recompute() override;

    CCurrencyCategory m_currencies;
    int m_nUnit1;
    int m_nUnit2;
    CComboBox m_unit1;
    CComboBox m_unit2;
    CNumEdit m_input;
    CNumEdit m_result;
};
