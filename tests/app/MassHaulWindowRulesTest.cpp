// The rules behind the Mass Haul window: its boxes, its export names and
// its Sites table kept beside the document.
#include "app/HaulSitesTable.h"
#include "app/MassHaulInputs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace mardex::test {
namespace {

TEST(MassHaulBoxes, EmptyIsNoneAnOtherTextThanANumberIsRefused)
{
    const struct {
        const char* text;
        std::optional<double> value;
        bool refused;
    } cases[] = {
        {"", std::nullopt, false}, {"  ", std::nullopt, false}, {"250", 250.0, false}, {" 2.5 ", 2.5, false},
        {"0", 0.0, false},         {"100 ft", std::nullopt, true}, {"2,5", std::nullopt, true}, {"-3", std::nullopt, true},
    };
    for (const auto& c : cases) {
        const HaulBoxValue v = ReadHaulBox(c.text, "Overhaul price");
        EXPECT_EQ(v.value, c.value) << c.text;
        EXPECT_EQ(!v.refusal.empty(), c.refused) << c.text;
        if (c.refused) {
            EXPECT_NE(v.refusal.find(std::string("'") + c.text + "'"), std::string::npos) << v.refusal;
        }
    }
}

TEST(MassHaulExport, NamesCarryTheirExtension)
{
    EXPECT_EQ(ProposedExportName("Ramp A", "pdf"), "Ramp A.pdf");
    EXPECT_EQ(ProposedExportName("", "svg"), "mass-haul.svg");
    EXPECT_EQ(WithExportExtension("/w/road", "pdf"), "/w/road.pdf");
    EXPECT_EQ(WithExportExtension("/w.x/road.svg", "pdf"), "/w.x/road.svg");
}

TEST(HaulSitesTable, EveryChangeIsSavedBesideTheDocumentAndUndoable)
{
    TempDir dir;
    const std::string path = HaulSitesPathOf(dir / "road.mdx");
    EXPECT_EQ(path, dir / "road.sites.csv");
    HaulSitesTable table(path);
    EXPECT_EQ(table.Add({"PIT A", "borrow", "04+00.000", "0", "", "5"}), "");
    EXPECT_EQ(table.Add({"TIP W", "waste", "0", "50", "1200", "1"}), "");
    EXPECT_EQ(table.Edit(1, {"PIT A", "waste", "0", "50", "", "1"}), "line 3, field name: duplicate name 'PIT A'");
    EXPECT_EQ(table.Edit(1, {"TIP W", "dump", "0", "50", "", "1"}), "line 3, field kind: unknown kind 'dump'");
    const std::string both = "name,kind,station,access,capacity,unit_cost\n"
                             "PIT A,borrow,04+00.000,0,,5\n"
                             "TIP W,waste,00+00.000,50,1200,1\n";
    EXPECT_EQ(ReadFile(path), both);
    EXPECT_EQ(table.Remove(0), "");
    EXPECT_EQ(ReadFile(path), "name,kind,station,access,capacity,unit_cost\nTIP W,waste,00+00.000,50,1200,1\n");
    EXPECT_EQ(table.Undo(), "");
    EXPECT_EQ(ReadFile(path), both);
    EXPECT_EQ(table.Redo(), "");
    EXPECT_EQ(table.sites().sites.size(), 1u);
    // What the table wrote reads back as it stands.
    EXPECT_EQ(HaulSitesTable(path).sites().sites.front().capacity, 1200.0);
}

} // namespace
} // namespace mardex::test
