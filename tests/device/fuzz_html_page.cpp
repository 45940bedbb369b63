// HTML pages against mutated input: the engine decodes, parses, styles and
// lays out each page at two widths, paints it at three scroll positions and
// looks for links and anchors, as the view does.
#include <algorithm>
#include <string>

#include "fuzz_parser.h"
#include "html_limits.h"
#include "html_page.h"
#include "html_text.h"

namespace {

// Insertions that matter to an HTML parser and layout, separated by '|'.
const char kTokens[] =
    "<|>|</|<p>|</p>|<li>|<ul>|</ul>|<ol start=2147483647>|<table>|</table>|<tr>|<td>|</td>|<th>|"
    "<td colspan=99999>|<td width=100%>|<table width=4096 border=32 cellpadding=64 cellspacing=64>|"
    "<pre>|</pre>|\t|\r\n|<br>|<hr size=99 width=200%>|<h1>|</h3>|<center>|<blockquote>|<nobr>|"
    "<font size=+99 color=#zzzzzz>|<font size=-7>|<b>|<i>|<a href=#x>|<a name=x>|</a>|"
    "<img src=missing.gif width=99999 height=1>|<img>|<object width=100% height=4096>|<param name=a value=b>|"
    "<!--|-->|<!DOCTYPE html>|<script>|</script>|<style>|<title>|&#x10FFFF;|&#0;|&#55296;|&amp|&nbsp;|"
    "&unknown;|&|=|'|\"|\xC3|\xEF\xBB\xBF|\xFF\xFE|<meta charset=utf-8>|<body bgcolor=red leftmargin=200>";

enum Kind { kScrambled = 0, kCutShort = 1, kStacked = 2 };

class HtmlPageFuzz : public FuzzParser {
public:
    FuzzInput Make(const std::vector<std::string>& seeds, FuzzRandom& random) override
    {
        FuzzInput input;
        if (seeds.empty())
            return input;
        const std::string& seed = seeds[random.Below(static_cast<uint32_t>(seeds.size()))];
        switch (random.Below(8)) {
        case 0:
            input.kind = kCutShort;
            input.bytes = Truncate(seed, seed.size(), random);
            break;
        case 1:
        case 2: {
            // Many edits on one page, so structures break in several places.
            input.kind = kStacked;
            input.bytes = seed;
            for (uint32_t n = 2 + random.Below(6); n > 0; --n)
                input.bytes = Scramble(input.bytes, random, kTokens);
            break;
        }
        default:
            input.kind = kScrambled;
            input.bytes = Scramble(seed, random, kTokens);
            break;
        }
        return input;
    }

    std::string Run(const FuzzInput& input) override
    {
        bool cut = false;
        std::wstring source = html::DecodePageBytes(input.bytes.data(), input.bytes.size(), html::kMaxPageChars, &cut);
        html::Page page;
        page.Load(source);
        for (const html::Node& node : page.document().nodes)
            if (node.depth > html::kMaxDepth + 1)
                return "an element nested past the depth limit";
        for (int width : {97, 240}) {
            page.LayOut(width);
            const html::PageLayout& layout = page.layout();
            if (layout.height < 0 || layout.height > html::kMaxPageHeight + 2 * html::kMaxAttributePixels)
                return "a page height out of bounds";
            int top = 0;
            for (int scroll : {0, layout.height / 2, std::max(0, layout.height - 320)}) {
                RECT view = {0, 0, width, 320};
                page.Paint(dc_, scroll, view);
                top = scroll;
            }
            for (int y = top; y < top + 320; y += 37)
                for (int x = 0; x < width; x += 29)
                    page.LinkAt(x, y);
        }
        int y = 0;
        page.AnchorY(L"x", &y);
        return "";
    }

    bool SetUp(const FuzzContext&, std::string* why) override
    {
        dc_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateCompatibleBitmap(dc_, 240, 320);
        if (!dc_ || !bitmap_) {
            *why = "no drawing surface";
            return false;
        }
        SelectObject(dc_, bitmap_);
        return true;
    }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
};

}  // namespace

KETRA_FUZZ_PARSER(HtmlPageFuzz)
