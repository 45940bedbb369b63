// Sounds.  The device has no audio output, so every sound a program plays
// by name is recorded in the device log ("sound: <name>") before it goes on
// to the desktop's player, which stays silent where there is no driver.
#include "coredll_private.h"

#include <mmsystem.h>

namespace {

// Sounds given as a resource or as memory have no name to record.
bool PlaysByName(LPCWSTR sound, DWORD flags)
{
    return sound && !(flags & (SND_MEMORY | SND_RESOURCE));
}

} // namespace

// Exported as PlaySoundW.
extern "C" BOOL WINAPI CorePlaySoundW(LPCWSTR pszSound, HMODULE hmod, DWORD fdwSound)
{
    if (PlaysByName(pszSound, fdwSound))
        DevLog(L"sound", L"%ls", pszSound);
    using Fn = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);
    static const Fn real = RealFunction<Fn>(L"winmm.dll", "PlaySoundW");
    return real ? real(pszSound, hmod, fdwSound) : FALSE;
}
