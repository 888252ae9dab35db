#include "app/MainForm.h"
#include "app/Session.h"
#include "app/GridClipboard.h"
#include "app/GridModel.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace mardex;
using namespace mardex::test;

namespace {

class GridClipboard : public ::testing::Test {
protected:
    GridClipboard() : s(ask)
    {
        WriteFile(dir / "mardex3.ini", "[Mardex]\nReportFolder = /tmp/\n");
        s.ProgramFolder = dir.path().string();
        Form_Load(s);
        ask.expectedMessages = {" is less then previous station :", "A sheet holds at most 1800 rows", " of the pasted text: ", "reach beyond the"};
        At(2, 0);
        EXPECT_TRUE(PasteCells(s, "100\t-\t1\t0\t2\t0\n200\tsa\t3\t0\t4\t0\n"));
    }
    void At(int row, int col)
    {
        s.form.grid.SetRow(row);
        s.form.grid.SetCol(col);
    }

    TempDir dir;
    ScriptedPrompter ask;
    Session s;
};

TEST_F(GridClipboard, RefusedPastesChangeNothing)
{
    struct Case {
        int row, col;
        std::string text, says;
    } cases[] = {
        {3, 0, "50", " Station : 00+50.000 is less then previous station :01+00.000"},
        {2, 0, "300", " Station : 02+00.000 is less then previous station :03+00.000"},  // the row below
        {2, 4, "1\t2\t3", "reach beyond the AddedFill column"},
        {2, 2, "1\n-5", "\"-5\" cannot be typed in the Cut column"},
        {2, 1, "xy", "\"xy\" cannot be typed in the Code column"},
        {2, 0, "1+2+3", "cannot be typed in the Station column"},
    };
    for (const Case& c : cases) {
        At(c.row, c.col);
        const Sheet before = s.CurrentSheet();
        const std::size_t shown = ask.shown.size();
        EXPECT_FALSE(PasteCells(s, c.text)) << c.text;
        ASSERT_EQ(ask.shown.size(), shown + 1) << c.text;
        EXPECT_NE(ask.shown.back().find(c.says), std::string::npos) << ask.shown.back();
        for (int r = 0; r < 4; ++r)
            for (int col = 0; col < ColumnCount; ++col) EXPECT_EQ(s.CurrentSheet().Cell(col, r), before.Cell(col, r));
    }

    // Two rows pasted on the entry row of a sheet of 1799 rows.
    Sheet& sheet = s.CurrentSheet();
    for (int r = 2; r < 1799; ++r) sheet.SetCell(ColStation, r, "99+00.000");
    sheet.SetCell(ColStation, 1799, "-1");
    s.form.grid.SetRows(1799 + 3);
    At(1799 + 2, 0);
    EXPECT_FALSE(PasteCells(s, "99999\n99999\n"));
    EXPECT_NE(ask.shown.back().find("at most 1800 rows"), std::string::npos) << ask.shown.back();
    EXPECT_EQ(sheet.Cell(ColStation, 1799), "-1");
    EXPECT_TRUE(PasteCells(s, "99999\n"));
    EXPECT_EQ(sheet.Cell(ColStation, 1800), "-1");
}

TEST_F(GridClipboard, PastedLinesEndInCrLfCrOrLf)
{
    const struct { const char* end; const char* first; const char* second; } cases[] = {
        {"\r\n", "5", "6"}, {"\r", "7", "8"}, {"\n", "9", "10"}};
    for (const auto& c : cases) {
        At(2, 2);
        const std::string text = std::string(c.first) + "\t0" + c.end + c.second + "\t0" + c.end;
        EXPECT_TRUE(PasteCells(s, text)) << c.first;
        EXPECT_EQ(s.CurrentSheet().Cell(ColCut, 0), std::string(c.first) + ".00");
        EXPECT_EQ(s.CurrentSheet().Cell(ColCut, 1), std::string(c.second) + ".00");
        EXPECT_EQ(s.CurrentSheet().Cell(ColStation, 2), "-1") << "no row is added";
    }
}

TEST_F(GridClipboard, CutClearsTheBlockAndCopyGivesItBack)
{
    EXPECT_EQ(CopyCells(s, 2, 0, 3, 1), "01+00.000\t-\r\n02+00.000\tSA\r\n");
    EXPECT_EQ(CutCells(s, 3, 2, 3, 5), "3.00\t0.00\t4.00\t0.00\r\n");
    EXPECT_EQ(s.CurrentSheet().Cell(ColCut, 1), "0.00");
    EXPECT_EQ(s.CurrentSheet().Cell(ColFill, 1), "0.00");
    // Emptying the second station would break the order: refused, kept.
    EXPECT_EQ(CutCells(s, 3, 0, 3, 0), "");
    EXPECT_EQ(s.CurrentSheet().Cell(ColStation, 1), "02+00.000");
    EXPECT_TRUE(s.doc.DataChanged);
}

} // namespace
