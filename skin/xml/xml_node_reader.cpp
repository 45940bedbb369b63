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

int CXmlNodeReader::GetInt(int* value) const
{
    BSTR text = nullptr;
    int read = ReadText(m_node, &text);
    int ok = ToInt(read, text, value);
    SysFreeString(text);
    return ok;
}

int CXmlNodeReader::GetDouble(double* value) const
{
    BSTR text = nullptr;
    int read = ReadText(m_node, &text);
    int ok = ToDouble(read, text, value);
    SysFreeString(text);
    return ok;
}

int CXmlNodeReader::GetAttributeText(const wchar_t* name, BSTR* text) const
{
    return ReadAttributeText(m_node, name, text);
}

int CXmlNodeReader::GetAttributeInt(const wchar_t* name, int* value) const
{
    BSTR text = nullptr;
    int read = ReadAttributeText(m_node, name, &text);
    int ok = ToInt(read, text, value);
    SysFreeString(text);
    return ok;
}

int CXmlNodeReader::GetAttributeDouble(const wchar_t* name, double* value) const
{
    BSTR text = nullptr;
    int read = ReadAttributeText(m_node, name, &text);
    int ok = ToDouble(read, text, value);
    SysFreeString(text);
    return ok;
}

int CXmlNodeReader::GetChildNodeText(const wchar_t* path, BSTR* text) const
{
    return ReadSelectedText(m_node, path, text);
}

int CXmlNodeReader::GetChildNodeInt(const wchar_t* path, int* value) const
{
    BSTR text = nullptr;
    int read = ReadSelectedText(m_node, path, &text);
    int ok = ToInt(read, text, value);
    SysFreeString(text);
    return ok;
}

int CXmlNodeReader::GetChildNodeDouble(const wchar_t* path, double* value) const
{
    BSTR text = nullptr;
    int read = ReadSelectedText(m_node, path, &text);
    int ok = ToDouble(read, text, value);
    SysFreeString(text);
    return ok;
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
