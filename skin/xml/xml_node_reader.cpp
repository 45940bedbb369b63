// CXmlNodeReader: one node of a document.
#include "xmlaccess.h"

#include "xml_query.h"

using namespace xmlquery;

CXmlNodeReader::CXmlNodeReader(IXMLDOMNode* node) : m_node(node)
{
    if (m_node)
        m_node->AddRef();
}

CXmlNodeReader::CXmlNodeReader(const CXmlNodeReader& other) : CXmlNodeReader(other.m_node) {}

CXmlNodeReader::~CXmlNodeReader()
{
    Release();
}

CXmlNodeReader& CXmlNodeReader::operator=(const CXmlNodeReader& other)
{
    return *this = other.m_node;
}

CXmlNodeReader& CXmlNodeReader::operator=(IXMLDOMNode* node)
{
    if (node)
        node->AddRef();
    Release();
    m_node = node;
    return *this;
}

IXMLDOMNode** CXmlNodeReader::operator&()
{
    // The callee overwrites the pointer: drop the node held so far rather
    // than leak it.
    Release();
    return &m_node;
}

void CXmlNodeReader::Release()
{
    if (m_node) {
        m_node->Release();
        m_node = nullptr;
    }
}

int CXmlNodeReader::GetText(BSTR* text) const
{
    return ReadText(m_node, text);
}

int CXmlNodeReader::GetText(wchar_t* field, size_t capacity, bool* cut) const
{
    return ReadToField([this](BSTR* text) { return ReadText(m_node, text); }, field, capacity, cut);
}

int CXmlNodeReader::GetText(std::wstring* text) const
{
    return ReadToString([this](BSTR* out) { return ReadText(m_node, out); }, text);
}

int CXmlNodeReader::GetInt(int* value) const
{
    return ReadInt([this](BSTR* text) { return ReadText(m_node, text); }, value);
}

int CXmlNodeReader::GetDouble(double* value) const
{
    return ReadDouble([this](BSTR* text) { return ReadText(m_node, text); }, value);
}

int CXmlNodeReader::GetAttributeText(const wchar_t* name, BSTR* text) const
{
    return ReadAttributeText(m_node, name, text);
}

int CXmlNodeReader::GetAttributeText(const wchar_t* name, wchar_t* field, size_t capacity, bool* cut) const
{
    return ReadToField([&](BSTR* text) { return ReadAttributeText(m_node, name, text); }, field, capacity, cut);
}

int CXmlNodeReader::GetAttributeText(const wchar_t* name, std::wstring* text) const
{
    return ReadToString([&](BSTR* out) { return ReadAttributeText(m_node, name, out); }, text);
}

int CXmlNodeReader::GetAttributeInt(const wchar_t* name, int* value) const
{
    return ReadInt([&](BSTR* text) { return ReadAttributeText(m_node, name, text); }, value);
}

int CXmlNodeReader::GetAttributeDouble(const wchar_t* name, double* value) const
{
    return ReadDouble([&](BSTR* text) { return ReadAttributeText(m_node, name, text); }, value);
}

int CXmlNodeReader::GetChildNodeText(const wchar_t* path, BSTR* text) const
{
    return ReadSelectedText(m_node, path, text);
}

int CXmlNodeReader::GetChildNodeText(const wchar_t* path, wchar_t* field, size_t capacity, bool* cut) const
{
    return ReadToField([&](BSTR* text) { return ReadSelectedText(m_node, path, text); }, field, capacity, cut);
}

int CXmlNodeReader::GetChildNodeText(const wchar_t* path, std::wstring* text) const
{
    return ReadToString([&](BSTR* out) { return ReadSelectedText(m_node, path, out); }, text);
}

int CXmlNodeReader::GetChildNodeInt(const wchar_t* path, int* value) const
{
    return ReadInt([&](BSTR* text) { return ReadSelectedText(m_node, path, text); }, value);
}

int CXmlNodeReader::GetChildNodeDouble(const wchar_t* path, double* value) const
{
    return ReadDouble([&](BSTR* text) { return ReadSelectedText(m_node, path, text); }, value);
}

int CXmlNodeReader::GetNode(const wchar_t* path, IXMLDOMNode** node) const
{
    return SelectNode(m_node, path, node);
}

int CXmlNodeReader::GetNodeList(const wchar_t* path, IXMLDOMNodeList** list) const
{
    return SelectNodeList(m_node, path, list);
}

int CXmlNodeReader::CheckExistNode(const wchar_t* path) const
{
    return CheckNode(m_node, path);
}
