#pragma once
// The two cross-section surfaces end areas are measured between.
#include <string>
#include <vector>

namespace mardex {

struct SurfaceChoice {
    std::string ground;  // a section line, or a TIN the ground line is sampled from
    std::string design;

    bool Complete() const { return !ground.empty() && !design.empty(); }
};

// The surfaces a LandXML file offers: the names of its cross-section lines
// (in order of first appearance) and of its TIN surfaces.
struct SurfaceNames {
    std::vector<std::string> lines;
    std::vector<std::string> tins;
};

} // namespace mardex
