#include "tapira_private.h"

namespace {

struct Search {
    const wchar_t* name;
    CLSID clsid;
    bool found;
};
// The enumeration's callback has no context of its own; one search runs at
// a time on the applet's thread.
Search* g_search = nullptr;

int MatchName(IMENUMINFO* info)
{
    if (CompareStringOrdinal(info->szName, -1, g_search->name, -1, TRUE) != CSTR_EQUAL)
        return 1;
    g_search->clsid = info->clsid;
    g_search->found = true;
    return 0;  // the first of that name
}

}  // namespace

bool FindInputMethod(const wchar_t* name, CLSID* clsid)
{
    if (!name || !name[0] || g_search)
        return false;
    Search search = {name, {}, false};
    g_search = &search;
    SipEnumIM(MatchName);
    g_search = nullptr;
    if (search.found && clsid)
        *clsid = search.clsid;
    return search.found;
}

void MakeEmptyMethodCurrent()
{
    CLSID current = {};
    if (SipGetCurrentIM(&current) && IsEqualCLSID(current, CLSID_KtIM))
        return;
    CLSID empty = CLSID_KtIM;
    SipSetCurrentIM(&empty);
}
