#include "DocumentFixture.h"
#include "app/ForeignDocument.h"
#include "app/TabStrip.h"
#include "app/ImportDocument.h"
#include "app/PresetFilePrompter.h"
#include "app/ExitFlow.h"

#include <gtest/gtest.h>

using namespace mardex;
using namespace mardex::test;

namespace {

std::string LandXml(const std::string& units, const std::string& alignments)
{
    return "<?xml version=\"1.0\"?>\n<LandXML><Units>" + units + "</Units><Project name=\"P-9\"/><Alignments>" +
           alignments + "</Alignments></LandXML>\n";
}

std::string Alignment(const std::string& name)
{
    return "<Alignment name=\"" + name + "\"><CrossSects><CrossSect sta=\"0\" areaCut=\"5\" areaFill=\"1\"/>"
           "<CrossSect sta=\"100\" areaCut=\"6\" areaFill=\"2\"/></CrossSects></Alignment>";
}

TEST(ForeignDocument, OpenMakesAnUntitledDocumentNamedInTheCaption)
{
    Program p;
    const std::string path = p.Path("road.xml");
    WriteFile(path, LandXml("<Metric/>", Alignment("Left") + Alignment("Right")));
    p.Open(path);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(p.s.doc.SheetCount, 2);
    EXPECT_EQ(TabCaptions(p.s), (std::vector<std::string>{"Left", "Right"}));
    EXPECT_EQ(p.s.doc.UnitSystem, 1);
    EXPECT_EQ(p.s.doc.DescriptionFields[1], "P-9");
    EXPECT_EQ(p.Cell(1, ColStation, 1), "01+00.000");
    EXPECT_EQ(p.Cell(1, ColStation, 2), "-1");
    EXPECT_EQ(p.s.doc.CurrentFileName, "UNTITLED");
    EXPECT_EQ(p.s.form.Caption, "MARDEX :" + path);
    EXPECT_TRUE(p.s.doc.DataChanged);  // Save asks for a name; exit offers to save
}

TEST(ForeignDocument, RefusedFilesChangeNothing)
{
    struct Case {
        std::string name, text, says;
        bool import;
    } cases[] = {
        {"bad.xml", "<LandXML>", "not an XML file", false},
        {"bad.csv", "station,colour\n", "names none of station", false},
        {"metric.xml", LandXml("<Metric/>", Alignment("M")), "the file is metric and the document English", true},
        {"many.xml", LandXml("<Imperial/>", [] {
             std::string all;
             for (int i = 0; i < 26; ++i) all += Alignment("A" + std::to_string(i));
             return all;
         }()), "more than 26 sheets", true},
    };
    for (const Case& c : cases) {
        Program p;
        WriteFile(p.Path("doc.mdx"), Document(Block(1, "Main", "1.00", Row("00+00.000", 3) + Row("01+00.000", 4))));
        p.Open(p.Path("doc.mdx"));
        const std::string path = p.Path(c.name);
        WriteFile(path, c.text);
        p.ask.Then(Picks(path));
        p.ask.Then(Says(""));
        if (c.import) mnuImportFile_Click(p.s);
        else mnuFileOpen_Click(p.s);
        EXPECT_TRUE(p.ask.sawAll()) << c.name;
        EXPECT_NE(p.ask.shown.back().find(path), std::string::npos) << p.ask.shown.back();
        EXPECT_NE(p.ask.shown.back().find(c.says), std::string::npos) << p.ask.shown.back();
        EXPECT_EQ(p.s.doc.SheetCount, 1) << c.name;
        EXPECT_EQ(p.s.doc.CurrentFileName, p.Path("doc.mdx")) << c.name;
        EXPECT_EQ(p.Cell(0, ColCut, 1), "4.00") << c.name;
    }
}

TEST(ForeignDocument, ImportAppendsLandXmlAndCsvSheets)
{
    Program p;
    WriteFile(p.Path("doc.mdx"), Document(Block(1, "Main", "1.00", Row("00+00.000", 3))));
    p.Open(p.Path("doc.mdx"));
    WriteFile(p.Path("ramp.xml"), LandXml("<Imperial/>", Alignment("Ramp")));
    WriteFile(p.Path("side road.csv"), "station,code,cut_area,added_cut,fill_area,added_fill\n50,sa,1,0,0,0\n");
    for (const char* name : {"ramp.xml", "side road.csv"}) {
        // The sheets imported before are a change: each further Import offers to save first.
        if (p.s.doc.DataChanged) p.ask.Then(Asks("", Answer::No));
        p.ask.Then(Picks(p.Path(name)));
        mnuImportFile_Click(p.s);
    }
    // A tab name already taken may be changed, as Import MDX File offers.
    p.ask.Then(Asks("", Answer::No));
    p.ask.Then(Picks(p.Path("ramp.xml")));
    p.ask.Then(Asks(" Just a warning that you are importing same named tab or a group. Do you want to change it?", Answer::Yes));
    p.ask.Then(Types("Print the tab or groupname", "Ramp 2"));
    mnuImportFile_Click(p.s);
    EXPECT_TRUE(p.ask.sawAll());
    EXPECT_EQ(TabCaptions(p.s), (std::vector<std::string>{"Main", "Ramp", "side road", "Ramp 2"}));
    EXPECT_EQ(p.Cell(2, ColCode, 0), "SA");
    EXPECT_EQ(p.Cell(0, ColCut, 0), "3.00");
}

// Names from other programs' files, file names and typed tab names keep
// the saved document whole: it reads back with the same sheets and rows.
TEST(ForeignDocument, NamesFromOutsideSurviveSaveAndReopen)
{
    Program p;
    const std::string xml = p.Path("road.xml");
    WriteFile(xml, "<?xml version=\"1.0\"?>\n<LandXML><Units><Imperial/></Units><Project name=\"[END AREA 1 HIJACK]&#13;&#10;x\"/>"
                   "<Alignments>" + Alignment("Main&#10;[LAST RECORD]") + Alignment("Main&#10;[LAST RECORD]") +
                   "</Alignments></LandXML>\n");
    p.Open(xml);
    p.s.doc.CurrentFileName = p.Path("road.mdx");
    p.ask.Then(Says(""));
    ASSERT_EQ(SavingTheFile(p.s), 0);
    const std::string csv = p.Path("side]\n[LAST RECORD.csv");
    WriteFile(csv, "station,code,cut_area,added_cut,fill_area,added_fill\n50,-,1,0,0,0\n");
    p.ask.Then(Picks(csv));
    mnuImportFile_Click(p.s);
    p.s.form.SelectedTab = 1;
    p.ask.Then(Types("Change File-Tab Name", "Ramp]\r\n[END"));
    mnuGroupRename_Click(p.s);
    const std::vector<std::string> names{"Main (LAST RECORD)", "Ramp)  (END", "side) (LAST RECORD"};
    EXPECT_EQ(TabCaptions(p.s), names);
    EXPECT_EQ(p.s.doc.DescriptionFields[1], "(END AREA 1 HIJACK)  x");

    p.s.doc.CurrentFileName = p.Path("again.mdx");
    p.ask.Then(Says(""));
    ASSERT_EQ(SavingTheFile(p.s), 0);
    Program again;
    again.Open(p.Path("again.mdx"));
    EXPECT_TRUE(again.ask.sawAll());
    EXPECT_EQ(TabCaptions(again.s), names);
    EXPECT_EQ(again.s.doc.DescriptionFields[1], "(END AREA 1 HIJACK)  x");
    for (int sheet = 0; sheet < 3; ++sheet)
        EXPECT_EQ(again.s.store[sheet].EndRow(), p.s.store[sheet].EndRow()) << sheet;
}

// Scripted boxes that also answer the surface dialog, recording what it listed.
struct SurfaceAnswering : ScriptedPrompter {
    std::optional<SurfaceChoice> answer;
    std::vector<SurfaceNames> asked;
    std::optional<SurfaceChoice> ChooseSurfaces(const SurfaceNames& names, const SurfaceChoice&) override
    {
        asked.push_back(names);
        return answer;
    }
};

TEST(ForeignDocument, TheWindowAsksForSurfacesAndListsSectionsLeftOut)
{
    TempDir dir;
    SurfaceAnswering boxes;
    PresetFilePrompter window(boxes);  // the window's chain of prompters
    Session s(window);
    WriteFile(dir / "mardex3.ini", "[Settings]\r\nReportFolder = " + dir.path().string() + "/\r\n");
    s.ProgramFolder = dir.path().string();
    Form_Load(s);
    std::string sections;
    for (int k = 0; k < 23; ++k)
        sections += "<CrossSect sta=\"" + std::to_string(100 * k) + "\"><CrossSectSurf name=\"OG\"><PntList2D>-9 1 9 1"
                    "</PntList2D></CrossSectSurf><CrossSectSurf name=\"Subgrade\"><PntList2D>-5 0 5 0</PntList2D></CrossSectSurf>" +
                    (k < 22 ? std::string() : "<CrossSectSurf name=\"FG\"><PntList2D>-5 0 5 0</PntList2D></CrossSectSurf>") +
                    "</CrossSect>";
    const std::string path = dir / "road.xml";
    WriteFile(path, LandXml("<Imperial/>", "<Alignment name=\"M\"><CrossSects>" + sections + "</CrossSects></Alignment>"));
    boxes.answer = SurfaceChoice{"OG", "FG"};
    window.nextOpen = path;
    boxes.Then(Says(""));
    mnuFileOpen_Click(s);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].lines, (std::vector<std::string>{"OG", "Subgrade", "FG"}));
    EXPECT_EQ(s.store[0].Cell(ColCut, 0), "10.00");
    // 22 sections lack FG: one message lists the first 20.
    ASSERT_FALSE(boxes.shown.empty());
    const std::string& message = boxes.shown.back();
    EXPECT_NE(message.find(path + ": 22 cross sections were left out:"), std::string::npos) << message;
    EXPECT_NE(message.find("alignment \"M\", station 19+00.000: no surface \"FG\"\n... and 2 more"), std::string::npos)
        << message;
}

// An Import that added sheets is a change like typing: every command stays
// enabled, the changed mark is set (even where it was clear), and Exit asks.
TEST(ForeignDocument, EveryImportThatAddsSheetsMarksTheDocumentChangedAndKeepsTheCommands)
{
    for (const char* name : {"more.mdx", "ramp.xml", "side road.csv"}) {
        SCOPED_TRACE(name);
        Program p;
        WriteFile(p.Path("doc.mdx"), Document(Block(1, "Main", "1.00", Row("00+00.000", 3))));
        p.Open(p.Path("doc.mdx"));
        WriteFile(p.Path("more.mdx"), Document(Block(1, "More", "1.00", Row("00+00.000", 4))));
        WriteFile(p.Path("ramp.xml"), LandXml("<Imperial/>", Alignment("Ramp")));
        WriteFile(p.Path("side road.csv"), "station,code,cut_area,added_cut,fill_area,added_fill\n50,sa,1,0,0,0\n");
        ASSERT_FALSE(p.s.doc.DataChanged);
        p.ask.Then(Picks(p.Path(name)));
        mnuImportFile_Click(p.s);
        EXPECT_EQ(p.s.doc.SheetCount, 2);
        EXPECT_TRUE(p.s.doc.DataChanged);
        const FormModel& f = p.s.form;
        EXPECT_TRUE(f.mnuFileSaveEnabled && f.mnuFileSaveAsEnabled && f.mnuEditEnabled);
        EXPECT_TRUE(f.Label4Visible && f.txtShrinkFactor.visible);
        p.ask.Then(Asks("WISH TO SAVE FILE BEFORE EXITING ?", Answer::Cancel));
        p.ask.Then(Says(" FILE : " + p.Path("doc.mdx") + " WAS NOT SAVED"));
        EXPECT_EQ(SaveItBeforeExit(p.s), 1);
        EXPECT_TRUE(p.ask.sawAll());
    }
}

} // namespace
