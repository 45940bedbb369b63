// CCabRead: the directory of members (file entries) and finding members by
// name.
#include "skinpackage.h"

#include <cstdlib>
#include <cwchar>

#include "cab_format.h"

using namespace cabformat;

namespace {

// Member names and requests are compared in upper case.
void FoldName(wchar_t* name)
{
    CharUpperBuffW(name, static_cast<DWORD>(wcslen(name)));
}

} // namespace

int CCabRead::ValidateFile(const FileEntry& entry) const
{
    return entry.size < m_cabinetSize && entry.folder < m_folderCount &&
           entry.attributes == kArchiveAttribute;
}

int CCabRead::GetOneFileInfo(DWORD* position, FileInfo* file) const
{
    if (!Fits(*position, kFileEntryFixedSize, m_size))
        return 0;
    const BYTE* fixed = m_data + *position;
    FileEntry& entry = file->entry;
    entry.size = ReadDword(fixed);
    entry.folderOffset = ReadDword(fixed + 4);
    entry.folder = ReadWord(fixed + 8);
    entry.date = ReadWord(fixed + 10);
    entry.time = ReadWord(fixed + 12);
    entry.attributes = ReadWord(fixed + 14);
    if (!ValidateFile(entry))
        return 0;

    // The name runs to its NUL, which must lie inside the file; only the
    // first kNameLength - 1 bytes are kept.
    DWORD nameStart = *position + kFileEntryFixedSize;
    DWORD nameEnd = nameStart;
    while (nameEnd < m_size && m_data[nameEnd] != 0)
        ++nameEnd;
    if (nameEnd >= m_size)
        return 0;
    DWORD nameBytes = nameEnd - nameStart;
    if (nameBytes > kNameLength - 1)
        nameBytes = kNameLength - 1;
    int converted = 0;
    if (nameBytes > 0) {
        converted = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(m_data + nameStart),
                                        static_cast<int>(nameBytes), file->name, kNameLength - 1);
        if (converted <= 0)
            return 0;
    }
    file->name[converted] = L'\0';
    FoldName(file->name);
    *position = nameEnd + 1;
    return 1;
}

int CCabRead::GetBlockInfoForFile(FileInfo* file) const
{
    const FolderInfo& folder = m_folders[file->entry.folder];
    const DWORD first = folder.firstBlockIndex;
    const DWORD last = first + folder.blockCount - 1;
    const ULONGLONG start = file->entry.folderOffset;
    const ULONGLONG end = start + file->entry.size;
    // The member's bytes must lie wholly inside its folder's data.
    if (end > m_blocks[last].cumulativeEnd)
        return 0;
    if (file->entry.size == 0) {
        file->firstBlock = file->lastBlock = first;
        file->firstOffset = file->lastUsed = 0;
        return 1;
    }
    bool foundFirst = false;
    for (DWORD b = first; b <= last; ++b) {
        const BlockInfo& block = m_blocks[b];
        const DWORD blockStart = block.cumulativeEnd - block.storedSize;
        if (!foundFirst && block.cumulativeEnd > start) {
            file->firstBlock = b;
            file->firstOffset = static_cast<DWORD>(start - blockStart);
            foundFirst = true;
        }
        if (foundFirst && block.cumulativeEnd >= end) {
            file->lastBlock = b;
            file->lastUsed = static_cast<DWORD>(end - blockStart);
            return 1;
        }
    }
    return 0;
}

void CCabRead::ReadFileInfo()
{
    // Each entry takes at least its fixed part and a NUL: entries that the
    // file cannot hold are not given a record.
    DWORD room = m_firstFileOffset < m_size ? m_size - m_firstFileOffset : 0;
    DWORD fits = room / (kFileEntryFixedSize + 1);
    if (static_cast<DWORD>(m_fileCount) > fits)
        m_fileCount = static_cast<int>(fits);
    m_files = m_fileCount > 0 ? static_cast<FileInfo*>(calloc(m_fileCount, sizeof(FileInfo))) : nullptr;
    if (!m_files) {
        m_fileCount = 0;
        return;
    }
    DWORD position = m_firstFileOffset;
    for (int i = 0; i < m_fileCount; ++i) {
        FileInfo& file = m_files[i];
        // A malformed entry leaves no way to find the next one: it and all
        // later entries stay unusable.
        if (!GetOneFileInfo(&position, &file)) {
            file.name[0] = L'\0';
            return;
        }
        file.usable = GetBlockInfoForFile(&file);
        if (!file.usable)
            file.name[0] = L'\0';
    }
}

const CCabRead::FileInfo* CCabRead::FindFile(const wchar_t* name) const
{
    if (!m_loaded || !name || !*name)
        return nullptr;
    // The request is folded in a copy; a request longer than any member
    // name cannot match.
    wchar_t request[kNameLength];
    size_t length = wcslen(name);
    if (length >= kNameLength)
        return nullptr;
    wmemcpy(request, name, length + 1);
    FoldName(request);
    for (int i = 0; i < m_fileCount; ++i) {
        if (m_files[i].usable && wcsstr(m_files[i].name, request))
            return &m_files[i];
    }
    return nullptr;
}

const CCabRead::FileInfo* CCabRead::FileAt(int index) const
{
    if (!m_loaded || index < 0 || index >= m_fileCount || !m_files[index].usable)
        return nullptr;
    return &m_files[index];
}

int CCabRead::HasFile(const wchar_t* name) const
{
    return FindFile(name) != nullptr;
}

const wchar_t* CCabRead::GetFileName(int index) const
{
    const FileInfo* file = FileAt(index);
    return file ? file->name : nullptr;
}

DWORD CCabRead::GetFileSizeAt(int index) const
{
    const FileInfo* file = FileAt(index);
    return file ? file->entry.size : 0;
}
