// The currency converter's window.
#include "monetta_wnd.h"

#include <ketra_host.h>
#include <todaycmn.h>

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

CMonettaWnd::CMonettaWnd() : m_hModule(nullptr), m_nUnit1(0), m_nUnit2(1), m_bLoaded(false) {}

int CMonettaWnd::Open(HWND parent, HINSTANCE module)
{
    m_hModule = module;
    m_currencies.Load();
    CAppConfig config;
    if (config.Open(kCurrencySection)) {
        m_nUnit1 = StoredUnit(config, L"Unit1", 0);
        m_nUnit2 = StoredUnit(config, L"Unit2", 1);
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

int CMonettaWnd::OnLoadSkinDone()
{
    const SCalcBox boxes[] = {
        {L"COMBOBOX", L"COMBOBOX_UNIT1", &m_unit1, IDC_UNIT1},
        {L"EDIT", L"EDIT_UNIT1", &m_input, IDC_INPUT},
        {L"COMBOBOX", L"COMBOBOX_UNIT2", &m_unit2, IDC_UNIT2},
        {L"TEXT", L"TEXT_UNIT2", &m_result, IDC_RESULT},
    };
    CCtrlList* ctrls = GetCtrlList();
    for (POSITION at = ctrls->GetHeadPosition(); at;) {
        if (!CreateCalcBox(m_hWnd, static_cast<CCtrl*>(ctrls->GetNext(at)), boxes, ARRAYSIZE(boxes), m_font))
            return 0;
    }
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

void CMonettaWnd::OnNumChar(wchar_t ch)
{
    if (ch == L'.' && wcschr(m_input.GetText(), L'.'))
        return;
    m_input.TypeChar(ch);
    Recompute();
}

void CMonettaWnd::OnNumClear()
{
    m_input.Clear();
    Recompute();
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
    return CNumWnd::OnClicked(button, point);
}

// Under Wine a tap in an open list arrives while the list is still open;
// any notice from a closed list is left alone.
LRESULT CMonettaWnd::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case IDC_UNIT1:
    case IDC_UNIT2: {
        CComboBox& list = id == IDC_UNIT1 ? m_unit1 : m_unit2;
        int unit = list.GetCurSel();
        if (list.GetDroppedState() && unit >= 0) {
            (id == IDC_UNIT1 ? m_nUnit1 : m_nUnit2) = unit;
            Recompute();
        }
        return 0;
    }
    case IDC_INPUT:
        // A number typed with the keyboard converts as it is typed.
        if (code == EN_CHANGE)
            Recompute();
        return 0;
    case IDC_RESULT:
        return 0;
    }
    return CNumWnd::OnCommand(id, code);
}

LRESULT CMonettaWnd::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
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
    case WM_CURRENCY_RELOAD:
        if (wParam == 1) {
            m_currencies.Load();
            FillLists();
            Recompute();
        }
        return 0;
    }
    return CNumWnd::OnMessage(message, wParam, lParam);
}

void CMonettaWnd::OnDestroy()
{
    CAppConfig config;
    if (m_bLoaded && config.Open(kCurrencySection)) {
        config.SetINT(L"Unit1", m_nUnit1);
        config.SetINT(L"Unit2", m_nUnit2);
    }
    m_bLoaded = false;
    CNumWnd::OnDestroy();
}
