// XML access: a thin layer over the platform's XML document object model.
//
// Classes in this file (and CXmlText, xmltext.h: a held BSTR):
//   CXmlComScope        - starts the component system for a thread, balanced
//   CXmlReader          - one loaded document; XPath queries on it
//   CXmlNodeReader      - one node; its text, attributes and sub-queries
//   CXmlNodeListReader  - a selected node list
//   CXmlWriter          - a small element tree, saved as a UTF-8 file
//
// Every deliverable that reads XML links its own copy of these classes (the
// static library ketraxml); they are never exported from a DLL.
//
// Results are integer flags (non-zero: success).  Paths are XPath
// expressions; node-relative paths are evaluated from the node.  Text comes
// back as a BSTR that the caller owns and frees with SysFreeString, also
// when the call failed (the value may then be null) -- a CXmlText
// (xmltext.h) does that -- or into a field or a std::wstring.  Nothing
// throws.
//
// The thread must have started the component system (CoInitializeEx, or a
// CXmlComScope) before a reader is initialised, and use the reader on that
// thread only.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

#include "xmltext.h"

struct IXMLDOMDocument;
struct IXMLDOMNode;
struct IXMLDOMNodeList;

// Starts the component system on the calling thread for the scope's lifetime
// and stops it only if this scope's start succeeded, so starts and stops
// stay balanced even when the thread already runs another threading model.
class CXmlComScope {
public:
    explicit CXmlComScope(DWORD model = COINIT_MULTITHREADED);
    ~CXmlComScope();
    CXmlComScope(const CXmlComScope&) = delete;
    CXmlComScope& operator=(const CXmlComScope&) = delete;

    // Non-zero when the component system can be used on this thread (also
    // when it was already started in another model by someone else).
    int IsReady() const { return m_ready; }

private:
    int m_started; // this scope owes one CoUninitialize
    int m_ready;
};

class CXmlNodeListReader;

class CXmlNodeReader {
public:
    CXmlNodeReader() : m_node(nullptr) {}
    explicit CXmlNodeReader(IXMLDOMNode* node); // takes a further reference
    CXmlNodeReader(const CXmlNodeReader& other);
    ~CXmlNodeReader();
    CXmlNodeReader& operator=(const CXmlNodeReader& other);
    CXmlNodeReader& operator=(IXMLDOMNode* node); // takes a further reference

    // The address of the node pointer, to pass the reader as the out
    // parameter of a GetNode call (the callee stores a node that already
    // carries its reference).  A node still held is released first.
    IXMLDOMNode** operator&();

    IXMLDOMNode* GetInterface() const { return m_node; }
    int IsEmpty() const { return m_node == nullptr; }
    void Release();

    // The node's own text content.  Success only for non-empty text; the
    // numeric forms give 0 / 0.0 on failure.
    int GetText(BSTR* text) const;
    int GetText(wchar_t* field, size_t capacity, bool* cut = nullptr) const;
    int GetText(std::wstring* text) const;
    int GetInt(int* value) const;
    int GetDouble(double* value) const;

    // An attribute's text.  Success only when the attribute exists and its
    // text is non-empty; the numeric forms give 0 / 0.0 on failure.
    int GetAttributeText(const wchar_t* name, BSTR* text) const;
    int GetAttributeText(const wchar_t* name, wchar_t* field, size_t capacity, bool* cut = nullptr) const;
    int GetAttributeText(const wchar_t* name, std::wstring* text) const;
    int GetAttributeInt(const wchar_t* name, int* value) const;
    int GetAttributeDouble(const wchar_t* name, double* value) const;

    // Queries relative to this node, as in CXmlReader.
    int GetChildNodeText(const wchar_t* path, BSTR* text) const;
    int GetChildNodeText(const wchar_t* path, wchar_t* field, size_t capacity, bool* cut = nullptr) const;
    int GetChildNodeText(const wchar_t* path, std::wstring* text) const;
    int GetChildNodeInt(const wchar_t* path, int* value) const;
    int GetChildNodeDouble(const wchar_t* path, double* value) const;
    int GetNode(const wchar_t* path, IXMLDOMNode** node) const;
    int GetNodeList(const wchar_t* path, IXMLDOMNodeList** list) const;
    int CheckExistNode(const wchar_t* path) const;

private:
    IXMLDOMNode* m_node;
};

class CXmlNodeListReader {
public:
    CXmlNodeListReader() : m_list(nullptr) {}
    CXmlNodeListReader(const CXmlNodeListReader& other);
    ~CXmlNodeListReader();
    CXmlNodeListReader& operator=(const CXmlNodeListReader& other);
    CXmlNodeListReader& operator=(IXMLDOMNodeList* list); // takes a further reference

    // As CXmlNodeReader::operator&: the list still held is released first.
    IXMLDOMNodeList** operator&();

    IXMLDOMNodeList* GetInterface() const { return m_list; }
    int IsEmpty() const { return m_list == nullptr; }
    void Release();

    // The item at a 0-based index.
    int GetNode(int index, IXMLDOMNode** node) const;
    // The list length; 0 for an empty reader or a failed call.
    int GetCount() const;

private:
    IXMLDOMNodeList* m_list;
};

class CXmlReader {
public:
    CXmlReader() : m_doc(nullptr) {}
    CXmlReader(const CXmlReader& other); // shares the document
    ~CXmlReader();
    CXmlReader& operator=(const CXmlReader& other);

    // Creates the platform's DOM document: synchronous loading, XPath
    // selection, no fetching of external resources.
    int Initialize();
    int IsEmpty() const { return m_doc == nullptr; }
    IXMLDOMDocument* GetInterface() const { return m_doc; }

    // Loads a file by path, or a string that holds the XML itself.  Success
    // when the document parsed.
    int LoadXmlFile(const wchar_t* path);
    int LoadXml(const wchar_t* text);

    int GetNode(const wchar_t* path, IXMLDOMNode** node) const;
    int GetNodeList(const wchar_t* path, IXMLDOMNodeList** list) const;
    int CheckExistNode(const wchar_t* path) const;
    // Text of the single node at path; success only when it is non-empty.
    // The field forms cut the text to fit (always terminated; *cut says
    // whether it was cut) and leave the field empty on failure.
    int GetChildNodeText(const wchar_t* path, BSTR* text) const;
    int GetChildNodeText(const wchar_t* path, wchar_t* field, size_t capacity, bool* cut = nullptr) const;
    int GetChildNodeText(const wchar_t* path, std::wstring* text) const;
    // Decimal integer (sign, digits; stops at the first other character,
    // clamped to the int range); 0 on failure.
    int GetChildNodeInt(const wchar_t* path, int* value) const;
    // Decimal floating-point number, C-library rules; 0.0 on failure.
    int GetChildNodeDouble(const wchar_t* path, double* value) const;

private:
    IXMLDOMDocument* m_doc;
};

// One element of an output tree.  Names, texts, attribute names and values
// are held in 256-character fields; longer input is cut to 255 characters.
class CXmlWriter {
public:
    enum {
        kMaxChildren = 64,
        kMaxAttributes = 32,
        kFieldLength = 256, // characters, terminator included
    };

    CXmlWriter();
    explicit CXmlWriter(const wchar_t* name);
    ~CXmlWriter();
    CXmlWriter(const CXmlWriter&) = delete;
    CXmlWriter& operator=(const CXmlWriter&) = delete;

    // Each succeeds only while the name, respectively the text, is empty.
    int SetName(const wchar_t* name);
    int SetText(const wchar_t* text);
    int SetText(int value);

    // Appends an attribute; refused when kMaxAttributes exist.
    int SetAttribute(const wchar_t* name, const wchar_t* value);
    int SetAttribute(const wchar_t* name, int value);

    // Appends a child element and makes it the current child; refused when
    // kMaxChildren exist.
    int CreateChildNode(const wchar_t* name);
    CXmlWriter* GetCurrentChild() const { return m_current; }

    const wchar_t* GetName() const { return m_name; }
    const wchar_t* GetText() const { return m_text; }
    int GetChildCount() const { return m_childCount; }
    int GetAttributeCount() const { return m_attributeCount; }
    // Null for an index out of range.
    CXmlWriter* GetChild(int index) const;
    const wchar_t* GetAttributeName(int index) const;
    const wchar_t* GetAttributeValue(int index) const;

    // The tree as text: compact (no line breaks) or formatted (two spaces
    // of indent per level, CR LF).  Special characters are escaped.  Returns
    // a heap string the caller frees with free(), or null when the tree
    // cannot be written (an element or attribute without a usable name, or
    // no memory).
    wchar_t* Serialize(int formatted) const;

    // Writes the tree as UTF-8 to path, whole or not at all (a temporary
    // file beside it is renamed over the target).  Fails for an empty path,
    // a tree that cannot be written, or any file error.
    int SaveXml(const wchar_t* path, int formatted) const;

private:
    struct Attribute {
        wchar_t name[kFieldLength];
        wchar_t value[kFieldLength];
    };

    int m_childCount;
    int m_attributeCount;
    CXmlWriter* m_children[kMaxChildren];
    Attribute* m_attributes[kMaxAttributes];
    wchar_t m_name[kFieldLength];
    wchar_t m_text[kFieldLength];
    CXmlWriter* m_current;
};
