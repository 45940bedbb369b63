// tmail.exe: the device's Inbox.
#include "application.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    ApplicationArgs args = {L"tmail", L"Inbox", L"Inbox", L"Messages received, read and sent."};
    return RunApplication(instance, args);
}
