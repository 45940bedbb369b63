#include "cab_archive.h"

namespace {

const DWORD kHeaderBytes = 36;
const WORD kReservePresent = 0x0004;
const WORD kPreviousCabinet = 0x0001;
const WORD kNextCabinet = 0x0002;
const WORD kCompressionNone = 0;
const size_t kMaxMemberName = 259;

class Reader {
public:
    explicit Reader(const std::string& bytes) : bytes_(bytes) {}
    bool Has(size_t at, size_t count) const { return at <= bytes_.size() && count <= bytes_.size() - at; }
    WORD Word(size_t at) const { return (WORD)((BYTE)bytes_[at] | ((BYTE)bytes_[at + 1] << 8)); }
    DWORD Dword(size_t at) const { return (DWORD)Word(at) | ((DWORD)Word(at + 2) << 16); }

private:
    const std::string& bytes_;
};

bool Refuse(std::wstring* why, const wchar_t* reason)
{
    if (why)
        *why = reason;
    return false;
}

} // namespace

bool CabArchive::Load(std::string bytes, std::wstring* why)
{
    bytes_ = std::move(bytes);
    folderData_.clear();
    members_.clear();
    Reader in(bytes_);
    if (!in.Has(0, kHeaderBytes) || bytes_.compare(0, 4, "MSCF") != 0)
        return Refuse(why, L"not a cabinet");
    if (in.Dword(8) != bytes_.size())
        return Refuse(why, L"the cabinet's size does not match the file");
    const DWORD firstFile = in.Dword(16);
    const WORD folderCount = in.Word(26);
    const WORD fileCount = in.Word(28);
    const WORD flags = in.Word(30);
    if (in.Word(24) != 0x0103)
        return Refuse(why, L"an unknown cabinet version");
    if (flags & (kReservePresent | kPreviousCabinet | kNextCabinet))
        return Refuse(why, L"a cabinet with reserved areas or a chain of cabinets");
    if (folderCount == 0 || fileCount == 0)
        return Refuse(why, L"an empty cabinet");

    // Folders: 8 bytes each after the header, their data blocks joined.
    for (WORD f = 0; f < folderCount; ++f) {
        size_t at = kHeaderBytes + 8u * f;
        if (!in.Has(at, 8))
            return Refuse(why, L"a folder lies beyond the file");
        DWORD dataAt = in.Dword(at);
        WORD blocks = in.Word(at + 4);
        if (in.Word(at + 6) != kCompressionNone)
            return Refuse(why, L"a compressed cabinet");
        std::string data;
        size_t block = dataAt;
        for (WORD b = 0; b < blocks; ++b) {
            if (!in.Has(block, 8))
                return Refuse(why, L"a data block lies beyond the file");
            WORD packed = in.Word(block + 4);
            WORD plain = in.Word(block + 6);
            if (packed != plain || !in.Has(block + 8, packed))
                return Refuse(why, L"a damaged data block");
            data.append(bytes_, block + 8, packed);
            block += 8u + packed;
        }
        folderData_.push_back(std::move(data));
    }

    size_t at = firstFile;
    for (WORD i = 0; i < fileCount; ++i) {
        if (!in.Has(at, 16))
            return Refuse(why, L"a file entry lies beyond the file");
        CabMember member;
        member.size = in.Dword(at);
        member.offset = in.Dword(at + 4);
        member.folder = in.Word(at + 8);
        if (member.folder >= folderCount)
            return Refuse(why, L"a file entry names a missing folder");
        size_t name = at + 16;
        size_t end = bytes_.find('\0', name);
        if (end == std::string::npos || end == name || end - name > kMaxMemberName)
            return Refuse(why, L"a file entry without a proper name");
        member.name.assign(bytes_, name, end - name);
        const std::string& data = folderData_[member.folder];
        if (member.offset > data.size() || member.size > data.size() - member.offset)
            return Refuse(why, L"a file's data lies beyond its folder");
        members_.push_back(std::move(member));
        at = end + 1;
    }
    return true;
}

bool CabArchive::Extract(const CabMember& member, std::string* data) const
{
    if (member.folder >= folderData_.size())
        return false;
    const std::string& folder = folderData_[member.folder];
    if (member.offset > folder.size() || member.size > folder.size() - member.offset)
        return false;
    data->assign(folder, member.offset, member.size);
    return true;
}
