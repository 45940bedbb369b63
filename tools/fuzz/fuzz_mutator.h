// Deterministic mutation of inputs for the parsers' fuzz programs.
#pragma once

#include <cstdint>
#include <string>

// A small, fast and reproducible generator (xorshift64*).
class FuzzRandom {
public:
    explicit FuzzRandom(uint64_t seed) : m_state(seed ? seed : 0x9E3779B97F4A7C15ull) {}
    uint32_t Next()
    {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return static_cast<uint32_t>((m_state * 0x2545F4914F6CDD1Dull) >> 32);
    }
    // 0 .. n - 1 (n > 0).
    uint32_t Below(uint32_t n) { return Next() % n; }
    bool OneIn(uint32_t n) { return Below(n) == 0; }

private:
    uint64_t m_state;
};

// Cuts the input to a random length below `limit` (and below its size).
std::string Truncate(const std::string& input, size_t limit, FuzzRandom& random);

// One to four random edits anywhere: flipped bits, random bytes written,
// inserted or deleted, a range duplicated, or one of `tokens` (separated by
// '|') inserted.
std::string Scramble(const std::string& input, FuzzRandom& random, const char* tokens);

// Writes extreme 16- or 32-bit values (0, 1, all ones, the sign bit, the
// input's size and its neighbours, random) at random offsets below `limit`.
std::string ExtremeValues(const std::string& input, size_t limit, FuzzRandom& random);

// Writes value little-endian, width bytes (2 or 4) at offset, as far as the
// input reaches.
void PutLittleEndian(std::string& bytes, size_t offset, uint32_t value, size_t width);
