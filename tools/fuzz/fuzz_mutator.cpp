// Deterministic mutation of test inputs.
#include "fuzz_mutator.h"

#include <vector>

namespace {

std::vector<std::string> SplitTokens(const char* tokens)
{
    std::vector<std::string> list;
    std::string current;
    for (const char* p = tokens; p && *p; ++p) {
        if (*p == '|') {
            list.push_back(current);
            current.clear();
        } else {
            current += *p;
        }
    }
    if (!current.empty())
        list.push_back(current);
    return list;
}

} // namespace

void PutLittleEndian(std::string& bytes, size_t offset, uint32_t value, size_t width)
{
    for (size_t i = 0; i < width && offset + i < bytes.size(); ++i)
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string Truncate(const std::string& input, size_t limit, FuzzRandom& random)
{
    size_t bound = limit < input.size() ? limit : input.size();
    return bound ? input.substr(0, random.Below(static_cast<uint32_t>(bound))) : std::string();
}

std::string Scramble(const std::string& input, FuzzRandom& random, const char* tokens)
{
    const std::vector<std::string> list = SplitTokens(tokens);
    std::string bytes = input;
    int edits = 1 + random.Below(4);
    for (int e = 0; e < edits; ++e) {
        size_t at = bytes.empty() ? 0 : random.Below(static_cast<uint32_t>(bytes.size()));
        switch (random.Below(list.empty() ? 5 : 6)) {
        case 0:
            if (!bytes.empty())
                bytes[at] = static_cast<char>(bytes[at] ^ (1 << random.Below(8)));
            break;
        case 1:
            if (!bytes.empty())
                bytes[at] = static_cast<char>(random.Below(256));
            break;
        case 2:
            bytes.insert(at, 1 + random.Below(4), static_cast<char>(random.Below(256)));
            break;
        case 3:
            bytes.erase(at, 1 + random.Below(16));
            break;
        case 4:
            bytes.insert(at, bytes.substr(at, 1 + random.Below(64)));
            break;
        default:
            bytes.insert(at, list[random.Below(static_cast<uint32_t>(list.size()))]);
        }
    }
    return bytes;
}

std::string ExtremeValues(const std::string& input, size_t limit, FuzzRandom& random)
{
    std::string bytes = input;
    size_t bound = limit < bytes.size() ? limit : bytes.size();
    if (!bound)
        return bytes;
    const uint32_t size = static_cast<uint32_t>(bytes.size());
    const uint32_t values[] = {0, 1, 0xFFFF, 0xFFFFFFFF, 0x7FFFFFFF, 0x80000000, 0x8000,
                               size, size - 1, size + 1, size / 2, random.Next()};
    int edits = 1 + random.Below(3);
    for (int e = 0; e < edits; ++e) {
        size_t at = random.Below(static_cast<uint32_t>(bound));
        PutLittleEndian(bytes, at, values[random.Below(sizeof values / sizeof values[0])], random.OneIn(2) ? 2 : 4);
    }
    return bytes;
}
