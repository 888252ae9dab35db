#include "compute/HaulPlanTable.h"

#include "formats/CsvTable.h"
#include "text/NumberText.h"

namespace mardex {

namespace {

const char* KindName(PlanMoveKind kind)
{
    switch (kind) {
    case PlanMoveKind::Move: return "move";
    case PlanMoveKind::Borrow: return "borrow";
    case PlanMoveKind::Waste: return "waste";
    }
    return "";
}

// A summary's distance is the average haul: its volume-weighted distance.
std::vector<std::string> Summary(const char* kind, const std::string& from, const std::string& to, double volume,
                                 double moment, double overhaul, double site)
{
    return {kind, from, to, FormatArea(volume), FormatArea(volume > 0 ? moment / volume : 0), FormatArea(overhaul),
            FormatArea(site)};
}

} // namespace

std::vector<std::vector<std::string>> HaulPlanLines(const HaulPlan& plan)
{
    std::vector<std::vector<std::string>> lines;
    double totalMoment = 0;
    for (const PlanStretch& s : plan.stretches) {
        double moment = 0;
        for (const PlanMove& m : s.moves) {
            lines.push_back({KindName(m.kind), m.from.label, m.to.label, FormatArea(m.volume), FormatArea(m.distance),
                             FormatArea(m.overhaulCost), FormatArea(m.siteCost)});
            moment += m.volume * m.distance;
        }
        lines.push_back(Summary("stretch", s.first.label, s.last.label, s.volume, moment, s.overhaulCost, s.siteCost));
        totalMoment += moment;
    }
    const std::string first = plan.stretches.empty() ? "" : plan.stretches.front().first.label;
    const std::string last = plan.stretches.empty() ? "" : plan.stretches.back().last.label;
    lines.push_back(Summary("total", first, last, plan.volume, totalMoment, plan.overhaulCost, plan.siteCost));
    return lines;
}

std::string HaulPlanText(const HaulPlan& plan, int* count)
{
    std::string out = HaulPlanHeader;
    out += '\n';
    const auto lines = HaulPlanLines(plan);
    for (const auto& fields : lines) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i) out += ',';
            out += CsvField(fields[i]);
        }
        out += '\n';
    }
    if (count) *count = static_cast<int>(lines.size());
    return out;
}

std::vector<std::string> EconomicHaulLines(const HaulPlan& plan, bool metric)
{
    std::vector<std::string> out;
    for (const EconomicHaulLimit& l : plan.limits)
        out.push_back("limit of economic haul " + l.borrow + " to " + l.waste + " (stretch " + std::to_string(l.stretch) +
                      "): " + (l.distance ? FormatArea(*l.distance) + (metric ? " m" : " ft") : "none (no overhaul price)"));
    return out;
}

} // namespace mardex
