// CXmlNodeListReader: a list of selected nodes.
#include "xmlaccess.h"

#include <ole2.h>
#include <msxml2.h>

CXmlNodeListReader::CXmlNodeListReader(const CXmlNodeListReader& other) : m_list(other.m_list)
{
    if (m_list)
        m_list->AddRef();
}

CXmlNodeListReader::~CXmlNodeListReader()
{
    Release();
}

CXmlNodeListReader& CXmlNodeListReader::operator=(const CXmlNodeListReader& other)
{
    return *this = other.m_list;
}

CXmlNodeListReader& CXmlNodeListReader::operator=(IXMLDOMNodeList* list)
{
    if (list)
        list->AddRef();
    Release();
    m_list = list;
    return *this;
}

IXMLDOMNodeList** CXmlNodeListReader::operator&()
{
    Release();
    return &m_list;
}

void CXmlNodeListReader::Release()
{
    if (m_list) {
        m_list->Release();
        m_list = nullptr;
    }
}

int CXmlNodeListReader::GetNode(int index, IXMLDOMNode** node) const
{
    if (!node)
        return 0;
    *node = nullptr;
    if (!m_list || index < 0)
        return 0;
    HRESULT hr = m_list->get_item(index, node);
    if (hr != S_OK && *node) {
        (*node)->Release();
        *node = nullptr;
    }
    return hr == S_OK && *node != nullptr;
}

int CXmlNodeListReader::GetCount() const
{
    long count = 0;
    if (!m_list || FAILED(m_list->get_length(&count)) || count < 0)
        return 0;
    return static_cast<int>(count);
}
