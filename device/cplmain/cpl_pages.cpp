#include "cpl_pages.h"

namespace {

const CplPage kPages[] = {
    {L"cplmain.cpl", 1, 0, L"Password", true},
    {L"cplmain.cpl", 2, 0, L"Owner Information", true},
    {L"cplmain.cpl", 3, 0, L"Battery Settings", true},
    {L"cplmain.cpl", 4, 0, L"Memory", true},
    {L"cplmain.cpl", 4, 1, L"Storage Card", true},
    {L"cplmain.cpl", 5, 0, L"About", true},
    // Newer platforms open the password page as page 6; its tab 2 is the backlight.
    {L"cplmain.cpl", 6, 0, L"Password", false},
    {L"cplmain.cpl", 6, 2, L"Backlight", true},
    {L"cplmain.cpl", 7, 0, L"Screen", true},
    {L"cplmain.cpl", 8, 0, L"Input", true},
    {L"cplmain.cpl", 9, 0, L"Sound/Notification", true},
    {L"cplmain.cpl", 10, 0, L"Remove Programs", true},
    {L"cplmain.cpl", 11, 0, L"Menus", true},
    {L"cplmain.cpl", 12, 0, L"Buttons", true},
    {L"cplmain.cpl", 13, 0, L"Today Settings", true},
    {L"cplmain.cpl", 15, 0, L"Beam Settings", true},
    {L"cplmain.cpl", 16, 0, L"Clock", true},
    {L"cplmain.cpl", 17, 0, L"Network Adapters", true},
    {L"cplmain.cpl", 18, 0, L"Region Settings", true},
    {L"cplmain.cpl", 19, 0, L"Connections", true},
    // Pages some models keep in a control-panel library of their own.
    {L"mycpl.cpl", 2, 0, L"Backlight", false},
    {L"mycpl.cpl", 5, 0, L"Battery Settings", false},
};

const int kPageCount = (int)(sizeof(kPages) / sizeof(kPages[0]));

} // namespace

const CplPage* FindCplPage(const wchar_t* library, int page, int tab)
{
    if (!library)
        return nullptr;
    const CplPage* firstOfPage = nullptr;
    for (const CplPage& row : kPages) {
        if (_wcsicmp(row.library, library) != 0 || row.page != page)
            continue;
        if (row.tab == tab)
            return &row;
        if (!firstOfPage)
            firstOfPage = &row;
    }
    return firstOfPage;
}

bool IsBuiltInCplLibrary(const wchar_t* library)
{
    return library && (_wcsicmp(library, L"cplmain.cpl") == 0 || _wcsicmp(library, L"mycpl.cpl") == 0);
}

int ListedCplPageCount()
{
    int count = 0;
    for (const CplPage& row : kPages)
        if (row.listed)
            ++count;
    return count;
}

const CplPage* ListedCplPage(int index)
{
    if (index < 0)
        return nullptr;
    for (int i = 0; i < kPageCount; ++i) {
        if (!kPages[i].listed)
            continue;
        if (index-- == 0)
            return &kPages[i];
    }
    return nullptr;
}
