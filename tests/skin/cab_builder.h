// A small writer of plain cabinets for tests that need layouts gcab does not
// make: tiny blocks, odd attributes, broken fields.
//
// Layout of what it writes (offsets in the result):
//   0   header (36 bytes), file-entry offset 44
//   36  one folder entry: first-block offset, block count, compression
//   44  the file entries, in order (16 fixed bytes + name + NUL each)
//   ... the data blocks: 8-byte header (checksum 0, stored size, size) + data
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TestCabMember {
    std::string name;
    std::string data;
    uint16_t attributes = 0x20;
};

struct TestCabLayout {
    uint16_t blockSize = 32768; // members are cut into blocks of this size
    uint16_t compression = 0;
};

std::string BuildCabinet(const std::vector<TestCabMember>& members, const TestCabLayout& layout = {});

// The member contents of the generated fixtures (see make_fixtures.py).
std::string Pattern(int seed, size_t size);

// Offsets of the fields a test may break.
enum : size_t {
    kCabSizeField = 8,
    kCabFirstFileField = 16,
    kCabFolderCountField = 26,
    kCabFileCountField = 28,
    kCabFolderEntry = 36, // +0 first-block offset, +4 block count, +6 compression
    kCabFirstFileEntry = 44, // +0 size, +4 folder offset, +8 folder, +14 attributes, +16 name
};

// Offset of the n-th file entry of a cabinet written by BuildCabinet.
size_t FileEntryOffset(const std::vector<TestCabMember>& members, size_t n);

void PutWord(std::string& bytes, size_t offset, uint16_t value);
void PutDword(std::string& bytes, size_t offset, uint32_t value);
uint16_t GetWord(const std::string& bytes, size_t offset);
uint32_t GetDword(const std::string& bytes, size_t offset);
