// backlight.exe: the backlight settings page some models run as a program
// of its own.
#include "devlog.h"
#include "page_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR args, int)
{
    DevLog(L"backlight", L"%ls", args ? args : L"");
    PageWindowArgs page;
    page.title = L"Backlight";
    page.heading = L"Backlight";
    page.body = L"Adjust the backlight's brightness on battery and on external power.";
    if (!CreatePageWindow(instance, page))
        return 1;
    return RunPageLoop();
}
