#pragma once
#include <string_view>

namespace mardex {

// A station of a GEOPAK log as a number: three integer digits after the "+"
// mean kilometres and metres (1+000.000 is 1000), other forms keep the
// hundreds notation (10+00.00 is 1000). A text that is not a station reads as 0.
double LogStationToNumber(std::string_view text);

} // namespace mardex
