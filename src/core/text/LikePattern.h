#pragma once
// The platform's pattern comparison ("Like"): "?" one character, "*" any
// run, "#" one digit, "[abc]" / "[a-z]" / "[!abc]" one character of (not of)
// a list. Case-sensitive.
#include <string_view>

namespace mardex {

// false for a malformed pattern (an unclosed "[").
bool MatchesLike(std::string_view text, std::string_view pattern);

} // namespace mardex
