// clock.exe: the clock settings page some models run as a program of its own.
#include "devlog.h"
#include "page_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR args, int)
{
    DevLog(L"clock", L"%ls", args ? args : L"");
    PageWindowArgs page;
    page.title = L"Clock";
    page.heading = L"Clock";
    page.body = L"Set the time, the date and the alarms of the device.";
    if (!CreatePageWindow(instance, page))
        return 1;
    return RunPageLoop();
}
