// The remembered conversions' file: one "converter" element per entry with
// the IDs (not the positions) of its category and units, so the file
// survives a change in the order of the catalogue:
//   <converters><converter><category>LENGTH</category><unit1>METER</unit1>
//   <unit2>FEET</unit2></converter>...</converters>
#include "unit_model.h"

#include <strsafe.h>

#include <utility>

namespace {

// The text of the node's child element, or empty text.
void ReadChild(const CXmlNodeReader& node, const wchar_t* name, wchar_t* out)
{
    out[0] = L'\0';
    BSTR text = nullptr;
    if (node.GetChildNodeText(name, &text) && text)
        StringCchCopyW(out, kUnitNameLength, text);  // longer text is no ID of ours
    SysFreeString(text);
}

int AddChildText(CXmlWriter* parent, const wchar_t* name, const wchar_t* text)
{
    return parent->CreateChildNode(name) && parent->GetCurrentChild()->SetText(text);
}

}  // namespace

int CConvSelection::LoadSelections(const wchar_t* path)
{
    ResetSelection();
    CXmlReader reader;
    if (!path || !reader.Initialize() || !reader.LoadXmlFile(path))
        return 1;
    CXmlNodeListReader converters;
    reader.GetNodeList(L"/converters/converter", &converters);
    for (int i = 0, count = converters.GetCount(); i < count; ++i) {
        CXmlNodeReader node;
        if (!converters.GetNode(i, &node))
            continue;
        wchar_t category[kUnitNameLength], unit1[kUnitNameLength], unit2[kUnitNameLength];
        ReadChild(node, L"category", category);
        ReadChild(node, L"unit1", unit1);
        ReadChild(node, L"unit2", unit2);
        AddSelection(category, unit1, unit2, 0);  // unknown IDs are skipped
    }
    return 1;
}

int CConvSelection::SaveSelections(const wchar_t* path, const SSelection* current)
{
    if (current && m_nCount > 0) {
        auto same = [current](const SSelection& entry) {
            return entry.nCategory == current->nCategory && entry.nUnit1 == current->nUnit1 &&
                   entry.nUnit2 == current->nUnit2;
        };
        if (!same(m_entries[0])) {
            for (int i = 1; i < m_nCount; ++i) {
                if (same(m_entries[i])) {
                    std::swap(m_entries[0], m_entries[i]);
                    break;
                }
            }
        }
    }

    CXmlWriter root(L"converters");
    for (int i = 0; i < m_nCount; ++i) {
        const SSelection& entry = m_entries[i];
        wchar_t category[kUnitNameLength], unit1[kUnitNameLength], unit2[kUnitNameLength];
        if (!m_pSet || !m_pSet->GetCategoryID(entry.nCategory, category) ||
            !m_pSet->GetUnitID(entry.nCategory, entry.nUnit1, unit1) ||
            !m_pSet->GetUnitID(entry.nCategory, entry.nUnit2, unit2))
            continue;
        if (!root.CreateChildNode(L"converter"))
            return 0;
        CXmlWriter* converter = root.GetCurrentChild();
        if (!AddChildText(converter, L"category", category) || !AddChildText(converter, L"unit1", unit1) ||
            !AddChildText(converter, L"unit2", unit2))
            return 0;
    }
    return root.SaveXml(path, 0);
}
