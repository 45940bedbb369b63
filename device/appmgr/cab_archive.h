// A device setup cabinet held in memory: the plain (uncompressed) form of
// the cabinet format, as the device's installer accepts it.  Every offset
// and size is checked against the file before it is used; a cabinet that
// breaks a rule is refused whole.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct CabMember {
    std::string name;    // as stored: 8-bit, e.g. "00Unitra.001"
    DWORD size = 0;
    DWORD offset = 0;    // in its folder's uncompressed data
    WORD folder = 0;
};

class CabArchive {
public:
    // Takes the cabinet's bytes.  False (with a reason) for anything but a
    // well-formed plain cabinet.
    bool Load(std::string bytes, std::wstring* why);

    const std::vector<CabMember>& Members() const { return members_; }
    // The member's bytes; false when its data lies beyond its folder's.
    bool Extract(const CabMember& member, std::string* data) const;

private:
    std::string bytes_;
    std::vector<std::string> folderData_;  // each folder's data blocks joined
    std::vector<CabMember> members_;
};

// The largest cabinet the installer reads.
constexpr DWORD kMaxCabinetBytes = 64u * 1024 * 1024;
