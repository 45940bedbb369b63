#include "html_page.h"

#include "html_paint.h"
#include "html_parser.h"

namespace html {

void Page::Load(const std::wstring& source)
{
    layout_ = PageLayout();
    images_.Clear();
    doc_ = ParsePage(source);
    pageStyle_ = ReadPageStyle(doc_);
    styles_ = ComputeStyles(doc_, pageStyle_, fonts_);
    laidOutWidth_ = -1;
}

void Page::LayOut(int width)
{
    if (width == laidOutWidth_)
        return;
    layout_ = LayoutPage(doc_, styles_, pageStyle_, fonts_, images_, width);
    laidOutWidth_ = width;
}

void Page::Paint(HDC dc, int scrollY, const RECT& clip) const
{
    PaintPage(dc, doc_, layout_, fonts_, images_, scrollY, clip);
}

const std::wstring* Page::LinkAt(int x, int y) const
{
    std::vector<uint32_t> here;
    layout_.Visible(y, y + 1, here);
    for (auto i = here.rbegin(); i != here.rend(); ++i) {
        const Item& item = layout_.items[*i];
        POINT point = {x, y};
        if (item.link >= 0 && PtInRect(&item.rect, point))
            return doc_.Attr(item.link, L"href");
    }
    return nullptr;
}

bool Page::AnchorY(const std::wstring& name, int* y) const
{
    for (const auto& anchor : layout_.anchors)
        if (anchor.first == name) {
            *y = anchor.second;
            return true;
        }
    return false;
}

}  // namespace html
