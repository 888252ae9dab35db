// The sites file of a haul plan: the refusals the sample plans do not show,
// and what reads well.
#include "formats/HaulSitesFile.h"

#include <gtest/gtest.h>

namespace mardex {
namespace {

TEST(HaulSitesFile, RefusalsNameTheLineAndFieldAndSoundLinesRead)
{
    const std::string header = "name,kind,station,access,capacity,unit_cost\n";
    const struct {
        std::string text;
        const char* error;  // or nullptr: reads
        std::size_t sites;
    } cases[] = {
        {header + "PIT A,borrow,04+00.000,,,5.00\n", "s.csv: line 2, field access: missing", 0},
        {header + "PIT A,borrow,04+00.000,0,,\n", "s.csv: line 2, field unit_cost: missing", 0},
        {header + "PIT A,borrow,04+00.000,0\n", "s.csv: line 2, field capacity: missing", 0},
        {header + "PIT A,Borrow,04+00.000,0,,1\n", "s.csv: line 2, field kind: unknown kind 'Borrow'", 0},
        {header + "PIT A,borrow,4+00+1,0,,1\n", "s.csv: line 2, field station: not a station '4+00+1'", 0},
        {header + "PIT A,borrow,04+00.000,0,-5,1\n", "s.csv: line 2, field capacity: negative '-5'", 0},
        {"", "s.csv: line 1, field header: expected name,kind,station,access,capacity,unit_cost", 0},
        {header, nullptr, 0},
        {"Name,Kind,Station,Access,Capacity,Unit_Cost\r\n\"Lot 4, north\",waste,400,12.5,,0\r\n", nullptr, 1},
    };
    for (const auto& c : cases) {
        const HaulSitesRead read = ParseHaulSites(c.text, "s.csv");
        if (c.error) {
            EXPECT_EQ(read.error, c.error) << c.text;
        } else {
            EXPECT_TRUE(read.ok()) << read.error;
        }
        EXPECT_EQ(read.sites.sites.size(), c.sites) << c.text;
    }
    const HaulSite lot = ParseHaulSites(cases[8].text, "s.csv").sites.sites.at(0);
    EXPECT_EQ(lot.name, "Lot 4, north");
    EXPECT_FALSE(lot.borrow);
    EXPECT_DOUBLE_EQ(lot.station, 400);
    EXPECT_DOUBLE_EQ(lot.access, 12.5);
    EXPECT_FALSE(lot.capacity);
    EXPECT_EQ(lot.line, 2);
    // Written as the window saves it, it reads back the same.
    const HaulSitesRead again = ParseHaulSites(HaulSitesText({"s.csv", {lot}}), "s.csv");
    ASSERT_TRUE(again.ok()) << again.error;
    EXPECT_EQ(again.sites.sites.at(0).name, lot.name);
}

} // namespace
} // namespace mardex
