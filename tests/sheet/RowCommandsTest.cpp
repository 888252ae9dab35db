#include "app/MainForm.h"
#include "app/Session.h"
#include "app/RowCommands.h"
#include "app/DocumentWriter.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

using namespace mardex;
using namespace mardex::test;

namespace {

class RowCommands : public ::testing::Test {
protected:
    RowCommands() : s(ask) {}

    void Load(const std::vector<std::vector<std::string>>& rows)
    {
        Sheet& sheet = s.CurrentSheet();
        for (int r = 0; r < static_cast<int>(rows.size()); ++r)
            for (int col = 0; col < ColumnCount; ++col) sheet.SetCell(col, r, rows[r][col]);
        sheet.SetCell(ColStation, static_cast<int>(rows.size()), "-1");
        ResetMainForm(s);
        FillMainForm(s);
    }
    std::vector<std::string> Row(int r)
    {
        std::vector<std::string> out;
        for (int col = 0; col < ColumnCount; ++col) out.emplace_back(s.CurrentSheet().Cell(col, r));
        return out;
    }
    void At(int gridRow, int col = 3)
    {
        s.form.grid.SetRow(gridRow);
        s.form.grid.SetCol(col);
    }

    ScriptedPrompter ask;
    Session s;
    const std::vector<std::string> a{"10+00.000", "-", "1.00", "2.00", "3.00", "4.00"};
    const std::vector<std::string> b{"11+00.000", "FB", "5.00", "6.00", "7.00", "8.00"};
    const std::vector<std::string> c{"12+00.000", "SA", "9.00", "0.00", "1.50", "2.50"};
};

TEST_F(RowCommands, InsertOnTheFirstRowShiftsEveryRowDown)
{
    Load({a, b, c});
    At(2);
    mnuRowInsert_Click(s);
    // An empty row: nothing for typing to append to, saved as the writer's empty row.
    EXPECT_EQ(Row(0), (std::vector<std::string>{"", "", "", "", "", ""}));
    EXPECT_EQ(Row(1), a);
    EXPECT_EQ(Row(2), b);
    EXPECT_EQ(Row(3), c);
    EXPECT_EQ(s.CurrentSheet().EndRow(), 4);
    EXPECT_EQ(s.form.grid.Rows(), 7);
    EXPECT_EQ(s.form.grid.Text(2, 1), "");
    EXPECT_EQ(RowLine(s.CurrentSheet(), 0), "00+00.000         0.0        0.00        0.00        0.00        0.00");
    EXPECT_EQ(s.form.grid.Row(), 2);
    EXPECT_EQ(s.form.grid.Col(), 0);
}

TEST_F(RowCommands, DeleteMovesTheLaterRowsUpAndMarksTheDocumentChanged)
{
    Load({a, b, c});
    At(3);
    mnuRowDelete_Click(s);
    EXPECT_EQ(Row(0), a);
    EXPECT_EQ(Row(1), c);
    EXPECT_EQ(s.CurrentSheet().EndRow(), 2);
    EXPECT_EQ(s.form.grid.Rows(), 5);
    EXPECT_EQ(s.form.grid.Text(3, 0), "12+00.000");
    EXPECT_EQ(s.form.grid.Row(), 3);
    EXPECT_TRUE(s.doc.DataChanged);
}

TEST_F(RowCommands, DeletingTheOnlyRowLeavesAnEmptySheet)
{
    Load({a});
    At(2);
    mnuRowDelete_Click(s);
    EXPECT_EQ(s.CurrentSheet().EndRow(), 0);
    EXPECT_EQ(s.form.grid.Rows(), 3);
    EXPECT_EQ(s.form.grid.Text(2, 0), "");
}

TEST_F(RowCommands, BothCommandsOnTheEntryRowOnlyShowTheirMessages)
{
    Load({a, b});
    At(4);
    ask.Then(Says("Please do not delete the last row"));
    mnuRowDelete_Click(s);
    ask.Then(Says("Please do not insert the last row"));
    mnuRowInsert_Click(s);
    EXPECT_TRUE(ask.sawAll());
    EXPECT_EQ(Row(0), a);
    EXPECT_EQ(Row(1), b);
    EXPECT_EQ(s.CurrentSheet().EndRow(), 2);
}

TEST_F(RowCommands, HeaderRowsDoNothing)
{
    Load({a});
    At(1);
    mnuRowDelete_Click(s);
    mnuRowInsert_Click(s);
    EXPECT_EQ(Row(0), a);
    EXPECT_EQ(s.CurrentSheet().EndRow(), 1);
}

TEST_F(RowCommands, InsertIntoAFullSheetIsRefusedAndChangesNothing)
{
    std::vector<std::vector<std::string>> rows(MaxDataRows, a);
    rows[5] = b;
    Load(rows);
    At(7);
    ask.Then(Says(FullSheetInsertMessage));
    mnuRowInsert_Click(s);
    EXPECT_TRUE(ask.sawAll());
    EXPECT_EQ(Row(5), b);
    EXPECT_EQ(s.CurrentSheet().EndRow(), MaxDataRows);
    EXPECT_EQ(s.form.grid.Rows(), MaxDataRows + 3);
}

TEST_F(RowCommands, OnlyTheCurrentSheetChanges)
{
    s.store[1].SetCell(ColStation, 0, "20+00.000");
    s.store[1].SetCell(ColStation, 1, "-1");
    Load({a, b});
    At(2);
    mnuRowDelete_Click(s);
    EXPECT_EQ(s.store[1].Cell(ColStation, 0), "20+00.000");
    EXPECT_EQ(s.store[1].EndRow(), 1);
}

} // namespace
