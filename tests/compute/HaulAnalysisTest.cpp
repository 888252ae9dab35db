// The haul analysis of hand-made mass curves; every figure below is worked
// out by hand in the comment of its case (x in feet or metres, one station =
// 100, moments = area under |y| / 100).
#include "compute/HaulTable.h"

#include "text/NumberText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace mardex {
namespace {

MassRow Row(double station, double ordinate)
{
    MassRow r;
    r.station = station;
    r.stationText = FormatStation(station);
    r.ordinate = ordinate;
    return r;
}

MassRow Back(MassRow r) { r.equationBack = true; return r; }
MassRow Ahead(MassRow r) { r.equationAhead = true; return r; }
MassRow Forced(MassRow r, double cut, double adjustedFill)
{
    r.forcedBalance = true;
    r.cutVolume = cut;
    r.adjustedFill = adjustedFill;
    return r;
}

struct HaulCase {
    const char* name;
    std::vector<MassRow> rows;
    double freeHaul;
    std::optional<double> price;
    std::vector<std::string> lines;  // below the header
};

std::vector<std::string> LinesOf(const std::string& table)
{
    std::vector<std::string> lines;
    std::size_t start = table.find('\n') + 1;
    for (std::size_t end; (end = table.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(table.substr(start, end - start));
    return lines;
}

TEST(HaulAnalysis, CornerCasesOfTheDefinition)
{
    const std::vector<HaulCase> cases = {
        // 0, 200, 500, 200, 0 every 200 ft: V 500; H (200 + 700 + 700 + 200) = 1800;
        // average 1800 x 100 / 500 = 360 ft. F 400: the chord at 200 runs 2+00 to
        // 6+00; overhaul moment 200 + 200 = 400; at 2.50 it costs 1000.00.
        {"worked check",
         {Row(0, 0), Row(200, 200), Row(400, 500), Row(600, 200), Row(800, 0)}, 400, 2.5,
         {"loop,00+00.000,08+00.000,ahead,500.00,1800.00,360.00,02+00.000,06+00.000,200.00,400.00,1000.00",
          "total,,,,500.00,1800.00,,,,200.00,400.00,1000.00"}},
        // Narrower than F (200 <= 300): all free haul. H = (5000 + 5000) / 100 = 100.
        {"loop narrower than the free haul",
         {Row(0, 0), Row(100, 100), Row(200, 0)}, 300, std::nullopt,
         {"loop,00+00.000,02+00.000,ahead,100.00,100.00,100.00,00+00.000,02+00.000,0.00,0.00,",
          "total,,,,100.00,100.00,,,,0.00,0.00,"}},
        // The forced balance at 2+00 first reaches -60 + 0 - 40 = -100, then 0:
        // loop 0, -60, -100: V 100, H (3000 + 8000) / 100 = 110; a borrow of 100.
        {"loop closed by a forced balance",
         {Row(0, 0), Row(100, -60), Forced(Row(200, 0), 0, 40)}, 0, std::nullopt,
         {"loop,00+00.000,02+00.000,back,100.00,110.00,110.00,,,,,",
          "borrow,02+00.000,02+00.000,,100.00,,,,,,,", "total,,,,100.00,110.00,,,,,,"}},
        // 1+00 BK = 0+50 AH: x 0, 100, 100, 200. H = (5000 + 0 + 5000) / 100 = 100.
        // F 50: width 200 - 2L = 50 gives L 75; the chord runs from x 75 (0+75)
        // across the equation to x 125 (0+50 + 25 = 0+75); overhaul moment
        // (75 x 75 / 2) x 2 / 100 = 56.25.
        {"equation inside a loop",
         {Row(0, 0), Back(Row(100, 100)), Ahead(Row(50, 100)), Row(150, 0)}, 50, 1,
         {"loop,00+00.000,01+50.000,ahead,100.00,100.00,100.00,00+75.000,00+75.000,75.00,56.25,56.25",
          "total,,,,100.00,100.00,,,,75.00,56.25,56.25"}},
        // Humps 300 at x 100 and x 300 with 100 between. Above 100 the first hump
        // is at most 166.7 wide; at 100 the two join: chord from 33.333 to
        // 366.667 (333.3 >= 250). Overhaul moment (1666.67 + 1666.67) / 100 =
        // 33.33; H (15000 + 20000 + 20000 + 15000) / 100 = 700, average 233.33.
        {"chord across two humps",
         {Row(0, 0), Row(100, 300), Row(200, 100), Row(300, 300), Row(400, 0)}, 250, std::nullopt,
         {"loop,00+00.000,04+00.000,ahead,300.00,700.00,233.33,00+33.333,03+66.667,100.00,33.33,",
          "total,,,,300.00,700.00,,,,100.00,33.33,"}},
        // 0, 50, 80: the open end, H (2500 + 6500) / 100 = 90, average 112.5, and
        // a waste of 80 at the end; loops' volume 0.
        {"open end",
         {Row(0, 0), Row(100, 50), Row(200, 80)}, 100, std::nullopt,
         {"open,00+00.000,02+00.000,ahead,80.00,90.00,112.50,,,,,",
          "waste,02+00.000,02+00.000,,80.00,,,,,,,", "total,,,,0.00,90.00,,,,0.00,0.00,"}},
        {"empty sheet", {}, 0, std::nullopt, {"total,,,,0.00,0.00,,,,,,"}},
        // Metric, 20 m stations: 0, -30, 0: H (300 + 300) / 100 = 6, average 20 m.
        {"metric sheet",
         {Row(0, 0), Row(20, -30), Row(40, 0)}, 0, std::nullopt,
         {"loop,00+00.000,00+40.000,back,30.00,6.00,20.00,,,,,", "total,,,,30.00,6.00,,,,,,"}},
        // 100 then -100 with no balance-point row: zero at x 150 (1+50). Loop
        // H (5000 + 2500) / 100 = 75; open end H 2500 / 100 = 25; borrow 100.
        {"crossing between two rows",
         {Row(0, 0), Row(100, 100), Row(200, -100)}, 0, std::nullopt,
         {"loop,00+00.000,01+50.000,ahead,100.00,75.00,75.00,,,,,",
          "open,01+50.000,02+00.000,back,100.00,25.00,25.00,,,,,",
          "borrow,02+00.000,02+00.000,,100.00,,,,,,,", "total,,,,100.00,100.00,,,,,,"}},
        // A first row with added volumes rises from 0 at its own station:
        // 0 -> 10 at x 0, 10 at 100, 0 at 200: H (0 + 1000 + 500) / 100 = 15.
        {"first ordinate not zero",
         {Row(0, 10), Row(100, 10), Row(200, 0)}, 0, std::nullopt,
         {"loop,00+00.000,02+00.000,ahead,10.00,15.00,150.00,,,,,", "total,,,,10.00,15.00,,,,,,"}},
    };
    for (const HaulCase& c : cases) {
        HaulOptions options;
        options.freeHaul = c.freeHaul;
        options.price = c.price;
        EXPECT_EQ(LinesOf(HaulTableText(AnalyseHaul(c.rows, options))), c.lines) << c.name;
    }
}

} // namespace
} // namespace mardex
