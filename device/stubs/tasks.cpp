// tasks.exe: the device's task list.
#include "application.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    ApplicationArgs args = {L"tasks", L"Tasks Application", L"Tasks",
                            L"The tasks to do, with their due dates."};
    return RunApplication(instance, args);
}
