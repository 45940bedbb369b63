#include "html_parser.h"

#include <cwctype>
#include <initializer_list>

#include "html_limits.h"
#include "html_text.h"

namespace html {

namespace {

const size_t kMaxNameLength = 32;
const size_t kMaxAttributes = 64;
const size_t kMaxTitleLength = 256;

bool IsSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f';
}

bool IsAsciiAlpha(wchar_t c)
{
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z');
}

wchar_t LowerAscii(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool IsTableSection(Tag tag)
{
    return tag == Tag::kThead || tag == Tag::kTbody || tag == Tag::kTfoot;
}

// Tags that end an open paragraph when they start.
bool ClosesParagraph(Tag tag)
{
    return IsBlockTag(tag) && tag != Tag::kCaption && tag != Tag::kTr && tag != Tag::kTd && tag != Tag::kTh &&
           !IsTableSection(tag);
}

struct RawTag {
    std::wstring name;
    bool closing = false;
    std::vector<Attribute> attributes;
};

class Parser {
public:
    Parser(const std::wstring& source, Document& doc) : src_(source), doc_(doc)
    {
        open_.push_back(0);
        if (src_.size() > kMaxPageChars) {
            end_ = kMaxPageChars;
            doc_.cuts |= kCutSize;
        } else {
            end_ = src_.size();
        }
    }

    void Run()
    {
        while (pos_ < end_ && !full_) {
            if (src_[pos_] == L'<' && ReadMarkup())
                continue;
            ReadText();
        }
        FlushText();
    }

private:
    // ---- tokens ---------------------------------------------------------------

    // At '<': a tag, comment or declaration is consumed and handled; false
    // when the '<' is plain text.
    bool ReadMarkup()
    {
        size_t p = pos_ + 1;
        if (p < end_ && (src_[p] == L'!' || src_[p] == L'?')) {
            size_t close;
            if (src_.compare(p, 3, L"!--") == 0) {
                close = src_.find(L"-->", p + 3);
                close = close == std::wstring::npos || close + 3 > end_ ? end_ : close + 3;
            } else {
                close = src_.find(L'>', p);
                close = close == std::wstring::npos || close >= end_ ? end_ : close + 1;
            }
            FlushText();
            pos_ = close;
            return true;
        }
        RawTag tag;
        tag.closing = p < end_ && src_[p] == L'/';
        if (tag.closing)
            ++p;
        if (p >= end_ || !IsAsciiAlpha(src_[p])) {
            if (tag.closing && p < end_ && src_[p] == L'>') {  // "</>"
                pos_ = p + 1;
                return true;
            }
            return false;
        }
        while (p < end_ && (iswalnum(src_[p]) || src_[p] == L'-' || src_[p] == L':')) {
            if (tag.name.size() < kMaxNameLength)
                tag.name.push_back(LowerAscii(src_[p]));
            ++p;
        }
        p = ReadAttributes(p, tag);
        FlushText();
        pos_ = p;
        HandleTag(tag);
        return true;
    }

    size_t ReadAttributes(size_t p, RawTag& tag)
    {
        while (p < end_) {
            while (p < end_ && (IsSpace(src_[p]) || src_[p] == L'/'))
                ++p;
            if (p >= end_)
                break;
            if (src_[p] == L'>')
                return p + 1;
            std::wstring name;
            while (p < end_ && !IsSpace(src_[p]) && src_[p] != L'=' && src_[p] != L'>' && src_[p] != L'/') {
                if (name.size() < kMaxNameLength)
                    name.push_back(LowerAscii(src_[p]));
                ++p;
            }
            if (name.empty())  // a stray '=' or quote
                name.push_back(src_[p++]);
            while (p < end_ && IsSpace(src_[p]))
                ++p;
            std::wstring raw;
            if (p < end_ && src_[p] == L'=') {
                ++p;
                while (p < end_ && IsSpace(src_[p]))
                    ++p;
                if (p < end_ && (src_[p] == L'"' || src_[p] == L'\'')) {
                    wchar_t quote = src_[p++];
                    size_t close = src_.find(quote, p);
                    if (close == std::wstring::npos || close >= end_) {
                        // An unclosed quote ends with the tag.
                        close = src_.find(L'>', p);
                        close = close == std::wstring::npos || close >= end_ ? end_ : close;
                        raw = src_.substr(p, close - p);
                        p = close;
                    } else {
                        raw = src_.substr(p, close - p);
                        p = close + 1;
                    }
                } else {
                    size_t start = p;
                    while (p < end_ && !IsSpace(src_[p]) && src_[p] != L'>')
                        ++p;
                    raw = src_.substr(start, p - start);
                }
            }
            if (tag.attributes.size() >= kMaxAttributes || Has(tag, name))
                continue;
            Attribute a;
            a.name = name;
            a.value = DecodeEntities(raw, false);
            tag.attributes.push_back(std::move(a));
        }
        return p;
    }

    static bool Has(const RawTag& tag, const std::wstring& name)
    {
        for (const Attribute& a : tag.attributes)
            if (a.name == name)
                return true;
        return false;
    }

    // Entities decoded; with collapse, every run of white space is one blank.
    static std::wstring DecodeEntities(const std::wstring& raw, bool collapse)
    {
        std::wstring out;
        out.reserve(raw.size());
        for (size_t i = 0; i < raw.size();) {
            if (raw[i] == L'&' && DecodeEntity(raw, i, out))
                continue;
            if (collapse && IsSpace(raw[i])) {
                if (out.empty() || out.back() != L' ')
                    out.push_back(L' ');
            } else {
                out.push_back(raw[i] == L'\0' ? L' ' : raw[i]);
            }
            ++i;
        }
        return out;
    }

    void ReadText()
    {
        size_t start = pos_;
        size_t next = src_.find(L'<', pos_ + 1);
        pos_ = next == std::wstring::npos || next > end_ ? end_ : next;
        pending_.append(src_, start, pos_ - start);
    }

    // The text of a raw element (script, style, title): everything up to
    // its end tag, which is consumed too.
    std::wstring ReadRawText(const std::wstring& name)
    {
        size_t p = pos_;
        while (p < end_) {
            size_t lt = src_.find(L"</", p);
            if (lt == std::wstring::npos || lt >= end_)
                break;
            size_t k = 0;
            while (k < name.size() && lt + 2 + k < end_ && LowerAscii(src_[lt + 2 + k]) == name[k])
                ++k;
            if (k == name.size()) {
                std::wstring text = src_.substr(pos_, lt - pos_);
                size_t close = src_.find(L'>', lt);
                pos_ = close == std::wstring::npos || close >= end_ ? end_ : close + 1;
                return text;
            }
            p = lt + 2;
        }
        std::wstring text = src_.substr(pos_, end_ - pos_);
        pos_ = end_;
        return text;
    }

    // ---- tree -----------------------------------------------------------------

    int Top() const { return open_.back(); }
    Tag TopTag() const { return doc_.nodes[Top()].tag; }

    // A new node as the last child of the open element on top; -1 when the
    // page has reached its node limit (parsing then stops).
    int NewChild(Tag tag)
    {
        if (doc_.nodes.size() >= kMaxNodes) {
            doc_.cuts |= kCutNodes;
            full_ = true;
            return -1;
        }
        int parent = Top();
        int index = static_cast<int>(doc_.nodes.size());
        doc_.nodes.emplace_back();
        Node& node = doc_.nodes.back();
        Node& up = doc_.nodes[parent];
        node.tag = tag;
        node.parent = parent;
        node.depth = static_cast<uint8_t>(up.depth + 1);
        if (up.lastChild >= 0)
            doc_.nodes[up.lastChild].nextSibling = index;
        else
            up.firstChild = index;
        up.lastChild = index;
        return index;
    }

    // Opens an element (or adds a void one); false when it was flattened
    // because the nesting is already at its limit.
    bool OpenElement(Tag tag, std::vector<Attribute>* attributes)
    {
        bool isVoid = IsVoidTag(tag);
        // Table parts need room for the rows and cells inside them, or text
        // would end up between rows, where it is not shown.
        int room = tag == Tag::kTable || IsTableSection(tag) ? 2 : tag == Tag::kTr ? 1 : 0;
        if (!isVoid && doc_.nodes[Top()].depth + room >= kMaxDepth) {
            doc_.cuts |= kCutDepth;
            return false;
        }
        int index = NewChild(tag);
        if (index < 0)
            return false;
        if (attributes) {
            doc_.nodes[index].attrStart = static_cast<uint32_t>(doc_.attributes.size());
            doc_.nodes[index].attrCount = static_cast<uint32_t>(attributes->size());
            for (Attribute& a : *attributes)
                doc_.attributes.push_back(std::move(a));
        }
        if (!isVoid) {
            open_.push_back(index);
            if (tag == Tag::kPre) {
                ++preDepth_;
                skipNewline_ = true;
            }
        }
        return true;
    }

    // Position in the open stack of the nearest element with one of `tags`,
    // searching down from the top and stopping at any of `boundaries`.
    int FindOpen(std::initializer_list<Tag> tags, std::initializer_list<Tag> boundaries) const
    {
        for (int i = static_cast<int>(open_.size()) - 1; i > 0; --i) {
            Tag t = doc_.nodes[open_[i]].tag;
            for (Tag wanted : tags)
                if (t == wanted)
                    return i;
            for (Tag stop : boundaries)
                if (t == stop)
                    return -1;
        }
        return -1;
    }

    // Closes the element at stack position `at` and everything inside it.
    void CloseFrom(int at)
    {
        while (static_cast<int>(open_.size()) > at) {
            if (TopTag() == Tag::kPre)
                --preDepth_;
            open_.pop_back();
        }
    }

    void CloseIfOpen(std::initializer_list<Tag> tags, std::initializer_list<Tag> boundaries)
    {
        int at = FindOpen(tags, boundaries);
        if (at > 0)
            CloseFrom(at);
    }

    void HandleTag(RawTag& raw)
    {
        Tag tag = TagFromName(raw.name);
        if (raw.closing) {
            HandleEndTag(tag);
            return;
        }
        switch (tag) {
        case Tag::kBody:
            for (Attribute& a : raw.attributes)
                if (!doc_.BodyAttr(a.name.c_str()))
                    doc_.body.push_back(a);
            return;
        case Tag::kHtml: case Tag::kHead: case Tag::kMeta: case Tag::kLink: case Tag::kBase:
            return;
        case Tag::kScript: case Tag::kStyle:
            ReadRawText(raw.name);
            return;
        case Tag::kTitle: {
            std::wstring title = DecodeEntities(ReadRawText(raw.name), true);
            if (doc_.title.empty())
                doc_.title = title.substr(0, kMaxTitleLength);
            return;
        }
        default:
            break;
        }
        if (tag == Tag::kUnknown && (raw.name == L"textarea" || raw.name == L"select" || raw.name == L"noscript" ||
                                     raw.name == L"noembed" || raw.name == L"iframe")) {
            ReadRawText(raw.name);  // form fields and fallbacks show nothing here
            return;
        }
        PrepareFor(tag);
        OpenElement(tag, &raw.attributes);
    }

    // Closes what the start of `tag` implicitly ends.
    void PrepareFor(Tag tag)
    {
        const auto cellScope = {Tag::kTd, Tag::kTh, Tag::kTable, Tag::kCaption};
        if (ClosesParagraph(tag))
            CloseIfOpen({Tag::kP}, cellScope);
        if (IsHeadingTag(tag) && IsHeadingTag(TopTag()))
            CloseFrom(static_cast<int>(open_.size()) - 1);
        switch (tag) {
        case Tag::kLi:
            CloseIfOpen({Tag::kLi}, {Tag::kUl, Tag::kOl, Tag::kTd, Tag::kTh, Tag::kTable});
            break;
        case Tag::kDt: case Tag::kDd:
            CloseIfOpen({Tag::kDt, Tag::kDd}, {Tag::kDl, Tag::kTd, Tag::kTh, Tag::kTable});
            break;
        case Tag::kA:
            CloseIfOpen({Tag::kA}, cellScope);
            break;
        case Tag::kThead: case Tag::kTbody: case Tag::kTfoot: case Tag::kCaption:
            CloseIfOpen({Tag::kThead, Tag::kTbody, Tag::kTfoot, Tag::kTr, Tag::kTd, Tag::kTh, Tag::kCaption},
                        {Tag::kTable});
            break;
        case Tag::kTr: {
            CloseIfOpen({Tag::kTr, Tag::kCaption}, {Tag::kTable});
            int table = FindOpen({Tag::kTable, Tag::kThead, Tag::kTbody, Tag::kTfoot}, {});
            if (table > 0)
                CloseFrom(table + 1);
            break;
        }
        case Tag::kTd: case Tag::kTh: {
            CloseIfOpen({Tag::kTd, Tag::kTh, Tag::kCaption}, {Tag::kTable});
            int row = FindOpen({Tag::kTr}, {Tag::kTable});
            if (row > 0) {
                CloseFrom(row + 1);
            } else {
                int table = FindOpen({Tag::kTable, Tag::kThead, Tag::kTbody, Tag::kTfoot}, {});
                if (table > 0) {
                    CloseFrom(table + 1);
                    OpenElement(Tag::kTr, nullptr);  // a cell needs a row
                }
            }
            break;
        }
        default:
            break;
        }
    }

    void HandleEndTag(Tag tag)
    {
        const auto cellScope = {Tag::kTd, Tag::kTh, Tag::kTable, Tag::kCaption};
        switch (tag) {
        case Tag::kUnknown: case Tag::kHtml: case Tag::kHead: case Tag::kBody: case Tag::kTitle:
        case Tag::kScript: case Tag::kStyle:
            return;
        case Tag::kBr:  // "</br>" is a break in every browser
            OpenElement(Tag::kBr, nullptr);
            return;
        case Tag::kTable:
            CloseIfOpen({Tag::kTable}, {});
            return;
        case Tag::kTr: case Tag::kTd: case Tag::kTh: case Tag::kThead: case Tag::kTbody: case Tag::kTfoot:
        case Tag::kCaption:
            CloseIfOpen({tag}, {Tag::kTable});
            return;
        case Tag::kLi:
            CloseIfOpen({Tag::kLi}, {Tag::kUl, Tag::kOl, Tag::kTd, Tag::kTh, Tag::kTable});
            return;
        case Tag::kH1: case Tag::kH2: case Tag::kH3: case Tag::kH4: case Tag::kH5: case Tag::kH6:
            CloseIfOpen({Tag::kH1, Tag::kH2, Tag::kH3, Tag::kH4, Tag::kH5, Tag::kH6}, cellScope);
            return;
        default:
            if (!IsVoidTag(tag))
                CloseIfOpen({tag}, cellScope);
            return;
        }
    }

    // The text read since the last tag becomes a text node.
    void FlushText()
    {
        if (pending_.empty())
            return;
        std::wstring raw;
        raw.swap(pending_);
        bool pre = preDepth_ > 0;
        std::wstring text = DecodeEntities(raw, !pre);
        if (pre && skipNewline_) {
            // The line end right after <pre> belongs to the tag.
            if (!text.empty() && text[0] == L'\r')
                text.erase(0, 1);
            if (!text.empty() && text[0] == L'\n')
                text.erase(0, 1);
        }
        skipNewline_ = false;
        if (text.empty())
            return;
        Tag top = TopTag();
        if (top == Tag::kTable || top == Tag::kTr || IsTableSection(top))
            return;  // text between rows and cells is not shown
        int last = doc_.nodes[Top()].lastChild;
        if (last >= 0 && doc_.nodes[last].tag == Tag::kText &&
            doc_.nodes[last].textStart + doc_.nodes[last].textLength == doc_.text.size()) {
            doc_.nodes[last].textLength += static_cast<uint32_t>(text.size());  // a comment split it
            doc_.text += text;
            return;
        }
        int index = NewChild(Tag::kText);
        if (index < 0)
            return;
        doc_.nodes[index].textStart = static_cast<uint32_t>(doc_.text.size());
        doc_.nodes[index].textLength = static_cast<uint32_t>(text.size());
        doc_.text += text;
    }

    const std::wstring& src_;
    Document& doc_;
    size_t pos_ = 0;
    size_t end_ = 0;
    std::vector<int> open_;   // open elements, the root first
    std::wstring pending_;    // raw text since the last tag
    int preDepth_ = 0;
    bool skipNewline_ = false;
    bool full_ = false;
};

}  // namespace

Document ParsePage(const std::wstring& source)
{
    Document doc;
    Parser parser(source, doc);
    parser.Run();
    return doc;
}

std::wstring PlainTextAsHtml(const wchar_t* text, size_t length)
{
    std::wstring out;
    out.reserve(length + length / 8);
    for (size_t i = 0; i < length; ++i) {
        switch (text[i]) {
        case L'<': out += L"&lt;"; break;
        case L'>': out += L"&gt;"; break;
        case L'&': out += L"&amp;"; break;
        case L'\r': break;
        case L'\n': out += L"<br>"; break;
        default: out.push_back(text[i]); break;
        }
    }
    return out;
}

}  // namespace html
