#pragma once
// An alignment's horizontal geometry (LandXML CoordGeom): lines, circular
// arcs and clothoid spirals laid end to end. Plan coordinates are x east,
// y north; LandXML writes a point "northing easting".
#include <optional>
#include <vector>

namespace mardex {

struct PlanPoint {
    double x = 0;  // easting
    double y = 0;  // northing
};

// A point of the alignment and the unit direction of increasing stations.
struct AlignmentFrame {
    PlanPoint at;
    PlanPoint ahead;

    // The point `offset` to the right of the alignment (negative: left).
    PlanPoint Offset(double offset) const { return {at.x + ahead.y * offset, at.y - ahead.x * offset}; }
};

class AlignmentGeometry {
public:
    void AddLine(PlanPoint start, PlanPoint end);
    // An arc from `start` around `center` to `end`; `clockwise` as seen from above.
    void AddCurve(PlanPoint start, PlanPoint center, PlanPoint end, bool clockwise);
    // A clothoid of `length`: the curvature runs linearly from 1/radiusStart
    // to 1/radiusEnd (0 for an infinite radius); it leaves `start` towards
    // `tangentPoint` (the PI of its two tangents).
    void AddSpiral(PlanPoint start, PlanPoint tangentPoint, double length, double radiusStart, double radiusEnd,
                   bool clockwise);

    double Length() const { return elements_.empty() ? 0 : elements_.back().from + elements_.back().length; }
    bool Empty() const { return elements_.empty(); }
    // The frame at `distance` along the alignment from its start; nullopt
    // beyond either end.
    std::optional<AlignmentFrame> At(double distance) const;

private:
    enum class Kind { Line, Arc, Spiral };
    struct Element {
        Kind kind;
        double from = 0;    // distance of its start from the alignment's start
        double length = 0;
        PlanPoint start;
        double heading = 0;    // direction at the start, radians from east, anticlockwise
        double curvature = 0;  // at the start; positive turns left
        double curvatureRate = 0;  // change per unit of length (spirals)
        PlanPoint center;          // arcs
    };
    void Add(Element e);
    static AlignmentFrame SpiralAt(const Element& e, double s);

    std::vector<Element> elements_;
};

} // namespace mardex
