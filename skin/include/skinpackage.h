// Skin packages: uncompressed cabinet archives holding a skin file and its
// pictures under fixed names.
//
// Classes in this file:
//   ceReadFile   - reads a whole file into memory
//   ceWriteFile  - writes a file piece by piece, failing on any short write
//   CCabRead     - the directory of a cabinet held in memory; copies members
//                  out to files or buffers
//   CCabWrite    - builds a plain cabinet from members held in memory
//   CSknExtract  - unpacks the members of a skin package into a folder
//
// Only the plain cabinet form is read: one cabinet (no chaining), no reserve
// areas, data stored without compression, members with the plain archive
// attribute.  Every offset and length in the file is checked against the
// file before it is used; a member whose data does not lie wholly inside its
// folder's data is unusable.  All failures are reported as 0.
#pragma once

#include <windows.h>

// The classes are compiled once into the static library skinpackage, which
// Skivel and the theme library link and both export; the libraries linking
// it see SKIN_PACKAGE_BUILD, everything else imports.
#if defined(SKIVEL_BUILD) || defined(SKIN_PACKAGE_BUILD)
#define SKIN_PACKAGE_API __declspec(dllexport)
#else
#define SKIN_PACKAGE_API __declspec(dllimport)
#endif

class SKIN_PACKAGE_API ceReadFile {
public:
    // Larger files are refused: packages are small, and the whole file is
    // held in memory.
    static const DWORD kMaxFileSize = 64u * 1024 * 1024;

    ceReadFile();
    ~ceReadFile();
    ceReadFile(const ceReadFile&) = delete;
    ceReadFile& operator=(const ceReadFile&) = delete;

    // Closes any open file and frees its contents, then opens path for
    // reading (others may read too).  Fails for a null, empty or missing
    // path, an empty file and a file over kMaxFileSize.
    int OpenFile(const wchar_t* path);
    // Reads the whole open file into a new buffer of its size plus two zero
    // bytes.  Fails when a buffer already exists; a short read closes the
    // file and fails.
    int ReadFile();
    // Frees the buffer and closes the file.
    void CloseFile();

    DWORD GetSize() const { return m_size; }
    const BYTE* GetBuffer() const { return m_buffer; }
    // Takes over the buffer (the caller frees it with free()).
    BYTE* DetachBuffer();

private:
    DWORD m_size;
    BYTE* m_buffer;
    HANDLE m_file;
};

// A file written piece by piece.  Every failure closes the file, so a
// caller never goes on writing into a file that already lost bytes.
class SKIN_PACKAGE_API ceWriteFile {
public:
    ceWriteFile();
    ~ceWriteFile();
    ceWriteFile(const ceWriteFile&) = delete;
    ceWriteFile& operator=(const ceWriteFile&) = delete;

    // Creates the file, or empties an existing one, with normal attributes.
    int OpenFile(const wchar_t* path);
    // Writes length bytes of buffer from offset; fails (and closes the file)
    // unless all of them are written.
    int WriteFile(const void* buffer, DWORD offset, DWORD length);
    // Closes the file; fails when the platform reports that the bytes could
    // not be kept.
    int CloseFile();
    int IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_file;
};

class SKIN_PACKAGE_API CCabRead {
public:
    enum {
        kNameLength = 260, // member name field, terminator included
    };

    CCabRead();
    ~CCabRead();
    CCabRead(const CCabRead&) = delete;
    CCabRead& operator=(const CCabRead&) = delete;

    // Reads the cabinet and builds its tables.  Fails, leaving the reader
    // unloaded, for anything but a well-formed plain cabinet.  Members whose
    // entries are malformed are left unusable: they and the entries after
    // them cannot be found.
    int Load(const wchar_t* path);
    // The same for a cabinet already in memory (copied).
    int LoadFromBuffer(const BYTE* data, DWORD size);
    int IsLoaded() const { return m_loaded; }

    // Members are found by name: the first usable member, in directory
    // order, whose name contains the request as a substring, ignoring case.

    // Writes the member to destination (whole or not at all).
    int ExtractFile(const wchar_t* name, const wchar_t* destination);
    // Copies the member into buffer; fails when capacity (bytes) is below
    // the member's size.
    int ExtractFileToBuffer(const wchar_t* name, BYTE* buffer, DWORD capacity);
    // The member's size; 0 when not loaded or not found.
    DWORD GetFileSize(const wchar_t* name);
    // Non-zero when a usable member matches name.
    int HasFile(const wchar_t* name) const;

    // The directory: entry count and an entry's name folded to upper case
    // (null for an unusable entry or an index out of range).
    int GetFileCount() const { return m_loaded ? m_fileCount : 0; }
    const wchar_t* GetFileName(int index) const;

    // Members by their place in the directory (for cabinets whose names
    // repeat or contain one another); unusable entries fail.
    int ExtractFileAt(int index, const wchar_t* destination);
    int ExtractFileAtToBuffer(int index, BYTE* buffer, DWORD capacity);
    // 0 for an unusable entry.
    DWORD GetFileSizeAt(int index) const;

    // Where extraction puts a member's bytes (a file or a buffer).
    class Sink;

private:
    // Folder entry of the cabinet plus the index of its first block in the
    // block table.
    struct FolderInfo {
        DWORD firstBlockOffset;
        WORD blockCount;
        WORD compression;
        DWORD firstBlockIndex;
    };
    struct BlockInfo {
        DWORD checksum;
        WORD storedSize;
        WORD uncompressedSize;
        DWORD cumulativeEnd; // end of the block within its folder's data
        DWORD dataOffset;    // file offset of the block's bytes
    };
    struct FileEntry {
        DWORD size;
        DWORD folderOffset; // offset of the first byte in the folder's data
        WORD folder;
        WORD date;
        WORD time;
        WORD attributes;
    };
    struct FileInfo {
        wchar_t name[kNameLength]; // folded; empty while unusable
        FileEntry entry;
        int usable;
        DWORD firstBlock;    // block table index
        DWORD firstOffset;   // offset into the first block
        DWORD lastBlock;     // block table index
        DWORD lastUsed;      // bytes used in the last block
    };

    void Unload();
    int ParseLoadedFile();
    int ValidateHeader();
    int ReadFolderInfo();
    int ValidateFolder(const FolderInfo& folder) const;
    int ReadBlockInfo();
    int ValidateBlock(const BlockInfo& block) const;
    void ReadFileInfo();
    int GetOneFileInfo(DWORD* position, FileInfo* file) const;
    int ValidateFile(const FileEntry& entry) const;
    int GetBlockInfoForFile(FileInfo* file) const;
    const FileInfo* FindFile(const wchar_t* name) const;
    const FileInfo* FileAt(int index) const;
    int CopyFileData(const FileInfo& file, Sink& sink) const;
    int WriteToFile(const FileInfo& file, const wchar_t* destination) const;
    int WriteToBuffer(const FileInfo& file, BYTE* buffer, DWORD capacity) const;

    int m_loaded;
    BYTE* m_data;
    DWORD m_size;
    DWORD m_cabinetSize;
    DWORD m_firstFileOffset;
    int m_folderCount;
    int m_blockCount;
    int m_fileCount;
    FolderInfo* m_folders;
    BlockInfo* m_blocks;
    FileInfo* m_files;
};

// A plain cabinet: one folder, no compression, no reserve areas, members in
// the order they were added.  Every member's bytes are cut into blocks of
// 32768 bytes and one last block with the remainder, written even when the
// remainder is 0.  The checksum field of each block holds "ZARQ".
class SKIN_PACKAGE_API CCabWrite {
public:
    enum {
        kBlockSize = 32768,
        kMaxMembers = 16,
        kMaxNameBytes = 255,  // ANSI bytes of a member name, without the terminator
    };
    // Stamped on every member: 3 December 2001, 14:25:12 (FAT encoding).
    static const WORD kMemberDate = 0x2B83;
    static const WORD kMemberTime = 0x7326;
    static const WORD kSetId = 2892;

    CCabWrite();

    // Adds a member; its bytes are not copied and must stay valid until
    // Write.  Fails for an empty or overlong name, a full list, or a member
    // that would take the cabinet past its size limits.
    int AddFile(const char* name, const BYTE* data, DWORD size);
    void Reset();
    int GetFileCount() const { return m_count; }

    // The cabinet's size in bytes for the members added so far.
    DWORD GetCabinetSize() const;
    // Writes the cabinet to path, whole or not at all: into "<path>.new~"
    // first, then renamed over path.
    int Write(const wchar_t* path) const;

private:
    struct Member {
        char name[kMaxNameBytes + 1];
        const BYTE* data;
        DWORD size;
    };

    static DWORD BlocksFor(DWORD size) { return size / kBlockSize + 1; }
    DWORD TotalBlocks() const;
    DWORD DirectorySize() const;  // header, folder entry and file entries
    int WriteAll(ceWriteFile& file) const;

    Member m_members[kMaxMembers];
    int m_count;
};

class SKIN_PACKAGE_API CSknExtract {
public:
    enum {
        kMaxChangedFiles = 5,
    };

    CSknExtract();

    // Unpacks the skin members into folder (created when missing):
    // SKIN.XML, DEFAULT.BIN, MASK.BIN and PUSHED.BIN must all be present;
    // DISABLE.BIN is optional, and a DISABLE.BIN left from an earlier
    // package is removed when the new package has none.  A failure returns
    // 0 and may leave the files written so far.
    int ExtractFiles(const wchar_t* package, const wchar_t* folder);
    // Unpacks into the package's own folder.
    int ExtractFiles(const wchar_t* package);

    // The full paths of the files the last ExtractFiles wrote or removed,
    // so that images cached from them can be dropped.
    int GetChangedFileCount() const { return m_changedCount; }
    const wchar_t* GetChangedFile(int index) const;

private:
    void NoteChanged(const wchar_t* path);

    int m_changedCount;
    wchar_t m_changed[kMaxChangedFiles][MAX_PATH];
};
