// The tip calculator's window: the bill, the tip in percent and the number
// of people from two lists, and the tip, the total and each one's share,
// from the skin "TipSkin.xml" beside the library.
#pragma once

#include <windows.h>

#include <calvint.h>

#include "tip_split.h"

class CGratiloWnd : public CCalcWnd {
public:
    enum : UINT {
        IDC_TIP = 1001,
        IDC_PEOPLE = 1002,
        IDC_BILL = 1003,
        IDC_TIP_AMOUNT = 1004,
        IDC_TOTAL = 1005,
        IDC_EACH = 1006,
    };
    enum { kTipCount = 8, kPeopleCount = 10, kDefaultIndex = 2 };
    static const wchar_t* const kTipTexts[kTipCount];
    static constexpr const wchar_t* kConfigSection = L"Applets\\Tip";

    CGratiloWnd();

    int OnLoadSkinDone() override;
    LRESULT OnCommand(UINT id, UINT code) override;

private:
    // The stored lists' positions.
    void LoadSettings() override;
    void SaveSettings() override;
    int CreateBox(const CCtrl* ctrl, const SCalcBox* boxes, int count) override;
    CNumEdit& KeyTarget() override { return m_bill; }
    void Recompute() override;

    int m_nTip;
    int m_nPeople;  // the list's position: one fewer than the people
    CComboBox m_tip;
    CComboBox m_people;
    CNumEdit m_bill;
    CNumEdit m_tipAmount;
    CNumEdit m_total;
    CNumEdit m_each;
};
