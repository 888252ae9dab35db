#pragma once
// A few handlers show the failure's number instead of its description.
#include <string>

namespace mardex {

inline int ErrorNumber(const std::string& description)
{
    struct Known { const char* text; int number; };
    static constexpr Known known[] = {
        {"Invalid procedure call or argument", 5},
        {"Overflow", 6},
        {"Out of memory", 7},
        {"Subscript out of range", 9},
        {"Division by zero", 11},
        {"Type mismatch", 13},
        {"File not found", 53},
        {"Input past end of file", 62},
        {"Permission denied", 70},
        {"Path not found", 76},
    };
    for (const Known& k : known)
        if (description == k.text) return k.number;
    return 5;
}

} // namespace mardex
