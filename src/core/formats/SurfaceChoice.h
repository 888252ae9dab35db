#pragma once
// The two cross-section surfaces end areas are measured between.
#include <string>

namespace mardex {

struct SurfaceChoice {
    std::string ground;
    std::string design;

    bool Complete() const { return !ground.empty() && !design.empty(); }
};

} // namespace mardex
