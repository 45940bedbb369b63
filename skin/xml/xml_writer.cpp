// CXmlWriter: building the element tree.
#include "xmlaccess.h"

#include <cwchar>
#include <new>

namespace {

// Copies text into a fixed field, cut to the field's length (never in the
// middle of a surrogate pair) and always terminated.
void CopyToField(wchar_t* field, const wchar_t* text)
{
    size_t length = 0;
    const size_t limit = CXmlWriter::kFieldLength - 1;
    while (length < limit && text[length])
        ++length;
    if (length == limit && text[length] && IS_HIGH_SURROGATE(text[length - 1]))
        --length;
    wmemcpy(field, text, length);
    field[length] = L'\0';
}

} // namespace

CXmlWriter::CXmlWriter() : m_childCount(0), m_attributeCount(0), m_current(nullptr)
{
    for (CXmlWriter*& child : m_children)
        child = nullptr;
    for (Attribute*& attribute : m_attributes)
        attribute = nullptr;
    m_name[0] = L'\0';
    m_text[0] = L'\0';
}

CXmlWriter::CXmlWriter(const wchar_t* name) : CXmlWriter()
{
    if (name)
        CopyToField(m_name, name);
}

CXmlWriter::~CXmlWriter()
{
    for (int i = 0; i < m_childCount; ++i)
        delete m_children[i];
    for (int i = 0; i < m_attributeCount; ++i)
        delete m_attributes[i];
}

int CXmlWriter::SetName(const wchar_t* name)
{
    if (!name || m_name[0])
        return 0;
    CopyToField(m_name, name);
    return 1;
}

int CXmlWriter::SetText(const wchar_t* text)
{
    if (!text || m_text[0])
        return 0;
    CopyToField(m_text, text);
    return 1;
}

int CXmlWriter::SetText(int value)
{
    wchar_t text[16];
    swprintf(text, sizeof text / sizeof text[0], L"%d", value);
    return SetText(text);
}

int CXmlWriter::SetAttribute(const wchar_t* name, const wchar_t* value)
{
    if (!name || m_attributeCount >= kMaxAttributes)
        return 0;
    Attribute* attribute = new (std::nothrow) Attribute;
    if (!attribute)
        return 0;
    CopyToField(attribute->name, name);
    CopyToField(attribute->value, value ? value : L"");
    m_attributes[m_attributeCount++] = attribute;
    return 1;
}

int CXmlWriter::SetAttribute(const wchar_t* name, int value)
{
    wchar_t text[16];
    swprintf(text, sizeof text / sizeof text[0], L"%d", value);
    return SetAttribute(name, text);
}

int CXmlWriter::CreateChildNode(const wchar_t* name)
{
    if (m_childCount >= kMaxChildren)
        return 0;
    CXmlWriter* child = new (std::nothrow) CXmlWriter(name);
    if (!child)
        return 0;
    m_children[m_childCount++] = child;
    m_current = child;
    return 1;
}

CXmlWriter* CXmlWriter::GetChild(int index) const
{
    return index >= 0 && index < m_childCount ? m_children[index] : nullptr;
}

const wchar_t* CXmlWriter::GetAttributeName(int index) const
{
    return index >= 0 && index < m_attributeCount ? m_attributes[index]->name : nullptr;
}

const wchar_t* CXmlWriter::GetAttributeValue(int index) const
{
    return index >= 0 && index < m_attributeCount ? m_attributes[index]->value : nullptr;
}
