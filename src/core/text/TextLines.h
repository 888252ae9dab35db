#pragma once
// The lines of a text: a line ends at CR LF, a lone CR or a lone LF, and a
// last line without a line end counts.
// ScanLine looks at sixteen bytes at a time where SSE2 is there, and byte by
// byte for the rest of a text and elsewhere. Guarantee: the same lines and
// marks as a byte-by-byte scan; checked against one on random texts by
// tests/document/TextLinesTest.cpp and end to end by the golden files.
#include <bit>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mardex {

// Bytes a reader of lines asks about, noted while the line's end is sought
// so that the line is not scanned again for them.
enum LineMark : unsigned {
    MarkNul = 1,   // '\0'
    MarkHash = 2,  // '#'
    MarkPlus = 4,  // '+'
};

// The length of the line that starts at `p` (up to its CR or LF, or `size`),
// and in `marks` the LineMarks of its bytes.
inline std::size_t ScanLine(const char* p, std::size_t size, unsigned& marks)
{
    std::size_t i = 0;
    unsigned found = 0;
    const auto note = [&found](char c) {
        found |= c == '\0' ? MarkNul : c == '#' ? MarkHash : c == '+' ? MarkPlus : 0u;
    };
#if defined(__SSE2__)
    // Sixteen bytes at a time; the bytes are looked at one by one only in
    // a piece that holds a line end or a mark (the '+' of a station).
    const __m128i lf = _mm_set1_epi8('\n'), cr = _mm_set1_epi8('\r'), zero = _mm_setzero_si128();
    const __m128i plus = _mm_set1_epi8('+'), bit3 = _mm_set1_epi8(8);
    for (; size - i >= 16; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        // The bytes 0 to CR (NUL, the line ends, and a tab now and then), and
        // '#' and '+', which differ only in bit 3.
        const __m128i controls = _mm_cmpeq_epi8(_mm_subs_epu8(v, cr), zero);
        const __m128i hashOrPlus = _mm_cmpeq_epi8(_mm_or_si128(v, bit3), plus);
        const auto special = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(controls, hashOrPlus)));
        if (special == 0) continue;
        const auto ends =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, lf), _mm_cmpeq_epi8(v, cr))));
        const unsigned before = (ends & (0u - ends)) - 1;  // the bytes before the first end (all when none)
        for (unsigned m = special & ~ends & before; m != 0; m &= m - 1)
            note(p[i + static_cast<unsigned>(std::countr_zero(m))]);
        if (ends != 0) {
            marks = found;
            return i + static_cast<unsigned>(std::countr_zero(ends));
        }
    }
#endif
    for (; i < size && p[i] != '\n' && p[i] != '\r'; ++i) note(p[i]);
    marks = found;
    return i;
}

// Calls f(line, marks) for every line of `text`, without its line end; marks
// are the line's LineMarks.
template <class F>
void ForEachMarkedLine(std::string_view text, F&& f)
{
    const char* p = text.data();
    const std::size_t size = text.size();
    std::size_t start = 0;
    while (start < size) {
        unsigned marks;
        const std::size_t length = ScanLine(p + start, size - start, marks);
        f(text.substr(start, length), marks);
        const std::size_t end = start + length;
        start = end + (end + 1 < size && p[end] == '\r' && p[end + 1] == '\n' ? 2 : 1);
    }
}

// Calls f(line) for every line of `text`, without its line end.
template <class F>
void ForEachLine(std::string_view text, F&& f)
{
    ForEachMarkedLine(text, [&f](std::string_view line, unsigned) { f(line); });
}

std::vector<std::string> SplitTextLines(std::string_view text);
// nullopt when the file cannot be read.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path);

} // namespace mardex
