// DeskAppMgr.exe, the desktop's device manager:
//
//   DeskAppMgr.exe [/device ROOT] SETUP.ini [SETUP.ini ...]
//
// reads the setup descriptions a desktop installer hands it, shows their
// components in its "Add/Remove Programs" list (all ticked), and on OK
// sends each ticked component's cabinet to the connected device (ROOT, the
// device's drive as the desktop sees it, "M:\" by default), into the
// device's "\Windows\AppMgr\Install" folder, where the device's installer
// takes it.  Each sent cabinet is a line of the desktop log.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// A component of a setup description:
//
//   [CEAppManager]
//   Version   = 1.0
//   Component = Ketra Calculators, Ketra Time
//
//   [Ketra Calculators]
//   Description = A unit converter ...
//   CabFiles    = calc.cab
struct Component {
    std::wstring name;
    std::wstring description;
    std::wstring cabinet;  // full path, beside the description file
    ULONGLONG bytes = 0;
};

// The components of one description file; false (with a reason) when the
// file is missing, is not a setup description or names a cabinet that is
// not there.
bool ReadComponents(const std::wstring& iniPath, std::vector<Component>* components, std::wstring* why);

// Copies the cabinet into the device's inbox (under a temporary name, then
// renamed, so the device never sees half a cabinet).
bool SendCabinet(const std::wstring& deviceRoot, const Component& component, std::wstring* why);

// Control ids of the window.
#define IDC_APPMGR_LIST        100
#define IDC_APPMGR_DESCRIPTION 101
#define IDC_APPMGR_SPACE       102
