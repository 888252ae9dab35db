// The corners of the haul plan on hand-made rows; each cost is worked out by
// hand in the comment of its case. A row's volumes lie at the middle of its
// interval (the first row at its own station); cost per unit of a move is
// P * max(0, d - F) / 100, plus u at a site.
#include "clpsolver/ClpTransportSolver.h"
#include "compute/HaulPlan.h"

#include "text/NumberText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace mardex {
namespace {

MassRow Row(double station, double cut, double fill, bool forcedBalance = false)
{
    MassRow r;
    r.station = station;
    r.stationText = FormatStation(station);
    r.cutVolume = cut;
    r.adjustedFill = fill;
    r.forcedBalance = forcedBalance;
    return r;
}

HaulSite Site(const char* name, bool borrow, double station, double access, std::optional<double> capacity, double unit)
{
    return {name, borrow, station, access, capacity, unit, 2};
}

TEST(HaulPlan, Corners)
{
    const struct {
        const char* name;
        std::vector<MassRow> rows;
        std::vector<HaulSite> sites;
        double F, P;
        double cost;                       // when planned
        std::vector<double> stretchCosts;
        const char* refusal;               // or why not
        const char* boundSite;             // a site whose capacity the plan uses up
    } cases[] = {
        // Cut 100 at m = 50 fills 100 at m = 250: 100 * 10 * (200 - 100) / 100.
        {"no sites, balanced",
         {Row(0, 0, 0), Row(100, 100, 0), Row(200, 0, 0), Row(300, 0, 100)}, {}, 100, 10, 1000, {1000}, nullptr, nullptr},
        // The fill 100 ft away may not take the cut across the forced balance:
        // the cut goes to W (at the barrier's station, so in stretch 1, 50 ft
        // off: 100 * 1) and the fill comes from B (50 ft: 100 * 2).
        {"a barrier",
         {Row(0, 0, 0), Row(100, 100, 0, true), Row(200, 0, 100)},
         {Site("W", false, 100, 0, std::nullopt, 1), Site("B", true, 200, 0, std::nullopt, 2)},
         100, 1, 300, {100, 200}, nullptr, nullptr},
        // Fill 300 at m = 50: NEAR (50 ft, 0.5 + 1 a unit) gives its 100,
        // FAR (50 + 500 ft, 5.5 + 1) the rest: 150 + 1300.
        {"a capacity that binds",
         {Row(0, 0, 0), Row(100, 0, 300)},
         {Site("NEAR", true, 100, 0, 100, 1), Site("FAR", true, 0, 500, std::nullopt, 1)},
         0, 1, 1450, {1450}, nullptr, "NEAR"},
        // Stretch 2 holds cut 50 and fill 320 and no pit.
        {"an infeasible stretch",
         {Row(0, 0, 0), Row(100, 100, 100, true), Row(200, 50, 0), Row(300, 0, 320)},
         {Site("B", true, 0, 0, std::nullopt, 1)}, 100, 5, 0, {}, "infeasible: stretch 2 (02+00.000 to 03+00.000): 270.00 missing",
         nullptr},
        // Every haul is free: only the 40 wasted pay W's fee of 2.
        {"F larger than the sheet",
         {Row(0, 0, 0), Row(100, 100, 0), Row(200, 0, 60)},
         {Site("W", false, 200, 50, std::nullopt, 2), Site("B", true, 0, 0, std::nullopt, 3)}, 1e6, 7.5, 80, {80}, nullptr,
         nullptr},
        // No price for overhaul: the same 80.
        {"P = 0",
         {Row(0, 0, 0), Row(100, 100, 0), Row(200, 0, 60)},
         {Site("W", false, 200, 50, std::nullopt, 2), Site("B", true, 0, 0, std::nullopt, 3)}, 0, 0, 80, {80}, nullptr,
         nullptr},
        // Stretch 1 fills its own cut; stretch 2's cut of 50 goes 50 ft to W.
        {"a stretch of cut alone after one with fill",
         {Row(0, 0, 0), Row(100, 100, 100, true), Row(200, 50, 0)}, {Site("W", false, 200, 0, std::nullopt, 1)}, 100, 5,
         50, {0, 50}, nullptr, nullptr},
        {"P < 0", {Row(0, 0, 0)}, {}, 0, -1, 0, {}, PlanOptionsRefusal, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ClpTransportSolver solver;
        const HaulPlan plan = PlanHaul(c.rows, {"s.sites.csv", c.sites}, {c.F, c.P}, solver);
        if (c.refusal) {
            EXPECT_EQ(plan.refusal, c.refusal);
            EXPECT_TRUE(plan.stretches.empty());
            continue;
        }
        ASSERT_TRUE(plan.ok()) << plan.refusal;
        EXPECT_NEAR(plan.Cost(), c.cost, 1e-6);
        ASSERT_EQ(plan.stretches.size(), c.stretchCosts.size());
        for (std::size_t s = 0; s < c.stretchCosts.size(); ++s) EXPECT_NEAR(plan.stretches[s].Cost(), c.stretchCosts[s], 1e-6);
        for (const PlanSite& site : plan.sites) {
            if (c.boundSite && site.name == c.boundSite) {
                EXPECT_NEAR(site.used, 100, 1e-6);
            }
        }
    }
}

TEST(HaulPlan, LimitOfEconomicHaulPerPitAndSite)
{
    const std::vector<MassRow> rows{Row(0, 0, 0), Row(100, 100, 0), Row(200, 0, 60)};
    const std::vector<HaulSite> sites{Site("W", false, 200, 50, std::nullopt, 2), Site("B", true, 0, 0, std::nullopt, 3)};
    ClpTransportSolver solver;
    // F + 100 (3 + 2) / P; none without a price.
    const HaulPlan priced = PlanHaul(rows, {"s", sites}, {100, 10}, solver);
    ASSERT_EQ(priced.limits.size(), 1u);
    EXPECT_EQ(priced.limits[0].borrow, "B");
    EXPECT_EQ(priced.limits[0].waste, "W");
    EXPECT_DOUBLE_EQ(*priced.limits[0].distance, 150);
    EXPECT_FALSE(PlanHaul(rows, {"s", sites}, {100, 0}, solver).limits[0].distance);
}

} // namespace
} // namespace mardex
