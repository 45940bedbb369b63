// cprog.exe: the device's phone program (dialling pad and call history).
#include "application.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int)
{
    ApplicationArgs args = {L"cprog", L"Phone", L"Phone", L"The phone's keypad and call history.", commandLine};
    return RunApplication(instance, args);
}
