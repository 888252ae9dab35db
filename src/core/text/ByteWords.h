#pragma once
// Bytes of a text taken eight (or four) at a time as one word whose lowest
// byte is the first of them, and such a word written back, whatever the
// machine's byte order: the fast paths of the readers and the report fields
// test many characters with one operation.
#include <bit>
#include <cstdint>
#include <cstring>

namespace mardex {

template <class Word>
inline Word LowFirstWord(const char* from)
{
    Word word;
    std::memcpy(&word, from, sizeof word);
    if constexpr (std::endian::native == std::endian::big)
        word = static_cast<Word>(__builtin_bswap64(word) >> (64 - 8 * sizeof word));
    return word;
}

inline void PutLowFirstWord(char* to, std::uint64_t word)
{
    if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
    std::memcpy(to, &word, sizeof word);
}

} // namespace mardex
