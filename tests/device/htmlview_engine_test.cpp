// The HTML engine in-process: what pages parse to, where their boxes land
// at a width, and that the limits cut oversized pages to what fits.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "html_limits.h"
#include "html_page.h"
#include "html_parser.h"
#include "html_text.h"

using html::Item;
using html::ItemKind;
using html::Tag;

namespace {

std::unique_ptr<html::Page> LaidOut(const std::wstring& source, int width = 240)
{
    auto page = std::make_unique<html::Page>();
    page->Load(source);
    page->LayOut(width);
    return page;
}

std::wstring TextOf(const html::Page& page, const Item& item)
{
    return page.document().text.substr(item.textStart, item.textLength);
}

std::vector<Item> ItemsOf(const html::Page& page, ItemKind kind)
{
    std::vector<Item> out;
    for (const Item& item : page.layout().items)
        if (item.kind == kind)
            out.push_back(item);
    return out;
}

// The text item holding `word`, or one with node -1 when none does.
Item TextItem(const html::Page& page, const std::wstring& word)
{
    for (const Item& item : ItemsOf(page, ItemKind::kText))
        if (TextOf(page, item).find(word) != std::wstring::npos)
            return item;
    return Item();
}

// Frames (of a table with a border) made for cells, in order.
std::vector<Item> CellFrames(const html::Page& page)
{
    std::vector<Item> cells;
    for (const Item& item : ItemsOf(page, ItemKind::kFrame)) {
        Tag tag = page.document().nodes[item.node].tag;
        if (tag == Tag::kTd || tag == Tag::kTh)
            cells.push_back(item);
    }
    return cells;
}

std::wstring AllText(const html::Page& page)
{
    std::wstring all;
    for (const Item& item : ItemsOf(page, ItemKind::kText))
        all += TextOf(page, item) + L"|";
    return all;
}

int Width(const RECT& r)
{
    return r.right - r.left;
}

}  // namespace

TEST(HtmlParse, RepairsTagSoupAndReadsAttributesAnyWayTheyAreQuoted)
{
    html::Document doc = html::ParsePage(
        L"<P>one<p>two<UL><LI>a<li>b</UL></b>after</td><FONT color=red size='5' Face=\"x y\">f</font>"
        L"<table><tr><td>c1<td>c2<tr><td>c3</table>");
    std::vector<int> paragraphs, items, cells, rows;
    for (size_t i = 0; i < doc.nodes.size(); ++i) {
        Tag t = doc.nodes[i].tag;
        int n = static_cast<int>(i);
        if (t == Tag::kP) paragraphs.push_back(n);
        if (t == Tag::kLi) items.push_back(n);
        if (t == Tag::kTd) cells.push_back(n);
        if (t == Tag::kTr) rows.push_back(n);
    }
    ASSERT_EQ(2u, paragraphs.size());
    EXPECT_EQ(0, doc.nodes[paragraphs[0]].parent) << "the second <p> closes the first";
    EXPECT_EQ(0, doc.nodes[paragraphs[1]].parent);
    ASSERT_EQ(2u, items.size());
    EXPECT_EQ(doc.nodes[items[0]].parent, doc.nodes[items[1]].parent) << "an open <li> ends at the next";
    ASSERT_EQ(3u, cells.size());
    ASSERT_EQ(2u, rows.size());
    EXPECT_EQ(rows[0], doc.nodes[cells[1]].parent);
    EXPECT_EQ(rows[1], doc.nodes[cells[2]].parent);

    int font = -1;
    for (size_t i = 0; i < doc.nodes.size(); ++i)
        if (doc.nodes[i].tag == Tag::kFont)
            font = static_cast<int>(i);
    ASSERT_GE(font, 0);
    ASSERT_NE(nullptr, doc.Attr(font, L"color"));
    EXPECT_EQ(L"red", *doc.Attr(font, L"color"));
    EXPECT_EQ(L"5", *doc.Attr(font, L"size"));
    EXPECT_EQ(L"x y", *doc.Attr(font, L"face"));
}

TEST(HtmlParse, SkipsHeadScriptStyleAndCommentsAndKeepsTheTitle)
{
    auto page = LaidOut(L"<html><head><title>The &amp; title</title><style>p{color:red}</style>"
                        L"<script>document.write('<b>no</b>')</script></head>"
                        L"<body>shown<!-- not <b>shown</b> -->too<SCRIPT>x<y</SCRIPT>!</body></html>");
    EXPECT_EQ(L"The & title", page->document().title);
    EXPECT_EQ(L"showntoo!|", AllText(*page));
}

TEST(HtmlParse, DecodesNamedDecimalAndHexEntities)
{
    auto page = LaidOut(L"<p>&lt;b&gt; &amp; &eacute;&#233;&#xE9;&#XE9; &copy;&nbsp;x &bogus; & ; &amp"
                        L" &#0; &#x110000;</p>");
    std::wstring text = AllText(*page);
    EXPECT_EQ(L"<b> & \u00e9\u00e9\u00e9\u00e9 \u00a9\u00a0x &bogus; & ; & \ufffd \ufffd|", text);
}

TEST(HtmlText, ReadsUtf8WhenThePageSaysSoAndTheCodePageOtherwise)
{
    const std::string body = "<p>caf\xC3\xA9</p>";
    bool cut = false;
    std::wstring declared = html::DecodePageBytes(
        ("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">" + body).c_str(),
        body.size() + 68, html::kMaxPageChars, &cut);
    EXPECT_NE(std::wstring::npos, declared.find(L"caf\u00e9</p>"));
    std::string marked = "\xEF\xBB\xBF" + body;
    EXPECT_EQ(L"<p>caf\u00e9</p>", html::DecodePageBytes(marked.data(), marked.size(), html::kMaxPageChars, &cut));

    // Without either, each byte is a character of the device's code page.
    std::wstring plain = html::DecodePageBytes(body.data(), body.size(), html::kMaxPageChars, &cut);
    wchar_t expected[2] = {};
    MultiByteToWideChar(CP_ACP, 0, "\xC3\xA9", 2, expected, 2);
    EXPECT_EQ(std::wstring(L"<p>caf") + expected[0] + expected[1] + L"</p>", plain);
    EXPECT_FALSE(cut);

    // Broken UTF-8 costs one replacement character per bad byte, nothing more.
    std::string broken = "\xEF\xBB\xBF" "a\xC3" "b\xE2\x82" "c\xF8\x80";
    EXPECT_EQ(L"a\ufffdb\ufffd\ufffdc\ufffd\ufffd",
              html::DecodePageBytes(broken.data(), broken.size(), html::kMaxPageChars, &cut));
}

TEST(HtmlLayout, WrapsParagraphsAtTheWindowWidth)
{
    std::wstring words;
    for (int i = 0; i < 60; ++i)
        words += L"word" + std::to_wstring(i) + L" ";
    auto page = LaidOut(L"<p>" + words + L"</p>", 120);
    std::vector<Item> texts = ItemsOf(*page, ItemKind::kText);
    ASSERT_FALSE(texts.empty());
    std::vector<LONG> lines;
    for (const Item& t : texts) {
        EXPECT_LE(t.rect.right, 120 - page->pageStyle().leftMargin) << "a line runs past the width";
        EXPECT_GE(t.rect.left, page->pageStyle().leftMargin);
        lines.push_back(t.rect.top);
    }
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    EXPECT_GT(lines.size(), 10u);
    EXPECT_EQ(L"word0 word1 word2", TextOf(*page, texts[0]).substr(0, 17)) << "words of a line are one run";

    // Twice as wide, about half as many lines; every word still there.
    page->LayOut(240);
    std::vector<LONG> wider;
    std::wstring all;
    for (const Item& t : ItemsOf(*page, ItemKind::kText)) {
        wider.push_back(t.rect.top);
        all += TextOf(*page, t) + L" ";
    }
    std::sort(wider.begin(), wider.end());
    wider.erase(std::unique(wider.begin(), wider.end()), wider.end());
    EXPECT_LT(wider.size() * 3, lines.size() * 2);
    EXPECT_NE(std::wstring::npos, all.find(L"word59"));

    // A word wider than the line is cut where the line is full.
    auto longWord = LaidOut(L"<p>" + std::wstring(200, L'W') + L"</p>", 100);
    for (const Item& t : ItemsOf(*longWord, ItemKind::kText))
        EXPECT_LE(t.rect.right, 100 - longWord->pageStyle().leftMargin);
}

TEST(HtmlLayout, TableColumnsFollowTheirContentWithinTheWidthAndColspanCoversThem)
{
    auto page = LaidOut(L"<table border=1 cellspacing=0 cellpadding=2>"
                        L"<tr><td>a</td><td>a much longer cell text</td></tr>"
                        L"<tr><td colspan=2>both</td></tr></table>");
    std::vector<Item> cells = CellFrames(*page);
    ASSERT_EQ(3u, cells.size());
    EXPECT_GT(Width(cells[1].rect), 3 * Width(cells[0].rect)) << "the longer text gets the wider column";
    EXPECT_EQ(cells[0].rect.left, cells[2].rect.left);
    EXPECT_EQ(cells[1].rect.right, cells[2].rect.right) << "the spanning cell covers both columns";
    EXPECT_EQ(cells[0].rect.bottom, cells[2].rect.top);

    // Content wider than the window wraps inside the cells instead.
    std::wstring longText;
    for (int i = 0; i < 40; ++i)
        longText += L"text ";
    auto wide = LaidOut(L"<table border=1><tr><td>" + longText + L"</td><td>" + longText + L"</td></tr></table>");
    std::vector<Item> wideCells = CellFrames(*wide);
    ASSERT_EQ(2u, wideCells.size());
    EXPECT_LE(wideCells[1].rect.right, 240 - wide->pageStyle().leftMargin);
    EXPECT_GT(wideCells[0].rect.bottom - wideCells[0].rect.top, 5 * 12);

    // Widths asked for in percent and pixels.
    auto sized = LaidOut(L"<table width=100% border=1 cellspacing=0><tr><td width=25%>a</td><td>b</td></tr></table>"
                         L"<table width=150 border=1><tr><td>c</td></tr></table>");
    std::vector<Item> frames = ItemsOf(*sized, ItemKind::kFrame);
    ASSERT_EQ(5u, frames.size());
    EXPECT_EQ(240 - 2 * sized->pageStyle().leftMargin, Width(frames[0].rect));
    EXPECT_NEAR(Width(frames[0].rect) / 4, Width(frames[1].rect), 2);
    EXPECT_EQ(150, Width(frames[3].rect));
}

TEST(HtmlLayout, ReportRowsFormAGridWithRightAlignedNumbers)
{
    std::wstring source = L"<table><tr bgcolor=\"#ffcc33\"><th>Mo/Yr</th><th>Principal</th><th>Interest</th></tr>";
    for (int i = 0; i < 360; ++i)
        source += L"<tr bgcolor=\"#dddddd\"><td>" + std::to_wstring(i % 12 + 1) + L"/24</td><td align=right>" +
                  std::to_wstring(100 + i) + L".25</td><td align=right>1,234.50</td></tr>";
    auto page = LaidOut(source + L"</table>");
    std::vector<Item> fills = ItemsOf(*page, ItemKind::kFill);
    ASSERT_EQ(361u * 3, fills.size());
    for (size_t r = 1; r < 361; ++r) {
        EXPECT_EQ(fills[(r - 1) * 3].rect.left, fills[r * 3].rect.left);
        EXPECT_GT(fills[r * 3].rect.top, fills[(r - 1) * 3].rect.top);
    }
    EXPECT_EQ(RGB(0xFF, 0xCC, 0x33), fills[0].color);
    EXPECT_EQ(RGB(0xDD, 0xDD, 0xDD), fills[3].color);
    Item number = TextItem(*page, L"459.25");
    ASSERT_GE(number.node, 0);
    const RECT& cell = fills[360 * 3 + 1].rect;
    EXPECT_GE(number.rect.top, cell.top);
    EXPECT_LE(number.rect.right, cell.right);
    EXPECT_GE(number.rect.right, cell.right - 2) << "right-aligned";
    EXPECT_GT(page->layout().height, 360 * 12);
}

TEST(HtmlLayout, NestedListsIndentAndMarkTheirItems)
{
    auto page = LaidOut(L"<ul><li>outer<ul><li>inner</li></ul></li><li>second</ul>"
                        L"<ol start=3><li>three<li>four<li value=10>ten</ol>");
    std::vector<Item> bullets = ItemsOf(*page, ItemKind::kBullet);
    ASSERT_EQ(3u, bullets.size());
    EXPECT_EQ(0, bullets[0].variant);
    EXPECT_EQ(1, bullets[1].variant) << "a nested list takes the next bullet";
    EXPECT_GT(bullets[1].rect.left, bullets[0].rect.left + 10);
    EXPECT_EQ(bullets[0].rect.left, bullets[2].rect.left);
    Item inner = TextItem(*page, L"inner"), outer = TextItem(*page, L"outer");
    EXPECT_GT(inner.rect.left, outer.rect.left);
    EXPECT_LT(bullets[1].rect.right, inner.rect.left);
    EXPECT_GT(bullets[1].rect.bottom, inner.rect.top) << "the bullet sits on its item's line";
    EXPECT_LT(bullets[1].rect.top, inner.rect.bottom);

    std::vector<Item> numbers = ItemsOf(*page, ItemKind::kNumber);
    ASSERT_EQ(3u, numbers.size());
    EXPECT_EQ(3u, numbers[0].textStart);
    EXPECT_EQ(4u, numbers[1].textStart);
    EXPECT_EQ(10u, numbers[2].textStart);
}

TEST(HtmlLayout, HeadingsAreBoldAndLargerThanText)
{
    auto page = LaidOut(L"<h3>Same words</h3><p>Same words</p><p><b>Same words</b></p>");
    std::vector<Item> texts = ItemsOf(*page, ItemKind::kText);
    ASSERT_EQ(3u, texts.size());
    EXPECT_GT(Width(texts[0].rect), Width(texts[2].rect));
    EXPECT_GT(Width(texts[2].rect), Width(texts[1].rect)) << "bold is wider than plain";
    EXPECT_GT(page->fonts().Height(texts[0].font), page->fonts().Height(texts[1].font));
}

TEST(HtmlLayout, PreformattedTextKeepsItsSpacesAndLines)
{
    auto page = LaidOut(L"<pre>\na  b\n  c\n\nd</pre>");
    std::vector<Item> texts = ItemsOf(*page, ItemKind::kText);
    ASSERT_EQ(3u, texts.size());
    EXPECT_EQ(L"a  b", TextOf(*page, texts[0]));
    EXPECT_EQ(L"c", TextOf(*page, texts[1]));
    EXPECT_GT(texts[1].rect.left, texts[0].rect.left) << "leading blanks indent the line";
    EXPECT_GT(texts[2].rect.top - texts[1].rect.top, texts[1].rect.top - texts[0].rect.top) << "empty line kept";
}

TEST(HtmlLayout, ThemePageFillsTheViewWithItsColourAndPlacesTheObjectBox)
{
    auto page = LaidOut(L"<BODY BGCOLOR='#336699' TOPMARGIN='0' LEFTMARGIN='0'><OBJECT "
                        L"classid='clsid:D27CDB6E-AE6D-11cf-96B8-444553540000' ID='pocketpc' WIDTH='200' HEIGHT='60'>"
                        L"<PARAM NAME='movie' VALUE='\\Windows\\a.swf'/></OBJECT></BODY>");
    EXPECT_EQ(RGB(0x33, 0x66, 0x99), page->layout().background);
    std::vector<Item> objects = ItemsOf(*page, ItemKind::kObject);
    ASSERT_EQ(1u, objects.size());
    EXPECT_EQ(0, objects[0].rect.left);
    EXPECT_EQ(0, objects[0].rect.top);
    EXPECT_EQ(200, Width(objects[0].rect));
    EXPECT_EQ(60, objects[0].rect.bottom);
    EXPECT_EQ(60, page->layout().height);
}

TEST(HtmlLayout, LinksAndAnchorsAreFoundWhereTheyWereLaidOut)
{
    auto page = LaidOut(L"<p>before <a href=\"next.htm#part\">the link</a> after</p>"
                        L"<br><br><br><br><br><a name=part>Part</a>");
    Item link = TextItem(*page, L"the link");
    ASSERT_GE(link.link, 0);
    const std::wstring* href = page->LinkAt(link.rect.left + 2, link.rect.top + 2);
    ASSERT_NE(nullptr, href);
    EXPECT_EQ(L"next.htm#part", *href);
    EXPECT_EQ(nullptr, page->LinkAt(TextItem(*page, L"before").rect.left + 1, link.rect.top + 2));
    int y = 0;
    ASSERT_TRUE(page->AnchorY(L"part", &y));
    EXPECT_EQ(TextItem(*page, L"Part").rect.top, y);
    EXPECT_FALSE(page->AnchorY(L"nothing", &y));
}

TEST(HtmlLimits, TenMegabytePageIsCutAtFourAndShowsItsStart)
{
    std::wstring huge = L"<p>first words ";
    huge.reserve(10u * 1024 * 1024 + 64);
    while (huge.size() < 10u * 1024 * 1024)
        huge += L"filler text of a very long page ";
    auto page = LaidOut(huge);
    EXPECT_TRUE(page->Cuts() & html::kCutSize);
    EXPECT_LE(page->document().text.size(), html::kMaxPageChars);
    EXPECT_GE(TextItem(*page, L"first words").node, 0);
}

TEST(HtmlLimits, DeepNestingIsFlattenedAndItsTextKept)
{
    const wchar_t* const tags[] = {L"<div>", L"<b>", L"<ul>", L"<li>", L"<font size=+1>", L"<blockquote>"};
    std::wstring deep;
    for (int i = 0; i < 10000; ++i)
        deep += tags[i % 6];
    std::wstring tables;
    for (int i = 0; i < 300; ++i)
        tables += L"<table border=1><tr><td>";
    for (const std::wstring& source : {deep + L"deep text", tables + L"deep text"}) {
        SCOPED_TRACE(source.substr(0, 20));
        auto page = LaidOut(source);
        EXPECT_TRUE(page->Cuts() & html::kCutDepth);
        int deepest = 0;
        for (const html::Node& n : page->document().nodes)
            deepest = std::max<int>(deepest, n.depth);
        EXPECT_LE(deepest, html::kMaxDepth + 1);
        // Squeezed by the indents, the words may be cut into pieces; all of them show.
        std::wstring shown;
        for (const Item& item : ItemsOf(*page, ItemKind::kText))
            shown += TextOf(*page, item);
        shown.erase(std::remove(shown.begin(), shown.end(), L' '), shown.end());
        EXPECT_EQ(L"deeptext", shown);
    }
}

TEST(HtmlLimits, LongTablesAreCutAtTheirRowLimit)
{
    std::wstring rows = L"<table>";
    for (int i = 0; i < 5000; ++i)
        rows += L"<tr><td>row " + std::to_wstring(i) + L"</td><td>x</td></tr>";
    std::wstring columns = L"<table><tr>";
    for (int i = 0; i < 100; ++i)
        columns += L"<td>c" + std::to_wstring(i) + L"</td>";
    auto page = LaidOut(rows + L"</table>" + columns + L"</tr></table>");
    EXPECT_TRUE(page->Cuts() & html::kCutRows);
    EXPECT_TRUE(page->Cuts() & html::kCutColumns);
    EXPECT_GE(TextItem(*page, L"row 1999").node, 0);
    EXPECT_LT(TextItem(*page, L"row 2000").node, 0);
    EXPECT_GE(TextItem(*page, L"c63").node, 0);
    EXPECT_LT(TextItem(*page, L"c64").node, 0);
}

TEST(HtmlFonts, WidthsAreThoseTextIsDrawnWith)
{
    html::FontSet fonts;
    HDC dc = CreateCompatibleDC(nullptr);
    const std::wstring samples[] = {L"Options... from", L"Ketra 2003 for PocketPC", L"1,234.50 \u00e9\u00a0W"};
    for (int pixels : {9, 12, 14, 21}) {
        for (int flags : {0, 1, 2, 16}) {  // plain, bold, italic, fixed pitch
            int font = fonts.Find({static_cast<int16_t>(pixels), static_cast<uint8_t>(flags)});
            HGDIOBJ old = SelectObject(dc, fonts.Handle(font));
            for (const std::wstring& s : samples) {
                SIZE size = {};
                GetTextExtentPoint32W(dc, s.c_str(), static_cast<int>(s.size()), &size);
                EXPECT_EQ(size.cx, fonts.Width(font, s.c_str(), s.size())) << pixels << " px, flags " << int(flags);
            }
            SelectObject(dc, old);
        }
    }
    DeleteDC(dc);
}

TEST(HtmlLayout, SpacesBetweenDifferentlyStyledWordsAreKept)
{
    auto page = LaidOut(L"<p>Choose <b>Options...</b> from <i>the</i>list</p>");
    Item bold = TextItem(*page, L"Options..."), after = TextItem(*page, L"from");
    ASSERT_GE(after.node, 0);
    EXPECT_GE(after.rect.left - bold.rect.right, 3);
    EXPECT_EQ(TextItem(*page, L"the").rect.right, TextItem(*page, L"list").rect.left) << "no space, no gap";
}
