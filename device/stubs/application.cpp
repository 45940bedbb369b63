// The Start menu's applications: one window each, logged from start to end.
#include "application.h"

#include "devlog.h"
#include "page_window.h"

int RunApplication(HINSTANCE instance, const ApplicationArgs& args)
{
    // The arguments are logged so tests see what a program was asked for
    // (":MSCONTACTS -new" starts "poutlook.exe contacts -new").
    const wchar_t* given = args.arguments ? args.arguments : L"";
    if (HWND running = FindWindowW(args.className, nullptr)) {
        if (*given)
            DevLog(args.logName, L"activated %ls", given);
        SetForegroundWindow(running);
        return 0;
    }
    if (*given)
        DevLog(args.logName, L"started %ls", given);
    else
        DevLog(args.logName, L"started");
    PageWindowArgs page;
    page.title = args.title;
    page.heading = args.title;
    page.body = args.body;
    page.className = args.className;
    page.okButton = false;
    page.iconId = IDI_APPLICATION_ICON;
    if (!CreatePageWindow(instance, page)) {
        DevLog(args.logName, L"closed");
        return 1;
    }
    int code = RunPageLoop();
    DevLog(args.logName, L"closed");
    return code;
}
