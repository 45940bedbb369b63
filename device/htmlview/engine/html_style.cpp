#include "html_style.h"

#include <algorithm>
#include <iterator>

#include "html_limits.h"
#include "html_text.h"

namespace html {

namespace {

const int kDefaultSize = 3;

int Clamp(int v, int low, int high)
{
    return std::max(low, std::min(high, v));
}

// <font size>: "1".."7", or "+n"/"-n" relative to the default size 3.
bool ReadFontSize(const std::wstring& value, int* size)
{
    size_t i = 0;
    while (i < value.size() && value[i] == L' ')
        ++i;
    int sign = 0;
    if (i < value.size() && (value[i] == L'+' || value[i] == L'-'))
        sign = value[i++] == L'+' ? 1 : -1;
    int n = 0;
    if (!ParseLength(value.substr(i), 100, &n))
        return false;
    *size = Clamp(sign ? kDefaultSize + sign * n : n, 1, 7);
    return true;
}

bool ReadAlign(const std::wstring* value, Align* align)
{
    if (!value)
        return false;
    std::wstring v;
    for (wchar_t c : *value)
        v.push_back(static_cast<wchar_t>(towlower(c)));
    if (v == L"center" || v == L"middle")
        *align = Align::kCenter;
    else if (v == L"right")
        *align = Align::kRight;
    else if (v == L"left" || v == L"justify")
        *align = Align::kLeft;
    else
        return false;
    return true;
}

int HeadingSize(Tag tag)
{
    static const int kSizes[] = {6, 5, 4, 3, 2, 1};  // h1 .. h6
    return kSizes[static_cast<int>(tag) - static_cast<int>(Tag::kH1)];
}

}  // namespace

int FontPixels(int size)
{
    static const int kPixels[] = {9, 11, 12, 14, 17, 21, 27};
    return kPixels[Clamp(size, 1, 7) - 1];
}

PageStyle ReadPageStyle(const Document& doc)
{
    PageStyle page;
    if (const std::wstring* v = doc.BodyAttr(L"bgcolor"))
        ParseColor(*v, &page.background);
    if (const std::wstring* v = doc.BodyAttr(L"text"))
        ParseColor(*v, &page.text);
    if (const std::wstring* v = doc.BodyAttr(L"link"))
        ParseColor(*v, &page.link);
    if (const std::wstring* v = doc.BodyAttr(L"leftmargin"))
        ParseLength(*v, 200, &page.leftMargin);
    if (const std::wstring* v = doc.BodyAttr(L"topmargin"))
        ParseLength(*v, 200, &page.topMargin);
    return page;
}

std::vector<NodeStyle> ComputeStyles(const Document& doc, const PageStyle& page, FontSet& fonts)
{
    // Font flags per node, kept apart from the font index until the end.
    std::vector<uint8_t> fontFlags(doc.nodes.size(), 0);
    std::vector<NodeStyle> styles(doc.nodes.size());
    styles[0].color = page.text;
    styles[0].size = kDefaultSize;

    // Parents come before their children, so one pass in order inherits.
    for (size_t i = 1; i < doc.nodes.size(); ++i) {
        const Node& node = doc.nodes[i];
        NodeStyle s = styles[node.parent];
        uint8_t flags = fontFlags[node.parent];
        int n = static_cast<int>(i);
        switch (node.tag) {
        case Tag::kB: case Tag::kStrong:
            flags |= kFontBold;
            break;
        case Tag::kI: case Tag::kEm: case Tag::kAddress:
            flags |= kFontItalic;
            break;
        case Tag::kU:
            flags |= kFontUnderline;
            break;
        case Tag::kS: case Tag::kStrike:
            flags |= kFontStrike;
            break;
        case Tag::kTt: case Tag::kCode:
            flags |= kFontMono;
            break;
        case Tag::kPre:
            flags |= kFontMono;
            s.flags |= kStylePre;
            break;
        case Tag::kNobr:
            s.flags |= kStyleNoWrap;
            break;
        case Tag::kSmall: case Tag::kSub: case Tag::kSup:
            s.size = static_cast<uint8_t>(Clamp(s.size - 1, 1, 7));
            break;
        case Tag::kBig:
            s.size = static_cast<uint8_t>(Clamp(s.size + 1, 1, 7));
            break;
        case Tag::kFont: {
            int size;
            if (const std::wstring* v = doc.Attr(n, L"size"))
                if (ReadFontSize(*v, &size))
                    s.size = static_cast<uint8_t>(size);
            if (const std::wstring* v = doc.Attr(n, L"color"))
                ParseColor(*v, &s.color);
            break;
        }
        case Tag::kA:
            if (doc.Attr(n, L"href")) {
                s.link = n;
                s.color = page.link;
                flags |= kFontUnderline;
            }
            break;
        case Tag::kCenter:
            s.align = Align::kCenter;
            break;
        case Tag::kTh:
            flags |= kFontBold;
            s.align = Align::kCenter;
            break;
        default:
            break;
        }
        if (IsHeadingTag(node.tag)) {
            flags |= kFontBold;
            s.size = static_cast<uint8_t>(HeadingSize(node.tag));
        }
        if (IsBlockTag(node.tag) && node.tag != Tag::kTable)
            ReadAlign(doc.Attr(n, L"align"), &s.align);
        if ((node.tag == Tag::kTd || node.tag == Tag::kTh) && doc.Attr(n, L"nowrap"))
            s.flags |= kStyleNoWrap;
        fontFlags[i] = flags;
        styles[i] = s;
    }
    // Fonts last: few distinct ones, looked up once per combination.
    int16_t found[8][32];
    for (auto& row : found)
        std::fill(std::begin(row), std::end(row), static_cast<int16_t>(-1));
    for (size_t i = 0; i < doc.nodes.size(); ++i) {
        int16_t& font = found[styles[i].size][fontFlags[i] & 31];
        if (font < 0) {
            FontKey key;
            key.pixels = static_cast<int16_t>(FontPixels(styles[i].size));
            key.flags = fontFlags[i];
            font = static_cast<int16_t>(fonts.Find(key));
        }
        styles[i].font = font;
    }
    return styles;
}

}  // namespace html
