// ctlpnl.exe: the device's control panel (see ctlpnl.h).
#include "ctlpnl.h"

#include "cpl_pages.h"
#include "devlog.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR args, int)
{
    DevLog(L"ctlpnl", L"%ls", args ? args : L"");

    CplRequest request;
    if (!ParseCplRequest(args, &request)) {
        DevLog(L"ctlpnl", L"bad arguments \"%ls\"", args ? args : L"");
        return 2;
    }
    if (request.panel)
        return RunControlPanel(instance);
    if (IsBuiltInCplLibrary(CplFileName(request.library).c_str()))
        return ShowBuiltInPage(instance, request);
    return OpenLibraryEntry(request);
}
