// The price calculator's window.
#include "tagora_wnd.h"

#include <ketra_host.h>
#include <todaycmn.h>

#include <cmath>

namespace {

const wchar_t kClassName[] = L"Tagora";
const wchar_t kSkinFile[] = L"PcSkin.xml";

}  // namespace

// No 5 and no 55.
const wchar_t* const CTagoraWnd::kDiscountTexts[kDiscountCount] = {
    L"0", L"10", L"15", L"20", L"25", L"30", L"35", L"40", L"45", L"50", L"60", L"65", L"70", L"75", L"80", L"85"};

CTagoraWnd::CTagoraWnd()
    : m_nDiscount(kDefaultDiscount), m_dTax(kDefaultTax), m_bLoaded(false), m_bRecomputing(false)
{
}

int CTagoraWnd::Open(HWND parent, HINSTANCE module)
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
    m_font.CreateFont(13, L"Tahoma", FW_NORMAL);
    if (!Create(parent, kClassName))
        return 0;
    CModuleInfo library(module);
    LPCWSTR skin = library.GetFileName(kSkinFile);
    if (!skin || !LoadSkin(skin)) {
        DestroyWindow();
        return 0;
    }
    m_bLoaded = true;
    ShowWindow();
    UpdateWindow();
    return 1;
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
    CCtrlList* ctrls = GetCtrlList();
    for (POSITION at = ctrls->GetHeadPosition(); at;) {
        if (!CreateCalcBox(m_hWnd, static_cast<CCtrl*>(ctrls->GetNext(at)), boxes, ARRAYSIZE(boxes), m_font))
            return 0;
    }
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

void CTagoraWnd::OnNumChar(wchar_t ch)
{
    CNumEdit& box = KeyTarget();
    if (ch == L'.' && wcschr(box.GetText(), L'.'))
        return;
    box.TypeChar(ch);
    Recompute();
}

void CTagoraWnd::OnNumClear()
{
    KeyTarget().Clear();
    Recompute();
}

// Under Wine a tap in an open list arrives while the list is still open;
// any notice from a closed list is left alone.
LRESULT CTagoraWnd::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case IDC_DISCOUNT: {
        int discount = m_discount.GetCurSel();
        if (m_discount.GetDroppedState() && discount >= 0) {
            m_nDiscount = discount;
            Recompute();
        }
        return 0;
    }
    case IDC_PRICE:
    case IDC_TAX:
        // A number typed with the keyboard counts as it is typed.
        if (code == EN_CHANGE)
            Recompute();
        return 0;
    case IDC_DISCOUNTED:
    case IDC_AMOUNT:
        return 0;
    }
    return CNumWnd::OnCommand(id, code);
}

LRESULT CTagoraWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    // Keys and messages the bar passes on: the boxes take the keyboard
    // themselves.
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_KETRA_RELAY:
    case WM_TODAYCUSTOM_CLEARCACHE:
        return 0;
    case WM_TODAYCUSTOM_QUERYREFRESHCACHE:
        return AnswerHeightQuery(wParam);
    }
    return CNumWnd::OnMessage(message, wParam, lParam);
}

void CTagoraWnd::OnDestroy()
{
    CAppConfig config;
    if (m_bLoaded && config.Open(kConfigSection)) {
        config.SetDWORD(L"dc", (DWORD)m_nDiscount);
        config.SetDOUBLE(L"tax", m_dTax);
    }
    m_bLoaded = false;
    CNumWnd::OnDestroy();
}
