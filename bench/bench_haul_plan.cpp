// The cheapest haul plan of an 1800-row sheet with 6 sites (3 borrow pits, 3
// waste sites, two with capacities), in one stretch: with cut and fill
// alternating along the sheet, and with the cut at one end and the fill at
// the other (every haul long, so the most moves are priced).
#include "clpsolver/ClpTransportSolver.h"
#include "compute/HaulPlan.h"
#include "text/NumberText.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace mardex;

std::vector<MassRow> Rows1800(bool wavy)
{
    std::vector<MassRow> rows;
    for (int i = 0; i < 1800; ++i) {
        MassRow r;
        r.station = 1000 + i * 25.0;
        r.stationText = FormatStation(r.station);
        const double v = std::round(300 + 250 * std::sin(i * 1.37));
        const bool cut = wavy ? std::sin(i / 37.0) + 0.3 * std::sin(i * 0.9) > 0 : i < 900;
        (cut ? r.cutVolume : r.adjustedFill) = v;
        if (i % 7 == 0) (cut ? r.adjustedFill : r.cutVolume) = std::round(v / 3);  // rows with both
        rows.push_back(r);
    }
    return rows;
}

HaulSites Sites6()
{
    HaulSites s;
    s.fileName = "bench.sites.csv";
    s.sites = {{"PIT A", true, 2000, 150, std::nullopt, 4.5, 2},  {"PIT B", true, 20000, 0, 40000, 3.0, 3},
               {"PIT C", true, 40000, 400, std::nullopt, 6.0, 4}, {"TIP D", false, 5000, 80, 25000, 1.5, 5},
               {"TIP E", false, 25000, 0, std::nullopt, 2.5, 6},  {"TIP F", false, 45000, 200, std::nullopt, 0.8, 7}};
    return s;
}

void Plan(benchmark::State& state, bool wavy)
{
    const auto rows = Rows1800(wavy);
    const auto sites = Sites6();
    ClpTransportSolver solver;
    double cost = 0;
    for (auto _ : state) {
        const HaulPlan plan = PlanHaul(rows, sites, {300, 5}, solver);
        if (!plan.ok()) state.SkipWithError(plan.refusal.c_str());
        cost = plan.Cost();
        benchmark::DoNotOptimize(cost);
    }
    state.counters["cost"] = cost;
}

void BM_HaulPlan1800RowsSixSitesWavy(benchmark::State& state) { Plan(state, true); }
void BM_HaulPlan1800RowsSixSitesCutThenFill(benchmark::State& state) { Plan(state, false); }

BENCHMARK(BM_HaulPlan1800RowsSixSitesWavy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HaulPlan1800RowsSixSitesCutThenFill)->Unit(benchmark::kMillisecond);

} // namespace
