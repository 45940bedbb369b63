// The device's application manager: setup cabinets installed with a record
// of what they put on the device, and recorded applications removed again.
// The installer (\Windows\wceload.exe) and the control panel's Remove
// Programs page use it; every installation writes "install: <application>"
// to the device log, every removal "uninstall: <application>", and each
// failure a line of its own.
#pragma once
#include "cab_archive.h"
#include "setup_file.h"

#include <windows.h>

#include <string>
#include <vector>

// A setup cabinet read and checked: its members and its setup file.
struct SetupCabinet {
    CabArchive archive;
    SetupInfo info;
};

// Reads the cabinet file (bounded) and its setup file.  Refuses a cabinet
// without exactly one setup file or with a member whose name reaches out
// of its folder ("..", a drive, a folder separator).
bool LoadSetupCabinet(const std::wstring& path, SetupCabinet* cabinet, std::wstring* why);
bool LoadSetupCabinetBytes(std::string bytes, SetupCabinet* cabinet, std::wstring* why);

// What an installation will do, every path resolved and every file's data
// at hand: nothing is touched on the device until the whole plan stands.
struct InstallPlan {
    struct File {
        std::wstring path;         // device path, "\Windows\Dovrel.dll"
        std::string data;
        bool keepExisting = false; // a copy the device has stays (samples)
        bool selfRegister = false; // its DllRegisterServer is called once it is in place
    };
    struct Value {
        std::wstring root;         // "HKLM", "HKCU", "HKCR", "HKU"
        std::wstring key;
        std::wstring name;
        DWORD type = REG_SZ;
        std::string data;          // as the registry stores it
        bool keepExisting = false;
    };
    struct Shortcut {
        std::wstring path;         // the .lnk
        std::wstring target;
    };
    std::wstring application;
    std::wstring provider;
    std::vector<std::wstring> folders;
    std::vector<File> files;
    std::vector<Value> values;
    std::vector<Shortcut> shortcuts;

    // HKLM "Software\Apps\<provider> <application>".
    std::wstring RecordName() const { return provider + L" " + application; }
};

// Where programs go ("%CE1%"): the device's "\Program Files" by default, or
// the same folder on a storage card.
constexpr wchar_t kDefaultProgramFiles[] = L"\\Program Files";

// Resolves the cabinet's folders, files, values and shortcuts.  Refuses a
// setup file made for another processor or system version, a folder or
// name that reaches outside the device's tree, a file whose member is
// missing, a value of unknown type, a shortcut to nothing.
bool PlanInstallation(const SetupCabinet& cabinet, const std::wstring& programFiles, InstallPlan* plan,
                      std::wstring* why);

// Carries the plan out: folders, files (written beside their place first,
// then moved in), registry values, shortcuts, and the record.  On a failure
// everything done is taken back and the device is as before.
bool CarryOutInstallation(const InstallPlan& plan, std::wstring* why);

// ---- records (app_records.cpp) ------------------------------------------------
constexpr wchar_t kAppsKey[] = L"Software\\Apps";

struct AppRecord {
    std::wstring name;                 // the record's key: "<provider> <application>"
    std::wstring application;
    std::vector<std::wstring> files;   // device paths, shortcuts included
    std::vector<std::wstring> folders; // folders the installation made
    std::vector<std::wstring> values;  // "<root>\<key>|<value name>"
};

std::vector<AppRecord> InstalledApplications();
bool ReadAppRecord(const std::wstring& name, AppRecord* record);
// Writes the record whole, merged with one of the same name.
bool WriteAppRecord(const AppRecord& record);
void DeleteAppRecord(const std::wstring& name);

// Removes a recorded application: its files (never one another record also
// lists), its registry values (and their keys once empty), its folders once
// empty, and its record.  A side-bar applet of it that the bar shows is
// ended first.  False (with a reason) when the record is missing; files
// that cannot be deleted are logged and the rest still goes.
bool RemoveApplication(const std::wstring& name, std::wstring* why);

// ---- the side bar (side_bar_release.cpp) ------------------------------------
// When the bar shows one of these applets, it is asked to show "About"
// instead, so the applet's library is freed before it is deleted.
void ReleaseSideBarApplets(const std::vector<std::wstring>& applets);

// ---- paths (device_paths.cpp) -------------------------------------------------
// "\Windows\x" -> "D:\Windows\x", the path programs open.
std::wstring DeviceFilePath(const std::wstring& devicePath);
// One path component a setup file may name: not empty, not "." or "..",
// without separators, drive colons, wildcards or control characters.
bool IsPlainName(const std::wstring& name);
