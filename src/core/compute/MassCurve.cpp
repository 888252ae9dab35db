#include "compute/MassCurve.h"

#include <algorithm>

namespace mardex {

std::vector<MassPoint> BuildMassCurve(const std::vector<MassRow>& rows)
{
    std::vector<MassPoint> curve;
    curve.reserve(rows.size() + 8);
    double x = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const MassRow& r = rows[i];
        if (!curve.empty()) {
            // Across an equation the distance stands still; a step back
            // without one is a fault of the stationing, not negative length.
            const double step = r.station - curve.back().station;
            if (!r.equationAhead) x += std::max(0.0, step);
        }
        const int index = static_cast<int>(i);
        if (r.forcedBalance) {
            const double previous = curve.empty() ? 0 : curve.back().y;
            curve.push_back({x, previous + r.cutVolume - r.adjustedFill, r.station, r.stationText, index, true});
        }
        curve.push_back({x, r.ordinate, r.station, r.stationText, index, false});
    }
    return curve;
}

double StationOnSegment(const std::vector<MassPoint>& curve, std::size_t i, double x)
{
    const MassPoint& a = curve[i - 1];
    const MassPoint& b = curve[i];
    if (b.x > a.x) return a.station + (x - a.x);
    return b.station;
}

} // namespace mardex
