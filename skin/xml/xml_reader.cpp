// CXmlReader: one document of the platform's XML DOM.
#include "xmlaccess.h"

#include "xml_query.h"

using namespace xmlquery;

namespace {

// The platform's DOM document class (version 3.0, the component's own
// library: the version-independent class goes through a forwarding library
// that each process would load first) and its document interface.
const CLSID kDomDocumentClass =
    {0xF5078F32, 0xC551, 0x11D3, {0x89, 0xB9, 0x00, 0x00, 0xF8, 0x1F, 0xE2, 0x21}};
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

// Larger files are refused before anything is allocated for them.
const DWORD kMaxXmlFileSize = 16u * 1024 * 1024;

// The whole file as a byte array for the document's load operation.  The
// component's own file loading takes the path for a URL, so a "%" or "#"
// in a file name would change which file it opens; handed the bytes, the
// parser still detects the encoding from them.
SAFEARRAY* ReadFileBytes(const wchar_t* path)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    SAFEARRAY* bytes = nullptr;
    LARGE_INTEGER size;
    if (GetFileSizeEx(file, &size) && size.QuadPart <= kMaxXmlFileSize)
        bytes = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(size.QuadPart));
    void* data = nullptr;
    if (bytes && SUCCEEDED(SafeArrayAccessData(bytes, &data))) {
        DWORD total = static_cast<DWORD>(size.QuadPart);
        DWORD done = 0;
        DWORD got = 0;
        while (done < total && ReadFile(file, static_cast<BYTE*>(data) + done, total - done, &got, nullptr) && got > 0)
            done += got;
        SafeArrayUnaccessData(bytes);
        if (done != total) {
            SafeArrayDestroy(bytes);
            bytes = nullptr;
        }
    } else if (bytes) {
        SafeArrayDestroy(bytes);
        bytes = nullptr;
    }
    CloseHandle(file);
    return bytes;
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
    source.parray = ReadFileBytes(path);
    if (!source.parray)
        return 0;
    source.vt = VT_ARRAY | VT_UI1;
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

int CXmlReader::GetChildNodeText(const wchar_t* path, wchar_t* field, size_t capacity, bool* cut) const
{
    return ReadToField([&](BSTR* text) { return ReadSelectedText(m_doc, path, text); }, field, capacity, cut);
}

int CXmlReader::GetChildNodeText(const wchar_t* path, std::wstring* text) const
{
    return ReadToString([&](BSTR* out) { return ReadSelectedText(m_doc, path, out); }, text);
}

int CXmlReader::GetChildNodeInt(const wchar_t* path, int* value) const
{
    return ReadInt([&](BSTR* text) { return ReadSelectedText(m_doc, path, text); }, value);
}

int CXmlReader::GetChildNodeDouble(const wchar_t* path, double* value) const
{
    return ReadDouble([&](BSTR* text) { return ReadSelectedText(m_doc, path, text); }, value);
}
