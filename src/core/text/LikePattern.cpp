#include "text/LikePattern.h"

namespace mardex {

namespace {

// Matches one "[...]" list starting at pattern[p] == '['; sets `next` to the
// index after "]". false with next = npos when the list is not closed.
bool ListMatches(char c, std::string_view pattern, std::size_t p, std::size_t& next)
{
    std::size_t i = p + 1;
    bool negate = false;
    if (i < pattern.size() && pattern[i] == '!') {
        negate = true;
        ++i;
    }
    bool hit = false;
    bool first = true;
    for (; i < pattern.size(); ++i) {
        if (pattern[i] == ']' && !first) break;
        first = false;
        if (i + 2 < pattern.size() && pattern[i + 1] == '-' && pattern[i + 2] != ']') {
            if (c >= pattern[i] && c <= pattern[i + 2]) hit = true;
            i += 2;
        } else if (pattern[i] == c) {
            hit = true;
        }
    }
    if (i >= pattern.size()) {
        next = std::string_view::npos;
        return false;
    }
    next = i + 1;
    return hit != negate;
}

// One pattern token (not "*") against one character; `next` is the index
// after the token, npos for a malformed list.
bool TokenMatches(char c, std::string_view pattern, std::size_t p, std::size_t& next)
{
    const char pc = pattern[p];
    if (pc == '[') return ListMatches(c, pattern, p, next);
    next = p + 1;
    if (pc == '?') return true;
    if (pc == '#') return c >= '0' && c <= '9';
    return c == pc;
}

// Every token but "*" takes exactly one character, so going back to the
// last "*" is enough: time grows with text size times pattern size, never
// exponentially, whatever a name read from a file holds.
bool Match(std::string_view text, std::string_view pattern)
{
    std::size_t t = 0, p = 0;
    std::size_t starP = std::string_view::npos, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = ++p;
            starT = t;
            continue;
        }
        std::size_t next = 0;
        if (p < pattern.size() && TokenMatches(text[t], pattern, p, next)) {
            p = next;
            ++t;
            continue;
        }
        if (p < pattern.size() && next == std::string_view::npos) return false;  // malformed list
        if (starP == std::string_view::npos) return false;
        p = starP;
        t = ++starT;
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

} // namespace

bool MatchesLike(std::string_view text, std::string_view pattern) { return Match(text, pattern); }

} // namespace mardex
