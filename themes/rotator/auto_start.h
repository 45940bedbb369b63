// The rotator's start with the device: "\Theme Rotator.lnk" in the shell's
// start-up folder, aimed at the running Rotator.exe.
#pragma once

#include <windows.h>

bool AutoStartExists();
bool CreateAutoStart();
bool RemoveAutoStart();
