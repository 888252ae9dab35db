// The fast split of the program's own row lines; what it guarantees and how
// that is checked: WrittenRow.h.
#include "formats/WrittenRow.h"

#include "formats/RowFields.h"
#include "formats/RowLayout.h"
#include "model/SheetStore.h"
#include "text/ByteWords.h"

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mardex {

#if defined(__SSE2__)
namespace {

constexpr std::size_t Width = FieldPlaces;
constexpr std::size_t ShortestStation = StationPlaces, LongestStation = 14;  // "00+00.000" .. "9999999+99.999"
static_assert(Width == 12 && ColumnCount == 6, "the masks below take five fields of twelve places");
constexpr std::uint64_t Zeros = 0x3030303030303030ULL;  // "00000000"

// The places after the station as one bit each, twelve to a field: `bits`
// set in every field's twelve, or in the four area fields' only.
constexpr std::uint64_t EachField(std::uint64_t bits) { return bits * 0x001001001001001ULL; }
constexpr std::uint64_t EachArea(std::uint64_t bits) { return EachField(bits) & ~std::uint64_t{0xFFF}; }

__m128i Load(const char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
std::uint64_t Bits(__m128i set) { return static_cast<unsigned>(_mm_movemask_epi8(set)); }
__m128i Equal(__m128i v, char c) { return _mm_cmpeq_epi8(v, _mm_set1_epi8(c)); }
__m128i Digits(__m128i v)
{
    // '0'..'9' moved to the bottom of the signed range.
    return _mm_cmplt_epi8(_mm_add_epi8(v, _mm_set1_epi8(0x50)), _mm_set1_epi8(-118));
}

// Eight ASCII digits, the first in the lowest byte, as one number.
std::uint32_t EightDigits(std::uint64_t w)
{
    w -= Zeros;
    w = w * 10 + (w >> 8);
    w = ((w & 0x000000FF000000FFULL) * (100 + (1000000ULL << 32)) +
         ((w >> 16) & 0x000000FF000000FFULL) * (1 + (10000ULL << 32))) >> 32;
    return static_cast<std::uint32_t>(w);
}

// The places after the station of the four 16-byte pieces (the code's
// twelve, then the area fields' 48) as one 60-bit mask; AreaBits leaves
// the code's twelve out.
template <class Test>
std::uint64_t AreaBits(const __m128i (&v)[4], Test test)
{
    return Bits(test(v[1])) << 12 | Bits(test(v[2])) << 28 | Bits(test(v[3])) << 44;
}
template <class Test>
std::uint64_t FieldBits(const __m128i (&v)[4], Test test)
{
    return (Bits(test(v[0])) & 0xFFF) | AreaBits(v, test);
}

// The station [0, end) in its mask: its value as IsStationMaskText gives it.
bool StationValue(const char* p, std::size_t end, double& value)
{
    const __m128i v = Load(p);
    const std::uint64_t all = (std::uint64_t{1} << end) - 1;
    const std::uint64_t plus = std::uint64_t{1} << (end - 7), point = std::uint64_t{1} << (end - 4);
    if ((Bits(Equal(v, '+')) & all) != plus || (Bits(Equal(v, '.')) & all) != point ||
        (Bits(Digits(v)) & all) != (all & ~plus & ~point))
        return false;
    if (end > ShortestStation && p[0] == '0') return false;  // a leading zero beyond the two digits
    // The last eight bytes: the last digit of the hundreds, "+", two digits,
    // ".", three digits; before them the other hundreds, padded with '0'.
    const std::uint64_t tail = LowFirstWord<std::uint64_t>(p + end - 8);
    std::uint64_t hundreds = (tail & 0xFF) - '0';
    if (end == ShortestStation) {
        hundreds += static_cast<unsigned>(p[0] - '0') * 10;  // most stations: two digits
    } else {
        const unsigned pad = 8 * static_cast<unsigned>(16 - end);
        hundreds += std::uint64_t{EightDigits(LowFirstWord<std::uint64_t>(p) << pad | (Zeros & ((std::uint64_t{1} << pad) - 1)))} * 10;
    }
    const unsigned rest = EightDigits((tail & 0xFFFFFF0000000000ULL) | (tail & 0x00000000FFFF0000ULL) << 8 | 0x303030);
    value = static_cast<double>(hundreds) * 100 + static_cast<double>(rest) / 1e3;
    return true;
}

// The area text that ends at `end`, one to five digits, a point and two
// decimals with blanks before them: its hundredths over 100.
double AreaValue(const char* end)
{
    // Blanks turn into '0' with bit 4 (digits have it); the point is taken out.
    const std::uint64_t w = LowFirstWord<std::uint64_t>(end - 8) | 0x1010101010101010ULL;
    if (w == 0x30303E3030303030ULL) return 0;  // "0.00", most areas of a sheet
    return static_cast<double>(EightDigits((w & 0xFFFF000000000000ULL) | (w << 8 & 0x0000FFFFFFFFFF00ULL) | '0')) / 100;
}

} // namespace

bool SplitWrittenRow(std::string_view line, RowTexts& row)
{
    const std::size_t n = line.size();
    if (n < ShortestStation + PlacesAfterStation || n > LongestStation + PlacesAfterStation) return false;
    const char* p = line.data();
    const std::size_t stationEnd = n - PlacesAfterStation;
    const char* f = p + stationEnd;
    const __m128i v[4] = {Load(f), Load(f + Width), Load(f + Width + 16), Load(f + Width + 32)};

    // Each field's twelve places: spaces, then its text, which ends the
    // twelve: a run of ones from the bottom (at least one, not all twelve).
    const std::uint64_t spaces = FieldBits(v, [](__m128i x) { return Equal(x, ' '); });
    constexpr std::uint64_t first = EachField(1), last = EachField(0x800);
    if ((spaces & last) != 0 || (spaces & first) != first || (spaces & (spaces + first)) != 0) return false;
    // One bit in each field's twelve where its text starts.
    std::uint64_t starts = spaces + first;

    // Area texts: digits, the point third from the end, one to five integer
    // digits without a leading zero (a lone "0" before the point is fine).
    const std::uint64_t digits = FieldBits(v, Digits);
    const std::uint64_t points = AreaBits(v, [](__m128i x) { return Equal(x, '.'); });
    const std::uint64_t zeros = AreaBits(v, [](__m128i x) { return Equal(x, '0'); });
    constexpr std::uint64_t areas = EachArea(0xFFF);
    if ((points & areas) != EachArea(0x200) || ((digits | points | spaces) & areas) != areas ||
        (spaces & EachArea(0x108)) != EachArea(0x008) || (starts & zeros & EachArea(0xEFF)) != 0)
        return false;
    // The code: no digit (it reads as 0), no tab (a blank to the general split).
    const auto codeText = static_cast<std::uint64_t>(~spaces & 0xFFF);
    if ((digits & codeText) != 0 || (Bits(Equal(v[0], '\t')) & codeText) != 0) return false;

    auto& values = row.values;
    if (!StationValue(p, stationEnd, values[ColStation])) return false;

    auto& texts = row.texts;
    texts[ColStation] = std::string_view(p, stationEnd);
    values[ColCode] = 0;
#pragma GCC unroll 5
    for (int c = ColCode; c <= ColAddedFill; ++c) {
        const auto at = static_cast<std::size_t>(std::countr_zero(starts));
        starts &= starts - 1;
        const std::size_t end = Width * static_cast<std::size_t>(c);
        texts[c] = std::string_view(f + at, end - at);
        if (c != ColCode) values[c] = AreaValue(f + end);
    }
    row.line = line;
    row.complete = true;
    row.allInLine = true;
    return true;
}

#else
bool SplitWrittenRow(std::string_view, RowTexts&) { return false; }
#endif

} // namespace mardex
