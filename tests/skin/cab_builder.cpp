// A small writer of plain cabinets for tests.
#include "cab_builder.h"

void PutWord(std::string& bytes, size_t offset, uint16_t value)
{
    bytes[offset] = static_cast<char>(value & 0xFF);
    bytes[offset + 1] = static_cast<char>(value >> 8);
}

void PutDword(std::string& bytes, size_t offset, uint32_t value)
{
    PutWord(bytes, offset, static_cast<uint16_t>(value & 0xFFFF));
    PutWord(bytes, offset + 2, static_cast<uint16_t>(value >> 16));
}

uint16_t GetWord(const std::string& bytes, size_t offset)
{
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[offset]) |
                                 (static_cast<unsigned char>(bytes[offset + 1]) << 8));
}

uint32_t GetDword(const std::string& bytes, size_t offset)
{
    return GetWord(bytes, offset) | (static_cast<uint32_t>(GetWord(bytes, offset + 2)) << 16);
}

size_t FileEntryOffset(const std::vector<TestCabMember>& members, size_t n)
{
    size_t offset = kCabFirstFileEntry;
    for (size_t i = 0; i < n; ++i)
        offset += 16 + members[i].name.size() + 1;
    return offset;
}

std::string BuildCabinet(const std::vector<TestCabMember>& members, const TestCabLayout& layout)
{
    std::string folderData;
    for (const TestCabMember& member : members)
        folderData += member.data;
    std::vector<std::string> blocks;
    for (size_t at = 0; at < folderData.size(); at += layout.blockSize)
        blocks.push_back(folderData.substr(at, layout.blockSize));
    if (blocks.empty())
        blocks.emplace_back();

    std::string cab(kCabFirstFileEntry, '\0');
    cab.replace(0, 4, "MSCF");
    PutDword(cab, kCabFirstFileField, kCabFirstFileEntry);
    PutWord(cab, 24, 0x0103);
    PutWord(cab, kCabFolderCountField, 1);
    PutWord(cab, kCabFileCountField, static_cast<uint16_t>(members.size()));

    uint32_t offsetInFolder = 0;
    for (const TestCabMember& member : members) {
        std::string entry(16, '\0');
        PutDword(entry, 0, static_cast<uint32_t>(member.data.size()));
        PutDword(entry, 4, offsetInFolder);
        PutWord(entry, 14, member.attributes);
        cab += entry + member.name + '\0';
        offsetInFolder += static_cast<uint32_t>(member.data.size());
    }

    PutDword(cab, kCabFolderEntry, static_cast<uint32_t>(cab.size()));
    PutWord(cab, kCabFolderEntry + 4, static_cast<uint16_t>(blocks.size()));
    PutWord(cab, kCabFolderEntry + 6, layout.compression);
    for (const std::string& block : blocks) {
        std::string header(8, '\0');
        PutWord(header, 4, static_cast<uint16_t>(block.size()));
        PutWord(header, 6, static_cast<uint16_t>(block.size()));
        cab += header + block;
    }
    PutDword(cab, kCabSizeField, static_cast<uint32_t>(cab.size()));
    return cab;
}

std::string Pattern(int seed, size_t size)
{
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>((i * 31 + (i >> 8) + seed) & 0xFF);
    return bytes;
}
