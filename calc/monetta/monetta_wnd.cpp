// The currency converter's window.
#include "monetta_wnd.h"

#include <utility>

#include "currency_settings.h"

namespace {

const wchar_t kClassName[] = L"Monetta";
const wchar_t kSkinFile[] = L"CurSkin.xml";

// A stored position outside the list is the default.
int StoredUnit(CAppConfig& config, const wchar_t* name, int fallback)
{
    int unit = fallback;
    if (!config.GetINT(name, &unit) || unit < 0 || unit >= kCurrencyCount)
        return fallback;
    return unit;
}

}  // namespace

CMonettaWnd::CMonettaWnd() : CCalcWnd(kClassName, kSkinFile), m_nUnit1(0), m_nUnit2(1) {}

void CMonettaWnd::LoadSettings()
{
    m_currencies.Load();
    CAppConfig config;
    if (config.Open(kCurrencySection)) {
        m_nUnit1 = StoredUnit(config, L"Unit1", 0);
        m_nUnit2 = StoredUnit(config, L"Unit2", 1);
    }
}

void CMonettaWnd::SaveSettings()
{
    CAppConfig config;
    if (config.Open(kCurrencySection)) {
        config.SetINT(L"Unit1", m_nUnit1);
        config.SetINT(L"Unit2", m_nUnit2);
    }
}

int CMonettaWnd::OnLoadSkinDone()
{
    const SCalcBox boxes[] = {
        {L"COMBOBOX", L"COMBOBOX_UNIT1", &m_unit1, IDC_UNIT1},
        {L"EDIT", L"EDIT_UNIT1", &m_input, IDC_INPUT},
        {L"COMBOBOX", L"COMBOBOX_UNIT2", &m_unit2, IDC_UNIT2},
        {L"TEXT", L"TEXT_UNIT2", &m_result, IDC_RESULT},
    };
    if (!CreateBoxes(boxes, ARRAYSIZE(boxes)))
        return 0;
    FillLists();
    m_result.Clear();
    StartAtOne();
    return 1;
}

void CMonettaWnd::FillLists()
{
    m_unit1.ResetContent();
    m_unit2.ResetContent();
    wchar_t name[kUnitNameLength];
    for (int unit = 0; m_currencies.GetUnitFullName(unit, name); ++unit) {
        m_unit1.AddString(name);
        m_unit2.AddString(name);
    }
    m_unit1.SetCurSel(m_nUnit1);
    m_unit2.SetCurSel(m_nUnit2);
}

// The input becomes "1" as if typed after a clear.
void CMonettaWnd::StartAtOne()
{
    m_input.Clear();
    m_input.TypeChar(L'1');
    Recompute();
}

void CMonettaWnd::Recompute()
{
    double result = 0;
    if (m_currencies.Convert(m_nUnit1, m_nUnit2, ReadNumber(m_input.GetText()), result))
        m_result.SetText(result, kDecimals);
}

int CMonettaWnd::OnClicked(CButton* button, CPoint point)
{
    if (button && button->IsEqual(L"TOGGLE")) {
        std::swap(m_nUnit1, m_nUnit2);
        m_unit1.SetCurSel(m_nUnit1);
        m_unit2.SetCurSel(m_nUnit2);
        StartAtOne();
        return 1;
    }
    if (button && button->IsEqual(L"SETTING")) {
        CCurrencySettingsDialog dialog(m_hWnd);
        dialog.SetDialogInfo(CCurrencySettingsDialog::kTemplate, m_hWnd, TRUE, m_hModule);
        dialog.DoModal();
        return 1;
    }
    return CCalcWnd::OnClicked(button, point);
}

LRESULT CMonettaWnd::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case IDC_UNIT1:
        return TakeListChoice(m_unit1, m_nUnit1);
    case IDC_UNIT2:
        return TakeListChoice(m_unit2, m_nUnit2);
    case IDC_INPUT:
        return TakeTyping(code);
    case IDC_RESULT:
        return 0;
    }
    return CCalcWnd::OnCommand(id, code);
}

LRESULT CMonettaWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CURRENCY_RELOAD:
        if (wParam == 1) {
            m_currencies.Load();
            FillLists();
            Recompute();
        }
        return 0;
    }
    return CCalcWnd::OnMessage(message, wParam, lParam);
}
