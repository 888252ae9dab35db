#include "render/HaulPlanDrawing.h"

#include "render/ReportSurface.h"
#include "text/NumberText.h"

#include <algorithm>

namespace mardex {

namespace {

constexpr double LaneHeight = 0.45;  // cells
constexpr std::size_t MostLanes = 10;

} // namespace

std::string HaulPlanCaption(const HaulPlan& plan, const HaulAnalysis& haul, bool metric)
{
    std::string text = "Haul plan: least cost " + FormatArea(plan.Cost()) + " (overhaul " + FormatArea(plan.overhaulCost) +
                       ", sites " + FormatArea(plan.siteCost) + ")    Classic overhaul cost: ";
    text += haul.options.FreeHaulGiven() && haul.options.price ? FormatArea(haul.total.overhaulCost) : std::string("none");
    for (const EconomicHaulLimit& l : plan.limits)
        text += "    LEH " + l.borrow + "/" + l.waste + ": " +
                (l.distance ? FormatArea(*l.distance) + (metric ? " m" : " ft") : std::string("none"));
    return text;
}

void DrawHaulPlan(ReportSurface& s, const HaulAnalysis& haul, const PlotFrame& f, bool metric)
{
    if (!haul.plan) return;
    const HaulPlan& plan = *haul.plan;
    // Lanes fill upwards from the foot of the plot; a move takes the lowest
    // lane free over its span (the last lane takes the rest).
    std::vector<double> laneEnds;
    for (const PlanStretch& stretch : plan.stretches) {
        for (const PlanMove& m : stretch.moves) {
            const double a = f.X(std::min(m.from.x, m.to.x)), b = f.X(std::max(m.from.x, m.to.x));
            if (b - a < 0.05) continue;  // a row's own cut into its own fill
            std::size_t lane = 0;
            while (lane < laneEnds.size() && laneEnds[lane] > a) ++lane;
            if (lane == laneEnds.size() && laneEnds.size() < MostLanes) laneEnds.push_back(b);
            lane = std::min(lane, laneEnds.size() - 1);
            laneEnds[lane] = std::max(laneEnds[lane], b);
            // Above the sites' labels on the axis.
            const double y = f.bottom - 1.3 - LaneHeight * static_cast<double>(lane + 1);
            if (m.kind == PlanMoveKind::Move) {
                s.FillPolygon({{a, y}, {b, y}, {b, y + LaneHeight * 0.6}, {a, y + LaneHeight * 0.6}}, FillStyle::Shade);
                s.DrawLine(a, y, b - a, 0);
                s.DrawLine(a, y + LaneHeight * 0.6, b - a, 0);
            } else {
                s.DrawStyledLine(a, y + LaneHeight * 0.3, b - a, 0, LineStyle::Dashed);
            }
            // An arrow head where the material arrives.
            const double to = f.X(m.to.x), dir = m.to.x >= m.from.x ? -1 : 1;
            s.DrawLine(to, y + LaneHeight * 0.3, dir * 0.3, -0.2);
            s.DrawLine(to, y + LaneHeight * 0.3, dir * 0.3, 0.2);
        }
    }
    s.SetFontSize(7);
    s.SetBold(true);
    s.SetTransparentText(false);
    for (const PlanSite& site : plan.sites) {
        const double x = f.X(site.x);
        s.FillPolygon({{x, f.bottom}, {x - 0.35, f.bottom - 0.5}, {x + 0.35, f.bottom - 0.5}},
                      site.borrow ? FillStyle::Shade : FillStyle::Hatch);
        s.DrawLine(x, f.bottom, -0.35, -0.5);
        s.DrawLine(x, f.bottom, 0.35, -0.5);
        s.DrawLine(x - 0.35, f.bottom - 0.5, 0.7, 0);
        const std::string label = std::string(site.borrow ? "B " : "W ") + site.name;
        s.SetPosition(std::clamp(x + 0.4, f.left + 0.2, f.right - 0.2 - static_cast<double>(label.size()) * 0.7), f.bottom - 1.0);
        s.PrintText(label);
    }
    s.SetBold(false);
    s.SetTransparentText(true);
    s.SetFontSize(8);
    s.SetPosition(f.left, 3.6);
    s.PrintText(HaulPlanCaption(plan, haul, metric));
    // Right of the station axis's caption.
    const std::string legend = "Bands: haul plan (dashed: borrow, waste)  B/W: pits, sites";
    s.SetFontSize(7);
    s.SetPosition(f.right - static_cast<double>(legend.size()) * 0.7, f.bottom + 1.8);
    s.PrintText(legend);
}

} // namespace mardex
