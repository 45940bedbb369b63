#include "html_layout.h"

#include <algorithm>

#include "html_layout_engine.h"
#include "html_limits.h"
#include "html_text.h"

namespace html {

namespace {

const int kBandHeight = 256;
const int kListIndent = 20;
const int kQuoteIndent = 16;
const int kNarrowest = 16;      // a block keeps at least this much width
const size_t kMaxAnchors = 10000;

}  // namespace

// ---- PageLayout -----------------------------------------------------------------

void PageLayout::IndexBands()
{
    bands_.assign(static_cast<size_t>(std::max(height, 1) - 1) / kBandHeight + 1, {});
    int last = static_cast<int>(bands_.size()) - 1;
    for (size_t i = 0; i < items.size(); ++i) {
        const RECT& r = items[i].rect;
        if (r.bottom <= r.top && items[i].kind != ItemKind::kBullet)
            continue;
        int first = std::max(0, std::min<int>(last, r.top / kBandHeight));
        int end = std::max(0, std::min<int>(last, (std::max(r.bottom, r.top + 1) - 1) / kBandHeight));
        for (int b = first; b <= end; ++b)
            bands_[b].push_back(static_cast<uint32_t>(i));
    }
}

void PageLayout::Visible(int top, int bottom, std::vector<uint32_t>& out) const
{
    out.clear();
    if (bands_.empty() || bottom <= top)
        return;
    int last = static_cast<int>(bands_.size()) - 1;
    int first = std::max(0, std::min(last, top / kBandHeight));
    int end = std::max(0, std::min(last, (bottom - 1) / kBandHeight));
    for (int b = first; b <= end; ++b)
        for (uint32_t i : bands_[b]) {
            const RECT& r = items[i].rect;
            if (r.bottom > top && r.top < bottom)
                out.push_back(i);
        }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
}

PageLayout LayoutPage(const Document& doc, const std::vector<NodeStyle>& styles, const PageStyle& page,
                      FontSet& fonts, ImageStore& images, int width)
{
    PageLayout out;
    Layouter layouter(doc, styles, page, fonts, images, out);
    layouter.Run(width);
    out.IndexBands();
    return out;
}

// ---- Layouter: the flow -------------------------------------------------------------

Layouter::Layouter(const Document& doc, const std::vector<NodeStyle>& styles, const PageStyle& page, FontSet& fonts,
                   ImageStore& images, PageLayout& out)
    : doc_(doc), styles_(styles), page_(page), fonts_(fonts), images_(images), out_(out)
{
}

void Layouter::Run(int width)
{
    out_.width = width;
    out_.background = page_.background;
    Flow page;
    page.left = page_.leftMargin;
    page.right = std::max(page.left + kNarrowest, width - page_.leftMargin);
    page.y = page_.topMargin;
    flow_ = &page;
    Children(0);
    EndLine(false, styles_[0].font);
    out_.height = page.y + page_.topMargin;
    flow_ = nullptr;
}

void Layouter::Children(int node)
{
    for (int c = doc_.nodes[node].firstChild; c >= 0 && !stopped_; c = doc_.nodes[c].nextSibling)
        Visit(c);
}

void Layouter::Visit(int node)
{
    Tag tag = doc_.nodes[node].tag;
    switch (tag) {
    case Tag::kText:
        Text(node);
        return;
    case Tag::kBr:
        EndLine(true, styles_[node].font);
        return;
    case Tag::kImg:
        Box(node, ItemKind::kImage);
        return;
    case Tag::kObject: case Tag::kEmbed:
        NoteAnchor(node);
        Box(node, ItemKind::kObject);  // its <param>s and fallback content are not shown
        return;
    case Tag::kHr:
        Rule(node);
        return;
    case Tag::kTable:
        NoteAnchor(node);
        Table(node);
        return;
    case Tag::kLi:
        NoteAnchor(node);
        ListItem(node);
        return;
    case Tag::kParam: case Tag::kVoidOther: case Tag::kMeta: case Tag::kLink: case Tag::kBase:
        return;
    default:
        NoteAnchor(node);
        if (IsBlockTag(tag))
            Block(node);
        else
            Children(node);
        return;
    }
}

void Layouter::Text(int node)
{
    const NodeStyle& style = styles_[node];
    const Node& n = doc_.nodes[node];
    const wchar_t* text = doc_.Text(node);
    bool pre = (style.flags & kStylePre) != 0;
    bool breakable = (style.flags & kStyleNoWrap) == 0;
    int space = fonts_.Width(style.font, L' ');
    uint32_t i = 0;
    while (i < n.textLength && !stopped_) {
        wchar_t c = text[i];
        if (pre && (c == L'\n' || c == L'\r' || c == L'\t' || c == L' ')) {
            if (c == L'\n') {
                EndLine(true, style.font);
            } else if (c == L'\t') {
                int stop = 8 * std::max(space, 1);
                flow_->gap += stop - (flow_->x + flow_->gap) % stop;
                flow_->keepGap = true;
            } else if (c == L' ') {
                flow_->gap += space;
                flow_->keepGap = true;
            }
            ++i;
            continue;
        }
        if (!pre && c == L' ') {
            flow_->gap = std::max(flow_->gap, space);
            ++i;
            continue;
        }
        uint32_t j = i;
        while (j < n.textLength && text[j] != L' ' &&
               !(pre && (text[j] == L'\n' || text[j] == L'\r' || text[j] == L'\t')))
            ++j;
        Word(node, n.textStart + i, j - i, breakable);
        i = j;
    }
}

void Layouter::Word(int node, uint32_t start, uint32_t length, bool breakable)
{
    const NodeStyle& style = styles_[node];
    const wchar_t* text = doc_.text.data() + start;
    Piece piece;
    piece.item.kind = ItemKind::kText;
    piece.item.font = style.font;
    piece.item.color = style.color;
    piece.item.node = node;
    piece.item.link = style.link;
    piece.ascent = fonts_.Ascent(style.font);
    piece.descent = fonts_.Descent(style.font);
    int width = fonts_.Width(style.font, text, length);
    int available = AvailableWidth();
    if (!breakable || width <= available) {
        piece.item.textStart = start;
        piece.item.textLength = length;
        piece.item.rect.right = width;
        Place(piece, breakable);
        return;
    }
    // Wider than the line: cut it where the line is full.
    if (!flow_->pieces.empty()) {
        EndLine(false, style.font);
        flow_->wrapped = true;
    }
    while (length > 0 && !stopped_) {
        uint32_t take = 0;
        int taken = 0;
        for (; take < length; ++take) {
            int w = fonts_.Width(style.font, text[take]);
            if (take > 0 && taken + w > available)
                break;
            taken += w;
        }
        piece.item.textStart = start;
        piece.item.textLength = take;
        piece.item.rect.right = taken;
        Place(piece, true);
        start += take;
        text += take;
        length -= take;
    }
}

void Layouter::Place(Piece piece, bool breakable)
{
    Flow& f = *flow_;
    int width = piece.item.rect.right;
    int gap = f.pieces.empty() ? (f.keepGap && !f.wrapped ? f.gap : 0) : f.gap;
    if (!f.pieces.empty() && breakable && f.x + gap + width > AvailableWidth()) {
        EndLine(false, piece.item.font);
        f.wrapped = true;
        gap = 0;
    }
    int x = f.x + gap;
    Item& item = piece.item;
    bool merged = false;
    if (item.kind == ItemKind::kText && !f.pieces.empty()) {
        // Words of one text on one line are drawn as one run, spaces included.
        Item& last = f.pieces.back().item;
        uint32_t lastEnd = last.textStart + last.textLength;
        if (last.kind == ItemKind::kText && last.node == item.node && lastEnd <= item.textStart &&
            fonts_.Width(item.font, doc_.text.data() + lastEnd, item.textStart - lastEnd) == gap) {
            bool blanks = true;
            for (uint32_t k = lastEnd; k < item.textStart && blanks; ++k)
                blanks = doc_.text[k] == L' ';
            if (blanks) {
                last.textLength = item.textStart + item.textLength - last.textStart;
                last.rect.right = x + width;
                merged = true;
            }
        }
    }
    if (!merged) {
        item.rect.left = x;
        item.rect.right = x + width;
        f.pieces.push_back(piece);
    }
    f.x = x + width;
    f.gap = 0;
    f.keepGap = false;
}

int Layouter::BoxSize(int node, const wchar_t* attr, int reference, int fallback) const
{
    const std::wstring* value = doc_.Attr(node, attr);
    int number = 0;
    bool percent = false;
    if (!value || !ParseLength(*value, kMaxAttributePixels, &number, &percent))
        return fallback;
    return percent ? std::min(kMaxAttributePixels, reference * std::min(number, 100) / 100) : number;
}

void Layouter::Box(int node, ItemKind kind)
{
    const NodeStyle& style = styles_[node];
    Piece piece;
    piece.item.kind = kind;
    piece.item.node = node;
    piece.item.link = style.link;
    piece.item.color = style.color;
    piece.item.font = style.font;
    int naturalWidth = kind == ItemKind::kObject ? 32 : 20;
    int naturalHeight = naturalWidth;
    bool loaded = false;
    if (kind == ItemKind::kImage) {
        const std::wstring* src = doc_.Attr(node, L"src");
        piece.item.image = src && !src->empty() ? images_.Find(*src) : -1;
        if (piece.item.image >= 0 && images_.Get(piece.item.image).bitmap) {
            naturalWidth = std::min(images_.Get(piece.item.image).width, kMaxAttributePixels);
            naturalHeight = std::min(images_.Get(piece.item.image).height, kMaxAttributePixels);
            loaded = true;
        }
        piece.item.variant = loaded ? 0 : 1;
    }
    bool hasWidth = doc_.Attr(node, L"width") != nullptr;
    bool hasHeight = doc_.Attr(node, L"height") != nullptr;
    int width = BoxSize(node, L"width", AvailableWidth(), naturalWidth);
    int height = BoxSize(node, L"height", AvailableWidth(), naturalHeight);
    // One side given: the other keeps the picture's proportions.
    if (loaded && hasWidth != hasHeight) {
        if (hasWidth)
            height = std::min(kMaxAttributePixels, naturalWidth ? naturalHeight * width / naturalWidth : height);
        else
            width = std::min(kMaxAttributePixels, naturalHeight ? naturalWidth * height / naturalHeight : width);
    }
    piece.item.rect.right = width;
    piece.ascent = height;
    piece.descent = 0;
    Place(piece, (style.flags & kStyleNoWrap) == 0);
}

// Lists inside list items take no margins of their own.
static bool InsideList(const Document& doc, int node)
{
    for (int p = doc.nodes[node].parent; p > 0; p = doc.nodes[p].parent) {
        Tag t = doc.nodes[p].tag;
        if (t == Tag::kLi || t == Tag::kUl || t == Tag::kOl)
            return true;
        if (t == Tag::kTd || t == Tag::kTh)
            return false;
    }
    return false;
}

void Layouter::Block(int node)
{
    Tag tag = doc_.nodes[node].tag;
    const NodeStyle& style = styles_[node];
    int pixels = FontPixels(style.size);
    int margin = 0, indentLeft = 0, indentRight = 0;
    bool list = tag == Tag::kUl || tag == Tag::kOl;
    switch (tag) {
    case Tag::kP: case Tag::kPre: case Tag::kDl: case Tag::kAddress:
        margin = pixels * 2 / 3;
        break;
    case Tag::kBlockquote:
        margin = pixels * 2 / 3;
        indentLeft = indentRight = kQuoteIndent;
        break;
    case Tag::kUl: case Tag::kOl:
        margin = InsideList(doc_, node) ? 0 : pixels * 2 / 3;
        indentLeft = kListIndent;
        break;
    case Tag::kDd:
        indentLeft = kListIndent;
        break;
    default:
        if (IsHeadingTag(tag))
            margin = pixels / 2;
        break;
    }
    EndLine(false, style.font);
    AddMargin(margin);
    Flow& f = *flow_;
    const int left = f.left, right = f.right;
    const Align align = f.align;
    if (right - left - indentLeft - indentRight >= kNarrowest) {
        f.left += indentLeft;
        f.right -= indentRight;
    }
    f.align = style.align;
    if (list) {
        int start = 1;
        if (tag == Tag::kOl)
            if (const std::wstring* v = doc_.Attr(node, L"start"))
                ParseLength(*v, 1000000, &start);
        listCounters_.push_back(start);
    }
    Children(node);
    EndLine(false, style.font);
    if (list)
        listCounters_.pop_back();
    flow_->left = left;
    flow_->right = right;
    flow_->align = align;
    AddMargin(margin);
}

void Layouter::ListItem(int node)
{
    const NodeStyle& style = styles_[node];
    EndLine(false, style.font);
    // The list it belongs to decides the marker: numbers for <ol>, bullets
    // by nesting for <ul>.
    Tag list = Tag::kUl;
    int level = 0;
    for (int p = doc_.nodes[node].parent; p > 0; p = doc_.nodes[p].parent) {
        Tag t = doc_.nodes[p].tag;
        if (t == Tag::kTd || t == Tag::kTh)
            break;
        if (t == Tag::kUl || t == Tag::kOl) {
            if (level == 0)
                list = t;
            ++level;
        }
    }
    Flow& f = *flow_;
    const int left = f.left;
    const Align align = f.align;
    if (level == 0 && f.right - f.left - kListIndent >= kNarrowest)
        f.left += kListIndent;  // an item outside any list still gets room for its bullet
    Item marker;
    marker.node = node;
    marker.font = style.font;
    marker.color = style.color;
    marker.rect.left = f.left;
    if (list == Tag::kOl && !listCounters_.empty()) {
        int number = listCounters_.back();
        if (const std::wstring* v = doc_.Attr(node, L"value"))
            ParseLength(*v, 1000000, &number);
        listCounters_.back() = number + 1;
        marker.kind = ItemKind::kNumber;
        marker.textStart = static_cast<uint32_t>(number);
    } else {
        marker.kind = ItemKind::kBullet;
        marker.variant = static_cast<uint8_t>(std::min(std::max(level, 1), 3) - 1);
    }
    f.marker = marker;
    f.markerPending = true;
    f.align = style.align;
    Children(node);
    EndLine(false, style.font);
    if (flow_->markerPending) {  // an empty item still shows its marker
        StartContent();
        PlaceMarker(flow_->y + fonts_.Ascent(style.font), fonts_.Ascent(style.font));
        flow_->y += fonts_.Height(style.font);
    }
    flow_->left = left;
    flow_->align = align;
}

void Layouter::PlaceMarker(int baseline, int /*ascent*/)
{
    Flow& f = *flow_;
    f.markerPending = false;
    Item m = f.marker;
    int left = m.rect.left;
    int fontAscent = fonts_.Ascent(m.font);
    if (m.kind == ItemKind::kBullet) {
        int size = std::max(4, fontAscent / 3);
        int centerY = baseline - fontAscent * 3 / 8;
        m.rect = {left - 10 - size / 2, centerY - size / 2, left - 10 - size / 2 + size, centerY - size / 2 + size};
    } else {
        m.rect = {std::max(0, left - 48), baseline - fontAscent, left - 4, baseline + fonts_.Descent(m.font)};
    }
    Emit(m);
}

void Layouter::Rule(int node)
{
    EndLine(false, styles_[node].font);
    AddMargin(4);
    StartContent();
    Flow& f = *flow_;
    int available = AvailableWidth();
    int width = std::min(available, BoxSize(node, L"width", available, available));
    int size = std::max(1, std::min(32, BoxSize(node, L"size", 0, 2)));
    Align align = Align::kCenter;
    if (const std::wstring* v = doc_.Attr(node, L"align")) {
        if (_wcsicmp(v->c_str(), L"left") == 0)
            align = Align::kLeft;
        else if (_wcsicmp(v->c_str(), L"right") == 0)
            align = Align::kRight;
    }
    int x = f.left + (align == Align::kCenter ? (available - width) / 2 : align == Align::kRight ? available - width : 0);
    Item rule;
    rule.kind = ItemKind::kRule;
    rule.node = node;
    rule.rect = {x, f.y, x + width, f.y + size};
    rule.color = RGB(0x80, 0x80, 0x80);
    if (const std::wstring* v = doc_.Attr(node, L"color"))
        ParseColor(*v, &rule.color);
    Emit(rule);
    f.y += size;
    AddMargin(4);
}

void Layouter::EndLine(bool forced, int font)
{
    Flow& f = *flow_;
    if (!f.pieces.empty()) {
        PlaceLine();
    } else if (forced) {
        StartContent();
        if (f.markerPending)
            PlaceMarker(f.y + fonts_.Ascent(font), fonts_.Ascent(font));
        f.y += fonts_.Height(font);
        CheckHeight();
    }
    f.x = 0;
    f.gap = 0;
    f.keepGap = false;
    f.wrapped = false;
}

void Layouter::PlaceLine()
{
    Flow& f = *flow_;
    StartContent();
    int ascent = 0, descent = 0;
    for (const Piece& p : f.pieces) {
        ascent = std::max(ascent, p.ascent);
        descent = std::max(descent, p.descent);
    }
    int spare = AvailableWidth() - f.x;
    int shift = spare <= 0 ? 0 : f.align == Align::kCenter ? spare / 2 : f.align == Align::kRight ? spare : 0;
    int baseline = f.y + ascent;
    if (f.markerPending)
        PlaceMarker(baseline, ascent);
    for (const Piece& p : f.pieces) {
        Item item = p.item;
        int width = item.rect.right - item.rect.left;
        item.rect.left += f.left + shift;
        item.rect.right = item.rect.left + width;
        item.rect.top = baseline - p.ascent;
        item.rect.bottom = baseline + p.descent;
        Emit(item);
    }
    f.y += ascent + descent;
    f.pieces.clear();
    CheckHeight();
}

void Layouter::StartContent()
{
    Flow& f = *flow_;
    if (!f.atTop)
        f.y += f.margin;
    f.margin = 0;
    f.atTop = false;
}

void Layouter::AddMargin(int pixels)
{
    flow_->margin = std::max(flow_->margin, pixels);
}

void Layouter::Emit(const Item& item)
{
    out_.items.push_back(item);
}

void Layouter::NoteAnchor(int node)
{
    if (out_.anchors.size() >= kMaxAnchors)
        return;
    const std::wstring* name = doc_.nodes[node].tag == Tag::kA ? doc_.Attr(node, L"name") : nullptr;
    if (!name)
        name = doc_.Attr(node, L"id");
    if (name && !name->empty())
        out_.anchors.emplace_back(*name, flow_->y);
}

bool Layouter::CheckHeight()
{
    if (flow_->y > kMaxPageHeight && !stopped_) {
        stopped_ = true;
        out_.cuts |= kCutHeight;
    }
    return !stopped_;
}

}  // namespace html
