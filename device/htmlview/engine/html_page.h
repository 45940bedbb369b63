// One page of the engine from source to pixels: parse, style, lay out at a
// width, paint, and find what lies under a point.  Window-free, so tests and
// the fuzzer drive it directly; the view control wraps it.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "html_document.h"
#include "html_fonts.h"
#include "html_images.h"
#include "html_layout.h"
#include "html_style.h"

namespace html {

class Page {
public:
    Page() = default;
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    void SetImageLoader(ImageStore::Loader loader) { images_.SetLoader(std::move(loader)); }

    // Replaces the page with this source; laid out at the next LayOut.
    void Load(const std::wstring& source);
    void Clear() { Load(std::wstring()); }
    // Lays the page out at this width (again only when it changed).
    void LayOut(int width);

    const Document& document() const { return doc_; }
    const PageStyle& pageStyle() const { return pageStyle_; }
    const PageLayout& layout() const { return layout_; }
    PageLayout& layout() { return layout_; }
    const FontSet& fonts() const { return fonts_; }
    // CutReason bits: what of the page was left out.
    unsigned Cuts() const { return doc_.cuts | layout_.cuts; }

    void Paint(HDC dc, int scrollY, const RECT& clip) const;
    // The href of the link at a point of the page, or null.
    const std::wstring* LinkAt(int x, int y) const;
    // The page row of an anchor (<a name> or id); false when none has it.
    bool AnchorY(const std::wstring& name, int* y) const;

private:
    Document doc_;
    PageStyle pageStyle_;
    std::vector<NodeStyle> styles_;
    FontSet fonts_;
    ImageStore images_;
    PageLayout layout_;
    int laidOutWidth_ = -1;
};

}  // namespace html
