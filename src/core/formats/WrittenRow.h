#pragma once
// The row line as the program writes it, recognised in one pass: the
// station, then five fields each right-aligned in twelve places, every text
// already in its mask. Most lines of a document are such rows.
#include <string_view>

namespace mardex {

struct RowTexts;

// When `line` is such a row (station of 9 to 14 characters in its mask,
// area texts of one to five integer digits, blanks that are spaces), fills
// `row` exactly as the general split and mask checks would and returns true;
// otherwise returns false and leaves `row` alone.
bool SplitWrittenRow(std::string_view line, RowTexts& row);

} // namespace mardex
