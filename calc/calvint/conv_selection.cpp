// CConvSelection: the remembered conversions over a category set.
#include "unit_model.h"

CConvSelection::CConvSelection() : m_com(COINIT_MULTITHREADED), m_pSet(nullptr), m_entries(), m_nCount(0), m_nCurrent(0)
{
}

CConvSelection::~CConvSelection()
{
    delete m_pSet;
}

int CConvSelection::SetCategorySet(CCategorySet* set)
{
    Initialize();
    m_pSet = set;
    return 1;
}

int CConvSelection::Initialize()
{
    m_nCount = 0;
    m_nCurrent = 0;
    delete m_pSet;
    m_pSet = nullptr;
    return 1;
}

int CConvSelection::IsValid(int category, int unit1, int unit2) const
{
    if (!m_pSet)
        return 0;
    int units = m_pSet->GetUnitCount(category);  // 0 for a category out of range
    return unit1 >= 0 && unit1 < units && unit2 >= 0 && unit2 < units;
}

// The replacement is looked for before the limit applies: a full list still
// takes new units for a category it holds.
int CConvSelection::AddSelection(int category, int unit1, int unit2, int replace)
{
    if (!IsValid(category, unit1, unit2))
        return 0;
    if (replace) {
        for (int i = 0; i < m_nCount; ++i) {
            if (m_entries[i].nCategory == category) {
                m_entries[i].nUnit1 = unit1;
                m_entries[i].nUnit2 = unit2;
                return 1;
            }
        }
    }
    if (m_nCount >= kMaxSelections)
        return 0;
    m_entries[m_nCount++] = SSelection{category, unit1, unit2};
    return 1;
}

int CConvSelection::AddSelection(const SSelection& selection, int replace)
{
    return AddSelection(selection.nCategory, selection.nUnit1, selection.nUnit2, replace);
}

int CConvSelection::AddSelection(const wchar_t* categoryID, const wchar_t* unit1ID, const wchar_t* unit2ID,
                                 int replace)
{
    if (!m_pSet)
        return 0;
    int category = m_pSet->GetCategoryOrderByID(categoryID);
    int unit1 = m_pSet->GetUnitOrderByID(category, unit1ID);
    int unit2 = m_pSet->GetUnitOrderByID(category, unit2ID);
    if (category < 0 || unit1 < 0 || unit2 < 0)
        return 0;
    return AddSelection(category, unit1, unit2, replace);
}

int CConvSelection::GetFirstSelection(int category, int& unit1, int& unit2) const
{
    for (int i = 0; i < m_nCount; ++i) {
        if (m_entries[i].nCategory == category) {
            unit1 = m_entries[i].nUnit1;
            unit2 = m_entries[i].nUnit2;
            return 1;
        }
    }
    return 0;
}

int CConvSelection::GetSelection(int index, SSelection& out) const
{
    if (index < 0 || index >= m_nCount)
        return 0;
    out = m_entries[index];
    return 1;
}

int CConvSelection::GetA2BValue(double value, double& out) const
{
    if (!m_pSet || m_nCurrent >= m_nCount)
        return 0;
    const SSelection& entry = m_entries[m_nCurrent];
    return m_pSet->Convert(entry.nCategory, entry.nUnit1, entry.nUnit2, value, out);
}

int CConvSelection::GetB2AValue(double value, double& out) const
{
    if (!m_pSet || m_nCurrent >= m_nCount)
        return 0;
    const SSelection& entry = m_entries[m_nCurrent];
    return m_pSet->Convert(entry.nCategory, entry.nUnit2, entry.nUnit1, value, out);
}

int CConvSelection::GetCategoryCount() const
{
    return m_pSet ? m_pSet->GetCategoryCount() : 0;
}

int CConvSelection::GetCategoryName(int category, wchar_t* out) const
{
    if (m_pSet)
        return m_pSet->GetCategoryName(category, out);
    if (out)
        out[0] = L'\0';
    return 0;
}

int CConvSelection::GetUnitCount(int category) const
{
    return m_pSet ? m_pSet->GetUnitCount(category) : 0;
}

int CConvSelection::GetUnitFullName(int category, int unit, wchar_t* out) const
{
    if (m_pSet)
        return m_pSet->GetUnitFullName(category, unit, out);
    if (out)
        out[0] = L'\0';
    return 0;
}
