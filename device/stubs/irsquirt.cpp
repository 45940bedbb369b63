// irsquirt.exe: beams a file over infrared.  The simulated device has no
// infrared port; it records the file it was asked to send.
#include "devlog.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR args, int)
{
    DevLog(L"beam", L"%ls", args ? args : L"");
    return 0;
}
