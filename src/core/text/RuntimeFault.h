#pragma once
// A run-time failure with the description the error box shows
// ("Subscript out of range", "Type mismatch", "Overflow", ...).
#include <stdexcept>

namespace mardex {

struct RuntimeFault : std::runtime_error {
    using std::runtime_error::runtime_error;
};

} // namespace mardex
