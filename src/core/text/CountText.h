#pragma once
// Counts in messages: "1 sheet", "3 sheets".
#include <string>
#include <string_view>

namespace mardex {

// A count and its noun, plural unless one.
inline std::string CountOf(long count, std::string_view noun)
{
    return std::to_string(count) + " " + std::string(noun) + (count == 1 ? "" : "s");
}

} // namespace mardex
