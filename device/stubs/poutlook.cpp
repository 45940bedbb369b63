// poutlook.exe: the device's contacts (the address book's shortcut starts it with "contacts").
#include "application.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int)
{
    ApplicationArgs args = {L"poutlook", L"Contacts", L"Contacts",
                            L"Names, numbers and addresses.", commandLine};
    return RunApplication(instance, args);
}
