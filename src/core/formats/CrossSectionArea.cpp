#include "formats/CrossSectionArea.h"

#include <algorithm>

namespace mardex {

namespace {

// Walks one polyline from left to right, giving its height on each strip
// [a, b] that lies within one of its segments.
class Profile {
public:
    explicit Profile(const std::vector<SectionPoint>& points) : p_(points) {}

    // The segment for the strip starting at a: the last point at or left of
    // a begins it, so a vertical step at a counts with its right-hand side.
    void MoveTo(double a)
    {
        while (k_ + 2 < p_.size() && p_[k_ + 1].offset <= a) ++k_;
    }
    double At(double x) const
    {
        const SectionPoint& l = p_[k_];
        const SectionPoint& r = p_[k_ + 1];
        if (r.offset == l.offset) return r.elevation;
        return l.elevation + (r.elevation - l.elevation) * (x - l.offset) / (r.offset - l.offset);
    }

private:
    const std::vector<SectionPoint>& p_;
    std::size_t k_ = 0;
};

void AddStrip(CutFill& total, double d1, double d2, double width)
{
    if (d1 >= 0 && d2 >= 0) {
        total.cut += (d1 + d2) / 2 * width;
    } else if (d1 <= 0 && d2 <= 0) {
        total.fill -= (d1 + d2) / 2 * width;
    } else {
        const double t = d1 / (d1 - d2);  // where the lines cross
        const double left = d1 * t * width / 2;
        const double right = d2 * (1 - t) * width / 2;
        if (d1 > 0) {
            total.cut += left;
            total.fill -= right;
        } else {
            total.fill -= left;
            total.cut += right;
        }
    }
}

} // namespace

CutFill AreasBetween(const std::vector<SectionPoint>& ground, const std::vector<SectionPoint>& design)
{
    CutFill total;
    if (ground.size() < 2 || design.size() < 2) return total;
    const double lo = std::max(ground.front().offset, design.front().offset);
    const double hi = std::min(ground.back().offset, design.back().offset);
    if (!(lo < hi)) return total;

    std::vector<double> cuts;
    cuts.reserve(ground.size() + design.size() + 2);
    cuts.push_back(lo);
    cuts.push_back(hi);
    for (const auto* line : {&ground, &design})
        for (const SectionPoint& p : *line)
            if (p.offset > lo && p.offset < hi) cuts.push_back(p.offset);
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());

    Profile g(ground), d(design);
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const double a = cuts[i], b = cuts[i + 1];
        g.MoveTo(a);
        d.MoveTo(a);
        AddStrip(total, g.At(a) - d.At(a), g.At(b) - d.At(b), b - a);
    }
    return total;
}

} // namespace mardex
