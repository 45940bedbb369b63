#include "html_fonts.h"

namespace html {

FontSet::FontSet() : dc_(CreateCompatibleDC(nullptr))
{
    fonts_.reserve(32);
}

FontSet::~FontSet()
{
    for (Font& f : fonts_)
        DeleteObject(f.handle);
    DeleteDC(dc_);
}

int FontSet::Find(const FontKey& key)
{
    for (size_t i = 0; i < fonts_.size(); ++i)
        if (fonts_[i].key == key)
            return static_cast<int>(i);
    Font font;
    font.key = key;
    font.handle = CreateFontW(-key.pixels, 0, 0, 0, (key.flags & kFontBold) ? FW_BOLD : FW_NORMAL,
                              (key.flags & kFontItalic) != 0, (key.flags & kFontUnderline) != 0,
                              (key.flags & kFontStrike) != 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                              (key.flags & kFontMono) ? FIXED_PITCH : DEFAULT_PITCH,
                              (key.flags & kFontMono) ? L"Courier New" : L"Tahoma");
    HGDIOBJ old = SelectObject(dc_, font.handle ? font.handle : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW tm = {};
    GetTextMetricsW(dc_, &tm);
    SelectObject(dc_, old);
    font.ascent = tm.tmAscent > 0 ? tm.tmAscent : key.pixels;
    font.descent = tm.tmDescent > 0 ? tm.tmDescent : 0;
    fonts_.push_back(std::move(font));
    return static_cast<int>(fonts_.size() - 1);
}

int FontSet::CharWidth(Font& font, wchar_t c)
{
    std::unique_ptr<uint16_t[]>& block = font.widths[c >> 8];
    if (!block) {
        block.reset(new uint16_t[256]);
        INT widths[256] = {};
        HGDIOBJ old = SelectObject(dc_, font.handle);
        UINT first = c & 0xFF00;
        if (!GetCharWidth32W(dc_, first, first + 255, widths))
            for (int& w : widths)
                w = font.key.pixels / 2;
        SelectObject(dc_, old);
        for (int i = 0; i < 256; ++i)
            block[i] = static_cast<uint16_t>(widths[i] < 0 ? 0 : widths[i] > 0xFFFF ? 0xFFFF : widths[i]);
    }
    return block[c & 0xFF];
}

int FontSet::Width(int font, const wchar_t* text, size_t length)
{
    Font& f = fonts_[font];
    int width = 0;
    for (size_t i = 0; i < length; ++i)
        width += CharWidth(f, text[i]);
    return width;
}

}  // namespace html
