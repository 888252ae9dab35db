// The sheet's cell texts: edits, copies within the sheet, and what is kept.
#include "model/SheetStore.h"
#include "text/NumberText.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

namespace mardex {
namespace {

TEST(SheetCells, EditsAndCopiesKeepEveryTextAndTheBytesStayBounded)
{
    Sheet sheet;
    std::map<std::pair<int, int>, std::string> expected;
    unsigned seed = 17;
    const auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % range;
    };
    for (int step = 0; step < 200000; ++step) {
        const int column = static_cast<int>(next(ColumnCount));
        const int row = static_cast<int>(next(40));
        if (step % 3 == 0) {
            // A cell copied from another of the same sheet, as row commands do.
            const int from = static_cast<int>(next(40));
            sheet.SetCell(column, row, sheet.Cell(column, from));
            expected[{column, row}] = expected[{column, from}];
        } else {
            const std::string text = std::to_string(step) + std::string(next(24), 'x');
            sheet.SetCell(column, row, text);
            expected[{column, row}] = text;
        }
    }
    std::size_t live = 0;
    for (int row = 0; row < 40; ++row)
        for (int column = 0; column < ColumnCount; ++column) {
            const std::string& text = expected[{column, row}];
            live += text.size();
            ASSERT_EQ(sheet.Cell(column, row), text) << column << " " << row;
            EXPECT_EQ(sheet.Value(column, row), StationToNumber(text)) << column << " " << row;
        }
    // About 3 MB were written; what is kept stays near the live texts.
    EXPECT_LE(sheet.TextBytes(), 3 * live + 4096);
}

TEST(SheetCells, SheetsAreEqualWhenTheirTextsAre)
{
    Sheet a;
    a.SetCell(ColStation, 0, "00+00.000");
    a.SetCell(ColCut, 0, "old");
    a.SetCell(ColCut, 0, "1.00");  // the old text is left behind in a, never written in b
    a.SetCell(ColFill, 5, "");     // an empty text, and a slot never written, are alike
    Sheet b;
    b.SetCell(ColCut, 0, "1.00");
    b.SetCell(ColStation, 0, "00+00.000");
    EXPECT_TRUE(a == b);

    const struct {
        const char* what;
        void (*change)(Sheet&);
    } changes[] = {
        {"a cell", [](Sheet& s) { s.SetCell(ColCut, 0, "1.0"); }},
        {"a later row", [](Sheet& s) { s.SetCell(ColCode, 7, "-"); }},
        {"the name", [](Sheet& s) { s.TabName = "B"; }},
        {"the factor", [](Sheet& s) { s.BalanceFactor = "0.9"; }},
        {"the flag", [](Sheet& s) { s.MeasuredInEmbankment = 1; }},
    };
    for (const auto& c : changes) {
        Sheet changed = a;
        c.change(changed);
        EXPECT_FALSE(changed == a) << c.what;
        EXPECT_FALSE(a == changed) << c.what;
    }
}

} // namespace
} // namespace mardex
