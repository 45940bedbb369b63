// CXmlReader: one document of the platform's XML DOM.
#include "xmlaccess.h"

#include "xml_query.h"

using namespace xmlquery;

namespace {

// The platform's DOM document class and its document interface.
const CLSID kDomDocumentClass =
    {0x2933BF90, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
const IID kDomDocumentInterface =
    {0x2933BF81, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};
// The extended document interface that carries the selection language.
const IID kDomDocument2Interface =
    {0x2933BF95, 0x7B36, 0x11D2, {0xB2, 0x0E, 0x00, 0xC0, 0x4F, 0x98, 0x3E, 0x60}};

// Queries are XPath: 1-based positions, full expressions.  The component's
// own default is the older pattern language with 0-based positions.
bool SelectWithXPath(IXMLDOMDocument* doc)
{
    IXMLDOMDocument2* doc2 = nullptr;
    if (FAILED(doc->QueryInterface(kDomDocument2Interface, reinterpret_cast<void**>(&doc2))) || !doc2)
        return false;
    OwnedBstr property(L"SelectionLanguage");
    VARIANT language;
    VariantInit(&language);
    language.vt = VT_BSTR;
    language.bstrVal = SysAllocString(L"XPath");
    HRESULT hr = language.bstrVal ? doc2->setProperty(property.Get(), language) : E_OUTOFMEMORY;
    VariantClear(&language);
    doc2->Release();
    return SUCCEEDED(hr);
}

} // namespace

CXmlReader::CXmlReader(const CXmlReader& other) : m_doc(other.m_doc)
{
    if (m_doc)
        m_doc->AddRef();
}

CXmlReader::~CXmlReader()
{
    if (m_doc)
        m_doc->Release();
}

CXmlReader& CXmlReader::operator=(const CXmlReader& other)
{
    if (other.m_doc)
        other.m_doc->AddRef();
    if (m_doc)
        m_doc->Release();
    m_doc = other.m_doc;
    return *this;
}

int CXmlReader::Initialize()
{
    if (m_doc) {
        m_doc->Release();
        m_doc = nullptr;
    }
    IXMLDOMDocument* doc = nullptr;
    HRESULT hr = CoCreateInstance(kDomDocumentClass, nullptr, CLSCTX_INPROC_SERVER,
                                  kDomDocumentInterface, reinterpret_cast<void**>(&doc));
    if (FAILED(hr) || !doc)
        return 0;
    // Load synchronously: a load returns with the document complete.
    // Never fetch external entities or document types: a skin file must
    // not make the device reach out to other files or the network.
    if (FAILED(doc->put_async(VARIANT_FALSE)) || FAILED(doc->put_resolveExternals(VARIANT_FALSE)) ||
        !SelectWithXPath(doc)) {
        doc->Release();
        return 0;
    }
    m_doc = doc;
    return 1;
}

int CXmlReader::LoadXmlFile(const wchar_t* path)
{
    if (!m_doc || !path || !*path)
        return 0;
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_BSTR;
    source.bstrVal = SysAllocString(path);
    if (!source.bstrVal)
        return 0;
    VARIANT_BOOL parsed = VARIANT_FALSE;
    HRESULT hr = m_doc->load(source, &parsed);
    VariantClear(&source);
    return hr == S_OK && parsed == VARIANT_TRUE;
}

int CXmlReader::LoadXml(const wchar_t* text)
{
    if (!m_doc || !text)
        return 0;
    OwnedBstr xml(text);
    VARIANT_BOOL parsed = VARIANT_FALSE;
    HRESULT hr = m_doc->loadXML(xml.Get(), &parsed);
    return hr == S_OK && parsed == VARIANT_TRUE;
}

int CXmlReader::GetNode(const wchar_t* path, IXMLDOMNode** node) const
{
    return SelectNode(m_doc, path, node);
}

int CXmlReader::GetNodeList(const wchar_t* path, IXMLDOMNodeList** list) const
{
    return SelectNodeList(m_doc, path, list);
}

int CXmlReader::CheckExistNode(const wchar_t* path) const
{
    return CheckNode(m_doc, path);
}

int CXmlReader::GetChildNodeText(const wchar_t* path, BSTR* text) const
{
    return ReadSelectedText(m_doc, path, text);
}

int CXmlReader::GetChildNodeInt(const wchar_t* path, int* value) const
{
    BSTR text = nullptr;
    int ok = ToInt(ReadSelectedText(m_doc, path, &text), text, value);
    SysFreeString(text);
    return ok;
}

int CXmlReader::GetChildNodeDouble(const wchar_t* path, double* value) const
{
    BSTR text = nullptr;
    int ok = ToDouble(ReadSelectedText(m_doc, path, &text), text, value);
    SysFreeString(text);
    return ok;
}
