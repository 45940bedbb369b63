// calc.exe: the device's calculator.
#include "application.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    ApplicationArgs args = {L"calc", L"Calculator", L"Calculator",
                            L"The device's own calculator."};
    return RunApplication(instance, args);
}
