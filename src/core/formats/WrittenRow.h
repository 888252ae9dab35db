#pragma once
// The fast split of a row line: the rows the program writes (RowLayout.h),
// most lines of a document, recognised in one pass from 16-byte masks of
// the fields' places (SSE2; where it is missing every line takes the plain
// split, SplitRowLine in RowFields.h).
// Guarantee: a line it takes gets exactly the texts, values and flags
// SplitRowLine gives it; any other line is left to SplitRowLine.
// Checked by the differential fuzz target tests/fuzz/fuzz_fast_paths.cpp
// (lines as they come and lines laid out by WrittenRowLine, through both
// splits) and end to end by the golden files.
#include <string_view>

namespace mardex {

struct RowTexts;

// When `line` is such a row (station of 9 to 14 characters in its mask,
// area texts of one to five integer digits, blanks that are spaces), fills
// `row` exactly as the general split and mask checks would and returns true;
// otherwise returns false and leaves `row` alone.
bool SplitWrittenRow(std::string_view line, RowTexts& row);

} // namespace mardex
