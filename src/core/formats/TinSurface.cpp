#include "formats/TinSurface.h"

#include <boost/geometry.hpp>
#include <boost/geometry/index/rtree.hpp>

#include <algorithm>
#include <cmath>

namespace mardex {

namespace bg = boost::geometry;
namespace bgi = boost::geometry::index;

// Boxes in single precision, rounded outwards: half the index's memory, and
// a box still holds its whole triangle.
using IndexPoint = bg::model::point<float, 2, bg::cs::cartesian>;
using IndexBox = bg::model::box<IndexPoint>;
using IndexEntry = std::pair<IndexBox, std::uint32_t>;

struct TinSurface::Index {
    bgi::rtree<IndexEntry, bgi::rstar<16>> tree;
};

namespace {

double Cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

float Below(double v)
{
    const auto f = static_cast<float>(v);
    return f > v ? std::nextafter(f, -INFINITY) : f;
}

float Above(double v)
{
    const auto f = static_cast<float>(v);
    return f < v ? std::nextafter(f, INFINITY) : f;
}

IndexBox BoxAround(double x0, double y0, double x1, double y1)
{
    return {{Below(x0), Below(y0)}, {Above(x1), Above(y1)}};
}

} // namespace

TinSurface::TinSurface(std::vector<TinPoint> points, const std::vector<std::uint32_t>& triangles)
    : points_(std::move(points)), index_(std::make_unique<Index>())
{
    std::vector<IndexEntry> entries;
    triangles_.reserve(triangles.size() / 3);
    entries.reserve(triangles.size() / 3);
    for (std::size_t k = 0; k + 2 < triangles.size(); k += 3) {
        Triangle t{triangles[k], triangles[k + 1], triangles[k + 2]};
        const TinPoint &a = points_[t.a], &b = points_[t.b], &c = points_[t.c];
        const double area = Cross(b.x - a.x, b.y - a.y, c.x - a.x, c.y - a.y);
        if (!(area != 0)) continue;
        if (area < 0) std::swap(t.b, t.c);
        const IndexBox box = BoxAround(std::min({a.x, b.x, c.x}), std::min({a.y, b.y, c.y}), std::max({a.x, b.x, c.x}),
                                       std::max({a.y, b.y, c.y}));
        entries.emplace_back(box, static_cast<std::uint32_t>(triangles_.size()));
        triangles_.push_back(t);
    }
    // Bulk loading packs the tree in one pass, far faster than inserting.
    index_->tree = bgi::rtree<IndexEntry, bgi::rstar<16>>(entries.begin(), entries.end());
}

TinSurface::~TinSurface() = default;
TinSurface::TinSurface(TinSurface&&) noexcept = default;
TinSurface& TinSurface::operator=(TinSurface&&) noexcept = default;

double TinSurface::ElevationAt(const Triangle& t, PlanPoint p) const
{
    const TinPoint &a = points_[t.a], &b = points_[t.b], &c = points_[t.c];
    const double area = Cross(b.x - a.x, b.y - a.y, c.x - a.x, c.y - a.y);
    const double wb = Cross(p.x - a.x, p.y - a.y, c.x - a.x, c.y - a.y) / area;
    const double wc = Cross(b.x - a.x, b.y - a.y, p.x - a.x, p.y - a.y) / area;
    return a.z + wb * (b.z - a.z) + wc * (c.z - a.z);
}

std::optional<std::vector<SectionPoint>> TinSurface::Along(PlanPoint from, PlanPoint to, double fromOffset,
                                                           double toOffset) const
{
    const double dx = to.x - from.x, dy = to.y - from.y;
    struct Piece {
        double t0, t1;
        std::uint32_t triangle;
    };
    std::vector<Piece> pieces;
    const IndexBox box = BoxAround(std::min(from.x, to.x), std::min(from.y, to.y), std::max(from.x, to.x), std::max(from.y, to.y));
    for (auto it = index_->tree.qbegin(bgi::intersects(box)); it != index_->tree.qend(); ++it) {
        const Triangle& t = triangles_[it->second];
        const TinPoint* corners[] = {&points_[t.a], &points_[t.b], &points_[t.c]};
        // The part of the line inside the triangle: inside each edge's half-plane.
        double t0 = 0, t1 = 1;
        for (int e = 0; e < 3 && t0 <= t1; ++e) {
            const TinPoint& p = *corners[e];
            const TinPoint& q = *corners[(e + 1) % 3];
            const double ex = q.x - p.x, ey = q.y - p.y;
            const double at0 = Cross(ex, ey, from.x - p.x, from.y - p.y);
            const double slope = Cross(ex, ey, dx, dy);
            if (slope == 0) {
                if (at0 < 0) t1 = -1;
            } else if (slope > 0) {
                t0 = std::max(t0, -at0 / slope);
            } else {
                t1 = std::min(t1, -at0 / slope);
            }
        }
        if (t0 <= t1) pieces.push_back({t0, t1, it->second});
    }
    std::sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) { return a.t0 < b.t0; });

    // Rounding at shared edges leaves slivers far below a millimetre.
    constexpr double Gap = 1e-9;
    double covered = 0;
    for (const Piece& p : pieces) {
        if (p.t0 > covered + Gap) return std::nullopt;
        covered = std::max(covered, p.t1);
    }
    if (pieces.empty() || covered < 1 - Gap) return std::nullopt;

    struct Sample {
        double t, z;
    };
    std::vector<Sample> samples;
    samples.reserve(2 * pieces.size());
    for (const Piece& p : pieces)
        for (const double t : {p.t0, p.t1})
            samples.push_back({t, ElevationAt(triangles_[p.triangle], {from.x + dx * t, from.y + dy * t})});
    std::stable_sort(samples.begin(), samples.end(), [](const Sample& a, const Sample& b) { return a.t < b.t; });
    std::vector<SectionPoint> line;
    line.reserve(samples.size());
    const double span = toOffset - fromOffset;
    for (const Sample& s : samples) {
        const double offset = fromOffset + s.t * span;
        if (!line.empty() && std::abs(offset - line.back().offset) <= Gap * std::abs(span)) continue;
        line.push_back({offset, s.z});
    }
    line.front().offset = fromOffset;
    line.back().offset = toOffset;
    return line;
}

} // namespace mardex
