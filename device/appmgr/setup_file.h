// The setup file of a device setup cabinet (the member whose name ends in
// ".000"): the application's name and provider, the processor and system
// versions it was made for, and six sections of records: strings, folders,
// files, registry keys, registry values and shortcuts.  Its layout is
// written down in tools/setup/README.md.  Reading checks every count,
// offset and length against the file; names stay as their string records
// give them (8-bit text, converted by the ANSI code page).
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

struct SetupFolder {
    std::vector<std::wstring> parts;  // "%CE1%", "ZARQ", "Ketra"
};

struct SetupFileRecord {
    WORD id = 0;
    WORD folder = 0;
    WORD number = 0;   // the cabinet member "<stub>.<number>"
    DWORD flags = 0;
    std::wstring name;
};

struct SetupRegKey {
    WORD root = 0;     // 1 classes root, 2 current user, 3 local machine, 4 users
    std::vector<std::wstring> parts;
};

struct SetupRegValue {
    WORD key = 0;      // SetupRegKey id
    bool substitute = false;  // folder macros in the text are expanded
    DWORD type = 0;    // kSetupValue... below, with flags
    std::wstring name;
    std::string data;
};

struct SetupLink {
    WORD baseFolder = 0;  // 0: the path is whole
    WORD target = 0;      // a file id (or a folder id)
    WORD kind = 0;        // 1 a file, 0 a folder
    std::vector<std::wstring> parts;  // folders, then the shortcut's name
};

struct SetupInfo {
    std::wstring application;
    std::wstring provider;
    DWORD processor = 0;
    DWORD versionMin[2] = {};
    DWORD versionMax[2] = {};
    std::map<WORD, SetupFolder> folders;
    std::vector<SetupFileRecord> files;
    std::map<WORD, SetupRegKey> keys;
    std::vector<SetupRegValue> values;
    std::vector<SetupLink> links;
};

// Value types of a registry record (the low bits of its type field).
constexpr DWORD kSetupValueTypeMask = 0x00010001;
constexpr DWORD kSetupValueSz = 0x00000000;
constexpr DWORD kSetupValueBinary = 0x00000001;
constexpr DWORD kSetupValueMultiSz = 0x00010000;
constexpr DWORD kSetupValueDword = 0x00010001;
constexpr DWORD kSetupValueNoClobber = 0x00000002;
// File flags.
constexpr DWORD kSetupFileNoOverwrite = 0x00000010;
constexpr DWORD kSetupFileSelfRegister = 0x00000001;  // a component library registering itself

// The largest setup file the installer reads.
constexpr DWORD kMaxSetupFileBytes = 1024u * 1024;

// False (with a reason) for a setup file that breaks its layout: bad
// signature or length, sections outside the file, records that overrun
// their section, ids that repeat or refer to nothing.
bool ParseSetupFile(const std::string& bytes, SetupInfo* info, std::wstring* why);
