// Animated themes: what their page says (height, background colour,
// quality), the preview page made from it, and the device's HTML viewer
// showing that preview.
#include <tessary.h>

#include <htmlctrl.h>
#include <skinpackage.h>
#include <stdio.h>
#include <string.h>
#include <wchar.h>

#include <string>
#include <vector>

#include "tessary_private.h"

namespace {

const char kSeparators[] = "< />='\"";
const char kDefaultQuality[] = "high";
const wchar_t kPreviewName[] = L"Preview.htm";

const char kPreviewWithColour[] =
    "<BODY BGCOLOR='%s' TOPMARGIN='0' LEFTMARGIN='0'><OBJECT classid='clsid:D27CDB6E-AE6D-11cf-96B8-444553540000' "
    "ID='pocketpc' WIDTH='%d' HEIGHT='%d'><PARAM NAME='bgcolor' VALUE='%s'/><PARAM NAME='movie' VALUE='%s'/>"
    "<PARAM NAME='quality' VALUE='%s'/></OBJECT></BODY>";
const char kPreviewPlain[] =
    "<BODY TOPMARGIN='0' LEFTMARGIN='0'><OBJECT classid='clsid:D27CDB6E-AE6D-11cf-96B8-444553540000' "
    "ID='pocketpc' WIDTH='%d' HEIGHT='%d'><PARAM NAME='movie' VALUE='%s'/><PARAM NAME='quality' VALUE='%s'/>"
    "</OBJECT></BODY>";

// The page's tokens, split at the separators.
std::vector<std::string> PageTokens(const wchar_t* pagePath)
{
    std::vector<std::string> tokens;
    ceReadFile page;
    if (!pagePath || !page.OpenFile(pagePath) || !page.ReadFile())
        return tokens;
    const char* text = reinterpret_cast<const char*>(page.GetBuffer());
    const DWORD size = page.GetSize();
    std::string token;
    for (DWORD i = 0; i < size; ++i) {
        char c = text[i];
        if (c != '\0' && !strchr(kSeparators, c)) {
            token.push_back(c);
            continue;
        }
        if (!token.empty())
            tokens.push_back(token);
        token.clear();
    }
    if (!token.empty())
        tokens.push_back(token);
    return tokens;
}

bool Is(const std::string& token, const char* word)
{
    return _stricmp(token.c_str(), word) == 0;
}

// Index of the first token equal to word at or after from; size when none.
size_t FindToken(const std::vector<std::string>& tokens, size_t from, const char* word)
{
    for (size_t i = from; i < tokens.size(); ++i)
        if (Is(tokens[i], word))
            return i;
    return tokens.size();
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// "#rrggbb" (at least); false unless all three values are there.
bool ParseColour(const std::string& token, COLORREF* colour)
{
    if (token.size() < 7 || token[0] != '#')
        return false;
    int value[3];
    for (int i = 0; i < 3; ++i) {
        int high = HexDigit(token[1 + 2 * i]);
        int low = HexDigit(token[2 + 2 * i]);
        if (high < 0 || low < 0)
            return false;
        value[i] = high * 16 + low;
    }
    *colour = RGB(value[0], value[1], value[2]);
    return true;
}

// The token that begins with '#' after "bgcolor" and then "value".
bool FindBackColour(const std::vector<std::string>& tokens, std::string* text, COLORREF* colour)
{
    size_t at = FindToken(tokens, 0, "bgcolor");
    at = FindToken(tokens, at, "value");
    for (size_t i = at; i < tokens.size(); ++i) {
        if (tokens[i][0] != '#')
            continue;
        if (!ParseColour(tokens[i], colour))
            return false;
        *text = tokens[i].substr(0, 7);
        return true;
    }
    return false;
}

// The token after "quality" and then "value"; "high" when there is none.
std::string FindQuality(const std::vector<std::string>& tokens)
{
    size_t at = FindToken(tokens, 0, "quality");
    at = FindToken(tokens, at, "value");
    if (at + 1 < tokens.size())
        return tokens[at + 1];
    return kDefaultQuality;
}

std::string Narrow(const wchar_t* text)
{
    std::string out;
    int bytes = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1)
        return out;
    out.resize(bytes);
    WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], bytes, nullptr, nullptr);
    out.resize(bytes - 1);
    return out;
}

// Quotes would end the attribute early: the page's own values cannot be
// allowed to break out of it.
std::string AttributeSafe(std::string value)
{
    for (char& c : value)
        if (c == '\'' || c == '"' || c == '<' || c == '>')
            c = '_';
    return value;
}

typedef BOOL(WINAPI* InitHtmlControlFn)(HINSTANCE);

InitHtmlControlFn HtmlViewerInit()
{
    HMODULE viewer = LoadLibraryW(L"htmlview.dll");
    if (!viewer)
        return nullptr;
    return reinterpret_cast<InitHtmlControlFn>(reinterpret_cast<void*>(GetProcAddress(viewer, "InitHTMLControl")));
}

} // namespace

int GetAniTskHeight(const wchar_t* pagePath)
{
    std::vector<std::string> tokens = PageTokens(pagePath);
    int height = 0;
    for (size_t i = 0; i < tokens.size(); ++i)
        if (Is(tokens[i], "height"))
            height = i + 1 < tokens.size() ? atoi(tokens[i + 1].c_str()) : 0;
    return height;
}

COLORREF GetAniTskBackColor(const wchar_t* pagePath)
{
    std::string text;
    COLORREF colour = 0;
    if (!FindBackColour(PageTokens(pagePath), &text, &colour))
        return 0;
    return colour;
}

int SaveAniTskPreviewHtml(const wchar_t* htmlPath, const CTskInfo* info, int width, int height)
{
    if (!htmlPath || !*htmlPath || !info)
        return 0;
    std::vector<std::string> tokens = PageTokens(info->m_szAniPage);
    std::string colourText;
    COLORREF colour = 0;
    const bool hasColour = FindBackColour(tokens, &colourText, &colour);
    const std::string movie = AttributeSafe(Narrow(info->m_szAniMovie));
    const std::string quality = AttributeSafe(FindQuality(tokens));

    std::vector<char> page(sizeof kPreviewWithColour + 2 * colourText.size() + movie.size() + quality.size() + 64);
    int length = hasColour ? snprintf(page.data(), page.size(), kPreviewWithColour, colourText.c_str(), width,
                                      height, colourText.c_str(), movie.c_str(), quality.c_str())
                           : snprintf(page.data(), page.size(), kPreviewPlain, width, height, movie.c_str(),
                                      quality.c_str());
    if (length < 0 || static_cast<size_t>(length) >= page.size())
        return 0;
    ceWriteFile out;
    return out.OpenFile(htmlPath) && out.WriteFile(page.data(), 0, static_cast<DWORD>(length)) && out.CloseFile();
}

HWND ShowAniTsk(HINSTANCE instance, HWND parent, const CTskInfo* info, const RECT* rect)
{
    if (!info || !rect)
        return nullptr;
    InitHtmlControlFn init = HtmlViewerInit();
    if (!init || !init(instance))
        return nullptr;
    HWND viewer = CreateWindowExW(0, DISPLAYCLASS, nullptr, WS_CHILD | WS_VISIBLE, rect->left, rect->top,
                                  rect->right - rect->left, rect->bottom - rect->top, parent, nullptr, instance,
                                  nullptr);
    if (!viewer)
        return nullptr;

    // The preview page goes beside the movie.
    wchar_t preview[MAX_PATH];
    const wchar_t* slash = wcsrchr(info->m_szAniMovie, L'\\');
    size_t folderLength = slash ? static_cast<size_t>(slash - info->m_szAniMovie + 1) : 0;
    if (folderLength + wcslen(kPreviewName) >= MAX_PATH)
        return viewer;
    wmemcpy(preview, info->m_szAniMovie, folderLength);
    wmemcpy(preview + folderLength, kPreviewName, wcslen(kPreviewName) + 1);
    SaveAniTskPreviewHtml(preview, info, rect->right - rect->left, rect->bottom - rect->top);

    // The view takes device paths: a drive the program's own paths may carry
    // (from GetModuleFileName) is left out.
    const wchar_t* devicePath = preview[0] && preview[1] == L':' ? preview + 2 : preview;
    wchar_t address[MAX_PATH + 8];
    _snwprintf(address, MAX_PATH + 7, L"file://%ls", devicePath);
    address[MAX_PATH + 7] = L'\0';
    SendMessageW(viewer, DTM_NAVIGATE, 0, reinterpret_cast<LPARAM>(address));
    ShowWindow(viewer, SW_SHOW);
    UpdateWindow(viewer);
    return viewer;
}
