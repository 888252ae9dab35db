#include "formats/RowFields.h"

#include "text/AreaText.h"
#include "text/ByteWords.h"
#include "text/NumberText.h"
#include "model/SheetStore.h"

#include <algorithm>
#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mardex {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The blank runs that line up the columns are most of a row line: they and
// the fields are scanned eight bytes at a time where the byte order allows.
constexpr bool WordScan = std::endian::native == std::endian::little;
constexpr std::uint64_t EachByte = 0x0101010101010101ULL;

// The high bit of each zero byte of w; the lowest one set marks the first
// zero byte (bits above it may be set wrongly, which is never looked at).
std::uint64_t ZeroBytes(std::uint64_t w) { return (w - EachByte) & ~w & (EachByte * 0x80); }

const char* SkipBlanks(const char* p, const char* end)
{
    if constexpr (WordScan) {
        while (end - p >= 8) {
            const std::uint64_t notSpace = LowFirstWord<std::uint64_t>(p) ^ (EachByte * ' ');
            if (notSpace == 0) {
                p += 8;
                continue;
            }
            p += std::countr_zero(notSpace) / 8;
            if (*p != '\t') return p;
            ++p;
        }
    }
    while (p < end && IsBlank(*p)) ++p;
    return p;
}

const char* NextBlank(const char* p, const char* end)
{
    if constexpr (WordScan) {
        while (end - p >= 8) {
            const std::uint64_t w = LowFirstWord<std::uint64_t>(p);
            const std::uint64_t blanks = ZeroBytes(w ^ (EachByte * ' ')) | ZeroBytes(w ^ (EachByte * '\t'));
            if (blanks != 0) return p + std::countr_zero(blanks) / 8;
            p += 8;
        }
    }
    while (p < end && !IsBlank(*p)) ++p;
    return p;
}

using FieldViews = std::array<std::string_view, 6>;

#if defined(__SSE2__)
// A row line of up to 127 bytes as one bit per byte, set for a blank and for
// every place past the line's end. A field starts and ends where the bit
// changes, so the places of the fields are the changes, found in order by
// taking the lowest one each time.
class BlankBits {
public:
    static constexpr std::size_t MaxLength = 127;  // so that the last field has its end bit

    BlankBits(const char* p, std::size_t n)
    {
        std::uint64_t bits[2] = {0, 0};
        std::size_t i = 0;
        for (; i + 16 <= n; i += 16) bits[i / 64] |= Blanks(p + i) << (i % 64);
        if (const std::size_t rest = n - i; rest != 0) {
            // The last sixteen bytes of the line, shifted down to the ones not yet seen.
            const std::uint64_t tail = n >= 16 ? Blanks(p + n - 16) >> (16 - rest) : ScalarBlanks(p + i, rest);
            bits[i / 64] |= tail << (i % 64);
        }
        if (n < 64) {
            bits[0] |= ~std::uint64_t{0} << n;
            bits[1] = ~std::uint64_t{0};
        } else {
            bits[1] |= ~std::uint64_t{0} << (n - 64);
        }
        // The place before the line counts as a blank.
        low_ = bits[0] ^ (bits[0] << 1 | 1);
        high_ = bits[1] ^ (bits[1] << 1 | bits[0] >> 63);
    }

    // The places where fields start and end, in order (start, end, start,
    // ...), one at a time: the next one, while Done() is false.
    bool Done() const { return (low_ | high_) == 0; }
    int Next()
    {
        if (low_ != 0) {
            const int at = std::countr_zero(low_);
            low_ &= low_ - 1;
            return at;
        }
        const int at = 64 + std::countr_zero(high_);
        high_ &= high_ - 1;
        return at;
    }

private:
    static std::uint64_t Blanks(const char* p)
    {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i blank = _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(' ')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\t')));
        return static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(blank)));
    }
    static std::uint64_t ScalarBlanks(const char* p, std::size_t n)
    {
        std::uint64_t bits = 0;
        for (std::size_t i = 0; i < n; ++i) bits |= static_cast<std::uint64_t>(IsBlank(p[i])) << i;
        return bits;
    }

    std::uint64_t low_, high_;  // the changes of the bits of places 0..63 and 64..127
};
#endif

// Fields at runs of blanks. A line that begins with blanks would otherwise
// give an empty station and shift every field; the writer never writes such
// lines. The last field is the whole remaining text (it may hold blanks).
int SplitAtBlanks(std::string_view line, int expected, FieldViews& found)
{
    const char* p = line.data();
    const char* end = p + line.size();
    while (end > p && IsBlank(end[-1])) --end;
    int count = 0;
#if defined(__SSE2__)
    if (const auto n = static_cast<std::size_t>(end - p); n <= BlankBits::MaxLength) {
        // Every field but the last from its two changes; the last runs to the
        // end (the line's blanks at the end are cut off). A field always has
        // its end: the places past the line count as blanks.
        BlankBits changes(p, n);
        for (; count < expected && !changes.Done(); ++count) {
            const int start = changes.Next();
            const int stop = count + 1 < expected ? changes.Next() : static_cast<int>(n);
            found[count] = std::string_view(p + start, static_cast<std::size_t>(stop - start));
        }
        return count;
    }
#endif
    while (count < expected && (p = SkipBlanks(p, end)) < end) {
        const char* stop = count == expected - 1 ? end : NextBlank(p, end);
        found[count++] = std::string_view(p, static_cast<std::size_t>(stop - p));
        p = stop;
    }
    return count;
}

// Fields at commas, blanks around them dropped; runs of commas count as one.
int SplitAtCommas(std::string_view line, int expected, FieldViews& found)
{
    std::size_t begin = 0, end = line.size();
    while (begin < end && IsBlank(line[begin])) ++begin;
    while (end > begin && IsBlank(line[end - 1])) --end;
    std::string_view rest = line.substr(begin, end - begin);
    int count = 0;
    while (count < expected && !rest.empty()) {
        if (count == expected - 1) {
            found[count++] = rest;
            break;
        }
        const std::size_t stop = std::min(rest.find(','), rest.size());
        found[count++] = TrimmedView(rest.substr(0, stop));
        rest.remove_prefix(stop);
        while (!rest.empty() && (rest.front() == ',' || IsBlank(rest.front()))) rest.remove_prefix(1);
    }
    return count;
}

// The code column holds "-", AH, BK, FB or SA: a text without a digit reads as 0.
double CodeValue(std::string_view code)
{
    return std::any_of(code.begin(), code.end(), IsDigit) ? StationToNumber(code) : 0;
}

} // namespace

void SplitRowLine(std::string_view line, int separatorMode, int16_t legacyFormat, RowTexts& row)
{
    auto& texts = row.texts;
    row.line = line;
    const int expected = legacyFormat == 1 ? 5 : 6;
    const int count = separatorMode == 1 ? SplitAtBlanks(line, expected, texts) : SplitAtCommas(line, expected, texts);
    std::fill(texts.begin() + count, texts.end(), std::string_view());
    row.complete = count == expected;
    row.allInLine = row.complete && legacyFormat != 1 && separatorMode == 1;
    if (legacyFormat == 1) {
        for (int c = ColAddedFill; c > ColCode; --c) texts[c] = texts[c - 1];
        texts[ColCode] = "-";
    }

    // Texts the program wrote are in their masks already: they are stored as
    // they stand, their values read while they are checked.
    if (!IsStationMaskText(texts[ColStation], row.values[ColStation])) {
        std::string& own = row.Own(ColStation);
        own = FormatStationText(texts[ColStation]);
        texts[ColStation] = own;
        row.values[ColStation] = StationToNumber(own);
    }
    row.values[ColCode] = CodeValue(texts[ColCode]);
#pragma GCC unroll 4
    for (int c = ColCut; c <= ColAddedFill; ++c) {
        if (IsAreaMaskText(texts[c], row.values[c])) continue;
        std::string& own = row.Own(c);
        own = texts[c];
        // The last field always lands in the last column; a tab in it is kept as a blank.
        if (c == ColAddedFill && row.complete) std::replace(own.begin(), own.end(), '\t', ' ');
        own = AreaFieldText(own);
        texts[c] = own;
        row.values[c] = StationToNumber(own);
    }
}

SplitRow GetParameters(std::string_view line, int separatorMode, int16_t legacyFormat)
{
    RowTexts texts;
    GetParameters(line, separatorMode, legacyFormat, texts);
    SplitRow row;
    for (int c = 0; c < ColumnCount; ++c) row.fields[c].assign(texts.texts[c]);
    row.values = texts.values;
    row.complete = texts.complete;
    return row;
}

} // namespace mardex
