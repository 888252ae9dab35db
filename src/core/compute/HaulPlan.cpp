#include "compute/HaulPlan.h"

#include "text/NumberText.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace mardex {

namespace {

// Volumes are whole numbers and capacities have two decimals: anything
// smaller than this is the solver's rounding, not material.
constexpr double VolumeSlack = 1e-7;
// Fill rows priced per cut row and round when arcs are added.
constexpr int NearestFills = 4;
constexpr std::size_t AddedPerCutRow = 16;

struct PlanRow {
    std::string label;
    double x = 0, m = 0;
    double supply = 0, demand = 0;  // cut to place, fill to bring
};

// Distance along the diagram of every row: its curve point.
std::vector<double> RowDistances(const std::vector<MassRow>& rows)
{
    std::vector<double> x(rows.size(), 0.0);
    for (const MassPoint& p : BuildMassCurve(rows)) x[static_cast<std::size_t>(p.row)] = p.x;
    return x;
}

// Where a station lies along the diagram: its first place. Stretches where
// the distance grows hold the stations between their rows'.
enum class Placement { Found, Outside, InGap };
Placement PlaceStation(const std::vector<MassRow>& rows, const std::vector<double>& x, double station, double& at)
{
    double lo = rows.front().station, hi = lo;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const MassRow& r = rows[i];
        lo = std::min(lo, r.station);
        hi = std::max(hi, r.station);
        if (i > 0 && !r.equationAhead && x[i] > x[i - 1] && rows[i - 1].station < station && station < r.station) {
            at = x[i - 1] + (station - rows[i - 1].station);
            return Placement::Found;
        }
        if (r.station == station) {
            at = x[i];
            return Placement::Found;
        }
    }
    return station < lo || station > hi ? Placement::Outside : Placement::InGap;
}

struct Stretch {
    std::size_t begin = 0, end = 0;  // rows [begin, end)
    std::vector<std::size_t> sites;
};

class StretchPlanner {
public:
    StretchPlanner(const std::vector<PlanRow>& rows, const std::vector<HaulSite>& sites, const std::vector<PlanSite>& placed,
                   const HaulPlanOptions& options, TransportSolver& solver)
        : rows_(rows), sites_(sites), placed_(placed), options_(options), solver_(solver)
    {
    }

    // False when the stretch cannot be planned; `missing` says how much.
    bool Feasible(const Stretch& s, double& missing) const
    {
        double supply = 0, demand = 0, borrow = 0, waste = 0;
        for (std::size_t i = s.begin; i < s.end; ++i) {
            supply += rows_[i].supply;
            demand += rows_[i].demand;
        }
        for (std::size_t k : s.sites) (sites_[k].borrow ? borrow : waste) += sites_[k].capacity.value_or(Unlimited);
        missing = std::max(demand - supply - borrow, supply - demand - waste);
        return missing <= VolumeSlack;
    }

    // False when the solver found no optimum (it always should: the stretch is feasible).
    bool Plan(const Stretch& s, PlanStretch& out, std::vector<PlanSite>& placed)
    {
        Nodes(s);
        solver_.Start(sourceBounds_, sinkBounds_);
        std::vector<TransportArc> arcs = FirstArcs();
        for (;;) {
            solver_.AddArcs(arcs);
            arcs_.insert(arcs_.end(), arcs.begin(), arcs.end());
            if (!solver_.Solve()) return false;
            arcs = Cheaper();
            if (arcs.empty()) break;
        }
        Moves(out, placed);
        return true;
    }

private:
    double Overhaul(double distance) const { return OverhaulPerUnit(distance, options_); }
    double SiteDistance(std::size_t site, double m) const { return std::abs(m - placed_[site].x) + sites_[site].access; }
    double MoveCost(int cut, int fill) const { return Overhaul(std::abs(rows_[cutRows_[cut]].m - rows_[fillRows_[fill]].m)); }

    void Nodes(const Stretch& s)
    {
        cutRows_.clear();
        fillRows_.clear();
        pits_.clear();
        tips_.clear();
        sourceBounds_.clear();
        sinkBounds_.clear();
        arcs_.clear();
        for (std::size_t i = s.begin; i < s.end; ++i) {
            if (rows_[i].supply > 0) {
                cutRows_.push_back(i);
                sourceBounds_.push_back({rows_[i].supply, rows_[i].supply});
            }
            if (rows_[i].demand > 0) {
                fillRows_.push_back(i);
                sinkBounds_.push_back({rows_[i].demand, rows_[i].demand});
            }
        }
        for (std::size_t k : s.sites) {
            const double most = sites_[k].capacity.value_or(Unlimited);
            if (sites_[k].borrow) {
                pits_.push_back(k);
                sourceBounds_.push_back({0, most});
            } else {
                tips_.push_back(k);
                sinkBounds_.push_back({0, most});
            }
        }
        known_.assign(cutRows_.size() * fillRows_.size(), 0);
    }

    void AddMove(std::vector<TransportArc>& arcs, int cut, int fill)
    {
        auto& seen = known_[static_cast<std::size_t>(cut) * fillRows_.size() + static_cast<std::size_t>(fill)];
        if (seen) return;
        seen = 1;
        arcs.push_back({cut, fill, MoveCost(cut, fill)});
    }

    // Every site arc (there are few), the in-order pairing of cut with fill
    // along the stretch (so that the first problem is feasible whenever the
    // stretch is) and each cut row's nearest fills. The rest come in when
    // their cost is below what the answer prices them at.
    std::vector<TransportArc> FirstArcs()
    {
        std::vector<TransportArc> arcs;
        const int cuts = static_cast<int>(cutRows_.size()), fills = static_cast<int>(fillRows_.size());
        for (int c = 0; c < cuts; ++c)
            for (std::size_t t = 0; t < tips_.size(); ++t) {
                const std::size_t k = tips_[t];
                arcs.push_back({c, fills + static_cast<int>(t),
                                Overhaul(SiteDistance(k, rows_[cutRows_[c]].m)) + sites_[k].unitCost});
            }
        for (std::size_t p = 0; p < pits_.size(); ++p)
            for (int f = 0; f < fills; ++f) {
                const std::size_t k = pits_[p];
                arcs.push_back({cuts + static_cast<int>(p), f,
                                Overhaul(SiteDistance(k, rows_[fillRows_[f]].m)) + sites_[k].unitCost});
            }
        double leftCut = cuts ? rows_[cutRows_[0]].supply : 0, leftFill = fills ? rows_[fillRows_[0]].demand : 0;
        for (int c = 0, f = 0; c < cuts && f < fills;) {
            AddMove(arcs, c, f);
            const double v = std::min(leftCut, leftFill);
            leftCut -= v;
            leftFill -= v;
            if (leftCut <= 0 && ++c < cuts) leftCut = rows_[cutRows_[c]].supply;
            if (leftFill <= 0 && ++f < fills) leftFill = rows_[fillRows_[f]].demand;
        }
        for (int c = 0; c < cuts; ++c) {
            const auto at = std::lower_bound(fillRows_.begin(), fillRows_.end(), cutRows_[c]) - fillRows_.begin();
            for (auto f = std::max<std::ptrdiff_t>(0, at - NearestFills); f < std::min<std::ptrdiff_t>(fills, at + NearestFills); ++f)
                AddMove(arcs, c, static_cast<int>(f));
        }
        return arcs;
    }

    // The moves between rows that would lower the cost at the current
    // prices; none when the answer is the least over every move.
    std::vector<TransportArc> Cheaper()
    {
        std::vector<TransportArc> arcs;
        std::vector<std::pair<double, int>> worth;
        const int fills = static_cast<int>(fillRows_.size());
        for (int c = 0; c < static_cast<int>(cutRows_.size()); ++c) {
            worth.clear();
            const double price = solver_.SourcePrice(c);
            for (int f = 0; f < fills; ++f) {
                if (known_[static_cast<std::size_t>(c) * fillRows_.size() + static_cast<std::size_t>(f)]) continue;
                const double cost = MoveCost(c, f);
                const double reduced = cost - price - solver_.SinkPrice(f);
                if (reduced < -1e-7 * (1 + std::abs(cost))) worth.push_back({reduced, f});
            }
            if (worth.size() > AddedPerCutRow) {
                std::nth_element(worth.begin(), worth.begin() + AddedPerCutRow, worth.end());
                worth.resize(AddedPerCutRow);
            }
            for (const auto& w : worth) AddMove(arcs, c, w.second);
        }
        return arcs;
    }

    PlanEnd RowEnd(std::size_t row) const { return {rows_[row].label, rows_[row].m}; }
    PlanEnd SiteEnd(std::size_t site) const { return {placed_[site].name, placed_[site].x}; }

    void Moves(PlanStretch& out, std::vector<PlanSite>& placed) const
    {
        const auto& flows = solver_.Flows();
        const int cuts = static_cast<int>(cutRows_.size()), fills = static_cast<int>(fillRows_.size());
        struct Keyed {
            int order;
            std::size_t a, b;
            PlanMove move;
        };
        std::vector<Keyed> keyed;
        for (std::size_t i = 0; i < arcs_.size() && i < flows.size(); ++i) {
            if (flows[i] <= VolumeSlack) continue;
            const TransportArc& arc = arcs_[i];
            PlanMove m;
            m.volume = flows[i];
            Keyed k{0, 0, 0, {}};
            if (arc.source < cuts && arc.sink < fills) {
                const std::size_t a = cutRows_[arc.source], b = fillRows_[arc.sink];
                m.kind = PlanMoveKind::Move;
                m.from = RowEnd(a);
                m.to = RowEnd(b);
                m.distance = std::abs(rows_[a].m - rows_[b].m);
                k = {0, a, b, {}};
            } else if (arc.source >= cuts) {
                const std::size_t site = pits_[static_cast<std::size_t>(arc.source - cuts)], b = fillRows_[arc.sink];
                m.kind = PlanMoveKind::Borrow;
                m.from = SiteEnd(site);
                m.to = RowEnd(b);
                m.distance = SiteDistance(site, rows_[b].m);
                m.siteCost = m.volume * sites_[site].unitCost;
                placed[site].used += m.volume;
                k = {1, site, b, {}};
            } else {
                const std::size_t a = cutRows_[arc.source], site = tips_[static_cast<std::size_t>(arc.sink - fills)];
                m.kind = PlanMoveKind::Waste;
                m.from = RowEnd(a);
                m.to = SiteEnd(site);
                m.distance = SiteDistance(site, rows_[a].m);
                m.siteCost = m.volume * sites_[site].unitCost;
                placed[site].used += m.volume;
                k = {2, a, site, {}};
            }
            m.overhaulCost = m.volume * Overhaul(m.distance);
            k.move = std::move(m);
            keyed.push_back(std::move(k));
        }
        std::sort(keyed.begin(), keyed.end(), [](const Keyed& p, const Keyed& q) {
            return std::tie(p.order, p.a, p.b) < std::tie(q.order, q.a, q.b);
        });
        for (Keyed& k : keyed) {
            out.volume += k.move.volume;
            out.overhaulCost += k.move.overhaulCost;
            out.siteCost += k.move.siteCost;
            out.moves.push_back(std::move(k.move));
        }
    }

    const std::vector<PlanRow>& rows_;
    const std::vector<HaulSite>& sites_;
    const std::vector<PlanSite>& placed_;
    const HaulPlanOptions& options_;
    TransportSolver& solver_;
    std::vector<std::size_t> cutRows_, fillRows_, pits_, tips_;
    std::vector<NodeBounds> sourceBounds_, sinkBounds_;
    std::vector<TransportArc> arcs_;
    std::vector<unsigned char> known_;  // cut x fill: the arc is in the problem
};

HaulPlan Refused(HaulPlan plan, std::string why)
{
    HaulPlan refused;
    refused.options = plan.options;
    refused.refusal = std::move(why);
    return refused;
}

} // namespace

double OverhaulPerUnit(double distance, const HaulPlanOptions& options)
{
    return options.price * std::max(0.0, distance - options.freeHaul) / 100;
}

HaulPlan PlanHaul(const std::vector<MassRow>& massRows, const HaulSites& sites, const HaulPlanOptions& options,
                  TransportSolver& solver)
{
    HaulPlan plan;
    plan.options = options;
    auto sound = [](double v) { return std::isfinite(v) && v >= 0; };
    if (!sound(options.freeHaul) || !sound(options.price)) return Refused(plan, PlanOptionsRefusal);

    // Rows at the middle of their intervals, and the stretches between barriers.
    const std::vector<double> x = RowDistances(massRows);
    std::vector<PlanRow> rows(massRows.size());
    std::vector<Stretch> stretches;
    std::size_t begin = 0;
    for (std::size_t i = 0; i < massRows.size(); ++i) {
        const MassRow& r = massRows[i];
        PlanRow& p = rows[i];
        p.label = r.stationText;
        p.x = x[i];
        p.m = i == 0 ? x[0] : (x[i - 1] + x[i]) / 2;
        // A negative volume is material wanting a place, or missing.
        p.supply = std::max(0.0, r.cutVolume) + std::max(0.0, -r.adjustedFill);
        p.demand = std::max(0.0, r.adjustedFill) + std::max(0.0, -r.cutVolume);
        if (r.forcedBalance || i + 1 == massRows.size()) {
            stretches.push_back({begin, i + 1, {}});
            begin = i + 1;
        }
    }

    // Sites on the alignment, each in the first stretch that reaches it.
    for (std::size_t k = 0; k < sites.sites.size(); ++k) {
        const HaulSite& site = sites.sites[k];
        double at = 0;
        const Placement placement = massRows.empty() ? Placement::Outside : PlaceStation(massRows, x, site.station, at);
        if (placement != Placement::Found)
            return Refused(plan, "refused: " + sites.fileName + ": line " + std::to_string(site.line) + ", field station: " +
                                     FormatStation(site.station) +
                                     (placement == Placement::Outside ? " outside the sheet" : " inside an equation's gap"));
        std::size_t s = 0;
        while (s + 1 < stretches.size() && rows[stretches[s].end - 1].x < at) ++s;
        stretches[s].sites.push_back(k);
        plan.sites.push_back({site.name, site.borrow, at, static_cast<int>(s) + 1, 0});
    }

    StretchPlanner planner(rows, sites.sites, plan.sites, options, solver);
    for (std::size_t s = 0; s < stretches.size(); ++s) {
        PlanStretch out;
        out.number = static_cast<int>(s) + 1;
        out.first = {rows[stretches[s].begin].label, rows[stretches[s].begin].x};
        out.last = {rows[stretches[s].end - 1].label, rows[stretches[s].end - 1].x};
        double missing = 0;
        if (!planner.Feasible(stretches[s], missing))
            return Refused(plan, "infeasible: stretch " + std::to_string(out.number) + " (" + out.first.label + " to " +
                                     out.last.label + "): " + FormatArea(missing) + " missing");
        if (!planner.Plan(stretches[s], out, plan.sites))
            return Refused(plan, "refused: stretch " + std::to_string(out.number) + ": the solver found no plan");
        plan.volume += out.volume;
        plan.overhaulCost += out.overhaulCost;
        plan.siteCost += out.siteCost;
        plan.stretches.push_back(std::move(out));

        for (std::size_t b : stretches[s].sites) {
            if (!sites.sites[b].borrow) continue;
            for (std::size_t w : stretches[s].sites) {
                if (sites.sites[w].borrow) continue;
                EconomicHaulLimit limit{sites.sites[b].name, sites.sites[w].name, static_cast<int>(s) + 1, std::nullopt};
                if (options.price > 0)
                    limit.distance = options.freeHaul + 100 * (sites.sites[b].unitCost + sites.sites[w].unitCost) / options.price;
                plan.limits.push_back(std::move(limit));
            }
        }
    }
    return plan;
}

} // namespace mardex
