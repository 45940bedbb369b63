// CXmlWriter: the tree as text, compact or formatted.
//
// Compact:    <name a='v' b='w'>text<child .../></name>
// Formatted:  each element at depth d is indented by 2*d spaces; its text,
//             when present, stands on its own line two spaces further in;
//             lines end with CR LF and the root's closing tag ends the text.
//
// Values and texts are escaped so that the file always parses back to the
// same content; names are written as given and must be plain XML names.
#include "xmlaccess.h"

#include <cstdlib>
#include <cwchar>

namespace {

class TextBuilder {
public:
    TextBuilder() : m_text(nullptr), m_length(0), m_capacity(0), m_failed(false) {}
    ~TextBuilder() { free(m_text); }
    TextBuilder(const TextBuilder&) = delete;
    TextBuilder& operator=(const TextBuilder&) = delete;

    void Fail() { m_failed = true; }
    bool Failed() const { return m_failed; }

    void Append(const wchar_t* text, size_t length)
    {
        if (m_failed || !Reserve(length))
            return;
        wmemcpy(m_text + m_length, text, length);
        m_length += length;
        m_text[m_length] = L'\0';
    }
    void Append(const wchar_t* text) { Append(text, wcslen(text)); }
    void Append(wchar_t ch) { Append(&ch, 1); }
    void AppendSpaces(int count)
    {
        for (int i = 0; i < count; ++i)
            Append(L' ');
    }

    // Text content or an attribute value (inAttribute), escaped.
    void AppendEscaped(const wchar_t* text, bool inAttribute)
    {
        for (; *text; ++text) {
            wchar_t ch = *text;
            switch (ch) {
            case L'&': Append(L"&amp;"); break;
            case L'<': Append(L"&lt;"); break;
            case L'>': Append(L"&gt;"); break;
            case L'\'': Append(L"&apos;"); break;
            case L'"': Append(L"&quot;"); break;
            // A parser turns a literal CR into LF, and white space in an
            // attribute into blanks: keep them as character references.
            case L'\r': Append(L"&#13;"); break;
            case L'\n': inAttribute ? Append(L"&#10;") : Append(ch); break;
            case L'\t': inAttribute ? Append(L"&#9;") : Append(ch); break;
            default:
                // Other control characters cannot appear in an XML
                // document at all, not even as references.
                if (ch < 0x20 || ch == 0xFFFE || ch == 0xFFFF)
                    ch = 0xFFFD;
                Append(ch);
            }
        }
    }

    wchar_t* Detach()
    {
        if (m_failed)
            return nullptr;
        if (!m_text && !Reserve(0))
            return nullptr;
        wchar_t* text = m_text;
        m_text = nullptr;
        return text;
    }

private:
    bool Reserve(size_t extra)
    {
        if (m_length + extra + 1 <= m_capacity)
            return true;
        size_t capacity = m_capacity ? m_capacity : 256;
        while (capacity < m_length + extra + 1)
            capacity *= 2;
        wchar_t* grown = static_cast<wchar_t*>(realloc(m_text, capacity * sizeof(wchar_t)));
        if (!grown) {
            m_failed = true;
            return false;
        }
        m_text = grown;
        m_capacity = capacity;
        return true;
    }

    wchar_t* m_text;
    size_t m_length;
    size_t m_capacity;
    bool m_failed;
};

// A name that the reader will parse back as the same name.
bool IsWritableName(const wchar_t* name)
{
    if (!name[0] || name[0] == L'-' || name[0] == L'.' || (name[0] >= L'0' && name[0] <= L'9'))
        return false;
    for (const wchar_t* p = name; *p; ++p) {
        if (*p <= 0x20 || wcschr(L"<>&'\"=/!?;,()[]{}`|\\^%$#*+@~", *p))
            return false;
    }
    return true;
}

void AppendOpeningTag(TextBuilder& out, const CXmlWriter& element)
{
    if (!IsWritableName(element.GetName())) {
        out.Fail();
        return;
    }
    out.Append(L'<');
    out.Append(element.GetName());
    for (int i = 0; i < element.GetAttributeCount(); ++i) {
        if (!IsWritableName(element.GetAttributeName(i))) {
            out.Fail();
            return;
        }
        out.Append(L' ');
        out.Append(element.GetAttributeName(i));
        out.Append(L"='");
        out.AppendEscaped(element.GetAttributeValue(i), true);
        out.Append(L'\'');
    }
    out.Append(L'>');
}

void AppendClosingTag(TextBuilder& out, const CXmlWriter& element)
{
    out.Append(L"</");
    out.Append(element.GetName());
    out.Append(L'>');
}

void AppendCompact(TextBuilder& out, const CXmlWriter& element)
{
    AppendOpeningTag(out, element);
    out.AppendEscaped(element.GetText(), false);
    for (int i = 0; i < element.GetChildCount() && !out.Failed(); ++i)
        AppendCompact(out, *element.GetChild(i));
    AppendClosingTag(out, element);
}

void AppendFormatted(TextBuilder& out, const CXmlWriter& element, int depth)
{
    out.AppendSpaces(2 * depth);
    AppendOpeningTag(out, element);
    out.Append(L"\r\n");
    if (element.GetText()[0]) {
        out.AppendSpaces(2 * depth + 2);
        out.AppendEscaped(element.GetText(), false);
        out.Append(L"\r\n");
    }
    for (int i = 0; i < element.GetChildCount() && !out.Failed(); ++i) {
        AppendFormatted(out, *element.GetChild(i), depth + 1);
        out.Append(L"\r\n");
    }
    out.AppendSpaces(2 * depth);
    AppendClosingTag(out, element);
}

} // namespace

wchar_t* CXmlWriter::Serialize(int formatted) const
{
    TextBuilder out;
    if (formatted)
        AppendFormatted(out, *this, 0);
    else
        AppendCompact(out, *this);
    return out.Detach();
}
