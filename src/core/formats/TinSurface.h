#pragma once
// A triangulated surface (LandXML TIN): points and triangles in plan with
// elevations, indexed by their bounding boxes so that a section line looks
// only at the triangles near it.
#include "formats/AlignmentGeometry.h"
#include "formats/CrossSectionArea.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace mardex {

struct TinPoint {
    double x = 0, y = 0, z = 0;
};

class TinSurface {
public:
    // `triangles` holds three indices into `points` per triangle; triangles
    // without area are left out.
    TinSurface(std::vector<TinPoint> points, const std::vector<std::uint32_t>& triangles);
    ~TinSurface();
    TinSurface(TinSurface&&) noexcept;
    TinSurface& operator=(TinSurface&&) noexcept;

    std::size_t TriangleCount() const { return triangles_.size(); }

    // The surface along the straight line from `from` to `to`, as offsets
    // `fromOffset` .. `toOffset` (linear along the line) with elevations: at
    // both ends and wherever the line crosses a triangle's edge. nullopt when
    // part of the line lies outside the surface.
    std::optional<std::vector<SectionPoint>> Along(PlanPoint from, PlanPoint to, double fromOffset,
                                                   double toOffset) const;

private:
    struct Triangle {
        std::uint32_t a, b, c;  // anticlockwise
    };
    struct Index;

    double ElevationAt(const Triangle& t, PlanPoint p) const;

    std::vector<TinPoint> points_;
    std::vector<Triangle> triangles_;
    std::unique_ptr<Index> index_;
};

} // namespace mardex
