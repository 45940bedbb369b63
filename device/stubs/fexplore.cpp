// fexplore.exe: the device's file explorer.
#include "application.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    ApplicationArgs args = {L"fexplore", L"Explore", L"File Explorer",
                            L"The folders and files of the device."};
    return RunApplication(instance, args);
}
