#include "app/GenerateStickupSheets.h"

#include "StickupTestReports.h"
#include "support/RecordingDesignHost.h"
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>

namespace mardex::test {
namespace {

class StickupLayout : public ::testing::Test {
protected:
    StickupLayout()
    {
        s.form.Caption = "MARDEX :/data/road1.mdx";
        std::filesystem::create_directories(dir / "prog");
        s.ProgramFolder = dir / "prog";
        WriteFile(dir / "prog/border2l.dgn", "border");
        WriteFile(design, "seed copy");
        host.folder = dir.path().string();
    }

    StickupResult Run(const std::string& reportText)
    {
        WriteFile(report, reportText);
        return GenerateStickupSheets(s, host, design, report);
    }

    void NoBorderAnywhere() { std::filesystem::remove(dir / "prog/border2l.dgn"); }

    // Every text below the tables' lowest line is a fault.
    void ExpectNothingBelowLowestLine()
    {
        for (const auto& e : host.elements) EXPECT_GE(e.origin.y, 4910) << e.text;
    }

    TempDir dir;
    ScriptedPrompter ask;
    Session s{ask};
    RecordingDesignHost host;
    std::string design = dir / "target.dgn";
    std::string report = dir / "all.rpt";
};

TEST_F(StickupLayout, OneShortSectionGivesOneSheetWithOnlyTheLeftTable)
{
    const auto r = Run(ReportText({{"MAIN", 10, "PRJ 77", "C-55"}}));
    EXPECT_TRUE(r.completed);
    EXPECT_EQ(r.sheets, 1);
    EXPECT_TRUE(host.saved);
    EXPECT_EQ(host.releases, 1);

    ASSERT_EQ(host.attachments.size(), 1u);
    EXPECT_EQ(host.attachments[0].logicalName, "SheetBorder1");
    EXPECT_EQ(host.attachments[0].description, "Stickup Sheet Border Attached by Program");
    EXPECT_EQ(host.attachments[0].file, dir / "prog/border2l.dgn");
    EXPECT_DOUBLE_EQ(host.attachments[0].masterPoint.x, 4900);
    EXPECT_DOUBLE_EQ(host.attachments[0].masterPoint.y, 4900);

    const auto* label = FindText(host.elements, "STIK_SHEET_#_01");
    ASSERT_NE(label, nullptr);
    EXPECT_DOUBLE_EQ(label->origin.x, 4900);
    EXPECT_DOUBLE_EQ(label->origin.y, 7200);
    const auto* project = FindText(host.elements, "PRJ 77");
    ASSERT_NE(project, nullptr);
    EXPECT_DOUBLE_EQ(project->origin.x, 5000 + 2889.6);
    EXPECT_DOUBLE_EQ(project->origin.y, 6957);
    const auto* control = FindText(host.elements, "C-55");
    ASSERT_NE(control, nullptr);
    EXPECT_DOUBLE_EQ(control->origin.x, 5000 + 2905.64);
    EXPECT_DOUBLE_EQ(control->origin.y, 6925 + 9.48);

    const auto* tab = FindText(host.elements, TabLine("MAIN"));
    ASSERT_NE(tab, nullptr);
    EXPECT_DOUBLE_EQ(tab->origin.x, 5000);
    EXPECT_DOUBLE_EQ(tab->origin.y, 6925);
    for (int k = 1; k <= 10; ++k) {
        const auto* line = FindText(host.elements, BodyLine("MAIN", k));
        ASSERT_NE(line, nullptr) << k;
        EXPECT_DOUBLE_EQ(line->origin.x, 5000);
        EXPECT_DOUBLE_EQ(line->origin.y, RowY(k));
    }
    for (const auto& e : host.elements)
        if (e.firstAttribute == 36) {
            EXPECT_LT(e.origin.x, RightX(1)) << "the right half stays empty: " << e.text;
        }
    // label, two numbers, six header lines, ten rows; the closing line is not drawn
    EXPECT_EQ(host.elements.size(), 3u + 6u + 10u);
}

TEST_F(StickupLayout, HeaderBlockLinesAndSteps)
{
    Run(ReportText({{"T", 1}}));
    const double ys[] = {6925, 6885, 6870, 6855, 6840, 6825};
    const auto first = std::find_if(host.elements.begin(), host.elements.end(),
                                    [](const TextElement& e) { return e.text == TabLine("T"); });
    ASSERT_NE(first, host.elements.end());
    ASSERT_GE(host.elements.end() - first, 7);
    for (int i = 0; i < 6; ++i) {
        EXPECT_DOUBLE_EQ(first[i].origin.y, ys[i]) << i;
        EXPECT_DOUBLE_EQ(first[i].origin.x, 5000);
    }
    EXPECT_EQ(first[1].text.substr(0, 16), "Station         ");
    EXPECT_NE(first[2].text.find("BALANCE   ADJUSTED      MASS"), std::string::npos);
    EXPECT_NE(first[3].text.find("CUT-VOL"), std::string::npos);
    EXPECT_NE(first[4].text.find("Sq.Ft."), std::string::npos);
    EXPECT_EQ(first[5].text, std::string(95, '*'));
    EXPECT_EQ(first[6].text, BodyLine("T", 1));
    EXPECT_DOUBLE_EQ(first[6].origin.y, 6800);
}

TEST_F(StickupLayout, SectionStartingAtRow46BeginsTheRightTable)
{
    Run(ReportText({{"A", 45, "PA", "CA"}, {"B", 5, "PB", "CB"}}));
    // The closing line of A is read as row 46: B moves on.
    const auto* tabB = FindText(host.elements, TabLine("B"));
    ASSERT_NE(tabB, nullptr);
    EXPECT_DOUBLE_EQ(tabB->origin.x, RightX(1));
    EXPECT_DOUBLE_EQ(tabB->origin.y, 6925);
    const auto* b1 = FindText(host.elements, BodyLine("B", 1));
    ASSERT_NE(b1, nullptr);
    EXPECT_DOUBLE_EQ(b1->origin.x, RightX(1));
    EXPECT_DOUBLE_EQ(b1->origin.y, RowY(1));
    EXPECT_EQ(host.attachments.size(), 1u);
    EXPECT_EQ(TextsStartingWith(host.elements, std::string(20, ' ') + "BASELINE").size(), 2u);
}

TEST_F(StickupLayout, SectionStartingAtRow46OfARightTableBeginsTheNextSheet)
{
    const auto r = Run(ReportText({{"A", 54 + 45, "PA", "CA"}, {"B", 5, "PB", "CB"}}));
    EXPECT_EQ(r.sheets, 2);
    ASSERT_EQ(host.attachments.size(), 2u);
    EXPECT_EQ(host.attachments[1].logicalName, "SheetBorder2");
    EXPECT_DOUBLE_EQ(host.attachments[1].masterPoint.x, MasterX(2));
    const auto* b1 = FindText(host.elements, BodyLine("B", 1));
    ASSERT_NE(b1, nullptr);
    EXPECT_DOUBLE_EQ(b1->origin.x, LeftX(2));
    EXPECT_DOUBLE_EQ(b1->origin.y, RowY(1));
    // The new sheet carries the numbers of the section it shows.
    const auto* label2 = FindText(host.elements, "STIK_SHEET_#_02");
    ASSERT_NE(label2, nullptr);
    const auto* pb = FindText(host.elements, "PB");
    ASSERT_NE(pb, nullptr);
    EXPECT_DOUBLE_EQ(pb->origin.x, LeftX(2) + 2889.6);
}

TEST_F(StickupLayout, SectionStartingBeforeRow46ContinuesAfterAGapAndANewHeader)
{
    Run(ReportText({{"A", 44}, {"B", 3}}));
    // A's rows 1..44 end at y 6800 - 44*30 = 5480; the gap takes 25 more.
    const auto* tabB = FindText(host.elements, TabLine("B"));
    ASSERT_NE(tabB, nullptr);
    EXPECT_DOUBLE_EQ(tabB->origin.x, LeftX(1));
    EXPECT_DOUBLE_EQ(tabB->origin.y, 5455);
    const auto* b1 = FindText(host.elements, BodyLine("B", 1));
    ASSERT_NE(b1, nullptr);
    EXPECT_DOUBLE_EQ(b1->origin.x, LeftX(1));
    EXPECT_DOUBLE_EQ(b1->origin.y, 5455 - 125);
    const auto* b3 = FindText(host.elements, BodyLine("B", 3));
    ASSERT_NE(b3, nullptr);
    EXPECT_DOUBLE_EQ(b3->origin.y, 5455 - 125 - 60);
    for (const auto& e : host.elements)
        if (e.firstAttribute == 36) {
            EXPECT_LT(e.origin.x, RightX(1)) << e.text;
        }
}

TEST_F(StickupLayout, WithoutBorderAndYesTheTablesKeepTheirPlaces)
{
    const auto text = ReportText({{"A", 70}, {"B", 60}});
    Run(text);
    std::vector<TextElement> withBorder;
    for (const auto& e : host.elements)
        if (e.firstAttribute == 36) withBorder.push_back(e);

    NoBorderAnywhere();
    RecordingDesignHost plain;
    plain.folder = host.folder;
    ask.Then(Asks("Border Reference File Not Found! Do you want to generate the sheets without borders?", Answer::Yes));
    const auto r = GenerateStickupSheets(s, plain, design, report);
    EXPECT_TRUE(r.completed);
    EXPECT_FALSE(r.withBorders);
    EXPECT_TRUE(plain.attachments.empty());
    EXPECT_TRUE(TextsStartingWith(plain.elements, "STIK_SHEET").empty());
    ASSERT_EQ(plain.elements.size(), withBorder.size());
    for (std::size_t i = 0; i < withBorder.size(); ++i) {
        EXPECT_EQ(plain.elements[i].text, withBorder[i].text);
        EXPECT_DOUBLE_EQ(plain.elements[i].origin.x, withBorder[i].origin.x);
        EXPECT_DOUBLE_EQ(plain.elements[i].origin.y, withBorder[i].origin.y);
    }
    EXPECT_EQ(ask.boxes.back().title, "MARDEX :/data/road1.mdx");
    EXPECT_EQ(ask.boxes.back().buttons, Buttons::YesNo);
}

TEST_F(StickupLayout, WithoutBorderAndNoNothingIsDrawn)
{
    NoBorderAnywhere();
    ask.Then(Asks("Border Reference File Not Found! Do you want to generate the sheets without borders?", Answer::No));
    const auto r = Run(ReportText({{"A", 5}}));
    EXPECT_FALSE(r.completed);
    EXPECT_TRUE(host.elements.empty());
    EXPECT_FALSE(host.saved);
    EXPECT_EQ(host.releases, 1);
    EXPECT_TRUE(ask.sawAll());
}

TEST_F(StickupLayout, RfdirEntriesAreJoinedWithTheFileNameAsTheyStand)
{
    std::filesystem::create_directories(dir / "refs");
    WriteFile(dir / "refsborder2l.dgn", "joined without separator");
    WriteFile(dir / "refs/border2l.dgn", "inside the folder");
    host.msRfDir = dir / "none/" + ";" + dir / "refs";
    Run(ReportText({{"A", 5}}));
    ASSERT_EQ(host.attachments.size(), 1u);
    EXPECT_EQ(host.attachments[0].file, dir / "refsborder2l.dgn");

    RecordingDesignHost second;
    second.msRfDir = dir / "none/" + ";" + dir / "refs/";
    GenerateStickupSheets(s, second, design, report);
    ASSERT_EQ(second.attachments.size(), 1u);
    EXPECT_EQ(second.attachments[0].file, dir / "refs/border2l.dgn");
}

TEST_F(StickupLayout, BorderBesideTheDesignFileComesBeforeTheProgramsOwn)
{
    WriteFile(dir / "border2l.dgn", "beside");
    Run(ReportText({{"A", 5}}));
    ASSERT_EQ(host.attachments.size(), 1u);
    EXPECT_EQ(host.attachments[0].file, dir / "border2l.dgn");
    EXPECT_EQ(host.calls[4], "ActiveDesignFileFolder");  // after the undefined MS_RFDIR
}

TEST_F(StickupLayout, MissingReportOrDesignFileStopsBeforeTheHost)
{
    ask.Then(Says("Report file (" + dir / "none.rpt" + ") Not Found"));
    auto r = GenerateStickupSheets(s, host, design, dir / "none.rpt");
    EXPECT_FALSE(r.completed);
    EXPECT_EQ(ask.boxes.back().icon, Icon::Critical);
    EXPECT_EQ(ask.boxes.back().title, "Generate Stickup Sheets");

    ask.Then(Says("Report file () Not Found"));
    GenerateStickupSheets(s, host, design, "");

    WriteFile(report, ReportText({{"A", 5}}));
    ask.Then(Says("Design file (" + dir / "none.dgn" + ") Not Found"));
    r = GenerateStickupSheets(s, host, dir / "none.dgn", report);
    EXPECT_FALSE(r.completed);
    EXPECT_EQ(ask.boxes.back().icon, Icon::Critical);
    EXPECT_EQ(ask.boxes.back().title, "Generate Stickup Sheets");
    EXPECT_TRUE(host.calls.empty());
    EXPECT_TRUE(ask.sawAll());
}

TEST_F(StickupLayout, ReadOnlyDesignFileIsRefused)
{
    host.readOnly = true;
    ask.Then(Says("Design File is Read Only, cannot generate Stickup Sheets"));
    const auto r = Run(ReportText({{"A", 5}}));
    EXPECT_FALSE(r.completed);
    EXPECT_EQ(ask.boxes.back().icon, Icon::Critical);
    EXPECT_EQ(ask.boxes.back().title, "MARDEX :/data/road1.mdx");
    EXPECT_TRUE(host.elements.empty());
    EXPECT_FALSE(host.saved);
    EXPECT_EQ(host.releases, 1);
}

TEST_F(StickupLayout, AHostFailureEndsTheRunWithItsDescription)
{
    host.failOnElement = 12;
    ask.Then(Says("Error Generating Stickup Sheets: Invalid element"));
    const auto r = Run(ReportText({{"A", 30}}));
    EXPECT_FALSE(r.completed);
    EXPECT_EQ(ask.boxes.back().icon, Icon::Critical);
    EXPECT_EQ(ask.boxes.back().title, "Generate Stickup Sheets");
    EXPECT_EQ(host.elements.size(), 12u);  // what was drawn stays
    EXPECT_FALSE(host.saved);
    EXPECT_EQ(host.releases, 1);

    RecordingDesignHost absent;
    absent.available = false;
    ask.Then(Says("Error Generating Stickup Sheets: ActiveX component can't create object"));
    GenerateStickupSheets(s, absent, design, report);
    EXPECT_EQ(absent.releases, 1);

    RecordingDesignHost unsaved;
    unsaved.saveFails = true;
    ask.Then(Says("Error Generating Stickup Sheets: Permission denied"));
    EXPECT_FALSE(GenerateStickupSheets(s, unsaved, design, report).completed);
    EXPECT_TRUE(ask.sawAll());
}

TEST_F(StickupLayout, ReportCutShortInASectionHeaderIsAnError)
{
    ask.Then(Says("Error Generating Stickup Sheets: Input past end of file"));
    Run("#Designer= x\r\n#Project No.= 1\r\n");
    EXPECT_FALSE(host.saved);
    EXPECT_TRUE(ask.sawAll());
}

TEST_F(StickupLayout, TemplateSettingsAndTheirTemporaryChanges)
{
    host.fontThrows = true;  // a font the host cannot find is not an error
    Run(ReportText({{"A", 2, "PA", "CA"}}));
    ASSERT_FALSE(host.elements.empty());
    for (const auto& e : host.elements) {
        ASSERT_TRUE(e.level.has_value());
        EXPECT_EQ(e.level->name, "Level 1");
        EXPECT_EQ(e.lineStyle, "0");
        EXPECT_EQ(e.secondAttribute, 1);
        EXPECT_DOUBLE_EQ(e.height, 10);
        EXPECT_DOUBLE_EQ(e.width, 11);
        EXPECT_DOUBLE_EQ(e.rotation, 0.5);
        EXPECT_FALSE(e.font.has_value());
        const bool numbers = e.text == "PA" || e.text == "CA";
        const bool label = e.text == "STIK_SHEET_#_01";
        EXPECT_EQ(e.firstAttribute, numbers || label ? 34 : 36) << e.text;
        EXPECT_EQ(e.placement, numbers ? 7 : 2) << e.text;
    }
    EXPECT_NE(std::find(host.calls.begin(), host.calls.end(), "FindFont 3 courier new"), host.calls.end());
}

TEST_F(StickupLayout, TemplateFallsBackToTheActiveLevelAndStyle)
{
    host.levels.clear();
    host.lineStyles.clear();
    host.font = DesignFont{3, "courier new"};
    Run(ReportText({{"A", 1}}));
    ASSERT_FALSE(host.elements.empty());
    EXPECT_EQ(host.elements[0].level->name, "Default");
    EXPECT_EQ(host.elements[0].lineStyle, "Solid");
    ASSERT_TRUE(host.elements[0].font.has_value());
    EXPECT_EQ(host.elements[0].font->name, "courier new");
}

TEST_F(StickupLayout, ProjectAndControlAreTakenByPositionAndTrimmed)
{
    Run("#Designer= d\r\n#Project No.=   P 9  \r\n#Control No.=C77 \r\n#TabName=   Road A \r\n#System= 1\r\n"
        "#Embankment= 1\r\n  first row  \r\n" + std::string(65, '#') + "\r\n");
    EXPECT_NE(FindText(host.elements, "P 9"), nullptr);
    EXPECT_NE(FindText(host.elements, "C77"), nullptr);  // from the 14th character on, blank or not
    EXPECT_NE(FindText(host.elements, TabLine("Road A")), nullptr);
    EXPECT_NE(FindText(host.elements, "  first row  "), nullptr);  // drawn as it stands
}

TEST_F(StickupLayout, LinesEndAtCrLfCrOrLf)
{
    Run(SectionText({"A", 3}, "\n") + SectionText({"B", 2}, "\r"));
    for (const auto& name : {BodyLine("A", 1), BodyLine("A", 3), BodyLine("B", 2), TabLine("B")})
        EXPECT_NE(FindText(host.elements, name), nullptr) << name;
    for (const auto& e : host.elements) EXPECT_EQ(e.text.find_first_of("\r\n"), std::string::npos);
}

// Sheets lie 4000 apart however many there are: the ninth sheet's tables
// sit beyond what a 16-bit column could hold.
TEST_F(StickupLayout, Correction27_ManySheetsKeepTheirExactPositions)
{
    const auto r = Run(ReportText({{"LONG", 54 * 2 * 12}}));
    EXPECT_EQ(r.sheets, 12);
    ASSERT_EQ(host.attachments.size(), 12u);
    for (int n = 1; n <= 12; ++n) {
        EXPECT_DOUBLE_EQ(host.attachments[n - 1].masterPoint.x, MasterX(n));
        const auto* left = FindText(host.elements, BodyLine("LONG", (2 * n - 2) * 54 + 1));
        const auto* right = FindText(host.elements, BodyLine("LONG", (2 * n - 1) * 54 + 1));
        ASSERT_NE(left, nullptr);
        ASSERT_NE(right, nullptr);
        EXPECT_DOUBLE_EQ(left->origin.x, LeftX(n));
        EXPECT_DOUBLE_EQ(right->origin.x, RightX(n));
    }
    EXPECT_NE(FindText(host.elements, "STIK_SHEET_#_12"), nullptr);
}

// A section that fills its table exactly leaves no empty table or sheet.
TEST_F(StickupLayout, Correction24_NoEmptyTableAfterAFullOne)
{
    auto r = Run(ReportText({{"A", 54}}));
    EXPECT_EQ(r.sheets, 1);
    EXPECT_EQ(TextsStartingWith(host.elements, TabLine("")).size(), 1u);

    RecordingDesignHost two;
    WriteFile(report, ReportText({{"A", 108}}));
    r = GenerateStickupSheets(s, two, design, report);
    EXPECT_EQ(r.sheets, 1);
    EXPECT_EQ(two.attachments.size(), 1u);
    EXPECT_EQ(TextsStartingWith(two.elements, TabLine("")).size(), 2u);
}

// After a full table the next table's header names the section it shows.
TEST_F(StickupLayout, Correction25_NewTableHeaderCarriesItsOwnSectionsName)
{
    Run(ReportText({{"A", 54, "PA", "CA"}, {"B", 3, "PB", "CB"}, {"C", 108 + 10, "PC", "CC"}}));
    const auto* tabB = FindText(host.elements, TabLine("B"));
    ASSERT_NE(tabB, nullptr);
    EXPECT_DOUBLE_EQ(tabB->origin.x, RightX(1));
    EXPECT_DOUBLE_EQ(tabB->origin.y, 6925);
    const auto* b1 = FindText(host.elements, BodyLine("B", 1));
    ASSERT_NE(b1, nullptr);
    EXPECT_DOUBLE_EQ(b1->origin.y, RowY(1));
    // No header of A in the right table.
    for (const auto* e : TextsStartingWith(host.elements, TabLine("A"))) EXPECT_DOUBLE_EQ(e->origin.x, LeftX(1));
    // C starts in B's table after a gap, fills it and goes on to sheet 2, whose
    // numbers are C's.
    const auto* pc = FindText(host.elements, "PC");
    ASSERT_NE(pc, nullptr);
    EXPECT_DOUBLE_EQ(pc->origin.x, LeftX(2) + 2889.6);
    EXPECT_EQ(FindText(host.elements, "PB"), nullptr);
}

// No text below y = 4910: a row that would fall lower starts the next table.
TEST_F(StickupLayout, Correction26_RowsNeverFallBelowTheSheet)
{
    // Five sections of 10 rows: four gaps and headers push the fifth section's
    // fifth row below the line.
    Run(ReportText({{"A", 10}, {"B", 10}, {"C", 10}, {"D", 10}, {"E", 10}}));
    ExpectNothingBelowLowestLine();
    const auto* e4 = FindText(host.elements, BodyLine("E", 4));
    ASSERT_NE(e4, nullptr);
    EXPECT_DOUBLE_EQ(e4->origin.x, LeftX(1));
    EXPECT_DOUBLE_EQ(e4->origin.y, 4910);
    const auto* e5 = FindText(host.elements, BodyLine("E", 5));
    ASSERT_NE(e5, nullptr);
    EXPECT_DOUBLE_EQ(e5->origin.x, RightX(1));
    EXPECT_DOUBLE_EQ(e5->origin.y, RowY(1));
    const auto tabE = TextsStartingWith(host.elements, TabLine("E"));
    ASSERT_EQ(tabE.size(), 2u);
    EXPECT_DOUBLE_EQ(tabE[1]->origin.x, RightX(1));
}

TEST_F(StickupLayout, Correction26_ASectionWhoseHeaderWouldNotFitMovesOnWhole)
{
    // Six sections of 8 rows: the sixth closing line comes at row 41 with
    // y 5000, so its gap and header would put its first row at 4850.
    Run(ReportText({{"A", 8}, {"B", 8}, {"C", 8}, {"D", 8}, {"E", 8}, {"F", 8}}));
    ExpectNothingBelowLowestLine();
    const auto tabF = TextsStartingWith(host.elements, TabLine("F"));
    ASSERT_EQ(tabF.size(), 1u);
    EXPECT_DOUBLE_EQ(tabF[0]->origin.x, RightX(1));
    EXPECT_DOUBLE_EQ(tabF[0]->origin.y, 6925);
    const auto* f1 = FindText(host.elements, BodyLine("F", 1));
    ASSERT_NE(f1, nullptr);
    EXPECT_DOUBLE_EQ(f1->origin.x, RightX(1));
    EXPECT_DOUBLE_EQ(f1->origin.y, RowY(1));
}

// Whatever the sections, every line is drawn once, in order, tables hold at
// most 54 rows and nothing falls below the sheet.
TEST_F(StickupLayout, EveryLineOnceInOrderForManyShapes)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 40; ++round) {
        std::vector<SectionSpec> sections;
        const int count = 1 + static_cast<int>(rng() % 6);
        for (int i = 0; i < count; ++i)
            sections.push_back({"S" + std::to_string(i), 1 + static_cast<int>(rng() % 120)});
        RecordingDesignHost h;
        WriteFile(report, ReportText(sections));
        ASSERT_TRUE(GenerateStickupSheets(s, h, design, report).completed);
        std::vector<const TextElement*> body;
        for (const auto& e : h.elements)
            if (e.text.size() > 1 && e.text[0] == 'S' && e.text.find(" line ") != std::string::npos) body.push_back(&e);
        std::size_t next = 0;
        for (const auto& sec : sections)
            for (int k = 1; k <= sec.lines; ++k, ++next) {
                ASSERT_LT(next, body.size());
                EXPECT_EQ(body[next]->text, BodyLine(sec.tab, k));
            }
        EXPECT_EQ(next, body.size());
        std::map<double, int> perColumn;
        for (const auto* e : body) {
            EXPECT_GE(e->origin.y, 4910);
            ++perColumn[e->origin.x];
        }
        for (const auto& [x, n] : perColumn) EXPECT_LE(n, 54) << "column at " << x;
    }
}

} // namespace
} // namespace mardex::test
