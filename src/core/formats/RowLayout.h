#pragma once
// The row line of a sheet document as the program writes it: the station in
// its mask right-aligned in nine places, then the code and the four area
// texts in their mask each right-aligned in twelve. A field that fills its
// places (or more) still gets one blank before it, so that it never runs
// into the field before it and reads back whole; the blanks at the line's
// two ends are left off. The writer lays rows out with WrittenRowLine, and
// the reader's one-pass split (WrittenRow.h) recognises them from the same
// places.
#include "model/SheetStore.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace mardex {

inline constexpr std::size_t StationPlaces = 9;  // the shortest station mask, "00+00.000"
inline constexpr std::size_t FieldPlaces = 12;   // each field after the station
inline constexpr std::size_t PlacesAfterStation = FieldPlaces * (ColumnCount - 1);

// The line of a row's six cell texts, in column order: a station that reads
// as a number in the station mask, the area texts as AreaFieldText gives
// them, blanks before a text dropped. Empty when every text is blank.
std::string WrittenRowLine(const std::array<std::string_view, ColumnCount>& cells);

} // namespace mardex
