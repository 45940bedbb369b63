// Helpers shared by the XML readers: selections, text reads and number
// conversions over the platform's DOM interfaces.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <msxml2.h>

#include <string>

#include "xmltext.h"

namespace xmlquery {

// A BSTR built from a wide string, freed with the holder.  Interfaces that
// take a BSTR may read its length prefix, so plain strings are not passed.
class OwnedBstr {
public:
    explicit OwnedBstr(const wchar_t* text) : m_text(SysAllocString(text ? text : L"")) {}
    ~OwnedBstr() { SysFreeString(m_text); }
    OwnedBstr(const OwnedBstr&) = delete;
    OwnedBstr& operator=(const OwnedBstr&) = delete;
    BSTR Get() const { return m_text; }

private:
    BSTR m_text;
};

// Single-node selection from a node (or document); success when the call
// succeeded and a node came back (a miss is S_FALSE with no node).
int SelectNode(IXMLDOMNode* from, const wchar_t* path, IXMLDOMNode** node);
int SelectNodeList(IXMLDOMNode* from, const wchar_t* path, IXMLDOMNodeList** list);
int CheckNode(IXMLDOMNode* from, const wchar_t* path);

// The node's text content; success only when it is non-empty.  *text is
// always assigned (null when nothing was read).
int ReadText(IXMLDOMNode* node, BSTR* text);
// Text of the node selected by path; success only when non-empty.
int ReadSelectedText(IXMLDOMNode* from, const wchar_t* path, BSTR* text);
// Text of the named attribute of node; success only when non-empty.
int ReadAttributeText(IXMLDOMNode* node, const wchar_t* name, BSTR* text);

// Conversions of text that was read (sequence the read before the call:
// it fills text); on a failed read the value is zero.
int ToInt(int readOk, BSTR text, int* value);
int ToDouble(int readOk, BSTR text, double* value);

// The reader classes' text getters in their three forms and their numbers,
// over one read: read(BSTR*) is a text read above with its node and path
// bound.
template <class Read>
int ReadToField(Read read, wchar_t* field, size_t capacity, bool* cut)
{
    CXmlText text;
    const int ok = read(&text);
    if (!ok)
        text.Free();
    const bool whole = text.CopyTo(field, capacity);
    if (cut)
        *cut = !whole;
    return ok && capacity > 0;
}

template <class Read>
int ReadToString(Read read, std::wstring* out)
{
    CXmlText text;
    const int ok = read(&text);
    if (out)
        *out = ok ? text.ToString() : std::wstring();
    return ok;
}

template <class Read>
int ReadInt(Read read, int* value)
{
    CXmlText text;
    const int ok = read(&text);
    return ToInt(ok, text.Get(), value);
}

template <class Read>
int ReadDouble(Read read, double* value)
{
    CXmlText text;
    const int ok = read(&text);
    return ToDouble(ok, text.Get(), value);
}

} // namespace xmlquery
