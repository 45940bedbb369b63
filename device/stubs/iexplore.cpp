// iexplore.exe: the device's browser.  The simulated device shows the
// address or file it was asked to open, and records it.
#include "devlog.h"
#include "page_window.h"

#include <cwctype>
#include <string>

namespace {

std::wstring Unquoted(const wchar_t* args)
{
    std::wstring text = args ? args : L"";
    while (!text.empty() && iswspace(text.back()))
        text.pop_back();
    size_t first = 0;
    while (first < text.size() && iswspace(text[first]))
        ++first;
    text.erase(0, first);
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"')
        text = text.substr(1, text.size() - 2);
    return text;
}

// "file:" addresses and plain paths name a file of the device.
bool IsLocalFile(const std::wstring& address)
{
    return address.find(L"://") == std::wstring::npos || address.compare(0, 7, L"file://") == 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR args, int)
{
    DevLog(L"iexplore", L"%ls", args ? args : L"");

    std::wstring address = Unquoted(args);
    std::wstring body;
    if (address.empty()) {
        body = L"(home page)";
    } else {
        body = address;
        if (IsLocalFile(address)) {
            std::wstring path = address.compare(0, 7, L"file://") == 0 ? address.substr(7) : address;
            if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
                body += L"\n\nThe page cannot be found.";
        }
    }
    PageWindowArgs page;
    page.title = L"Internet Explorer";
    page.heading = L"Internet Explorer";
    page.body = body.c_str();
    if (!CreatePageWindow(instance, page))
        return 1;
    return RunPageLoop();
}
