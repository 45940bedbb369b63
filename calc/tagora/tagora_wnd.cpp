// The price calculator's window.
#include "tagora_wnd.h"

#include <cmath>

namespace {

const wchar_t kClassName[] = L"Tagora";
const wchar_t kSkinFile[] = L"PcSkin.xml";

}  // namespace

// No 5 and no 55.
const wchar_t* const CTagoraWnd::kDiscountTexts[kDiscountCount] = {
    L"0", L"10", L"15", L"20", L"25", L"30", L"35", L"40", L"45", L"50", L"60", L"65", L"70", L"75", L"80", L"85"};

CTagoraWnd::CTagoraWnd()
    : CCalcWnd(kClassName, kSkinFile), m_nDiscount(kDefaultDiscount), m_dTax(kDefaultTax), m_bRecomputing(false)
{
}

void CTagoraWnd::LoadSettings()
{
    CAppConfig config;
    if (config.Open(kConfigSection)) {
        DWORD discount = 0;
        if (config.GetDWORD(L"dc", &discount) && discount < (DWORD)kDiscountCount)
            m_nDiscount = (int)discount;
        double tax = 0;
        if (config.GetDOUBLE(L"tax", &tax) && std::isfinite(tax))
            m_dTax = tax;
    }
}

void CTagoraWnd::SaveSettings()
{
    CAppConfig config;
    if (config.Open(kConfigSection)) {
        config.SetDWORD(L"dc", (DWORD)m_nDiscount);
        config.SetDOUBLE(L"tax", m_dTax);
    }
}

int CTagoraWnd::OnLoadSkinDone()
{
    const SCalcBox boxes[] = {
        {L"EDIT", L"EDIT_PRICE", &m_price, IDC_PRICE},
        {L"COMBOBOX", L"COMBOBOX_DC", &m_discount, IDC_DISCOUNT},
        {L"TEXT", L"TEXT_DCPRICE", &m_discounted, IDC_DISCOUNTED},
        {L"EDIT", L"EDIT_TAX", &m_tax, IDC_TAX},
        {L"TEXT", L"TEXT_AMT", &m_amount, IDC_AMOUNT},
    };
    if (!CreateBoxes(boxes, ARRAYSIZE(boxes)))
        return 0;
    m_bRecomputing = true;  // no recompute before every box is filled
    for (const wchar_t* discount : kDiscountTexts)
        m_discount.AddString(discount);
    m_discount.SetCurSel(m_nDiscount);
    m_price.Clear();
    m_tax.SetText(m_dTax, 2);
    m_bRecomputing = false;
    Recompute();
    return 1;
}

void CTagoraWnd::Recompute()
{
    if (m_bRecomputing)
        return;
    m_bRecomputing = true;
    m_dTax = ReadNumber(m_tax.GetText());
    const SPrice price =
        PriceWithTax(ReadNumber(m_price.GetText()), ReadNumber(kDiscountTexts[m_nDiscount]), m_dTax);
    m_discounted.SetText(price.discounted, 2);
    m_amount.SetText(price.withTax, 2);
    m_bRecomputing = false;
}

CNumEdit& CTagoraWnd::KeyTarget()
{
    if (::GetFocus() == m_tax.GetSafeHwnd())
        return m_tax;
    ::SetFocus(m_price);
    return m_price;
}

LRESULT CTagoraWnd::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case IDC_DISCOUNT:
        return TakeListChoice(m_discount, m_nDiscount);
    case IDC_PRICE:
    case IDC_TAX:
        return TakeTyping(code);
    case IDC_DISCOUNTED:
    case IDC_AMOUNT:
        return 0;
    }
    return CCalcWnd::OnCommand(id, code);
}
