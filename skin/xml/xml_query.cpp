// Selections, text reads and number conversions shared by the XML readers.
#include "xml_query.h"

#include <climits>
#include <cwchar>

namespace xmlquery {

int SelectNode(IXMLDOMNode* from, const wchar_t* path, IXMLDOMNode** node)
{
    if (!node)
        return 0;
    *node = nullptr;
    if (!from || !path)
        return 0;
    OwnedBstr query(path);
    HRESULT hr = from->selectSingleNode(query.Get(), node);
    if (hr != S_OK && *node) {
        (*node)->Release();
        *node = nullptr;
    }
    return hr == S_OK && *node != nullptr;
}

int SelectNodeList(IXMLDOMNode* from, const wchar_t* path, IXMLDOMNodeList** list)
{
    if (!list)
        return 0;
    *list = nullptr;
    if (!from || !path)
        return 0;
    OwnedBstr query(path);
    HRESULT hr = from->selectNodes(query.Get(), list);
    if (FAILED(hr) && *list) {
        (*list)->Release();
        *list = nullptr;
    }
    return SUCCEEDED(hr) && *list != nullptr;
}

int CheckNode(IXMLDOMNode* from, const wchar_t* path)
{
    IXMLDOMNode* node = nullptr;
    if (!SelectNode(from, path, &node))
        return 0;
    node->Release();
    return 1;
}

int ReadText(IXMLDOMNode* node, BSTR* text)
{
    if (!text)
        return 0;
    *text = nullptr;
    if (!node)
        return 0;
    if (FAILED(node->get_text(text)))
        return 0;
    return *text && SysStringLen(*text) > 0;
}

int ReadSelectedText(IXMLDOMNode* from, const wchar_t* path, BSTR* text)
{
    if (!text)
        return 0;
    *text = nullptr;
    IXMLDOMNode* node = nullptr;
    if (!SelectNode(from, path, &node))
        return 0;
    int ok = ReadText(node, text);
    node->Release();
    return ok;
}

int ReadAttributeText(IXMLDOMNode* node, const wchar_t* name, BSTR* text)
{
    if (!text)
        return 0;
    *text = nullptr;
    if (!node || !name)
        return 0;
    IXMLDOMNamedNodeMap* attributes = nullptr;
    if (node->get_attributes(&attributes) != S_OK || !attributes)
        return 0;
    IXMLDOMNode* attribute = nullptr;
    OwnedBstr attributeName(name);
    HRESULT hr = attributes->getNamedItem(attributeName.Get(), &attribute);
    attributes->Release();
    if (hr != S_OK || !attribute) {
        if (attribute)
            attribute->Release();
        return 0;
    }
    int ok = ReadText(attribute, text);
    attribute->Release();
    return ok;
}

int ToInt(int readOk, BSTR text, int* value)
{
    if (!value)
        return 0;
    *value = 0;
    if (!readOk)
        return 0;
    // wcstol stops at the first character that is not part of the number
    // and clamps out-of-range values; long is 32 bits here, as int.
    long number = wcstol(text, nullptr, 10);
    if (number > INT_MAX)
        number = INT_MAX;
    if (number < INT_MIN)
        number = INT_MIN;
    *value = static_cast<int>(number);
    return 1;
}

int ToDouble(int readOk, BSTR text, double* value)
{
    if (!value)
        return 0;
    *value = 0.0;
    if (!readOk)
        return 0;
    *value = wcstod(text, nullptr);
    return 1;
}

} // namespace xmlquery
