#pragma once
// Bytes of a text taken eight (or four) at a time as one word whose lowest
// byte is the first of them, and such a word written back: the fast paths of
// the row reader and the report fields test many characters with one
// operation. Every machine the program is built for stores words lowest
// byte first, so a word is a plain copy of the bytes.
#include <bit>
#include <cstdint>
#include <cstring>

namespace mardex {

static_assert(std::endian::native == std::endian::little, "the fast text paths take bytes as little-endian words");

template <class Word>
inline Word LowFirstWord(const char* from)
{
    Word word;
    std::memcpy(&word, from, sizeof word);
    return word;
}

inline void PutLowFirstWord(char* to, std::uint64_t word) { std::memcpy(to, &word, sizeof word); }

} // namespace mardex
