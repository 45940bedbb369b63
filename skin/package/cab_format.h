// Layout of the plain cabinet file: sizes, offsets and accepted values.
// All integers are little-endian.
#pragma once

#include <windows.h>

namespace cabformat {

const DWORD kSignature = 0x4643534D; // "MSCF"
const WORD kVersion = 0x0103;        // minor 3, major 1
const WORD kNoCompression = 0;
const WORD kArchiveAttribute = 0x20;

const DWORD kHeaderSize = 36;
const DWORD kFolderEntrySize = 8;
const DWORD kBlockHeaderSize = 8;
const DWORD kFileEntryFixedSize = 16;

// Header field offsets.
const DWORD kHeaderSignature = 0;
const DWORD kHeaderCabinetSize = 8;
const DWORD kHeaderFirstFileOffset = 16;
const DWORD kHeaderVersion = 24;
const DWORD kHeaderFolderCount = 26;
const DWORD kHeaderFileCount = 28;

inline WORD ReadWord(const BYTE* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

inline DWORD ReadDword(const BYTE* p)
{
    return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) |
           (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[3]) << 24);
}

// Whether length bytes from offset lie within a file of fileSize bytes
// (without overflow for any values).
inline bool Fits(DWORD offset, DWORD length, DWORD fileSize)
{
    return offset <= fileSize && length <= fileSize - offset;
}

} // namespace cabformat
