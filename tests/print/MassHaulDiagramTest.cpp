// The mass-haul diagram's drawing: overhaul shaded, the free-haul line
// dashed, a skip area hatched, within the page.
#include "render/MassHaulDiagram.h"
#include "render/RecordingSurface.h"
#include "text/NumberText.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace mardex {
namespace {

TEST(MassHaulDiagram, ShadesOverhaulDashesTheFreeHaulLineHatchesSkips)
{
    // 0, 200, 500, 200, 0 every 200 ft with a skip from 4+00 to 6+00; F 400
    // puts the free-haul line at 200 from 2+00 to 6+00 and leaves overhaul on
    // both sides of it.
    MassSheet sheet;
    sheet.tabName = "WORKED";
    const double ordinates[] = {0, 200, 500, 200, 0};
    for (int i = 0; i < 5; ++i) {
        MassRow r;
        r.station = i * 200;
        r.stationText = FormatStation(r.station);
        r.ordinate = ordinates[i];
        r.skipOpens = i == 2;
        r.skipCloses = i == 3;
        sheet.rows.push_back(r);
    }
    HaulOptions options;
    options.freeHaul = 400;
    const HaulAnalysis haul = AnalyseHaul(sheet.rows, options);
    RecordingSurface page(126, 48);
    DrawMassHaulDiagram(page, sheet, haul);

    ASSERT_EQ(page.pages.size(), 1u);
    const auto& p = page.pages[0];
    auto fills = [&](FillStyle style) {
        return std::count_if(p.fills.begin(), p.fills.end(), [&](const auto& f) { return f.style == style; });
    };
    EXPECT_EQ(fills(FillStyle::Shade), 2);
    EXPECT_EQ(fills(FillStyle::Hatch), 1);
    // The dashed free-haul line is level and spans half the curve's width
    // (400 of 800 ft).
    const auto dashed = std::find_if(p.lines.begin(), p.lines.end(), [](const auto& l) { return l.style == LineStyle::Dashed; });
    ASSERT_NE(dashed, p.lines.end());
    EXPECT_EQ(dashed->dy, 0);
    const double plotWidth = (126 - 3) - 12;
    EXPECT_NEAR(dashed->dx, plotWidth / 2, 1e-9);
    for (const auto& t : p.texts) {
        EXPECT_GE(t.x, 0) << t.text;
        EXPECT_LT(t.y, 48) << t.text;
    }
    const auto titles = page.TextsOf(0);
    EXPECT_NE(std::find(titles.begin(), titles.end(), "MASS HAUL DIAGRAM   WORKED"), titles.end());
    EXPECT_NE(std::find(titles.begin(), titles.end(), "400.00 ft"), titles.end());
}

} // namespace
} // namespace mardex
