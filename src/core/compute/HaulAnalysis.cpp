#include "compute/HaulAnalysis.h"

#include "text/NumberText.h"

#include <algorithm>
#include <cmath>

namespace mardex {

namespace {

// Widths are sums of station differences: compare them with some slack.
constexpr double Slack = 1e-9;

HaulPlace PlaceOf(const MassPoint& p) { return {p.x, p.stationText}; }

// The curve with a point added at every crossing of zero, and starting from
// zero: a first row that already moves material (its added volumes) rises
// from zero at its own station.
std::vector<MassPoint> CutAtZero(const std::vector<MassPoint>& curve)
{
    std::vector<MassPoint> out;
    out.reserve(curve.size() + curve.size() / 4 + 2);
    for (std::size_t i = 0; i < curve.size(); ++i) {
        const MassPoint& b = curve[i];
        if (i == 0) {
            if (b.y != 0) {
                MassPoint start = b;
                start.y = 0;
                start.beforeReset = false;
                out.push_back(start);
            }
        } else {
            const MassPoint& a = curve[i - 1];
            if ((a.y < 0 && b.y > 0) || (a.y > 0 && b.y < 0)) {
                MassPoint zero;
                zero.x = a.x + (0 - a.y) / (b.y - a.y) * (b.x - a.x);
                zero.station = StationOnSegment(curve, i, zero.x);
                zero.stationText = FormatStation(zero.station);
                zero.row = b.row;
                out.push_back(zero);
            }
        }
        out.push_back(b);
    }
    return out;
}

double Moment(const std::vector<MassPoint>& p, std::size_t from, std::size_t to)
{
    double sum = 0;
    for (std::size_t i = from + 1; i <= to; ++i) sum += (std::abs(p[i - 1].y) + std::abs(p[i].y)) / 2 * (p[i].x - p[i - 1].x);
    return sum / 100;
}

// The stretch around the peak where |y| >= level: the crossing segments
// (j - 1, j) on the left and (k, k + 1) on the right.
struct Stretch {
    std::size_t j = 0, k = 0;
};

Stretch StretchAt(const std::vector<MassPoint>& p, std::size_t peak, double level)
{
    Stretch s{peak, peak};
    // The loop's ends are zero: the walk stops on its first and last segments.
    while (s.j > 1 && std::abs(p[s.j - 1].y) >= level) --s.j;
    while (s.k + 2 < p.size() && std::abs(p[s.k + 1].y) >= level) ++s.k;
    return s;
}

double LeftEnd(const std::vector<MassPoint>& p, const Stretch& s, double level)
{
    const double lo = std::abs(p[s.j - 1].y), hi = std::abs(p[s.j].y);
    return p[s.j - 1].x + (level - lo) / (hi - lo) * (p[s.j].x - p[s.j - 1].x);
}

double RightEnd(const std::vector<MassPoint>& p, const Stretch& s, double level)
{
    const double hi = std::abs(p[s.k].y), lo = std::abs(p[s.k + 1].y);
    return p[s.k].x + (hi - level) / (hi - lo) * (p[s.k + 1].x - p[s.k].x);
}

double WidthAt(const std::vector<MassPoint>& p, std::size_t peak, double level)
{
    const Stretch s = StretchAt(p, peak, level);
    return RightEnd(p, s, level) - LeftEnd(p, s, level);
}

// The free-haul line of a loop wider than the free-haul distance: the
// highest level whose stretch around the first peak is at least that wide.
void FreeHaul(HaulLine& loop, double freeHaul)
{
    const std::vector<MassPoint>& p = loop.points;
    std::size_t peak = 0;
    while (std::abs(p[peak].y) != loop.volume) ++peak;

    // The width only changes slope or jumps at the levels of the points; it
    // grows as the level falls, to the whole loop's width just above zero.
    std::vector<double> levels;
    for (const MassPoint& q : p)
        if (q.y != 0) levels.push_back(std::abs(q.y));
    std::sort(levels.begin(), levels.end(), std::greater<>());
    levels.erase(std::unique(levels.begin(), levels.end()), levels.end());
    const auto wide = std::partition_point(levels.begin(), levels.end(),
                                           [&](double l) { return WidthAt(p, peak, l) < freeHaul - Slack; });
    double level = wide == levels.end() ? 0 : *wide;
    if (wide != levels.begin()) {
        // Between this level and the next higher one the ends move linearly.
        const double high = *(wide - 1);
        const Stretch s = StretchAt(p, peak, (level + high) / 2);
        const double leftSlope = (p[s.j].x - p[s.j - 1].x) / (std::abs(p[s.j].y) - std::abs(p[s.j - 1].y));
        const double rightSlope = (p[s.k + 1].x - p[s.k].x) / (std::abs(p[s.k].y) - std::abs(p[s.k + 1].y));
        const double slopes = leftSlope + rightSlope;
        if (slopes > 0) {
            // width(L) = c - L * slopes on (level, high)
            const double c = p[s.k].x + std::abs(p[s.k].y) * rightSlope - (p[s.j - 1].x - std::abs(p[s.j - 1].y) * leftSlope);
            const double solved = (c - freeHaul) / slopes;
            // At the lower level itself the stretch may join a second hump:
            // a width of exactly F there (up to rounding) keeps the join.
            if (solved > level + 1e-6) level = std::min(solved, high);
        }
    }
    const Stretch s = StretchAt(p, peak, level);
    const double a = LeftEnd(p, s, level), b = RightEnd(p, s, level);
    loop.freeFrom = {a, FormatStation(StationOnSegment(p, s.j, a))};
    loop.freeTo = {b, FormatStation(StationOnSegment(p, s.k + 1, b))};
    // An end on a point (or on an equation's step) takes the station the
    // later point prints.
    if (a == p[s.j].x) loop.freeFrom.station = p[s.j].stationText;
    if (b == p[s.k + 1].x) loop.freeTo.station = p[s.k + 1].stationText;
    else if (b == p[s.k].x) loop.freeTo.station = p[s.k].stationText;

    const double lo = std::abs(p[s.j - 1].y), hi = std::abs(p[s.k + 1].y);
    const double outside = Moment(p, 0, s.j - 1) + (lo + level) / 2 * (a - p[s.j - 1].x) / 100 +
                           (level + hi) / 2 * (p[s.k + 1].x - b) / 100 + Moment(p, s.k + 1, p.size() - 1);
    loop.overhaulVolume = level;
    loop.overhaulMoment = outside;
}

HaulLine Span(const std::vector<MassPoint>& cut, std::size_t from, std::size_t to, HaulKind kind)
{
    HaulLine line;
    line.kind = kind;
    line.points.assign(cut.begin() + static_cast<std::ptrdiff_t>(from), cut.begin() + static_cast<std::ptrdiff_t>(to) + 1);
    line.from = PlaceOf(cut[from]);
    line.to = PlaceOf(cut[to]);
    for (const MassPoint& p : line.points) {
        line.volume = std::max(line.volume, std::abs(p.y));
        if (line.direction == 0 && p.y != 0) line.direction = p.y > 0 ? 1 : -1;
    }
    line.moment = Moment(cut, from, to);
    line.averageHaul = line.volume > 0 ? line.moment * 100 / line.volume : 0;
    return line;
}

HaulLine WasteOrBorrow(const MassPoint& at, double ordinate)
{
    HaulLine line;
    line.kind = ordinate > 0 ? HaulKind::Waste : HaulKind::Borrow;
    line.from = line.to = PlaceOf(at);
    line.volume = std::abs(ordinate);
    return line;
}

} // namespace

HaulAnalysis AnalyseHaul(const std::vector<MassRow>& rows, const HaulOptions& options)
{
    HaulAnalysis h;
    h.options = options;
    h.curve = BuildMassCurve(rows);
    h.total.kind = HaulKind::Total;
    h.total.freeHaul = options.FreeHaulGiven();
    if (h.curve.empty()) return h;

    const std::vector<MassPoint> cut = CutAtZero(h.curve);
    std::size_t last = 0;  // the last zero point
    for (std::size_t i = 0; i < cut.size(); ++i) {
        if (cut[i].y != 0) continue;
        if (h.zeroPoints.empty() || h.zeroPoints.back().x != cut[i].x) h.zeroPoints.push_back(PlaceOf(cut[i]));
        if (i > last + 1) {
            HaulLine loop = Span(cut, last, i, HaulKind::Loop);
            if (options.FreeHaulGiven()) {
                loop.freeHaul = true;
                if (loop.to.x - loop.from.x <= options.freeHaul + Slack) {
                    loop.freeFrom = loop.from;
                    loop.freeTo = loop.to;
                } else {
                    FreeHaul(loop, options.freeHaul);
                }
                if (options.price) loop.overhaulCost = loop.overhaulMoment * *options.price;
            }
            h.total.volume += loop.volume;
            h.total.moment += loop.moment;
            h.total.overhaulVolume += loop.overhaulVolume;
            h.total.overhaulMoment += loop.overhaulMoment;
            h.total.overhaulCost += loop.overhaulCost;
            h.lines.push_back(std::move(loop));
            if (cut[i - 1].beforeReset) h.lines.push_back(WasteOrBorrow(cut[i], cut[i - 1].y));
        }
        last = i;
    }
    if (last + 1 < cut.size()) {
        HaulLine open = Span(cut, last, cut.size() - 1, HaulKind::Open);
        h.total.moment += open.moment;
        h.lines.push_back(std::move(open));
        h.lines.push_back(WasteOrBorrow(cut.back(), cut.back().y));
    }
    return h;
}

} // namespace mardex
