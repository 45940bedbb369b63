// The Start menu's applications: one window each, logged from start to end.
#include "application.h"

#include "devlog.h"
#include "page_window.h"

int RunApplication(HINSTANCE instance, const ApplicationArgs& args)
{
    if (HWND running = FindWindowW(args.className, nullptr)) {
        SetForegroundWindow(running);
        return 0;
    }
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
