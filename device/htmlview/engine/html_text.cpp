#include "html_text.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

namespace html {

namespace {

const wchar_t kReplacement = 0xFFFD;

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(const char* text, size_t size, const char* prefix)
{
    size_t i = 0;
    for (; prefix[i]; ++i)
        if (i >= size || LowerAscii(text[i]) != prefix[i])
            return false;
    return true;
}

// A page names its character set near its top, in a <meta> tag:
// charset=utf-8 (or "utf8").  Only the first few kilobytes are looked at.
bool DeclaresUtf8(const char* bytes, size_t size)
{
    size_t end = std::min<size_t>(size, 4096);
    for (size_t i = 0; i + 7 <= end; ++i) {
        if (!StartsWithNoCase(bytes + i, end - i, "charset"))
            continue;
        size_t j = i + 7;
        while (j < end && (bytes[j] == ' ' || bytes[j] == '=' || bytes[j] == '"' || bytes[j] == '\''))
            ++j;
        return StartsWithNoCase(bytes + j, end - j, "utf-8") || StartsWithNoCase(bytes + j, end - j, "utf8");
    }
    return false;
}

void AppendCodePoint(std::wstring& out, unsigned cp)
{
    if (cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<wchar_t>(cp));
    }
}

std::wstring DecodeUtf8(const unsigned char* s, size_t size, size_t maxChars, bool* cut)
{
    std::wstring out;
    out.reserve(std::min(size, maxChars));
    size_t i = 0;
    while (i < size) {
        if (out.size() >= maxChars) {
            *cut = true;
            break;
        }
        unsigned c = s[i];
        if (c < 0x80) {
            out.push_back(static_cast<wchar_t>(c));
            ++i;
            continue;
        }
        int extra = (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : 0;
        bool ok = extra > 0 && i + extra < size;
        unsigned cp = extra == 1 ? (c & 0x1F) : extra == 2 ? (c & 0x0F) : (c & 0x07);
        for (int k = 1; ok && k <= extra; ++k) {
            if ((s[i + k] & 0xC0) != 0x80)
                ok = false;
            else
                cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are invalid.
        static const unsigned kMinimum[] = {0, 0x80, 0x800, 0x10000};
        if (!ok || cp < kMinimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        AppendCodePoint(out, cp);
        i += extra + 1;
    }
    return out;
}

struct NamedEntity {
    const wchar_t* name;
    wchar_t value;
};

// Sorted by name (case matters: "Auml" and "auml" differ).
const NamedEntity kEntities[] = {
    {L"AElig", 0xC6},  {L"Aacute", 0xC1}, {L"Acirc", 0xC2},  {L"Agrave", 0xC0}, {L"Aring", 0xC5},
    {L"Atilde", 0xC3}, {L"Auml", 0xC4},   {L"Ccedil", 0xC7}, {L"Eacute", 0xC9}, {L"Ecirc", 0xCA},
    {L"Egrave", 0xC8}, {L"Euml", 0xCB},   {L"Iacute", 0xCD}, {L"Icirc", 0xCE},  {L"Iuml", 0xCF},
    {L"Ntilde", 0xD1}, {L"Oacute", 0xD3}, {L"Ocirc", 0xD4},  {L"Ograve", 0xD2}, {L"Oslash", 0xD8},
    {L"Otilde", 0xD5}, {L"Ouml", 0xD6},   {L"Uacute", 0xDA}, {L"Ucirc", 0xDB},  {L"Ugrave", 0xD9},
    {L"Uuml", 0xDC},   {L"aacute", 0xE1}, {L"acirc", 0xE2},  {L"acute", 0xB4},  {L"aelig", 0xE6},
    {L"agrave", 0xE0}, {L"amp", L'&'},    {L"apos", L'\''},  {L"aring", 0xE5},  {L"atilde", 0xE3},
    {L"auml", 0xE4},   {L"bdquo", 0x201E}, {L"brvbar", 0xA6}, {L"bull", 0x2022}, {L"ccedil", 0xE7},
    {L"cent", 0xA2},   {L"copy", 0xA9},   {L"curren", 0xA4}, {L"dagger", 0x2020}, {L"deg", 0xB0},
    {L"divide", 0xF7}, {L"eacute", 0xE9}, {L"ecirc", 0xEA},  {L"egrave", 0xE8}, {L"euml", 0xEB},
    {L"euro", 0x20AC}, {L"frac12", 0xBD}, {L"frac14", 0xBC}, {L"frac34", 0xBE}, {L"gt", L'>'},
    {L"hellip", 0x2026}, {L"iacute", 0xED}, {L"icirc", 0xEE}, {L"iexcl", 0xA1}, {L"igrave", 0xEC},
    {L"iquest", 0xBF}, {L"iuml", 0xEF},   {L"laquo", 0xAB},  {L"ldquo", 0x201C}, {L"lsaquo", 0x2039},
    {L"lsquo", 0x2018}, {L"lt", L'<'},    {L"macr", 0xAF},   {L"mdash", 0x2014}, {L"micro", 0xB5},
    {L"middot", 0xB7}, {L"nbsp", 0xA0},   {L"ndash", 0x2013}, {L"not", 0xAC},   {L"ntilde", 0xF1},
    {L"oacute", 0xF3}, {L"ocirc", 0xF4},  {L"ograve", 0xF2}, {L"ordf", 0xAA},   {L"ordm", 0xBA},
    {L"oslash", 0xF8}, {L"otilde", 0xF5}, {L"ouml", 0xF6},   {L"para", 0xB6},   {L"permil", 0x2030},
    {L"plusmn", 0xB1}, {L"pound", 0xA3},  {L"quot", L'"'},   {L"raquo", 0xBB},  {L"rdquo", 0x201D},
    {L"reg", 0xAE},    {L"rsaquo", 0x203A}, {L"rsquo", 0x2019}, {L"sbquo", 0x201A}, {L"sect", 0xA7},
    {L"shy", 0xAD},    {L"sup1", 0xB9},   {L"sup2", 0xB2},   {L"sup3", 0xB3},   {L"szlig", 0xDF},
    {L"thorn", 0xFE},  {L"times", 0xD7},  {L"trade", 0x2122}, {L"uacute", 0xFA}, {L"ucirc", 0xFB},
    {L"ugrave", 0xF9}, {L"uml", 0xA8},    {L"uuml", 0xFC},   {L"yacute", 0xFD}, {L"yen", 0xA5},
    {L"yuml", 0xFF},
};

// Old pages write these few without the closing semicolon.
bool AllowedWithoutSemicolon(const std::wstring& name)
{
    return name == L"amp" || name == L"lt" || name == L"gt" || name == L"quot" || name == L"nbsp";
}

struct NamedColor {
    const wchar_t* name;
    COLORREF value;
};

// Sorted by name.
const NamedColor kColors[] = {
    {L"aqua", RGB(0x00, 0xFF, 0xFF)},   {L"black", RGB(0x00, 0x00, 0x00)},  {L"blue", RGB(0x00, 0x00, 0xFF)},
    {L"brown", RGB(0xA5, 0x2A, 0x2A)},  {L"cyan", RGB(0x00, 0xFF, 0xFF)},   {L"darkblue", RGB(0x00, 0x00, 0x8B)},
    {L"darkgray", RGB(0xA9, 0xA9, 0xA9)}, {L"darkgreen", RGB(0x00, 0x64, 0x00)}, {L"darkred", RGB(0x8B, 0x00, 0x00)},
    {L"fuchsia", RGB(0xFF, 0x00, 0xFF)}, {L"gold", RGB(0xFF, 0xD7, 0x00)},  {L"gray", RGB(0x80, 0x80, 0x80)},
    {L"green", RGB(0x00, 0x80, 0x00)},  {L"grey", RGB(0x80, 0x80, 0x80)},   {L"lightblue", RGB(0xAD, 0xD8, 0xE6)},
    {L"lightgray", RGB(0xD3, 0xD3, 0xD3)}, {L"lightgrey", RGB(0xD3, 0xD3, 0xD3)}, {L"lime", RGB(0x00, 0xFF, 0x00)},
    {L"magenta", RGB(0xFF, 0x00, 0xFF)}, {L"maroon", RGB(0x80, 0x00, 0x00)}, {L"navy", RGB(0x00, 0x00, 0x80)},
    {L"olive", RGB(0x80, 0x80, 0x00)},  {L"orange", RGB(0xFF, 0xA5, 0x00)}, {L"pink", RGB(0xFF, 0xC0, 0xCB)},
    {L"purple", RGB(0x80, 0x00, 0x80)}, {L"red", RGB(0xFF, 0x00, 0x00)},   {L"silver", RGB(0xC0, 0xC0, 0xC0)},
    {L"teal", RGB(0x00, 0x80, 0x80)},   {L"white", RGB(0xFF, 0xFF, 0xFF)},  {L"yellow", RGB(0xFF, 0xFF, 0x00)},
};

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

}  // namespace

std::wstring DecodePageBytes(const char* bytes, size_t size, size_t maxChars, bool* cut)
{
    *cut = false;
    const unsigned char* s = reinterpret_cast<const unsigned char*>(bytes);
    if (size >= 3 && s[0] == 0xEF && s[1] == 0xBB && s[2] == 0xBF)
        return DecodeUtf8(s + 3, size - 3, maxChars, cut);
    if (size >= 2 && s[0] == 0xFF && s[1] == 0xFE) {
        size_t chars = (size - 2) / 2;
        if (chars > maxChars) {
            chars = maxChars;
            *cut = true;
        }
        std::wstring out(chars, L'\0');
        for (size_t i = 0; i < chars; ++i)
            out[i] = static_cast<wchar_t>(s[2 + 2 * i] | (s[3 + 2 * i] << 8));
        return out;
    }
    if (DeclaresUtf8(bytes, size))
        return DecodeUtf8(s, size, maxChars, cut);

    size_t take = size;
    if (take > maxChars) {
        take = maxChars;
        *cut = true;
    }
    std::wstring out;
    if (take == 0)
        return out;
    // Code pages map one byte to at most one character.
    out.resize(take);
    int n = MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(take), &out[0], static_cast<int>(take));
    out.resize(n > 0 ? n : 0);
    return out;
}

bool DecodeEntity(const std::wstring& text, size_t& pos, std::wstring& out)
{
    size_t i = pos + 1;
    if (i < text.size() && text[i] == L'#') {
        ++i;
        bool hex = i < text.size() && (text[i] == L'x' || text[i] == L'X');
        if (hex)
            ++i;
        unsigned value = 0;
        size_t digits = 0;
        for (; i < text.size(); ++i, ++digits) {
            int d = hex ? HexDigit(text[i]) : (text[i] >= L'0' && text[i] <= L'9' ? text[i] - L'0' : -1);
            if (d < 0)
                break;
            if (value <= 0x10FFFF)
                value = value * (hex ? 16 : 10) + d;
        }
        if (digits == 0)
            return false;
        if (i < text.size() && text[i] == L';')
            ++i;
        if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            value = kReplacement;
        AppendCodePoint(out, value);
        pos = i;
        return true;
    }
    std::wstring name;
    while (i < text.size() && name.size() < 8 && iswalnum(text[i]))
        name.push_back(text[i++]);
    bool semicolon = i < text.size() && text[i] == L';';
    if (name.empty() || (!semicolon && !AllowedWithoutSemicolon(name)))
        return false;
    const NamedEntity* end = kEntities + sizeof(kEntities) / sizeof(kEntities[0]);
    const NamedEntity* found = std::lower_bound(kEntities, end, name.c_str(), [](const NamedEntity& e, const wchar_t* n) {
        return wcscmp(e.name, n) < 0;
    });
    if (found == end || name != found->name)
        return false;
    out.push_back(found->value);
    pos = i + (semicolon ? 1 : 0);
    return true;
}

bool ParseColor(const std::wstring& value, COLORREF* color)
{
    std::wstring v;
    for (wchar_t c : value)
        if (!iswspace(c))
            v.push_back(static_cast<wchar_t>(towlower(c)));
    if (v.empty())
        return false;
    std::wstring hex = v[0] == L'#' ? v.substr(1) : v;
    bool allHex = !hex.empty() && std::all_of(hex.begin(), hex.end(), [](wchar_t c) { return HexDigit(c) >= 0; });
    if (allHex && hex.size() == 6) {
        *color = RGB(HexDigit(hex[0]) * 16 + HexDigit(hex[1]), HexDigit(hex[2]) * 16 + HexDigit(hex[3]),
                     HexDigit(hex[4]) * 16 + HexDigit(hex[5]));
        return true;
    }
    if (allHex && hex.size() == 3 && v[0] == L'#') {
        *color = RGB(HexDigit(hex[0]) * 17, HexDigit(hex[1]) * 17, HexDigit(hex[2]) * 17);
        return true;
    }
    const NamedColor* end = kColors + sizeof(kColors) / sizeof(kColors[0]);
    const NamedColor* found = std::lower_bound(kColors, end, v.c_str(), [](const NamedColor& c, const wchar_t* n) {
        return wcscmp(c.name, n) < 0;
    });
    if (found != end && v == found->name) {
        *color = found->value;
        return true;
    }
    return false;
}

bool ParseLength(const std::wstring& value, int limit, int* number, bool* percent)
{
    size_t i = 0;
    while (i < value.size() && iswspace(value[i]))
        ++i;
    if (i < value.size() && value[i] == L'+')
        ++i;
    long long n = 0;
    size_t digits = 0;
    for (; i < value.size() && value[i] >= L'0' && value[i] <= L'9'; ++i, ++digits)
        if (n <= limit)
            n = n * 10 + (value[i] - L'0');
    if (digits == 0)
        return false;
    while (i < value.size() && (value[i] == L'.' || (value[i] >= L'0' && value[i] <= L'9')))
        ++i;  // fractions are dropped
    if (percent)
        *percent = i < value.size() && value[i] == L'%';
    *number = static_cast<int>(std::min<long long>(n, limit));
    return true;
}

}  // namespace html
