// Importing the device's Today items as side-bar applets.
#pragma once

#include <windows.h>

// The group of applets made from Today items.
#define TODAY_APPLET_GROUP L"Today Applet"
// Where imported applets' orders start: after any order the list has.
#define TODAY_APPLET_FIRST_ORDER 10000

// Registers under appletBranch every library-based Today item of todayBranch
// that has no registration there yet (disabled, group TODAY_APPLET_GROUP),
// then removes the registrations of that group whose Today item is gone.
// Returns the number of applets registered, or -1 when either branch cannot
// be read (nothing is changed then).
int ImportTodayApplets(LPCWSTR todayBranch, LPCWSTR appletBranch);
