#pragma once
// Most procedures of the program catch any failure of their own steps, show
// the program-wide error message and carry on with their default result.
#include "app/Prompter.h"

#include <stdexcept>
#include <string>

namespace mardex {

// A run-time failure with the description the error box shows
// ("Subscript out of range", "Type mismatch", "Overflow", ...).
struct RuntimeFault : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Runs f; on a failure shows prefix + description + place and returns false.
template <class F>
bool Guarded(Prompter& ask, const std::string& prefix, const std::string& place, F&& f)
{
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        ErrorBox(ask, prefix, e.what(), place);
        return false;
    }
}

} // namespace mardex
