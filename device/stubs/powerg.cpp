// powerg.exe: the power settings page some models run as a program of its own.
#include "devlog.h"
#include "page_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR args, int)
{
    DevLog(L"powerg", L"%ls", args ? args : L"");
    PageWindowArgs page;
    page.title = L"Power";
    page.heading = L"Power";
    page.body = L"Battery state and when the device turns itself off.";
    if (!CreatePageWindow(instance, page))
        return 1;
    return RunPageLoop();
}
