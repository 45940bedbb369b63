#include "ctlpnl.h"

#include "clock_page.h"
#include "cpl_pages.h"
#include "page_window.h"
#include "remove_programs_page.h"

#include <strsafe.h>

namespace {

const wchar_t kClockLibrary[] = L"cplmain.cpl";
const int kClockPage = 16;
const int kRemoveProgramsPage = 10;
const int kTodayPage = 13;

} // namespace

int ShowBuiltInPage(HINSTANCE instance, const CplRequest& request)
{
    std::wstring file = CplFileName(request.library);
    const CplPage* page = FindCplPage(file.c_str(), request.page, request.tab);

    wchar_t title[80];
    if (page)
        StringCchPrintfW(title, ARRAYSIZE(title), L"Settings: %ls", page->name);
    else
        StringCchPrintfW(title, ARRAYSIZE(title), L"Control Panel page %d", request.page);
    // The clock page works: it shows the device's clock and sets its zone.
    if (page && _wcsicmp(page->library, kClockLibrary) == 0 && page->page == kClockPage)
        return RunClockPage(instance, title);
    if (page && _wcsicmp(page->library, kClockLibrary) == 0 && page->page == kRemoveProgramsPage)
        return RunRemoveProgramsPage(instance, title);
    if (page && _wcsicmp(page->library, kClockLibrary) == 0 && page->page == kTodayPage)
        return RunTodaySettingsPage(instance, title);
    wchar_t body[160];
    StringCchPrintfW(body, ARRAYSIZE(body), L"%ls, page %d, tab %d.", file.c_str(), request.page, request.tab);

    PageWindowArgs args;
    args.title = title;
    args.heading = page ? page->name : L"Control Panel";
    args.body = body;
    if (!CreatePageWindow(instance, args))
        return 1;
    return RunPageLoop();
}
