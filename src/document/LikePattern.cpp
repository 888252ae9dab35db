#include "document/LikePattern.h"

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

bool Match(std::string_view text, std::size_t t, std::string_view pattern, std::size_t p, int depth)
{
    if (depth > 10000) return false;
    while (p < pattern.size()) {
        const char pc = pattern[p];
        if (pc == '*') {
            while (p < pattern.size() && pattern[p] == '*') ++p;
            if (p == pattern.size()) return true;
            for (std::size_t k = t; k <= text.size(); ++k)
                if (Match(text, k, pattern, p, depth + 1)) return true;
            return false;
        }
        if (t >= text.size()) return false;
        const char c = text[t];
        if (pc == '?') {
            ++p;
        } else if (pc == '#') {
            if (c < '0' || c > '9') return false;
            ++p;
        } else if (pc == '[') {
            std::size_t next = 0;
            if (!ListMatches(c, pattern, p, next)) return false;
            p = next;
        } else {
            if (c != pc) return false;
            ++p;
        }
        ++t;
    }
    return t == text.size();
}

} // namespace

bool MatchesLike(std::string_view text, std::string_view pattern) { return Match(text, 0, pattern, 0, 0); }

} // namespace mardex
