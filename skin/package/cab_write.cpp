// CCabWrite: a plain cabinet built from members held in memory.
#include "skinpackage.h"

#include <cstring>
#include <cwchar>

#include "cab_format.h"

using namespace cabformat;

namespace {

// The cabinet's integers, little-endian, gathered before one write.
class LittleEndian {
public:
    explicit LittleEndian(BYTE* out) : m_out(out), m_used(0) {}
    void Word(WORD value)
    {
        m_out[m_used++] = static_cast<BYTE>(value);
        m_out[m_used++] = static_cast<BYTE>(value >> 8);
    }
    void Dword(DWORD value)
    {
        Word(static_cast<WORD>(value));
        Word(static_cast<WORD>(value >> 16));
    }
    void Bytes(const void* data, DWORD count)
    {
        memcpy(m_out + m_used, data, count);
        m_used += count;
    }
    DWORD Used() const { return m_used; }

private:
    BYTE* m_out;
    DWORD m_used;
};

const BYTE kChecksumField[4] = {'Z', 'A', 'R', 'Q'};
const DWORD kFolderIndex = 0;
// A cabinet's sizes and offsets are 32-bit and its block count 16-bit; the
// writer stays well inside both.
const DWORD kMaxCabinetSize = 0x7FFFFFFF;
const DWORD kMaxBlocks = 0xFFFF;

} // namespace

CCabWrite::CCabWrite() : m_members(), m_count(0) {}

void CCabWrite::Reset()
{
    m_count = 0;
}

DWORD CCabWrite::TotalBlocks() const
{
    DWORD blocks = 0;
    for (int i = 0; i < m_count; ++i)
        blocks += BlocksFor(m_members[i].size);
    return blocks;
}

DWORD CCabWrite::DirectorySize() const
{
    DWORD size = kHeaderSize + kFolderEntrySize;
    for (int i = 0; i < m_count; ++i)
        size += kFileEntryFixedSize + static_cast<DWORD>(strlen(m_members[i].name)) + 1;
    return size;
}

DWORD CCabWrite::GetCabinetSize() const
{
    DWORD size = DirectorySize() + kBlockHeaderSize * TotalBlocks();
    for (int i = 0; i < m_count; ++i)
        size += m_members[i].size;
    return size;
}

int CCabWrite::AddFile(const char* name, const BYTE* data, DWORD size)
{
    if (m_count >= kMaxMembers || !name || !*name || (!data && size > 0))
        return 0;
    size_t length = strlen(name);
    if (length > kMaxNameBytes)
        return 0;
    // The new member must keep the whole cabinet within its limits; sums
    // are taken in 64 bits so that no size wraps around.
    ULONGLONG cabinet = static_cast<ULONGLONG>(GetCabinetSize()) + kFileEntryFixedSize + length + 1 +
                        kBlockHeaderSize * static_cast<ULONGLONG>(BlocksFor(size)) + size;
    if (cabinet > kMaxCabinetSize || TotalBlocks() + BlocksFor(size) > kMaxBlocks)
        return 0;
    Member& member = m_members[m_count++];
    memcpy(member.name, name, length + 1);
    member.data = data;
    member.size = size;
    return 1;
}

int CCabWrite::WriteAll(ceWriteFile& file) const
{
    // Header, folder entry and file entries in one piece.
    const DWORD directorySize = DirectorySize();
    BYTE* directory = new BYTE[directorySize];
    LittleEndian out(directory);
    out.Dword(kSignature);
    out.Dword(0);
    out.Dword(GetCabinetSize());
    out.Dword(0);
    out.Dword(kHeaderSize + kFolderEntrySize);  // the first file entry
    out.Dword(0);
    out.Word(kVersion);
    out.Word(1);  // folders
    out.Word(static_cast<WORD>(m_count));
    out.Word(0);  // flags: no reserve, no chain
    out.Word(kSetId);
    out.Word(0);  // index in the set

    out.Dword(directorySize);  // the first data block follows the directory
    out.Word(static_cast<WORD>(TotalBlocks()));
    out.Word(kNoCompression);

    DWORD streamOffset = 0;
    for (int i = 0; i < m_count; ++i) {
        const Member& member = m_members[i];
        out.Dword(member.size);
        out.Dword(streamOffset);
        out.Word(static_cast<WORD>(kFolderIndex));
        out.Word(kMemberDate);
        out.Word(kMemberTime);
        out.Word(kArchiveAttribute);
        out.Bytes(member.name, static_cast<DWORD>(strlen(member.name)) + 1);
        streamOffset += member.size;
    }
    int ok = file.WriteFile(directory, 0, out.Used());
    delete[] directory;

    for (int i = 0; ok && i < m_count; ++i) {
        const Member& member = m_members[i];
        DWORD done = 0;
        for (DWORD block = 0; ok && block < BlocksFor(member.size); ++block) {
            const DWORD blockSize = kBlockSize;
            DWORD count = member.size - done < blockSize ? member.size - done : blockSize;
            BYTE header[kBlockHeaderSize];
            LittleEndian blockHeader(header);
            blockHeader.Bytes(kChecksumField, sizeof kChecksumField);
            blockHeader.Word(static_cast<WORD>(count));  // stored
            blockHeader.Word(static_cast<WORD>(count));  // uncompressed
            ok = file.WriteFile(header, 0, kBlockHeaderSize) && file.WriteFile(member.data, done, count);
            done += count;
        }
    }
    return ok;
}

int CCabWrite::Write(const wchar_t* path) const
{
    if (!path || !*path || m_count == 0)
        return 0;
    const wchar_t suffix[] = L".new~";
    size_t length = wcslen(path);
    if (length + sizeof suffix / sizeof suffix[0] > MAX_PATH)
        return 0;
    wchar_t temporary[MAX_PATH];
    wmemcpy(temporary, path, length);
    wmemcpy(temporary + length, suffix, sizeof suffix / sizeof suffix[0]);

    ceWriteFile file;
    int ok = file.OpenFile(temporary) && WriteAll(file);
    ok = file.CloseFile() && ok;
    if (ok)
        ok = MoveFileExW(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok)
        DeleteFileW(temporary);
    return ok;
}
