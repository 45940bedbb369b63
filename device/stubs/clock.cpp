// clock.exe: the clock settings page some models run as a program of its own.
#include "clock_page.h"
#include "devlog.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR args, int)
{
    DevLog(L"clock", L"%ls", args ? args : L"");
    return RunClockPage(instance, L"Clock");
}
