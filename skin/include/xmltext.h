// CXmlText: text the XML readers hand out (a BSTR), held for a scope and
// freed at its end, with bounded copies out of it.
//
//     CXmlText text;
//     if (node.GetAttributeText(L"id", &text))          // &text: the out parameter
//         Use(text.c_str());
//
//     wchar_t id[32];
//     bool cut = false;
//     node.GetAttributeText(L"id", id, 32, &cut);       // into a field, cut to fit
//     std::wstring description;
//     reader.GetChildNodeText(L"/skins/description", &description);
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <memory>
#include <string>

class CXmlText {
public:
    CXmlText() = default;
    ~CXmlText() { Free(); }
    CXmlText(const CXmlText&) = delete;
    CXmlText& operator=(const CXmlText&) = delete;
    CXmlText(CXmlText&& other) noexcept : m_text(other.m_text) { other.m_text = nullptr; }
    CXmlText& operator=(CXmlText&& other) noexcept
    {
        if (this != std::addressof(other)) {
            Free();
            m_text = other.m_text;
            other.m_text = nullptr;
        }
        return *this;
    }

    // The out parameter of a reader's text call; a string still held is
    // freed first.
    BSTR* operator&()
    {
        Free();
        return &m_text;
    }

    BSTR Get() const { return m_text; }
    const wchar_t* c_str() const { return m_text ? m_text : L""; }
    UINT Length() const { return m_text ? ::SysStringLen(m_text) : 0; }
    bool IsEmpty() const { return Length() == 0; }
    std::wstring ToString() const { return std::wstring(c_str(), Length()); }

    // Copies into a field of capacity characters, cut to fit and always
    // terminated (nothing is written for a capacity of 0).  False when the
    // text had to be cut.
    bool CopyTo(wchar_t* field, size_t capacity) const
    {
        if (!field || !capacity)
            return Length() == 0;
        const size_t length = Length();
        const size_t copied = length < capacity ? length : capacity - 1;
        for (size_t i = 0; i < copied; ++i)
            field[i] = m_text[i];
        field[copied] = L'\0';
        return copied == length;
    }

    void Free()
    {
        ::SysFreeString(m_text);
        m_text = nullptr;
    }

private:
    BSTR m_text = nullptr;
};
