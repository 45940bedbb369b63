// solitare.exe: the device's card game.
#include "application.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    ApplicationArgs args = {L"solitare", L"Solitaire", L"Solitaire",
                            L"A game of cards."};
    return RunApplication(instance, args);
}
