#pragma once
// The number and station texts of the program: every cell, report field and
// document line that shows a number goes through these functions.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mardex {

// Blanks in the sense of "trimmed": spaces only.
std::string Trim(std::string_view text);
// The same as a view into `text`, for hot paths that keep no copy.
std::string_view TrimmedView(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);
std::string ToUpper(std::string_view text);

// "Reads as a number": optional blanks (space or tab) around, optional sign,
// digits with an optional point ("1." and ".5" count, "." alone does not),
// optional e/E exponent. No grouping, no hexadecimal.
bool ReadsAsNumber(std::string_view text);
// The value of a text that reads as a number; nullopt otherwise.
std::optional<double> ParseNumber(std::string_view text);

// "########00+00.000": hundreds, "+", two digits, three decimals.
// 1234.5 -> 12+34.500, 5 -> 00+05.000, -150 -> -01+50.000.
std::string FormatStation(double value);
// "##########0.00": at least one integer digit, two decimals.
std::string FormatArea(double value);
// Masks applied to a text: a text that reads as a plain number is formatted,
// any other text is returned unchanged.
std::string FormatStationText(std::string_view text);
std::string FormatAreaText(std::string_view text);

// "@@@@..." of the given width: right-aligned, longer text left whole.
std::string RightAlign(std::string_view text, std::size_t width);
// "00": at least two digits.
std::string TwoDigits(long value);

// The general text of a number: a whole number as plain digits, otherwise up
// to 15 significant digits; E notation from 1E+15 up and below 1E-04.
// This is also the "shortest form" of a number read from a text (1.00 -> 1,
// 0.90 -> 0.9).
std::string GeneralText(double value);

// A text that other programs write for a value that is no number: "nan",
// "inf", "infinity" in any case, with a sign or blanks around, "nan(...)".
bool NamesNonFiniteValue(std::string_view text);

// Station or number text -> number. Never fails: a text that cannot be read is 0.
double StationToNumber(std::string_view text);
// True when `text` is exactly what the station mask gives for its own value
// below 1e9 ("12+34.500", "-01+50.000"), as every station the program writes
// is; `value` is then StationToNumber(text), read in the same pass.
bool IsStationMaskText(std::string_view text, double& value);

// The integer nearest to x, halves going to the even neighbour.
double nearest(double x);

} // namespace mardex
