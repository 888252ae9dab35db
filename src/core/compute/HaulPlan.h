#pragma once
// The cheapest haul plan of a sheet: where each load of cut goes (a fill or a
// waste site) and where each fill comes from (a cut or a borrow pit), at the
// least cost of overhaul and site fees, within the sites' capacities.
//
// A row's TOTAL CUT-VOL and ADJUSTED FILL-VOL lie at the middle of its
// interval on the mass-haul diagram's distance axis (the first row at its own
// place); a forced balance is a barrier no move crosses, so each stretch
// between barriers is planned on its own. A move of volume v over distance d
// (plus each site's access road) costs v * P * max(0, d - F) / 100, plus
// v * u at a site.
#include "compute/MassCurve.h"
#include "compute/TransportSolver.h"
#include "formats/HaulSitesFile.h"

#include <optional>
#include <string>
#include <vector>

namespace mardex {

struct HaulPlanOptions {
    double freeHaul = 0;  // F, feet or metres
    double price = 0;     // P, per unit of volume per station of overhaul
};

enum class PlanMoveKind { Move, Borrow, Waste };

// A place the plan moves material from or to: a row or a site.
struct PlanEnd {
    std::string label;     // the row's printed station, or the site's name
    double x = 0;          // on the diagram's distance axis
};

struct PlanMove {
    PlanMoveKind kind = PlanMoveKind::Move;
    PlanEnd from, to;
    double volume = 0, distance = 0, overhaulCost = 0, siteCost = 0;
};

// A borrow pit or waste site where the plan places it.
struct PlanSite {
    std::string name;
    bool borrow = true;
    double x = 0;
    int stretch = 0;   // 1-based
    double used = 0;   // volume the plan takes from it or brings to it
};

struct PlanStretch {
    int number = 0;               // 1-based, in the order of the alignment
    PlanEnd first, last;          // its first and last rows
    std::vector<PlanMove> moves;  // moves, then borrow, then waste, by place
    double volume = 0, overhaulCost = 0, siteCost = 0;
    double Cost() const { return overhaulCost + siteCost; }
};

// Limit of economic haul of a borrow pit and a waste site of one stretch:
// F + 100 (u_borrow + u_waste) / P; none when P is 0.
struct EconomicHaulLimit {
    std::string borrow, waste;
    int stretch = 0;
    std::optional<double> distance;
};

struct HaulPlan {
    HaulPlanOptions options;
    // Empty when planned; otherwise why not, and nothing else is filled in:
    // "refused: ..." (the input) or "infeasible: stretch 2 (...): 270.00 missing".
    std::string refusal;
    std::vector<PlanStretch> stretches;
    std::vector<PlanSite> sites;
    std::vector<EconomicHaulLimit> limits;
    double volume = 0, overhaulCost = 0, siteCost = 0;
    double Cost() const { return overhaulCost + siteCost; }
    bool ok() const { return refusal.empty(); }
};

// The refusal of options that are not numbers of at least 0.
inline constexpr const char* PlanOptionsRefusal = "refused: F and P must be given and >= 0";

HaulPlan PlanHaul(const std::vector<MassRow>& rows, const HaulSites& sites, const HaulPlanOptions& options,
                  TransportSolver& solver);

// Per unit of volume: P * max(0, d - F) / 100.
double OverhaulPerUnit(double distance, const HaulPlanOptions& options);

} // namespace mardex
