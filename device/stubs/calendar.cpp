// calendar.exe: the device's calendar.
#include "application.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    ApplicationArgs args = {L"calendar", L"Calendar", L"Calendar",
                            L"Appointments of the day, the week and the month."};
    return RunApplication(instance, args);
}
