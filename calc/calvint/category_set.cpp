// CCategorySet: the categories of one converter.
#include "unit_model.h"

namespace {

// The answer of a text getter for a category that does not exist.
int NoText(wchar_t* out)
{
    if (out)
        out[0] = L'\0';
    return 0;
}

}  // namespace

CCategorySet::CCategorySet() : m_nCount(0), m_pCategories() {}

CCategorySet::~CCategorySet()
{
    for (int i = 0; i < m_nCount; ++i)
        delete m_pCategories[i];
}

int CCategorySet::Initialize()
{
    if (m_nCount == 0)
        AddCategories();
    return 1;
}

int CCategorySet::AddCategory(CCategory* category)
{
    if (!category)
        return 0;
    if (m_nCount >= kMaxCategories) {
        delete category;
        return 0;
    }
    category->Initialize();
    m_pCategories[m_nCount++] = category;
    return 1;
}

CCategory* CCategorySet::GetCategory(int category) const
{
    return category >= 0 && category < m_nCount ? m_pCategories[category] : nullptr;
}

int CCategorySet::GetCategoryName(int category, wchar_t* out) const
{
    CCategory* found = GetCategory(category);
    return found ? found->GetName(out) : NoText(out);
}

int CCategorySet::GetCategoryID(int category, wchar_t* out) const
{
    CCategory* found = GetCategory(category);
    return found ? found->GetID(out) : NoText(out);
}

int CCategorySet::GetUnitCount(int category) const
{
    CCategory* found = GetCategory(category);
    return found ? found->GetUnitCount() : 0;
}

int CCategorySet::GetUnitFullName(int category, int unit, wchar_t* out) const
{
    CCategory* found = GetCategory(category);
    return found ? found->GetUnitFullName(unit, out) : NoText(out);
}

int CCategorySet::GetUnitID(int category, int unit, wchar_t* out) const
{
    CCategory* found = GetCategory(category);
    return found ? found->GetUnitID(unit, out) : NoText(out);
}

int CCategorySet::Convert(int category, int from, int to, double value, double& out) const
{
    CCategory* found = GetCategory(category);
    return found ? found->Convert(from, to, value, out) : 0;
}

int CCategorySet::GetCategoryOrderByID(const wchar_t* id) const
{
    for (int i = 0; i < m_nCount; ++i) {
        if (m_pCategories[i]->IsItsID(id))
            return i;
    }
    return -1;
}

int CCategorySet::GetUnitOrderByID(int category, const wchar_t* id) const
{
    CCategory* found = GetCategory(category);
    return found ? found->GetUnitOrderByID(id) : -1;
}
