// CCabRead: reading a cabinet and building its folder and block tables.
#include "skinpackage.h"

#include <cstdlib>
#include <cstring>

#include "cab_format.h"

using namespace cabformat;

CCabRead::CCabRead()
    : m_loaded(0), m_data(nullptr), m_size(0), m_cabinetSize(0), m_firstFileOffset(0),
      m_folderCount(0), m_blockCount(0), m_fileCount(0), m_folders(nullptr), m_blocks(nullptr),
      m_files(nullptr)
{
}

CCabRead::~CCabRead()
{
    Unload();
}

void CCabRead::Unload()
{
    free(m_data);
    free(m_folders);
    free(m_blocks);
    free(m_files);
    m_data = nullptr;
    m_folders = nullptr;
    m_blocks = nullptr;
    m_files = nullptr;
    m_size = m_cabinetSize = m_firstFileOffset = 0;
    m_folderCount = m_blockCount = m_fileCount = 0;
    m_loaded = 0;
}

int CCabRead::Load(const wchar_t* path)
{
    Unload();
    ceReadFile file;
    if (!file.OpenFile(path) || !file.ReadFile())
        return 0;
    m_size = file.GetSize();
    m_data = file.DetachBuffer();
    return ParseLoadedFile();
}

int CCabRead::LoadFromBuffer(const BYTE* data, DWORD size)
{
    Unload();
    if (!data || size == 0 || size > ceReadFile::kMaxFileSize)
        return 0;
    m_data = static_cast<BYTE*>(malloc(size));
    if (!m_data)
        return 0;
    memcpy(m_data, data, size);
    m_size = size;
    return ParseLoadedFile();
}

int CCabRead::ParseLoadedFile()
{
    if (!ValidateHeader() || !ReadFolderInfo() || !ReadBlockInfo()) {
        Unload();
        return 0;
    }
    ReadFileInfo();
    m_loaded = 1;
    return 1;
}

int CCabRead::ValidateHeader()
{
    if (m_size < kHeaderSize)
        return 0;
    m_cabinetSize = ReadDword(m_data + kHeaderCabinetSize);
    m_firstFileOffset = ReadDword(m_data + kHeaderFirstFileOffset);
    m_folderCount = ReadWord(m_data + kHeaderFolderCount);
    m_fileCount = ReadWord(m_data + kHeaderFileCount);
    return ReadDword(m_data + kHeaderSignature) == kSignature && m_cabinetSize == m_size &&
           m_firstFileOffset != 0 && ReadWord(m_data + kHeaderVersion) == kVersion &&
           m_folderCount != 0 && m_fileCount != 0;
}

int CCabRead::ValidateFolder(const FolderInfo& folder) const
{
    return folder.firstBlockOffset != 0 && folder.blockCount != 0 &&
           folder.compression == kNoCompression;
}

int CCabRead::ReadFolderInfo()
{
    if (!Fits(kHeaderSize, static_cast<DWORD>(m_folderCount) * kFolderEntrySize, m_size))
        return 0;
    m_folders = static_cast<FolderInfo*>(calloc(m_folderCount, sizeof(FolderInfo)));
    if (!m_folders)
        return 0;
    DWORD totalBlocks = 0;
    for (int i = 0; i < m_folderCount; ++i) {
        const BYTE* entry = m_data + kHeaderSize + i * kFolderEntrySize;
        FolderInfo& folder = m_folders[i];
        folder.firstBlockOffset = ReadDword(entry);
        folder.blockCount = ReadWord(entry + 4);
        folder.compression = ReadWord(entry + 6);
        if (!ValidateFolder(folder))
            return 0;
        folder.firstBlockIndex = totalBlocks;
        totalBlocks += folder.blockCount;
    }
    // Every block has a header of its own in the file: more blocks than
    // that cannot exist, whatever the counts say.
    if (totalBlocks > m_size / kBlockHeaderSize)
        return 0;
    m_blockCount = static_cast<int>(totalBlocks);
    return 1;
}

int CCabRead::ValidateBlock(const BlockInfo& block) const
{
    return block.storedSize == block.uncompressedSize;
}

int CCabRead::ReadBlockInfo()
{
    m_blocks = static_cast<BlockInfo*>(calloc(m_blockCount, sizeof(BlockInfo)));
    if (!m_blocks)
        return 0;
    int index = 0;
    for (int f = 0; f < m_folderCount; ++f) {
        const FolderInfo& folder = m_folders[f];
        DWORD position = folder.firstBlockOffset;
        DWORD folderTotal = 0;
        for (int k = 0; k < folder.blockCount; ++k) {
            if (index >= m_blockCount || !Fits(position, kBlockHeaderSize, m_size))
                return 0;
            BlockInfo& block = m_blocks[index++];
            block.checksum = ReadDword(m_data + position);
            block.storedSize = ReadWord(m_data + position + 4);
            block.uncompressedSize = ReadWord(m_data + position + 6);
            block.dataOffset = position + kBlockHeaderSize;
            if (!ValidateBlock(block) || !Fits(block.dataOffset, block.storedSize, m_size))
                return 0;
            // Both sums stay below the file size, which is far below 4 GB.
            folderTotal += block.storedSize;
            block.cumulativeEnd = folderTotal;
            position = block.dataOffset + block.storedSize;
        }
    }
    return 1;
}
