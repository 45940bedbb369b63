// The price calculator's window: a price, a discount from the list and a
// sales-tax rate, and the discounted price and the amount with tax, from
// the skin "PcSkin.xml" beside the library.
#pragma once

#include <windows.h>

#include <calvint.h>

#include "price.h"

class CTagoraWnd : public CCalcWnd {
public:
    enum : UINT {
        IDC_PRICE = 7700,
        IDC_DISCOUNT = 7701,
        IDC_DISCOUNTED = 7702,
        IDC_TAX = 7703,
        IDC_AMOUNT = 7704,
    };
    enum { kDiscountCount = 16, kDefaultDiscount = 1 };
    static const wchar_t* const kDiscountTexts[kDiscountCount];
    static constexpr double kDefaultTax = 8.35;
    static constexpr const wchar_t* kConfigSection = L"Applets\\Price";

    CTagoraWnd();

    int OnLoadSkinDone() override;
    LRESULT OnCommand(UINT id, UINT code) override;

private:
    // The stored discount and tax.
    void LoadSettings() override;
    void SaveSettings() override;
    // The box the keypad types into: the tax box when it has the focus,
    // else the price box, which takes the focus.
    CNumEdit& KeyTarget() override;
    void Recompute() override;

    int m_nDiscount;
    double m_dTax;
    bool m_bRecomputing;
    CComboBox m_discount;
    CNumEdit m_price;
    CNumEdit m_tax;
    CNumEdit m_discounted;
    CNumEdit m_amount;
};
