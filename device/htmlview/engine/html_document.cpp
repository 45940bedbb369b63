#include "html_document.h"

#include <algorithm>
#include <cwchar>

namespace html {

namespace {

struct TagName {
    const wchar_t* name;
    Tag tag;
};

// Sorted by name for the binary search.
const TagName kTags[] = {
    {L"a", Tag::kA},           {L"address", Tag::kAddress}, {L"area", Tag::kVoidOther},
    {L"b", Tag::kB},
    {L"base", Tag::kBase},     {L"big", Tag::kBig},         {L"blockquote", Tag::kBlockquote},
    {L"body", Tag::kBody},     {L"br", Tag::kBr},           {L"caption", Tag::kCaption},
    {L"center", Tag::kCenter}, {L"code", Tag::kCode},       {L"col", Tag::kVoidOther},
    {L"dd", Tag::kDd},
    {L"div", Tag::kDiv},       {L"dl", Tag::kDl},           {L"dt", Tag::kDt},
    {L"em", Tag::kEm},         {L"embed", Tag::kEmbed},     {L"font", Tag::kFont},
    {L"form", Tag::kForm},     {L"h1", Tag::kH1},           {L"h2", Tag::kH2},
    {L"h3", Tag::kH3},         {L"h4", Tag::kH4},           {L"h5", Tag::kH5},
    {L"h6", Tag::kH6},         {L"head", Tag::kHead},       {L"hr", Tag::kHr},
    {L"html", Tag::kHtml},     {L"i", Tag::kI},             {L"img", Tag::kImg},
    {L"input", Tag::kVoidOther},
    {L"li", Tag::kLi},         {L"link", Tag::kLink},       {L"meta", Tag::kMeta},
    {L"nobr", Tag::kNobr},     {L"object", Tag::kObject},   {L"ol", Tag::kOl},
    {L"p", Tag::kP},           {L"param", Tag::kParam},     {L"pre", Tag::kPre},
    {L"s", Tag::kS},           {L"script", Tag::kScript},   {L"small", Tag::kSmall},
    {L"source", Tag::kVoidOther},
    {L"span", Tag::kSpan},     {L"strike", Tag::kStrike},   {L"strong", Tag::kStrong},
    {L"style", Tag::kStyle},   {L"sub", Tag::kSub},         {L"sup", Tag::kSup},
    {L"table", Tag::kTable},   {L"tbody", Tag::kTbody},     {L"td", Tag::kTd},
    {L"tfoot", Tag::kTfoot},   {L"th", Tag::kTh},           {L"thead", Tag::kThead},
    {L"title", Tag::kTitle},   {L"tr", Tag::kTr},           {L"tt", Tag::kTt},
    {L"u", Tag::kU},           {L"ul", Tag::kUl},           {L"wbr", Tag::kVoidOther},
    {L"xmp", Tag::kPre},
};

const Attribute* FindAttr(const Attribute* begin, const Attribute* end, const wchar_t* name)
{
    for (const Attribute* a = begin; a != end; ++a)
        if (a->name == name)
            return a;
    return nullptr;
}

}  // namespace

Tag TagFromName(const std::wstring& lowerName)
{
    const TagName* end = kTags + sizeof(kTags) / sizeof(kTags[0]);
    const TagName* found = std::lower_bound(kTags, end, lowerName.c_str(), [](const TagName& t, const wchar_t* name) {
        return wcscmp(t.name, name) < 0;
    });
    return found != end && lowerName == found->name ? found->tag : Tag::kUnknown;
}

bool IsVoidTag(Tag tag)
{
    switch (tag) {
    case Tag::kBr: case Tag::kHr: case Tag::kImg: case Tag::kMeta: case Tag::kParam:
    case Tag::kLink: case Tag::kBase: case Tag::kEmbed: case Tag::kVoidOther:
        return true;
    default:
        return false;
    }
}

bool IsHeadingTag(Tag tag)
{
    return tag >= Tag::kH1 && tag <= Tag::kH6;
}

bool IsBlockTag(Tag tag)
{
    return tag >= Tag::kP && tag <= Tag::kTh;
}

Document::Document()
{
    nodes.emplace_back();  // the root
}

const std::wstring* Document::Attr(int node, const wchar_t* lowerName) const
{
    const Node& n = nodes[node];
    const Attribute* begin = attributes.data() + n.attrStart;
    const Attribute* a = FindAttr(begin, begin + n.attrCount, lowerName);
    return a ? &a->value : nullptr;
}

const std::wstring* Document::BodyAttr(const wchar_t* lowerName) const
{
    const Attribute* a = FindAttr(body.data(), body.data() + body.size(), lowerName);
    return a ? &a->value : nullptr;
}

}  // namespace html
