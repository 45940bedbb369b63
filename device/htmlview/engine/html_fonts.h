// The fonts a page uses, with their metrics and character widths, made on a
// memory device context so layout needs no window.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace html {

enum FontFlag : uint8_t {
    kFontBold = 1,
    kFontItalic = 2,
    kFontUnderline = 4,
    kFontStrike = 8,
    kFontMono = 16,  // the device's fixed-pitch face
};

struct FontKey {
    int16_t pixels = 12;  // character height
    uint8_t flags = 0;
    bool operator==(const FontKey& o) const { return pixels == o.pixels && flags == o.flags; }
};

class FontSet {
public:
    FontSet();
    ~FontSet();
    FontSet(const FontSet&) = delete;
    FontSet& operator=(const FontSet&) = delete;

    // The index of the font for key, made on first use.
    int Find(const FontKey& key);
    HFONT Handle(int font) const { return fonts_[font].handle; }
    int Ascent(int font) const { return fonts_[font].ascent; }
    int Descent(int font) const { return fonts_[font].descent; }
    int Height(int font) const { return fonts_[font].ascent + fonts_[font].descent; }
    // Width of the characters as ExtTextOut draws them with this font.
    int Width(int font, const wchar_t* text, size_t length);
    int Width(int font, wchar_t c) { return CharWidth(fonts_[font], c); }

private:
    struct Font {
        FontKey key;
        HFONT handle = nullptr;
        int ascent = 0;
        int descent = 0;
        // Advance widths by blocks of 256 characters, read when first used.
        std::unique_ptr<uint16_t[]> widths[256];
    };
    int CharWidth(Font& font, wchar_t c);

    HDC dc_ = nullptr;
    std::vector<Font> fonts_;
};

}  // namespace html
