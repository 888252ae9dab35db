#include "compute/SheetComputation.h"
#include "compute/SheetReportWriter.h"
#include "formats/ReportPaging.h"
#include "model/SheetStore.h"
#include "text/ReportFields.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace mardex::test {
namespace {

Sheet SheetOf(const std::vector<std::array<std::string, 6>>& rows, std::string factor = "1.00")
{
    Sheet sheet;
    sheet.BalanceFactor = std::move(factor);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < ColumnCount; ++c) sheet.SetCell(c, r, rows[r][c]);
    sheet.SetCell(ColStation, static_cast<int>(rows.size()), "-1");
    return sheet;
}

// One line per item: what a reader of the value sees, in report order.
std::string Describe(const ComputedItem& item, const SheetComputation& c)
{
    if (const auto* m = std::get_if<SkipAreaMark>(&item)) return m->opening ? "skip from" : "skip to";
    if (const auto* e = std::get_if<StationEquation>(&item)) return "equation " + std::string(e->back) + " BK " + std::string(e->ahead);
    const auto& r = std::get<ComputedRow>(item);
    std::string d = (r.kind == RowKind::BalancePoint ? "balance " : "row ") + PrintedStation(r) + " " + std::string(r.code) +
                    " cut " + std::to_string(static_cast<int>(r.cutVolume)) + " adj " +
                    std::to_string(static_cast<int>(r.adjustedFill)) + " mass " + PrintedFields(r, ReportMode::Total, c.balanceFactor).back();
    if (r.forcedBalance) d += " forced from " + std::to_string(static_cast<int>(r.massBeforeReset));
    if (r.inSkipArea) d += " skipped";
    if (r.equation) d += " eq";
    return d;
}

TEST(ComputedRows, RowsAndEventsComeInReportOrderWithTheirFigures)
{
    // 100 ft of 27 + 27 sq ft is 100 cu yd.
    const Sheet sheet = SheetOf({{"00+00.000", "-", "27.00", "0.00", "0.00", "0.00"},
                                 {"01+00.000", "-", "27.00", "0.00", "0.00", "0.00"},
                                 {"02+00.000", "-", "0.00", "0.00", "108.00", "0.00"},
                                 {"03+00.000", "FB", "0.00", "0.00", "0.00", "0.00"},
                                 {"04+00.000", "SA", "0.00", "0.00", "0.00", "0.00"},
                                 {"05+00.000", "-", "0.00", "0.00", "0.00", "0.00"},
                                 {"06+00.000", "SA", "0.00", "0.00", "0.00", "0.00"},
                                 {"07+00.000", "BK", "0.00", "0.00", "0.00", "0.00"},
                                 {"07+50.000", "AH", "0.00", "0.00", "0.00", "0.00"}});
    const SheetComputation c = ComputeSheet(sheet, UnitSystem::English, ReportMode::Total);
    ASSERT_TRUE(c.ok()) << c.fault;
    std::vector<std::string> seen;
    for (const ComputedItem& item : c.items) seen.push_back(Describe(item, c));
    const std::vector<std::string> expected = {
        "row 00+00.000 - cut 0 adj 0 mass 0.00",
        "row 01+00.000 - cut 100 adj 0 mass 100.00",
        "balance 01+66.667  cut 33 adj 133 mass 0.00",  // two thirds into the segment
        "row 02+00.000 - cut 17 adj 67 mass -50.00",
        "row 03+00.000 FB cut 0 adj 200 mass 0.00 forced from -250",
        "skip from",
        "row 04+00.000 SA cut 0 adj 0 mass 0.00 skipped",
        "row 05+00.000 - cut 0 adj 0 mass 0.00 skipped",
        "skip to",
        "row 06+00.000 SA cut 0 adj 0 mass 0.00",
        "row 07+00.000 BK cut 0 adj 0 mass 0.00 eq",
        "equation 07+00.000 BK 07+50.000",
        "row 07+50.000 AH cut 0 adj 0 mass 0.00",
    };
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(c.messages, std::vector<std::string>{"Gap Equation where BK occures before AH"});
    EXPECT_EQ(c.totals.unadjustedExcavation, 150);
    EXPECT_EQ(c.totals.adjustedFill, 400);
    EXPECT_EQ(c.Rows().size(), 10u);
    // Nine station rows, a balance point, a forced balance, two skip marks, an equation.
    EXPECT_EQ(c.reportLineCount, 9 + 5 + 4 + 3 * 2 + 3);
}

TEST(ComputedRows, PrintedFieldsFollowTheModeAndAFaultStopsTheRows)
{
    const Sheet sheet = SheetOf({{"00+00.000", "-", "27.00", "0.00", "27.00", "0.00"},
                                 {"01+00.000", "-", "27.00", "5.00", "27.00", "6.00"}},
                                "0.90");
    const ComputedRow total = *ComputeSheet(sheet, UnitSystem::English, ReportMode::Total).Rows()[1];
    const ComputedRow running = *ComputeSheet(sheet, UnitSystem::English, ReportMode::Accumulated).Rows()[1];
    const std::vector<std::string> totalFields = {"01+00.000", "27.00", "5.00", "105.00", "27.00",
                                                  "6.00",      "100.00", "0.90", "96.00",  "9.00"};
    EXPECT_EQ(PrintedFields(total, ReportMode::Total, "0.90"), totalFields);
    const std::vector<std::string> runningFields = {"01+00.000", "27.00", "5.00", "105.00", "27.00",
                                                    "6.00",      "100.00", "0.90", "9.00",   "96.00"};
    EXPECT_EQ(PrintedFields(running, ReportMode::Accumulated, "0.90"), runningFields);

    const SheetComputation bad = ComputeSheet(SheetOf({{"00+00.000", "-", "1", "0", "1", "0"}}, "x"),
                                              UnitSystem::English, ReportMode::Total);
    EXPECT_EQ(bad.fault, "Type mismatch");
    EXPECT_TRUE(bad.items.empty());
}

// The writer counts the lines a page draws as it writes them: the same
// count as a scan of the section, with blocks, texts written as stored, a
// "#" in a row and line ends inside the heading's texts.
TEST(SheetReport, DrawnLinesAreCountedAsTheSectionIsWritten)
{
    const std::vector<std::array<std::string, 6>> plain = {
        {"00+00.000", "-", "27.00", "0.00", "0.00", "0.00"},   {"01+00.000", "-", "27.00", "0.00", "0.00", "0.00"},
        {"02+00.000", "-", "0.00", "0.00", "108.00", "12.50"}, {"03+00.000", "FB", "0.00", "0.00", "0.00", "0.00"},
        {"04+00.000", "SA", "0.00", "0.00", "0.00", "0.00"},   {"05+00.000", "-", "0.00", "0.00", "0.00", "0.00"},
        {"06+00.000", "SA", "0.00", "0.00", "0.00", "0.00"},   {"07+00.000", "BK", "0.00", "0.00", "0.00", "0.00"},
        {"07+50.000", "AH", "0.00", "0.00", "0.00", "0.00"}};
    std::vector<std::array<std::string, 6>> texts = plain;
    texts[1][4] = "#0";             // a row with a "#" is not drawn
    texts[2][2] = "0000000000.00";  // a text that is no mask: the general field path
    texts[7][0] = "07+00.0001";     // a station printed rounded
    const struct {
        std::vector<std::array<std::string, 6>> rows;
        std::string factor, designer;
    } cases[] = {{plain, "0.90", "D"}, {texts, "0.90", "D"}, {plain, "#9", "D"}, {plain, "0.90", "A\rB\nC"}};
    for (const auto& c : cases) {
        const Sheet sheet = SheetOf(c.rows, c.factor);  // the computation views its cells
        const SheetComputation computed = ComputeSheet(sheet, UnitSystem::English, ReportMode::Total);
        ReportHeading heading;
        heading.descriptionFields = {c.designer, "P", "C"};
        heading.tabCaption = "BL1";
        std::string out = "before\r\n";
        const int64_t counted = WriteSheetReport(out, computed, heading, computed.totals);
        EXPECT_EQ(counted, DrawnLines(std::string_view(out).substr(8))) << c.factor << " " << c.designer;
    }
}

// Volumes and mass ordinates are whole numbers of 32 bits: an added volume
// rounds into range from -2^31 - 0.5 (to the even -2^31) up to below
// 2^31 - 0.5, and the next row's mass ordinate stays in range or overflows.
TEST(ComputedRows, AVolumeRoundsIntoThirtyTwoBitsOrOverflows)
{
    const struct {
        const char* addedCut;
        const char* nextAddedCut;
        const char* fault;
    } cases[] = {{"2147483647.49", "0.00", ""},      {"2147483647.50", "0.00", "Overflow"},
                 {"-2147483648.50", "0.00", ""},     {"-2147483648.51", "0.00", "Overflow"},
                 {"2147483647.00", "1.00", "Overflow"}, {"-2147483648.00", "-1.00", "Overflow"},
                 {"-2147483648.00", "1.00", ""}};
    for (const auto& c : cases) {
        const Sheet sheet = SheetOf({{"00+00.000", "-", "0.00", c.addedCut, "0.00", "0.00"},
                                     {"00+00.000", "-", "0.00", c.nextAddedCut, "0.00", "0.00"}});
        EXPECT_EQ(ComputeSheet(sheet, UnitSystem::English, ReportMode::Total).fault, c.fault) << c.addedCut;
    }
}

// The pieces a drain is handed, one after another.
struct CollectedPieces final : ReportDrain {
    explicit CollectedPieces(std::size_t piece) : ReportDrain(piece) {}
    void Take(std::string_view lines) override
    {
        EXPECT_EQ(lines.back(), '\n');
        text.append(lines);
    }
    std::string text;
};

// Computed and written in one pass, handed on in pieces or not, a section is
// the one written from the kept computation, with the same drawn lines.
TEST(SheetReport, ASectionWrittenAsItIsComputedIsTheSameSection)
{
    std::vector<std::array<std::string, 6>> rows = {
        {"00+00.000", "-", "27.00", "0.00", "0.00", "0.00"},   {"01+00.000", "-", "27.00", "0.00", "0.00", "0.00"},
        {"02+00.000", "-", "0.00", "0.00", "108.00", "12.50"}, {"03+00.000", "FB", "0.00", "0.00", "0.00", "0.00"},
        {"04+00.000", "SA", "0.00", "0.00", "0.00", "0.00"},   {"05+00.000", "-", "0.00", "0.00", "0.00", "0.00"},
        {"06+00.000", "SA", "0.00", "0.00", "0.00", "0.00"},   {"07+00.000", "BK", "0.00", "0.00", "0.00", "0.00"},
        {"07+50.000", "AH", "0.00", "0.00", "0.00", "0.00"},   {"08+50.000", "-", "0.0", "0.00", "#1", "0.00"}};
    for (int r = 0; r < 300; ++r)
        rows.push_back({StationText(1000.0 + 50 * r), "-", r % 3 ? "12.25" : "0.00", "0.00", r % 2 ? "7.00" : "0.00",
                        "0.00"});
    const Sheet sheet = SheetOf(rows, "0.90");
    const struct {
        ReportMode mode;
        std::size_t piece;  // 0: no drain
    } cases[] = {{ReportMode::Total, 0}, {ReportMode::Total, 1}, {ReportMode::Total, 4096},
                 {ReportMode::Accumulated, 4096}};
    for (const auto& c : cases) {
        ReportHeading heading;
        heading.descriptionFields = {"D", "P", "C"};
        heading.tabCaption = "BL1";
        const SheetComputation kept = ComputeSheet(sheet, UnitSystem::English, c.mode);
        std::string expected = "before\r\n";
        const int64_t expectedLines = WriteSheetReport(expected, kept, heading, kept.totals);

        SheetComputation computed;
        CollectedPieces pieces(c.piece);
        std::string out = "before\r\n";
        const int64_t lines = ComputeAndWriteSheetReport(out, sheet, c.mode, heading, computed, c.piece ? &pieces : nullptr);
        EXPECT_EQ(pieces.text + out, expected) << c.piece;
        EXPECT_EQ(lines, expectedLines) << c.piece;
        EXPECT_TRUE(computed.items.empty());
        EXPECT_EQ(computed.reportLineCount, kept.reportLineCount);
        if (c.piece > 1) {
            EXPECT_GT(pieces.text.size(), c.piece);
        }
    }
}

} // namespace
} // namespace mardex::test
