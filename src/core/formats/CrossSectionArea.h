#pragma once
// Cut and fill end areas between two cross-section surfaces.
#include <vector>

namespace mardex {

struct SectionPoint {
    double offset = 0;
    double elevation = 0;
};

struct CutFill {
    double cut = 0;   // ground above design
    double fill = 0;  // design above ground
};

// Both surfaces are polylines with offsets that never decrease (two points
// at one offset make a vertical step). Only the offsets both surfaces cover
// count; where the lines cross, the strip is split at the crossing.
CutFill AreasBetween(const std::vector<SectionPoint>& ground, const std::vector<SectionPoint>& design);

} // namespace mardex
