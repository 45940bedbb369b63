// The parsed page: a tree of elements and texts kept in one array, parents
// before their children, linked by index.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace html {

// The elements the engine knows; everything else is kUnknown and lays out
// as an inline element around its content.
enum class Tag : uint8_t {
    kText,  // a text node, not an element
    kRoot,  // the document itself
    kUnknown,
    // blocks
    kP, kDiv, kCenter, kBlockquote, kAddress, kPre, kH1, kH2, kH3, kH4, kH5, kH6,
    kUl, kOl, kLi, kDl, kDt, kDd, kHr, kForm,
    // tables
    kTable, kCaption, kThead, kTbody, kTfoot, kTr, kTd, kTh,
    // inline
    kB, kStrong, kI, kEm, kU, kFont, kA, kSpan, kSmall, kBig, kTt, kCode, kSub, kSup, kS, kStrike, kNobr,
    kBr, kImg, kObject, kEmbed, kParam,
    kVoidOther,  // an element without content the engine does not show (input, col, wbr ...)
    // structure and skipped content
    kHtml, kHead, kBody, kTitle, kMeta, kScript, kStyle, kLink, kBase,
};

// Lower-case tag name to tag (kUnknown when the engine does not know it).
Tag TagFromName(const std::wstring& lowerName);

bool IsVoidTag(Tag tag);    // never has content: br, hr, img, meta, param ...
bool IsBlockTag(Tag tag);   // starts on a new line (tables included)
bool IsHeadingTag(Tag tag);

struct Attribute {
    std::wstring name;  // lower case
    std::wstring value;  // entities decoded
};

struct Node {
    Tag tag = Tag::kRoot;
    uint8_t depth = 0;  // 0 for the root
    int parent = -1;
    int firstChild = -1;
    int lastChild = -1;
    int nextSibling = -1;
    // Text nodes: their characters in HtmlDocument::text.
    uint32_t textStart = 0;
    uint32_t textLength = 0;
    // Elements: their attributes in HtmlDocument::attributes.
    uint32_t attrStart = 0;
    uint32_t attrCount = 0;
};

struct Document {
    std::vector<Node> nodes;            // nodes[0] is the root
    std::vector<Attribute> attributes;
    std::wstring text;                  // the characters of every text node
    std::wstring title;
    std::vector<Attribute> body;        // attributes of <body> (first wins)
    unsigned cuts = 0;                  // CutReason bits

    Document();
    // The value of an attribute of an element, or null when it has none.
    const std::wstring* Attr(int node, const wchar_t* lowerName) const;
    const std::wstring* BodyAttr(const wchar_t* lowerName) const;
    const wchar_t* Text(int node) const { return text.data() + nodes[node].textStart; }
};

}  // namespace html
