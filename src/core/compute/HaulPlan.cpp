#include "compute/HaulPlan.h"

#include "text/NumberText.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace mardex {

namespace {

// Volumes are whole numbers and capacities have two decimals: anything
// smaller than this is the solver's rounding, not material.
constexpr double VolumeSlack = 1e-7;
// Free moves given to each cut row at first (its nearest fills on each
// side), and added per cut row and round after that.
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

// One stretch as a flow network. A move's cost, P * max(0, d - F) / 100, is
// what it costs to hop up to F for free and travel the rest at P / 100 per
// unit of distance. So a cut row hops to the points F ahead and F behind it,
// material travels along a chain of points (the fill rows' places and those
// hop points) at that price, and leaves the chain at a fill row: every long
// move is there exactly, with a few arcs per row. Moves within F are free
// and go straight from cut to fill; of those only the ones the prices ask
// for are added (each cut row's nearest fills first), so the answer is the
// least over every move. Sites are few: each has an arc to or from every row.
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
        if (cutRows_.empty() && fillRows_.empty()) return true;  // nothing to move
        solver_.Start(bounds_);
        std::vector<FlowArc> arcs = FirstArcs();
        for (;;) {
            solver_.AddArcs(arcs);
            arcs_.insert(arcs_.end(), arcs.begin(), arcs.end());
            if (!solver_.Solve()) return false;
            arcs = FreeMovesWorthAdding();
            if (arcs.empty()) break;
        }
        Moves(out, placed);
        return true;
    }

private:
    double Overhaul(double distance) const { return OverhaulPerUnit(distance, options_); }
    double SiteDistance(std::size_t site, double m) const { return std::abs(m - placed_[site].x) + sites_[site].access; }
    double CutM(int c) const { return rows_[cutRows_[static_cast<std::size_t>(c)]].m; }
    double FillM(int f) const { return rows_[fillRows_[static_cast<std::size_t>(f)]].m; }
    int CutNode(int c) const { return c; }
    int FillNode(int f) const { return static_cast<int>(cutRows_.size()) + f; }
    int PitNode(std::size_t p) const { return static_cast<int>(cutRows_.size() + fillRows_.size() + p); }
    int TipNode(std::size_t t) const { return static_cast<int>(cutRows_.size() + fillRows_.size() + pits_.size() + t); }
    int PointNode(double at) const
    {
        const auto i = std::lower_bound(points_.begin(), points_.end(), at - 1e-9) - points_.begin();
        return firstPoint_ + static_cast<int>(i);
    }

    void Nodes(const Stretch& s)
    {
        cutRows_.clear();
        fillRows_.clear();
        pits_.clear();
        tips_.clear();
        bounds_.clear();
        arcs_.clear();
        points_.clear();
        for (std::size_t i = s.begin; i < s.end; ++i) {
            if (rows_[i].supply > 0) cutRows_.push_back(i);
            if (rows_[i].demand > 0) fillRows_.push_back(i);
        }
        for (std::size_t i : cutRows_) bounds_.push_back({-rows_[i].supply, -rows_[i].supply});
        for (std::size_t i : fillRows_) bounds_.push_back({rows_[i].demand, rows_[i].demand});
        for (std::size_t k : s.sites) (sites_[k].borrow ? pits_ : tips_).push_back(k);
        for (std::size_t k : pits_) bounds_.push_back({-sites_[k].capacity.value_or(Unlimited), 0});
        for (std::size_t k : tips_) bounds_.push_back({0, sites_[k].capacity.value_or(Unlimited)});
        // The chain's points, when there is fill to reach.
        if (!fillRows_.empty()) {
            for (std::size_t i : fillRows_) points_.push_back(rows_[i].m);
            for (std::size_t i : cutRows_) {
                points_.push_back(rows_[i].m + options_.freeHaul);
                points_.push_back(rows_[i].m - options_.freeHaul);
            }
            std::sort(points_.begin(), points_.end());
            points_.erase(std::unique(points_.begin(), points_.end(), [](double a, double b) { return b - a <= 1e-9; }),
                          points_.end());
        }
        fillPlaces_.clear();
        for (std::size_t i : fillRows_) fillPlaces_.push_back(rows_[i].m);
        firstPoint_ = static_cast<int>(bounds_.size());
        bounds_.resize(bounds_.size() + points_.size(), NodeBounds{0, 0});
        known_.assign(cutRows_.size() * fillRows_.size(), 0);
    }

    void AddFreeMove(std::vector<FlowArc>& arcs, int c, int f)
    {
        auto& seen = known_[static_cast<std::size_t>(c) * fillRows_.size() + static_cast<std::size_t>(f)];
        if (seen) return;
        seen = 1;
        arcs.push_back({CutNode(c), FillNode(f), Overhaul(std::abs(CutM(c) - FillM(f)))});
    }

    // The fills within free haul of cut row c: [first, last).
    std::pair<int, int> FreeReach(int c) const
    {
        const double m = CutM(c), F = options_.freeHaul;
        auto place = [&](double at) { return static_cast<int>(std::lower_bound(fillPlaces_.begin(), fillPlaces_.end(), at) - fillPlaces_.begin()); };
        return {place(m - F - 1e-9), place(m + F + 1e-9)};
    }

    std::vector<FlowArc> FirstArcs()
    {
        std::vector<FlowArc> arcs;
        const int cuts = static_cast<int>(cutRows_.size()), fills = static_cast<int>(fillRows_.size());
        for (int c = 0; c < cuts; ++c)
            for (std::size_t t = 0; t < tips_.size(); ++t)
                arcs.push_back({CutNode(c), TipNode(t), Overhaul(SiteDistance(tips_[t], CutM(c))) + sites_[tips_[t]].unitCost});
        for (std::size_t p = 0; p < pits_.size(); ++p)
            for (int f = 0; f < fills; ++f)
                arcs.push_back({PitNode(p), FillNode(f), Overhaul(SiteDistance(pits_[p], FillM(f))) + sites_[pits_[p]].unitCost});
        if (fills == 0) return arcs;
        // The chain: hops, travel both ways, and the way out at each fill.
        const double perDistance = options_.price / 100;
        for (int c = 0; c < cuts; ++c) {
            arcs.push_back({CutNode(c), PointNode(CutM(c) + options_.freeHaul), 0});
            arcs.push_back({CutNode(c), PointNode(CutM(c) - options_.freeHaul), 0});
        }
        for (std::size_t i = 1; i < points_.size(); ++i) {
            const int a = firstPoint_ + static_cast<int>(i) - 1, b = a + 1;
            const double cost = perDistance * (points_[i] - points_[i - 1]);
            arcs.push_back({a, b, cost});
            arcs.push_back({b, a, cost});
        }
        for (int f = 0; f < fills; ++f) arcs.push_back({PointNode(FillM(f)), FillNode(f), 0});
        // Free moves to each cut row's nearest fills.
        for (int c = 0; c < cuts; ++c) {
            const auto [first, last] = FreeReach(c);
            const int at = static_cast<int>(std::lower_bound(fillPlaces_.begin(), fillPlaces_.end(), CutM(c)) - fillPlaces_.begin());
            for (int f = std::max(first, at - NearestFills); f < std::min(last, at + NearestFills); ++f) AddFreeMove(arcs, c, f);
        }
        return arcs;
    }

    // The free moves that would lower the cost at the current prices; none
    // when the answer is the least over every move.
    std::vector<FlowArc> FreeMovesWorthAdding()
    {
        std::vector<FlowArc> arcs;
        std::vector<std::pair<double, int>> worth;
        for (int c = 0; c < static_cast<int>(cutRows_.size()); ++c) {
            worth.clear();
            const double price = solver_.NodePrice(CutNode(c));
            const auto [first, last] = FreeReach(c);
            for (int f = first; f < last; ++f) {
                if (known_[static_cast<std::size_t>(c) * fillRows_.size() + static_cast<std::size_t>(f)]) continue;
                const double cost = Overhaul(std::abs(CutM(c) - FillM(f)));
                const double reduced = cost + price - solver_.NodePrice(FillNode(f));
                if (reduced < -1e-7 * (1 + std::abs(cost))) worth.push_back({reduced, f});
            }
            if (worth.size() > AddedPerCutRow) {
                std::nth_element(worth.begin(), worth.begin() + AddedPerCutRow, worth.end());
                worth.resize(AddedPerCutRow);
            }
            for (const auto& w : worth) AddFreeMove(arcs, c, w.second);
        }
        return arcs;
    }

    PlanEnd RowEnd(std::size_t row) const { return {rows_[row].label, rows_[row].m}; }
    PlanEnd SiteEnd(std::size_t site) const { return {placed_[site].name, placed_[site].x}; }

    // The flow taken apart into whole journeys from where material enters to
    // where it leaves: each journey becomes a move between its two ends.
    std::map<std::pair<int, int>, double> Journeys() const
    {
        const auto& flows = solver_.Flows();
        const std::size_t nodes = bounds_.size();
        std::vector<std::vector<std::size_t>> out(nodes);
        std::vector<double> left(arcs_.size(), 0.0);
        for (std::size_t i = 0; i < arcs_.size() && i < flows.size(); ++i)
            if (flows[i] > 1e-9) {
                left[i] = flows[i];
                out[static_cast<std::size_t>(arcs_[i].from)].push_back(i);
            }
        std::vector<std::size_t> next(nodes, 0);
        auto isEnd = [&](int node) { return node >= FillNode(0) && node < firstPoint_ && (node < PitNode(0) || node >= TipNode(0)); };
        std::map<std::pair<int, int>, double> journeys;
        std::vector<std::size_t> path;
        std::vector<int> onPath(nodes, -1);
        for (int start = 0; start < firstPoint_; ++start) {
            if (isEnd(start)) continue;
            for (;;) {
                // Walk along arcs that still carry flow until material leaves.
                path.clear();
                int node = start;
                onPath[static_cast<std::size_t>(node)] = 0;
                bool stuck = false;
                while (!isEnd(node) || node == start) {
                    auto& k = next[static_cast<std::size_t>(node)];
                    const auto& arcsOut = out[static_cast<std::size_t>(node)];
                    while (k < arcsOut.size() && left[arcsOut[k]] <= 1e-9) ++k;
                    if (k == arcsOut.size()) {
                        stuck = true;
                        break;
                    }
                    const std::size_t arc = arcsOut[k];
                    const int to = arcs_[arc].to;
                    if (onPath[static_cast<std::size_t>(to)] >= 0) {
                        // A loop of zero cost: take it out and walk on.
                        const std::size_t from = static_cast<std::size_t>(onPath[static_cast<std::size_t>(to)]);
                        double least = left[arc];
                        for (std::size_t j = from; j < path.size(); ++j) least = std::min(least, left[path[j]]);
                        left[arc] -= least;
                        for (std::size_t j = from; j < path.size(); ++j) left[path[j]] -= least;
                        for (std::size_t j = from; j < path.size(); ++j) onPath[static_cast<std::size_t>(arcs_[path[j]].to)] = -1;
                        path.resize(from);
                        node = to;
                        continue;
                    }
                    path.push_back(arc);
                    node = to;
                    onPath[static_cast<std::size_t>(node)] = static_cast<int>(path.size());
                    if (isEnd(node)) break;
                }
                for (std::size_t arc : path) onPath[static_cast<std::size_t>(arcs_[arc].to)] = -1;
                onPath[static_cast<std::size_t>(start)] = -1;
                if (path.empty()) break;
                if (stuck) {
                    // The solver's rounding left a trickle with nowhere to go.
                    left[path.back()] = 0;
                    continue;
                }
                double volume = Unlimited;
                for (std::size_t arc : path) volume = std::min(volume, left[arc]);
                for (std::size_t arc : path) left[arc] -= volume;
                journeys[{start, node}] += volume;
            }
        }
        return journeys;
    }

    void Moves(PlanStretch& out, std::vector<PlanSite>& placed) const
    {
        const int cuts = static_cast<int>(cutRows_.size()), fills = static_cast<int>(fillRows_.size());
        struct Keyed {
            int order;
            std::size_t a, b;
            PlanMove move;
        };
        std::vector<Keyed> keyed;
        for (const auto& [ends, volume] : Journeys()) {
            if (volume <= VolumeSlack) continue;
            const auto [from, to] = ends;
            PlanMove m;
            m.volume = volume;
            Keyed k{0, 0, 0, {}};
            if (from < cuts && to < FillNode(fills)) {
                const std::size_t a = cutRows_[static_cast<std::size_t>(from)], b = fillRows_[static_cast<std::size_t>(to - cuts)];
                m.kind = PlanMoveKind::Move;
                m.from = RowEnd(a);
                m.to = RowEnd(b);
                m.distance = std::abs(rows_[a].m - rows_[b].m);
                k = {0, a, b, {}};
            } else {
                // A site at one end: from a pit to a fill, or from a cut to a waste site.
                const bool borrow = from >= cuts;
                const std::size_t site = borrow ? pits_[static_cast<std::size_t>(from - PitNode(0))]
                                                : tips_[static_cast<std::size_t>(to - TipNode(0))];
                const std::size_t row = borrow ? fillRows_[static_cast<std::size_t>(to - cuts)]
                                               : cutRows_[static_cast<std::size_t>(from)];
                m.kind = borrow ? PlanMoveKind::Borrow : PlanMoveKind::Waste;
                m.from = borrow ? SiteEnd(site) : RowEnd(row);
                m.to = borrow ? RowEnd(row) : SiteEnd(site);
                m.distance = SiteDistance(site, rows_[row].m);
                m.siteCost = m.volume * sites_[site].unitCost;
                placed[site].used += m.volume;
                k = borrow ? Keyed{1, site, row, {}} : Keyed{2, row, site, {}};
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
    std::vector<double> points_, fillPlaces_;  // the chain's places; the fill rows' places
    int firstPoint_ = 0;                       // node of points_[0]
    std::vector<NodeBounds> bounds_;
    std::vector<FlowArc> arcs_;
    std::vector<unsigned char> known_;  // cut x fill: the free move is in the problem
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
