#pragma once
// Most procedures of the program catch any failure of their own steps, show
// the program-wide error message and carry on with their default result.
#include "app/Prompter.h"
#include "text/RuntimeFault.h"

#include <stdexcept>
#include <string>

namespace mardex {

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
