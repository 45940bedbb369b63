// The tip calculator's window.
#include "gratilo_wnd.h"

#include <strsafe.h>

#include <initializer_list>

namespace {

const wchar_t kClassName[] = L"Gratilo";
const wchar_t kSkinFile[] = L"TipSkin.xml";

// A stored list position; one outside the list is the default.
int StoredIndex(CAppConfig& config, const wchar_t* name, int count, int fallback)
{
    DWORD index = 0;
    if (!config.GetDWORD(name, &index) || index >= (DWORD)count)
        return fallback;
    return (int)index;
}

}  // namespace

const wchar_t* const CGratiloWnd::kTipTexts[kTipCount] = {L"5", L"7", L"10", L"12", L"15", L"18", L"20", L"25"};

CGratiloWnd::CGratiloWnd() : CCalcWnd(kClassName, kSkinFile), m_nTip(kDefaultIndex), m_nPeople(kDefaultIndex) {}

void CGratiloWnd::LoadSettings()
{
    CAppConfig config;
    if (config.Open(kConfigSection)) {
        m_nTip = StoredIndex(config, L"tip", kTipCount, kDefaultIndex);
        m_nPeople = StoredIndex(config, L"each", kPeopleCount, kDefaultIndex);
    }
}

void CGratiloWnd::SaveSettings()
{
    CAppConfig config;
    if (config.Open(kConfigSection)) {
        config.SetDWORD(L"tip", (DWORD)m_nTip);
        config.SetDWORD(L"each", (DWORD)m_nPeople);
    }
}

// Any EDIT control is the bill; the first one made is used, later ones
// are accepted and left without a box.
int CGratiloWnd::CreateBox(const CCtrl* ctrl, const SCalcBox* boxes, int count)
{
    if (ctrl->IsType(L"EDIT") && m_bill.GetSafeHwnd())
        return 1;
    return CCalcWnd::CreateBox(ctrl, boxes, count);
}

int CGratiloWnd::OnLoadSkinDone()
{
    const SCalcBox boxes[] = {
        {L"COMBOBOX", L"COMBOBOX_TIP", &m_tip, IDC_TIP},
        {L"COMBOBOX", L"COMBOBOX_PERSON", &m_people, IDC_PEOPLE},
        {L"EDIT", nullptr, &m_bill, IDC_BILL},
        {L"TEXT", L"TEXT_TIP", &m_tipAmount, IDC_TIP_AMOUNT},
        {L"TEXT", L"TEXT_TOTAL", &m_total, IDC_TOTAL},
        {L"TEXT", L"TEXT_EACH", &m_each, IDC_EACH},
    };
    if (!CreateBoxes(boxes, ARRAYSIZE(boxes)))
        return 0;
    for (const wchar_t* tip : kTipTexts)
        m_tip.AddString(tip);
    for (int people = 1; people <= kPeopleCount; ++people) {
        wchar_t text[4];
        StringCchPrintfW(text, ARRAYSIZE(text), L"%d", people);
        m_people.AddString(text);
    }
    m_tip.SetCurSel(m_nTip);
    m_people.SetCurSel(m_nPeople);
    for (CNumEdit* box : {&m_bill, &m_tipAmount, &m_total, &m_each})
        box->Clear();
    Recompute();
    return 1;
}

void CGratiloWnd::Recompute()
{
    const STipSplit split =
        SplitBill(ReadNumber(m_bill.GetText()), ReadNumber(kTipTexts[m_nTip]), m_nPeople + 1);
    m_tipAmount.SetText(split.tip, 2);
    m_total.SetText(split.total, 2);
    m_each.SetText(split.each, 2);
}

LRESULT CGratiloWnd::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case IDC_TIP:
        return TakeListChoice(m_tip, m_nTip);
    case IDC_PEOPLE:
        return TakeListChoice(m_people, m_nPeople);
    case IDC_BILL:
        return TakeTyping(code);
    case IDC_TIP_AMOUNT:
    case IDC_TOTAL:
    case IDC_EACH:
        return 0;
    }
    return CCalcWnd::OnCommand(id, code);
}
