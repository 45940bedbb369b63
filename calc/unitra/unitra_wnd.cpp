// The unit converter's window.
#include "unitra_wnd.h"

#include <strsafe.h>

#include <utility>

namespace {

const wchar_t kClassName[] = L"Unitra";
const wchar_t kSkinFile[] = L"CtSkin.xml";
const wchar_t kSelectionFile[] = L"CTConv.xml";

}  // namespace

CUnitraWnd::CUnitraWnd() : m_current{0, 0, 1}, m_nPrecision(kDefaultPrecision), m_szSelectionFile()
{
    m_display.Initialize();
}

CUnitraWnd::~CUnitraWnd() = default;

int CUnitraWnd::Open(HWND parent, HINSTANCE module)
{
    m_nPrecision = ReadPrecision(kConfigSection, kDefaultPrecision);

    CConverterSet* remembered = new CConverterSet;
    remembered->Initialize();
    m_selection.SetCategorySet(remembered);
    CModuleInfo library(module);
    LPCWSTR file = library.GetFileName(kSelectionFile);
    StringCchCopyW(m_szSelectionFile, MAX_PATH, file ? file : L"");
    m_selection.LoadSelections(m_szSelectionFile);
    if (!m_selection.GetSelection(0, m_current)) {
        m_current = SSelection{0, 0, 1};
        m_selection.AddSelection(m_current, 1);
    }

    m_font.CreateFont(13, L"Tahoma", FW_NORMAL);
    if (!Create(parent, kClassName))
        return 0;
    LPCWSTR skin = library.GetFileName(kSkinFile);
    if (!skin || !LoadSkin(skin)) {
        m_szSelectionFile[0] = L'\0';  // nothing was shown: nothing to remember
        DestroyWindow();
        return 0;
    }
    ShowWindow();
    UpdateWindow();
    return 1;
}

int CUnitraWnd::CreateBox(const CCtrl* ctrl)
{
    const SCalcBox boxes[] = {
        {L"COMBOBOX", L"COMBOBOX_CATEGORY", &m_category, IDC_CATEGORY},
        {L"COMBOBOX", L"COMBOBOX_UNIT1", &m_unit1, IDC_UNIT1},
        {L"COMBOBOX", L"COMBOBOX_UNIT2", &m_unit2, IDC_UNIT2},
        {L"EDIT", L"EDIT_UNIT1", &m_input, IDC_INPUT},
        {L"TEXT", L"TEXT_UNIT2", &m_result, IDC_RESULT},
    };
    return CreateCalcBox(m_hWnd, ctrl, boxes, ARRAYSIZE(boxes), m_font);
}

int CUnitraWnd::OnLoadSkinDone()
{
    CCtrlList* ctrls = GetCtrlList();
    for (POSITION at = ctrls->GetHeadPosition(); at;) {
        if (!CreateBox(static_cast<CCtrl*>(ctrls->GetNext(at))))
            return 0;
    }
    wchar_t name[kUnitNameLength];
    for (int i = 0; m_display.GetCategoryName(i, name); ++i)
        m_category.AddString(name);
    m_category.SetCurSel(m_current.nCategory);
    m_input.Clear();
    m_result.Clear();
    FillUnitLists();
    OnNumClear();
    return 1;
}

void CUnitraWnd::FillUnitLists()
{
    m_unit1.ResetContent();
    m_unit2.ResetContent();
    wchar_t name[kUnitNameLength];
    for (int i = 0; m_display.GetUnitFullName(m_current.nCategory, i, name); ++i) {
        m_unit1.AddString(name);
        m_unit2.AddString(name);
    }
    m_unit1.SetCurSel(m_current.nUnit1);
    m_unit2.SetCurSel(m_current.nUnit2);
}

void CUnitraWnd::Recompute()
{
    double result = 0;
    if (!m_display.Convert(m_current.nCategory, m_current.nUnit1, m_current.nUnit2, ReadNumber(m_input.GetText()),
                           result))
        return;
    m_result.SetText(result, m_nPrecision);
}

void CUnitraWnd::OnNumChar(wchar_t ch)
{
    wchar_t input[kNumberTextLength];
    m_input.GetText(input);
    if (ch == L'.' && wcschr(input, L'.'))
        return;
    if (ch == L'-' && input[0] && wcscmp(input, L"0") != 0) {
        // The minus key turns the sign of a number already typed.
        wchar_t toggled[kNumberTextLength];
        if (input[0] == L'-')
            StringCchCopyW(toggled, kNumberTextLength, input + 1);
        else if (FAILED(StringCchPrintfW(toggled, kNumberTextLength, L"-%ls", input)))
            return;
        m_input.SetText(toggled);
    } else {
        m_input.TypeChar(ch);
    }
    m_input.MoveCaretToEnd();
    Recompute();
}

void CUnitraWnd::OnNumClear()
{
    m_input.Clear();
    Recompute();
}

int CUnitraWnd::OnClicked(CButton* button, CPoint point)
{
    if (button && button->IsEqual(L"TOGGLE")) {
        std::swap(m_current.nUnit1, m_current.nUnit2);
        m_unit1.SetCurSel(m_current.nUnit1);
        m_unit2.SetCurSel(m_current.nUnit2);
        OnNumClear();
        return 1;
    }
    return CNumWnd::OnClicked(button, point);
}

void CUnitraWnd::ChangeCategory(int category)
{
    m_selection.AddSelection(m_current, 1);
    m_current.nCategory = category;
    if (!m_selection.GetFirstSelection(category, m_current.nUnit1, m_current.nUnit2)) {
        m_current.nUnit1 = 0;
        m_current.nUnit2 = m_display.GetUnitCount(category) > 1 ? 1 : 0;
        m_selection.AddSelection(m_current, 1);
    }
    m_input.Clear();
    FillUnitLists();
    Recompute();
    ::SetFocus(m_hWnd);
}

// Under Wine a tap in an open list arrives as CBN_SELENDOK while the list is
// still open and as CBN_SELCHANGE after it closed; so any notice from an
// open list counts, and one from a closed list none.
LRESULT CUnitraWnd::OnCommand(UINT id, UINT code)
{
    switch (id) {
    case IDC_CATEGORY: {
        int category = m_category.GetCurSel();
        if (m_category.GetDroppedState() && category >= 0 && category != m_current.nCategory)
            ChangeCategory(category);
        return 0;
    }
    case IDC_UNIT1:
    case IDC_UNIT2: {
        CComboBox& list = id == IDC_UNIT1 ? m_unit1 : m_unit2;
        int unit = list.GetCurSel();
        if (list.GetDroppedState() && unit >= 0) {
            (id == IDC_UNIT1 ? m_current.nUnit1 : m_current.nUnit2) = unit;
            Recompute();
            ::SetFocus(m_hWnd);
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

void CUnitraWnd::OnDestroy()
{
    RememberAndSave();
    CNumWnd::OnDestroy();
}

void CUnitraWnd::RememberAndSave()
{
    if (!m_szSelectionFile[0])
        return;
    m_selection.AddSelection(m_current, 1);
    m_selection.SaveSelections(m_szSelectionFile, &m_current);  // a failed save is not reported
    m_szSelectionFile[0] = L'\0';
}
