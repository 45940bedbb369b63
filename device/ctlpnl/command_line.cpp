#include "ctlpnl.h"

#include <cwctype>

namespace {

const int kMaxPageNumber = 9999;

std::wstring Trim(const std::wstring& text)
{
    size_t first = 0, last = text.size();
    while (first < last && iswspace(text[first]))
        ++first;
    while (last > first && iswspace(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

// "N" or "N,M" with small non-negative numbers.
bool ParsePageAndTab(const std::wstring& text, int* page, int* tab)
{
    int values[2] = {0, 0};
    int count = 0;
    size_t i = 0;
    while (count < 2) {
        if (i >= text.size() || !iswdigit(text[i]))
            return false;
        int value = 0;
        while (i < text.size() && iswdigit(text[i])) {
            value = value * 10 + (text[i] - L'0');
            if (value > kMaxPageNumber)
                return false;
            ++i;
        }
        values[count++] = value;
        if (i == text.size())
            break;
        if (text[i] != L',' || count == 2)
            return false;
        ++i;
    }
    *page = values[0];
    *tab = values[1];
    return true;
}

std::wstring Unquote(const std::wstring& text)
{
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"')
        return text.substr(1, text.size() - 2);
    return text;
}

} // namespace

bool ParseCplRequest(const wchar_t* args, CplRequest* request)
{
    *request = CplRequest();
    // Launchers that quote the whole argument text pass it as one word.
    std::wstring text = Trim(Unquote(Trim(args ? args : L"")));
    if (text.empty()) {
        request->panel = true;
        return true;
    }
    // "<library> N,M": the last blank-separated word is the page.
    size_t blank = text.find_last_of(L" \t");
    if (blank != std::wstring::npos &&
        ParsePageAndTab(text.substr(blank + 1), &request->page, &request->tab)) {
        text = Trim(text.substr(0, blank));
    } else {
        // "<library>,N,M": the page follows the library's ".cpl".
        std::wstring lower = text;
        for (wchar_t& c : lower)
            c = towlower(c);
        size_t ext = lower.rfind(L".cpl,");
        if (ext != std::wstring::npos) {
            if (!ParsePageAndTab(text.substr(ext + 5), &request->page, &request->tab))
                return false;
            text = text.substr(0, ext + 4);
        }
    }
    request->library = Unquote(text);
    return !request->library.empty() && request->library.find(L'"') == std::wstring::npos;
}

std::wstring CplFileName(const std::wstring& library)
{
    size_t slash = library.find_last_of(L"\\/");
    return slash == std::wstring::npos ? library : library.substr(slash + 1);
}

std::wstring CplLibraryPath(const std::wstring& library)
{
    if (library.find_first_of(L"\\/:") != std::wstring::npos)
        return library;
    return L"\\Windows\\" + library;
}
