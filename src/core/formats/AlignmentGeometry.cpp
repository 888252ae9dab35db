#include "formats/AlignmentGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace mardex {

namespace {

constexpr double Pi = std::numbers::pi;

double Heading(PlanPoint from, PlanPoint to) { return std::atan2(to.y - from.y, to.x - from.x); }

double Distance(PlanPoint a, PlanPoint b) { return std::hypot(b.x - a.x, b.y - a.y); }

double Curvature(double radius, bool clockwise)
{
    if (!std::isfinite(radius) || radius == 0) return 0;
    return (clockwise ? -1 : 1) / std::abs(radius);
}

} // namespace

void AlignmentGeometry::Add(Element e)
{
    e.from = Length();
    elements_.push_back(e);
}

void AlignmentGeometry::AddLine(PlanPoint start, PlanPoint end)
{
    Add({Kind::Line, 0, Distance(start, end), start, Heading(start, end), 0, 0, {}});
}

void AlignmentGeometry::AddCurve(PlanPoint start, PlanPoint center, PlanPoint end, bool clockwise)
{
    const double radius = Distance(center, start);
    if (radius == 0) return AddLine(start, end);
    double sweep = Heading(center, end) - Heading(center, start);
    // The turn in the arc's own sense, in (0, 2 pi].
    if (clockwise) sweep = -sweep;
    while (sweep <= 0) sweep += 2 * Pi;
    while (sweep > 2 * Pi) sweep -= 2 * Pi;
    const double tangent = Heading(center, start) + (clockwise ? -Pi / 2 : Pi / 2);
    Add({Kind::Arc, 0, radius * sweep, start, tangent, Curvature(radius, clockwise), 0, center});
}

void AlignmentGeometry::AddSpiral(PlanPoint start, PlanPoint tangentPoint, double length, double radiusStart,
                                  double radiusEnd, bool clockwise)
{
    const double k0 = Curvature(radiusStart, clockwise), k1 = Curvature(radiusEnd, clockwise);
    Add({Kind::Spiral, 0, length, start, Heading(start, tangentPoint), k0, length > 0 ? (k1 - k0) / length : 0, {}});
}

// The clothoid's position is the integral of its direction; Gauss-Legendre
// on short pieces is exact to well below a millimetre for any road spiral.
AlignmentFrame AlignmentGeometry::SpiralAt(const Element& e, double s)
{
    auto heading = [&](double u) { return e.heading + e.curvature * u + e.curvatureRate * u * u / 2; };
    static constexpr double nodes[] = {-0.906179845938664, -0.538469310105683, 0.0, 0.538469310105683,
                                       0.906179845938664};
    static constexpr double weights[] = {0.236926885056189, 0.478628670499366, 0.568888888888889,
                                         0.478628670499366, 0.236926885056189};
    // Pieces of 10 at most, and never more than a spiral of 20 km needs.
    const int pieces = std::clamp(static_cast<int>(std::ceil(s / 10)), 1, 2000);
    const double h = s / pieces;
    double x = e.start.x, y = e.start.y;
    for (int p = 0; p < pieces; ++p) {
        const double mid = (p + 0.5) * h;
        for (int k = 0; k < 5; ++k) {
            const double a = heading(mid + nodes[k] * h / 2);
            x += weights[k] * std::cos(a) * h / 2;
            y += weights[k] * std::sin(a) * h / 2;
        }
    }
    const double a = heading(s);
    return {{x, y}, {std::cos(a), std::sin(a)}};
}

std::optional<AlignmentFrame> AlignmentGeometry::At(double distance) const
{
    // A section exactly at either end may be a rounding away from it.
    const double slack = 1e-6 * std::max(1.0, Length());
    if (elements_.empty() || distance < -slack || distance > Length() + slack) return std::nullopt;
    auto it = std::upper_bound(elements_.begin(), elements_.end(), distance,
                               [](double d, const Element& e) { return d < e.from; });
    const Element& e = *std::prev(it == elements_.begin() ? std::next(it) : it);
    const double s = std::clamp(distance - e.from, 0.0, e.length);
    switch (e.kind) {
    case Kind::Line:
        return AlignmentFrame{{e.start.x + std::cos(e.heading) * s, e.start.y + std::sin(e.heading) * s},
                              {std::cos(e.heading), std::sin(e.heading)}};
    case Kind::Arc: {
        const double a = e.heading + e.curvature * s;
        const double r = 1 / e.curvature;  // signed: negative turns right
        return AlignmentFrame{{e.center.x + r * std::sin(a), e.center.y - r * std::cos(a)}, {std::cos(a), std::sin(a)}};
    }
    case Kind::Spiral:
        return SpiralAt(e, s);
    }
    return std::nullopt;
}

} // namespace mardex
